#include "highlight/ScriptText.h"

#include "toolkit/Stream.h"

namespace ql {

bool ReadScriptText(TStream& stream, int64_t limit, std::string& text) {
  text.clear();
  char buffer[65536];
  for (;;) {
    const int32_t n = stream.Read(buffer, static_cast<int32_t>(sizeof buffer));
    if (n <= 0) break;
    if (static_cast<int64_t>(text.size()) + n > limit) return false;
    text.append(buffer, static_cast<size_t>(n));
  }
  NormalizeScriptLineBreaks(text);
  return true;
}

void NormalizeScriptLineBreaks(std::string& text) {
  bool afterCR = false;  // the original character before this one was a CR
  for (char& c : text) {
    const bool isCR = c == '\r';
    if (c == '\n' && !afterCR) c = '\r';
    afterCR = isCR;
  }
}

std::string JoinIncludePath(const std::string& dir, const std::string& name) {
  if (dir.empty()) return name;
  if (dir.back() == '/') return dir + name;
  return dir + "/" + name;
}

}  // namespace ql
