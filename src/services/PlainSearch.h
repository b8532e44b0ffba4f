#pragma once
// Literal search of an editor's text: the nearest occurrence of a text from a position, in
// either direction, with or without case, optionally as a whole word only.
#include <cstdint>
#include <optional>
#include <string>

#include "services/LiteralScan.h"

namespace ql {

class TCharClasses;
class TRowCursor;

// The literal of the last plain search, prepared once, so that repeating a search with the
// same text and case does not prepare it again.
class TSearchTables {
public:
  const TLiteral& For(const std::string& text, bool caseSensitive);

private:
  TLiteral literal_;
  bool prepared_ = false;
};

// Forward: the first occurrence starting at start or after it; backward: the last one starting
// at start or before it. Without case, A to Z and a to z are compared alike. With wholeWord, an
// occurrence preceded or followed by a word character (CharIsInWord or CharStartsWord of
// classes) is passed over. Nothing for an empty text or pattern.
std::optional<int32_t> PlainSearch(TRowCursor& text, const TCharClasses& classes, TSearchTables& tables,
                                   int32_t start, const std::string& pattern, bool caseSensitive, bool wholeWord,
                                   bool backward);

}  // namespace ql
