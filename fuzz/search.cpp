// Compiles a search pattern taken from the input (pattern, a NUL byte, a replacement template,
// a NUL byte, text) and searches the text with it from a few places, forwards and backwards,
// with and without empty matches, under a small step budget; each match is checked (inside the text, steps in order, bounds
// agreeing) and expanded with the template. The pattern is also searched for literally and
// checked against a plain comparison at every position. A pattern error, "Expression too
// complex" or "Out of memory" is an ordinary end; a crash, a sanitizer report, any other
// exception or a hang is a fault.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>

#include "services/ExpandReplacement.h"
#include "services/PlainSearch.h"
#include "services/REParser.h"
#include "services/RowCursor.h"
#include "services/SearchErrors.h"
#include "textmodel/CharClasses.h"
#include "textmodel/TextStore.h"
#include "toolkit/StringTable.h"

using namespace ql;

namespace {

std::string Piece(const std::string& bytes, size_t& at) {
  const size_t end = bytes.find('\0', at);
  std::string piece = bytes.substr(at, end == std::string::npos ? std::string::npos : end - at);
  at = end == std::string::npos ? bytes.size() : end + 1;
  return piece;
}

void CheckMatch(TREParser& re, TRowCursor& text, const std::string& templ, int32_t from, bool forward) {
  const int32_t length = text.TextLength();
  const int32_t start = re.MatchStart();
  const int32_t end = re.MatchEnd();
  if (start < 0 || start > end || end > length) std::abort();
  if (forward && start < from) std::abort();
  int32_t previous = start;
  for (int32_t i = 0; i < std::min(re.StepCount(), 255); ++i) {
    const int32_t p = re.StepPosition(i);
    if (p < previous || p > end) std::abort();
    previous = p;
  }
  const std::string replacement = ExpandReplacement(templ, re, text);
  if (replacement.size() > templ.size() * static_cast<size_t>(end - start + 1) + templ.size()) std::abort();
}

void SearchLiterally(TRowCursor& text, const std::string& stored, const std::string& pattern) {
  TCharClasses classes;
  TSearchTables tables;
  const int32_t n = static_cast<int32_t>(pattern.size());
  for (bool backward : {false, true}) {
    const int32_t from = backward ? text.TextLength() : 0;
    const std::optional<int32_t> found = PlainSearch(text, classes, tables, from, pattern, true, false, backward);
    std::optional<int32_t> expected;
    for (int32_t p = 0; p + n <= text.TextLength() && n > 0; ++p) {
      if (stored.compare(static_cast<size_t>(p), static_cast<size_t>(n), pattern) == 0) {
        expected = p;
        if (!backward) break;
      }
    }
    if (found != expected) std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  size_t at = 0;
  const std::string pattern = Piece(bytes, at);
  const std::string templ = Piece(bytes, at);
  const std::string input = bytes.substr(at);

  TTextStore store;
  store.InsertText(0, input);
  const std::string stored = store.GetRange(0, store.TextLength);
  TRowCursor text(store);

  TREParser re;
  re.PerSearchBudget = 200'000;
  re.PerCharacterBudget = 16;
  re.PerAttemptBudget = 100'000;
  re.MaxChoices = 20'000;
  if (re.SetPattern(pattern)) {
    if (re.ErrorCode != sReNoErrors) std::abort();
    const int32_t length = store.TextLength;
    for (int32_t from : {0, length / 2, length}) {
      for (int mode = 0; mode < 4; ++mode) {
        const bool forward = mode & 1, allowEmpty = mode & 2;
        try {
          if (re.Search(text, from, forward, allowEmpty)) {
            CheckMatch(re, text, templ, from, forward);
            if (!allowEmpty && re.MatchEnd() == re.MatchStart()) std::abort();
          }
        } catch (const EREParserError& e) {
          if (e.Code != sReTooComplex && e.Code != sReOutOfMemory) std::abort();
        }
      }
    }
  } else if (re.ErrorCode == sReNoErrors || re.ErrorPos < 0 || re.ErrorPos > static_cast<int32_t>(pattern.size()) + 1) {
    std::abort();
  }
  SearchLiterally(text, stored, pattern.substr(0, 24));
  return 0;
}
