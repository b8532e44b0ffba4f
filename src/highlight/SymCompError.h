#pragma once
// Compile errors of highlighting scripts and the texts the script reader reports.
#include <cstdint>
#include <string>

#include "textmodel/InkMemoErrors.h"

namespace ql {

// A script compile error. Message is the full text shown to the user,
// "** ERROR near line L, Column C: reason"; Line and Column are the 1-based numbers in it.
class ESYM_COMP_ERROR : public EInkMemo {
public:
  ESYM_COMP_ERROR(std::string message, int32_t line, int32_t column, std::string reason)
      : EInkMemo(std::move(message)), Line(line), Column(column), Reason(std::move(reason)) {}

  int32_t Line;
  int32_t Column;
  std::string Reason;  // the message without the position prefix
};

inline constexpr const char* msgCompileErrorNear = "** ERROR near line %d, Column %d: %s";

// Tokens.
inline constexpr const char* msgIdentifierUnknown = "Identifier \"%s\" Unknown";
inline constexpr const char* msgUnknownChar = "Unknown character in input stream: #$%.2x";

// Preprocessor.
inline constexpr const char* msgRecursiveMacro = "Recursive expansion of macro '%s'";
inline constexpr const char* msgMacroNameExpected = "Macro name expected";
inline constexpr const char* msgMacroNameExpectedIfdef = "Macro name expected after #ifdef";
inline constexpr const char* msgIncludeNotEnclosed = "#include filename not enclosed in \"...\" or <...>";
inline constexpr const char* msgIncludeNotTerminated = "#include filename missing terminating %s";
inline constexpr const char* msgIncludeNotFound = "Unable to open #include file %s%s%s";
inline constexpr const char* msgElseWithoutIf = "#else without matching #ifdef or #ifndef";
inline constexpr const char* msgEndifWithoutIf = "#endif without matching #ifdef or #ifndef";

// Limits that keep a hostile or mistaken script from exhausting time or memory.
inline constexpr const char* msgConditionsTooDeep = "#ifdef and #ifndef nested too deeply";
inline constexpr const char* msgExpansionTooDeep = "Macros and #include files nested too deeply";
inline constexpr const char* msgExpansionTooLarge = "Macros and #include files expand to too much text";
inline constexpr const char* msgScriptTooLarge = "Script too large";

}  // namespace ql
