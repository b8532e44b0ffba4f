#pragma once
// Flags of the editor's search operation and of its find and replace dialogs.
#include <cstdint>

namespace ql {

constexpr uint32_t srDirect = 0x08;     // search at once, without a dialog
constexpr uint32_t srMatchCase = 0x10;  // literal search compares case
constexpr uint32_t srRegex = 0x20;      // the text is a regular expression
constexpr uint32_t srWholeWord = 0x40;  // literal search skips occurrences inside words
constexpr uint32_t srBackward = 0x80;   // search towards the start of the text

}  // namespace ql
