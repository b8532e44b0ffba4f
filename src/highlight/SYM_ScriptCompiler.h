#pragma once
// TSYM_ScriptCompiler: the section compiler. It reads a highlighting script through the script
// reader (TSYM_Compiler) and fills a parser's compiled tables and its settings object.
//
// A script is a sequence of sections in any order, each any number of times:
//   %%language (settings), %%words and %%kwTables (keywords), %%effects and %%map (styles),
//   %%handlers, %%tokens, %%states and %%containers (scanner rules), %%keys, %%autoreplace and
//   %%templates (editor services).
// A section reads entries while the current token can start one and hands the first token that
// cannot back to the driver, which dispatches on section headers only.
//
// The first error ends the compile; the tables and settings keep what was filled up to it.
#include <cstdint>
#include <functional>
#include <string>

#include "highlight/CompiledTables.h"
#include "highlight/SYM_Compiler.h"
#include "toolkit/ShortCut.h"

namespace ql {

class TSM_Settings;
class TSM_CharGroup;

class TSYM_ScriptCompiler : public TSYM_Compiler {
public:
  // Reads script (see TSYM_Compiler); Compile fills tables and settings.
  TSYM_ScriptCompiler(TStream& script, std::string includeDir, TCompiledTables& tables, TSM_Settings& settings);

  // Runs the driver to the end of the script, then gives every empty context set the
  // start-state set. Expects cleared tables and a reset settings object (CompileScript does both).
  void Compile();

private:
  // A position in the script, 0-based, for errors reported after the token has been read.
  struct TPos {
    int32_t Line;
    int32_t Column;
  };
  TPos Here() const { return {TokenLine(), TokenColumn()}; }
  [[noreturn]] void ErrorAt(TPos at, const std::string& message) const { CompileErrorAt(at.Line, at.Column, message); }
  // Runs a call into a service object; an exception it raises (other than a compile error)
  // becomes a compile error at `at` with the exception's message.
  void Service(TPos at, const std::function<void()>& call) const;

  // -- Shared syntax (SYM_Expressions.cpp)
  // Raises message at the current token unless it is token; then reads the next token.
  void Expect(TTokenCode token, const char* message);
  bool IsTermStart() const { return Token() == tkNumber || Token() == tkLParen; }
  // term { (+ | - | or) term }, left to right, 32-bit wrapping arithmetic. A term is a number or
  // a parenthesised expression. Any failure is reported as message.
  int32_t Expression(const char* message);
  int32_t Expression();
  int32_t Term(const char* message);
  // An expression in 0..255, else EInkMemo "Range error, value outwith 0 .. 255".
  uint8_t ByteValue();
  // An expression in low..high, else the range error with low and high.
  int32_t RangedValue(int32_t low, int32_t high);
  // "[" byte values, each optionally followed by ",", "]". With bracketSeen the "[" has been read.
  TByteSet Set(bool bracketSeen = false);
  // A set, or a single byte value standing for the set of that value; bracketed tells which.
  TByteSet StateSet(bool& bracketed);
  // An optional "[*]" ("[]" is no marker) before a colour; true when the "*" is there.
  bool DefaultMarker();
  // "[" bit numbers separated by "," "]": values 0..7 set that bit, values up to 255 are
  // ignored, anything else is "Bad font style specifier".
  uint8_t FontStyleSet();
  // The current token must be a string: its decoded (raw) value; reads the next token.
  std::string StringArg();
  std::string RawStringArg();
  // The current token must be a string holding exactly one character-group text.
  TSM_CharGroup SingleGroupArg();

  // -- Driver and %%language (SYM_Driver.cpp, SYM_Language.cpp)
  void LanguageSection();
  void LanguageDirective(TTokenCode directive);
  void EditableStyles();
  void ContextStates();

  // -- Keywords and styles (SYM_Words.cpp, SYM_Styles.cpp)
  void WordsSection();
  void KwTablesSection();
  void EffectsSection();
  void MapSection();

  // -- Scanner rules (SYM_Units.cpp, SYM_Handlers.cpp, SYM_TokenTables.cpp, SYM_States.cpp)
  // "match" "(" id ")"; notes that the tables use match.
  int32_t MatchId();
  // An expression naming a handler the scanner runs (0..2, 10..20), else "Script syntax error".
  int32_t HandlerCode();
  // match (id), a one-group string, or a handler code.
  TScanUnit Unit();
  // match (id), a string of one to four groups, or (with allowHandler) a handler code; then the use value.
  TEndSequence EndSequence(bool allowHandler);
  void HandlersSection();
  void TokensSection();
  void TokenEntry(uint8_t state, bool inStateBlock);
  void StatesSection(bool containers);
  // "+" or "-" items, each followed by a set or a single term, until neither sign follows.
  void StateItems(TByteSet& entered, TByteSet& left);

  // -- Editor services (SYM_Keys.cpp, SYM_Macros.cpp)
  void KeysSection();
  // An optional "[" shift/ctrl/alt ... "]"; the modifier bits of a shortcut.
  ShortCutCode Modifiers();
  // An expression in 0..255 or a one-character string (its upper-case code).
  ShortCutCode Key();
  void AutoReplaceSection();
  void TemplatesSection();

  TCompiledTables& tables_;
  TSM_Settings& settings_;
};

// Compiles script into tables and settings: clears the tables, resets the settings' language
// part, reads the script (includeDir is where #include <name> looks) and runs the sections.
// Errors are ESYM_COMP_ERROR or EInkMemo (range, context-state and tab-column messages).
// line and column receive the 0-based position where reading ended, also when an error is
// raised (0, 0 when the script could not be read at all).
void CompileScript(TStream& script, const std::string& includeDir, TCompiledTables& tables, TSM_Settings& settings,
                   int32_t& line, int32_t& column);
void CompileScript(TStream& script, const std::string& includeDir, TCompiledTables& tables, TSM_Settings& settings);

}  // namespace ql
