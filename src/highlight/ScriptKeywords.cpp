#include "highlight/ScriptKeywords.h"

#include "highlight/WordStore.h"

namespace ql {
namespace {

struct TKeyword {
  const char* Text;
  TTokenCode Code;
};

// Spellings as scripts usually write them; matching ignores case.
constexpr TKeyword kKeywords[] = {
    {"%%language", tkSecLanguage},
    {"%%words", tkSecWords},
    {"%%handlers", tkSecHandlers},
    {"%%handler", tkSecHandlers},
    {"%%tokens", tkSecTokens},
    {"%%map", tkSecMap},
    {"%%effects", tkSecEffects},
    {"%%states", tkSecStates},
    {"%%containers", tkSecContainers},
    {"%%keys", tkSecKeys},
    {"%%autoreplace", tkSecAutoReplace},
    {"%%templates", tkSecTemplates},
    {"%%kwTables", tkSecKwTables},

    {"name", tkName},
    {"case", tkCase},
    {"options", tkOptions},
    {"exampletext", tkExampleText},
    {"editablestyles", tkEditableStyles},
    {"wordwrapcolumn", tkWordWrapColumn},
    {"fontname", tkFontName},
    {"fontsize", tkFontSize},
    {"fontcharset", tkFontCharset},
    {"gutter", tkGutter},
    {"guttercolor", tkGutterColor},
    {"margincolor", tkMarginColor},
    {"marginwidth", tkMarginWidth},
    {"anchor", tkAnchor},
    {"startstate", tkStartState},
    {"contextstates", tkContextStates},
    {"indentstep", tkIndentStep},
    {"wrapoverride", tkWrapOverride},
    {"seltextcolor", tkSelTextColor},
    {"seltextback", tkSelTextBack},
    {"rightmargin", tkRightMargin},
    {"tabcolumns", tkTabColumns},
    {"tabdefault", tkTabDefault},
    {"boundstates", tkBoundStates},
    {"GutterFontName", tkGutterFontName},
    {"GutterFontSize", tkGutterFontSize},
    {"GutterFontColor", tkGutterFontColor},
    {"GutterFontStyle", tkGutterFontStyle},

    {"InState", tkInState},
    {"shift", tkShift},
    {"ctrl", tkCtrl},
    {"alt", tkAlt},
    {"or", tkOr},
    {"match", tkMatch},
    {"actionkeys", tkActionKeys},
    {"hotkey", tkHotkey},
    {"forstate", tkForState},
    {"endswith", tkEndsWith},
    {"is", tkIs},
    {"push", tkPush},
    {"pop", tkPop},

    {"=", tkEquals},
    {"(", tkLParen},
    {")", tkRParen},
    {"[", tkLBracket},
    {"]", tkRBracket},
    {",", tkComma},
    {"+", tkPlus},
    {"-", tkMinus},
    {"?", tkQuestion},
    {"|", tkBar},
    {"*", tkStar},
};

}  // namespace

void FillScriptKeywords(TWordStore& keywords) {
  for (const TKeyword& k : kKeywords) keywords.Add(k.Text, k.Code);
}

const char* TokenCodeText(TTokenCode code) {
  switch (code) {
    case tkEndOfInput: return "end of input";
    case tkNumber: return "number";
    case tkString: return "string";
    case tkUnknownIdentifier: return "identifier";
    case tkUnknownChar: return "character";
    default: break;
  }
  for (const TKeyword& k : kKeywords)
    if (k.Code == code) return k.Text;
  return "?";
}

}  // namespace ql
