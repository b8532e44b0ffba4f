#pragma once
// The texts the section compiler reports. All but the range and context-state messages (and
// those of the tab-column parser) are raised through CompileError, with line and column; those
// few are raised as EInkMemo with the bare text. The "%%" in some of them is shown as written.
namespace ql {

// Driver and shared syntax.
inline constexpr const char* msgScriptSyntaxError = "Script syntax error";
inline constexpr const char* msgExpressionExpected = "Expression expected";
inline constexpr const char* msgExpressionTooDeep = "Expression nested too deeply";
inline constexpr const char* msgRangeError = "Range error, value outwith %d .. %d";  // bare EInkMemo
inline constexpr const char* msgEqualsExpected = "'=' expected";
inline constexpr const char* msgLParenExpected = "'(' expected";
inline constexpr const char* msgRParenExpected = "')' expected";
inline constexpr const char* msgLBracketExpected = "'[' expected";
inline constexpr const char* msgRBracketExpected = "']' expected";
inline constexpr const char* msgCommaExpected = "',' expected";
inline constexpr const char* msgStringExpected = "String value expected";
inline constexpr const char* msgSingleCharSpec = "Single character specifier expected";
inline constexpr const char* msgBadFontStyle = "Bad font style specifier";

// %%language.
inline constexpr const char* msgValueNotByte = "Value must be 0..255";
inline constexpr const char* msgTooManyEditableStyles = "Too many editable styles";
inline constexpr const char* msgContextRespecified = "Token value %d re-specified in ContextState";  // bare EInkMemo

// %%words, %%kwTables, %%effects.
inline constexpr const char* msgDuplicateWord = "Duplicate entry in %%word table";
inline constexpr const char* msgWordTooLong = "Keyword longer than 255 characters";
inline constexpr const char* msgEndsWithExpected = "'endswith' expected";
inline constexpr const char* msgDuplicateEffect = "Duplicate %%effect entry";

// %%handlers, %%tokens.
inline constexpr const char* msgTooManyEndGroups = "Maximum of 4 character specifier allowed";
inline constexpr const char* msgDuplicateHandler = "Duplicate entry in %%handler table";
inline constexpr const char* msgAmbiguousStartSet = "Ambigious start set in %%token table";

// %%keys, %%templates.
inline constexpr const char* msgKeyRequired = "Key specification required";
inline constexpr const char* msgBlankKeyName = "Key function name cannot be blank";

}  // namespace ql
