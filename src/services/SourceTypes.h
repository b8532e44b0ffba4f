#pragma once
// The kinds of data a paste or a drop offers, and how the receiver wants them taken: one set,
// passed by reference to OnDataDrop so that a handler can change the choice.
#include <cstdint>

namespace ql {

using TSourceTypes = uint16_t;

constexpr TSourceTypes srcFiles = 0x0001;         // a list of files
constexpr TSourceTypes srcUnicodeText = 0x0002;
constexpr TSourceTypes srcText = 0x0004;
constexpr TSourceTypes srcHTML = 0x0100;          // "HTML Format"
constexpr TSourceTypes srcClipboard = 0x0200;     // the data comes from the clipboard
constexpr TSourceTypes srcAsIs = 0x0400;          // insert as it is: no HTML extraction, file names as text
constexpr TSourceTypes srcNotifyFiles = 0x0800;
constexpr TSourceTypes srcHandled = 0x1000;       // the handler took care of the drop
constexpr TSourceTypes srcHTMLFragment = 0x2000;  // keep only the HTML fragment
constexpr TSourceTypes srcHTMLFromTag = 0x4000;   // drop everything before the first "<"

}  // namespace ql
