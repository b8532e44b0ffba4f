#pragma once
// The line-break style of a document's file, so that saving writes the breaks the file had: a
// file with LF breaks stays LF instead of turning into CR LF (a whole-file change in version
// control). The style is the first break's; a file without breaks, and a new document, get LF.
#include <string>
#include <string_view>

namespace ql {

enum class TLineBreakStyle { LF, CRLF, CR };

// The style of the first line break in bytes; false when they hold none. A CR that ends bytes
// may be the first half of a CR LF: it counts as found only when atEnd says nothing follows.
bool FirstLineBreakStyle(std::string_view bytes, bool atEnd, TLineBreakStyle& style);
// The style of a file, read until its first line break; LF when it has none or cannot be read.
TLineBreakStyle FileLineBreakStyle(const std::string& fileName);

}  // namespace ql
