#include "services/PlainSearch.h"

#include "services/RowCursor.h"
#include "textmodel/CharClasses.h"

namespace ql {

const TLiteral& TSearchTables::For(const std::string& text, bool caseSensitive) {
  if (!prepared_ || literal_.Text() != text || literal_.CaseSensitive() != caseSensitive) {
    literal_.Prepare(text, caseSensitive);
    prepared_ = true;
  }
  return literal_;
}

std::optional<int32_t> PlainSearch(TRowCursor& text, const TCharClasses& classes, TSearchTables& tables,
                                   int32_t start, const std::string& pattern, bool caseSensitive, bool wholeWord,
                                   bool backward) {
  if (pattern.empty()) return std::nullopt;
  const TLiteral& literal = tables.For(pattern, caseSensitive);
  const int32_t n = literal.Length();
  auto isWordChar = [&](int32_t pos) {
    if (pos < 0 || pos >= text.TextLength()) return false;
    const uint8_t c = text.At(pos);
    return classes.CharIsInWord(c) || classes.CharStartsWord(c);
  };
  TLiteralScan scan(literal, text);
  scan.Start(start, !backward);
  for (int32_t found; (found = scan.Next()) >= 0;) {
    if (!wholeWord || (!isWordChar(found - 1) && !isWordChar(found + n))) return found;
  }
  return std::nullopt;
}

}  // namespace ql
