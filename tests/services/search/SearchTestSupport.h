#pragma once
// Texts in a row store, and searches on them, for the search tests.
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "services/REParser.h"
#include "services/RowCursor.h"
#include "services/SearchErrors.h"
#include "textmodel/TextStore.h"

namespace ql::test {

// A row store holding text (line breaks stored as CR).
inline std::unique_ptr<TTextStore> StoreOf(const std::string& text) {
  auto store = std::make_unique<TTextStore>();
  store->InsertText(0, text);
  return store;
}

// The bounds of the match of pattern in text searched from start, or nothing.
using TBounds = std::optional<std::pair<int32_t, int32_t>>;

inline TBounds Find(TREParser& re, const std::string& pattern, const std::string& text, int32_t start = 0,
                    bool forward = true) {
  if (!re.SetPattern(pattern)) throw EREParserError(re.ErrorCode, re.ErrorPos);
  auto store = StoreOf(text);
  TRowCursor cursor(*store);
  if (!re.Search(cursor, start, forward)) return std::nullopt;
  return std::make_pair(re.MatchStart(), re.MatchEnd());
}

inline TBounds Find(const std::string& pattern, const std::string& text, int32_t start = 0, bool forward = true) {
  TREParser re;
  return Find(re, pattern, text, start, forward);
}

inline TBounds At(int32_t start, int32_t end) { return std::make_pair(start, end); }
inline constexpr std::nullopt_t None = std::nullopt;

}  // namespace ql::test
