#include "services/ExpandReplacement.h"

#include <algorithm>

#include "services/REParser.h"
#include "services/ReEscapes.h"
#include "services/RowCursor.h"

namespace ql {
namespace {

// The text of step n of the match, clamped to the match; empty when the step is not there.
void AppendStep(int32_t n, const TREParser& match, TRowCursor& text, std::string& out) {
  if (n < 1 || n > 255 || n > match.StepCount()) return;
  const int32_t from = match.StepPosition(n - 1);
  const int32_t to = match.StepPosition(n);
  const int32_t start = std::max(from, match.MatchStart());
  const int32_t end = std::min(to, match.MatchEnd());
  if (from < 0 || to < 0 || start >= end) return;
  text.Append(start, end, out);
}

}  // namespace

std::string ExpandReplacement(const std::string& templ, const TREParser& match, TRowCursor& text) {
  std::string out;
  size_t i = 0;
  while (i < templ.size()) {
    const char c = templ[i++];
    if (c == '%') {
      if (i >= templ.size()) {
        out.push_back('%');
      } else if (templ[i] >= '0' && templ[i] <= '9') {
        int32_t n = 0;
        for (; i < templ.size() && templ[i] >= '0' && templ[i] <= '9'; ++i) n = std::min(n * 10 + (templ[i] - '0'), 1000);
        AppendStep(n, match, text, out);
      } else {
        out.push_back(templ[i++]);
      }
    } else if (c == '\\') {
      if (i >= templ.size()) {
        out.push_back('\\');
        break;
      }
      const TEscape e = DecodeEscape(templ, i, true);
      if (e.Status != TEscape::esOk) break;
      out.push_back(static_cast<char>(e.Value));
      i = e.Next;
    } else {
      out.push_back(c);
    }
  }
  return out;
}

}  // namespace ql
