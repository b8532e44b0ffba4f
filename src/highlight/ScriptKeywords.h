#pragma once
// The tokens of the highlighting-script language: the codes the script reader returns, and the
// table of its reserved words and symbols.
#include <cstdint>

namespace ql {

class TWordStore;

enum TTokenCode : int32_t {
  // Token kinds that are not keywords.
  tkEndOfInput = 0,      // the script and every open macro or #include are used up
  tkNumber,              // unsigned decimal number: TSYM_Compiler::NumberValue
  tkString,              // quoted literal: TSYM_Compiler::StringValue / RawString
  tkUnknownIdentifier,   // neither macro nor keyword: TSYM_Compiler::UnknownIdentifier
  tkUnknownChar,         // a character that starts no token: TSYM_Compiler::UnknownChar

  // Section headers ("%%handler" and "%%handlers" are the same section).
  tkSecLanguage,
  tkSecWords,
  tkSecHandlers,
  tkSecTokens,
  tkSecMap,
  tkSecEffects,
  tkSecStates,
  tkSecContainers,
  tkSecKeys,
  tkSecAutoReplace,
  tkSecTemplates,
  tkSecKwTables,

  // Directives of the %%language section.
  tkName,
  tkCase,
  tkOptions,
  tkExampleText,
  tkEditableStyles,
  tkWordWrapColumn,
  tkFontName,
  tkFontSize,
  tkFontCharset,
  tkGutter,
  tkGutterColor,
  tkMarginColor,
  tkMarginWidth,
  tkAnchor,
  tkStartState,
  tkContextStates,
  tkIndentStep,
  tkWrapOverride,
  tkSelTextColor,
  tkSelTextBack,
  tkRightMargin,
  tkTabColumns,
  tkTabDefault,
  tkBoundStates,
  tkGutterFontName,
  tkGutterFontSize,
  tkGutterFontColor,
  tkGutterFontStyle,

  // Other reserved words.
  tkInState,
  tkShift,
  tkCtrl,
  tkAlt,
  tkOr,
  tkMatch,
  tkActionKeys,
  tkHotkey,
  tkForState,
  tkEndsWith,
  tkIs,
  tkPush,
  tkPop,

  // Symbols.
  tkEquals,     // =
  tkLParen,     // (
  tkRParen,     // )
  tkLBracket,   // [
  tkRBracket,   // ]
  tkComma,      // ,
  tkPlus,       // +
  tkMinus,      // -
  tkQuestion,   // ?
  tkBar,        // |
  tkStar,       // *

  tkLastToken = tkStar
};

// Fills the keyword table: every reserved word and symbol with its token code.
void FillScriptKeywords(TWordStore& keywords);

// The spelling of a keyword's code ("%%language", "=", ...); a description for the other kinds.
const char* TokenCodeText(TTokenCode code);

}  // namespace ql
