#include "highlight/PredefinedSymbols.h"

#include <cstdint>
#include <string>

#include "highlight/WordStore.h"

namespace ql {
namespace {

struct TSymbol {
  const char* Name;
  int64_t Value;
};

constexpr TSymbol kSymbols[] = {
    {"pt_DEFAULT", 0},
    {"_use_", 1},
    {"_discard_", 0},
    {"__insensitive", 0},
    {"__sensitive", 1},
    {"_edge", 0},
    {"_default_gutter", 34},
    {"_DEFAULT_START_ANCHOR", 0},
    {"__DEFAULT_OPTIONS", 67099632},
    {"None", 0},

    // Character handlers and standard handlers of the scanner.
    {"_PASCAL_CHAR", 0},
    {"_WEB_CHAR", 1},
    {"_ORIGINAL_CHAR", 2},
    {"__STD_IDENTIFIER", 10},
    {"__STD_NUMBER_OR_FP", 11},
    {"__STD_PASCALSTRING", 12},
    {"__STD_C_STRING", 13},
    {"__STD_C_CHAR", 14},
    {"__STD_C_NUMBER_OR_FP_SIGNED", 15},
    {"__STD_NUMBER", 16},
    {"__STD_MAIL_URL", 17},
    {"__STD_HTML_STRING", 18},
    {"__STD_JS_LINE_COMMENT", 19},
    {"__STD_C_STRING_SQ", 20},

    // Bit numbers of a font style set.
    {"fsBold", 0},
    {"fsItalic", 1},
    {"fsUnderline", 2},
    {"fsStrikeout", 3},

    // Bits of the options word.
    {"__OPT_LINE_NUMBERS", 1},
    {"__OPT_SYNTAX_HIGHLIGHT", 16},
    {"__OPT_PRINT_WRAP", 32},
    {"__OPT_PRINT_LINENOS", 64},
    {"__OPT_PRINT_FILENAME", 128},
    {"__OPT_PRINT_DATE", 256},
    {"__OPT_PRINT_PAGENOS", 512},
    {"__OPT_WORDWRAP", 1024},
    {"__OPT_AUTOINDENT", 2048},
    {"__OPT_TABCOLUMN", 4096},
    {"__OPT_WRAP_OVERRIDE", 8192},
    {"__WORD_SELECT", 16384},
    {"__OPT_SHOW_RMARGIN", 32768},
    {"__OPT_SHOW_RIGHT_MARGIN", 32768},
    {"__OPT_SHOW_GUTTER", 65536},
    {"__OPT_SHOW_WRAPCOLUMN", 131072},
    {"__OPT_TITLE_AS_FILENAME", 262144},
    {"__OPT_PROCESS_DROP_FILES", 524288},
    {"__OPT_BLOCK_CURSOR", 1048576},
    {"__OPT_WRAP_GLYPH", 2097152},
    {"__OPT_COLUMN_TRACK", 4194304},
    {"__OPT_USE_TAB", 8388608},
    {"__OPT_SMART_FILL", 16777216},
    {"__OPT_OLE_DRAG_SOURCE", 33554432},
    {"__OPT_SHOW_CONTROL_CHARS", 67108864},
    {"__OPT_CARET_AFTER_EOL", 134217728},
    {"__OPT_BLOCK_CURSOR_PERSISTENT", 536870912},

    // Colours, 0x00BBGGRR.
    {"clBlack", 0},
    {"clMaroon", 128},
    {"clGreen", 32768},
    {"clOlive", 32896},
    {"clNavy", 8388608},
    {"clPurple", 8388736},
    {"clTeal", 8421376},
    {"clGray", 8421504},
    {"clDkGray", 8421504},
    {"clSilver", 12632256},
    {"clLtGray", 12632256},
    {"clRed", 255},
    {"clLime", 65280},
    {"clYellow", 65535},
    {"clBlue", 16711680},
    {"clFuchsia", 16711935},
    {"clAqua", 16776960},
    {"clWhite", 16777215},

    // Font character sets.
    {"ANSI_CHARSET", 0},
    {"DEFAULT_CHARSET", 1},
    {"SYMBOL_CHARSET", 2},
    {"MAC_CHARSET", 77},
    {"SHIFTJIS_CHARSET", 128},
    {"HANGEUL_CHARSET", 129},
    {"JOHAB_CHARSET", 130},
    {"GB2312_CHARSET", 134},
    {"CHINESEBIG5_CHARSET", 136},
    {"GREEK_CHARSET", 161},
    {"TURKISH_CHARSET", 162},
    {"HEBREW_CHARSET", 177},
    {"ARABIC_CHARSET", 178},
    {"BALTIC_CHARSET", 186},
    {"RUSSIAN_CHARSET", 204},
    {"THAI_CHARSET", 222},
    {"EASTEUROPE_CHARSET", 238},
    {"OEM_CHARSET", 255},

    // Virtual-key codes.
    {"BACKSPACE", 8},
    {"PGUP", 33},
    {"PGDN", 34},
    {"END", 35},
    {"HOME", 36},
    {"LEFT", 37},
    {"UP", 38},
    {"RIGHT", 39},
    {"DOWN", 40},
    {"INSERT", 45},
    {"DELETE", 46},
    {"F1", 112},
    {"F2", 113},
    {"F3", 114},
    {"F4", 115},
    {"F5", 116},
    {"F6", 117},
    {"F7", 118},
    {"F8", 119},
    {"F9", 120},
    {"F10", 121},
    {"F11", 122},
    {"F12", 123},

    // Editor action codes.
    {"caLEFT", 0},
    {"caRIGHT", 1},
    {"caLINEHOME", 2},
    {"caLINEEND", 3},
    {"caUP", 4},
    {"caDOWN", 5},
    {"caPAGEUP", 6},
    {"caPAGEDOWN", 7},
    {"caWORDLEFT", 8},
    {"caWORDRIGHT", 9},
    {"caDOCSTART", 10},
    {"caDOCEND", 11},
    {"caCUT", 12},
    {"caCOPY", 13},
    {"caPASTE", 14},
    {"caDELETE", 15},
    {"caBACKSPACE", 16},
    {"caBLOCKIND", 17},
    {"caBLOCKUND", 18},
    {"caINSTOGGLE", 19},
    {"caSETBOOKMARK0", 20},
    {"caSETBOOKMARK1", 21},
    {"caSETBOOKMARK2", 22},
    {"caSETBOOKMARK3", 23},
    {"caSETBOOKMARK4", 24},
    {"caSETBOOKMARK5", 25},
    {"caSETBOOKMARK6", 26},
    {"caSETBOOKMARK7", 27},
    {"caSETBOOKMARK8", 28},
    {"caSETBOOKMARK9", 29},
    {"caGOTOBOOKMARK0", 30},
    {"caGOTOBOOKMARK1", 31},
    {"caGOTOBOOKMARK2", 32},
    {"caGOTOBOOKMARK3", 33},
    {"caGOTOBOOKMARK4", 34},
    {"caGOTOBOOKMARK5", 35},
    {"caGOTOBOOKMARK6", 36},
    {"caGOTOBOOKMARK7", 37},
    {"caGOTOBOOKMARK8", 38},
    {"caGOTOBOOKMARK9", 39},
    {"caDELETELINE", 40},
    {"caUNDO", 41},
    {"caREDO", 42},
    {"caDELPREVWORD", 43},
    {"caPRINTSEL", 44},
    {"caDELNEXTWORD", 45},
};

}  // namespace

void FillPredefinedSymbols(TWordStore& symbols) {
  // A marker that scripts test with #ifdef; its value is its own name.
  symbols.Define("ver200", "ver200");
  for (const TSymbol& s : kSymbols) symbols.Define(s.Name, std::to_string(s.Value));
}

}  // namespace ql
