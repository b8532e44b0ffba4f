#include "app/LineBreakStyle.h"

#include <fstream>

namespace ql {

bool FirstLineBreakStyle(std::string_view bytes, bool atEnd, TLineBreakStyle& style) {
  const size_t at = bytes.find_first_of("\r\n");
  if (at == std::string_view::npos) return false;
  if (bytes[at] == '\n') {
    style = TLineBreakStyle::LF;
    return true;
  }
  if (at + 1 == bytes.size() && !atEnd) return false;
  style = at + 1 < bytes.size() && bytes[at + 1] == '\n' ? TLineBreakStyle::CRLF : TLineBreakStyle::CR;
  return true;
}

TLineBreakStyle FileLineBreakStyle(const std::string& fileName) {
  std::ifstream in(fileName, std::ios::binary);
  std::string head;
  char block[16384];
  TLineBreakStyle style = TLineBreakStyle::LF;
  while (in) {
    in.read(block, sizeof block);
    const std::streamsize n = in.gcount();
    if (n <= 0) break;
    // Only a CR left over from the block before is kept, so the head stays small.
    head.append(block, static_cast<size_t>(n));
    if (FirstLineBreakStyle(head, false, style)) return style;
    head.erase(0, head.size() - 1);
  }
  FirstLineBreakStyle(head, true, style);
  return style;
}

}  // namespace ql
