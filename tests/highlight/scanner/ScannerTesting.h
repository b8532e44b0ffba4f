#pragma once
// Helpers of the scanner tests: a parser compiled from a script, texts in row stores, and the
// token values of a text written as one digit (or letter) per character.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "highlight/CustomInkMemoParser.h"
#include "highlight/Rescan.h"
#include "highlight/SYM_ScriptCompiler.h"
#include "highlight/ScanText.h"
#include "textmodel/EdStream.h"
#include "textmodel/TextStore.h"
#include "toolkit/MemoryStream.h"

namespace ql::test {

class TScriptParser : public TCustomInkMemoParser {
public:
  explicit TScriptParser(const std::string& script) {
    TMemoryView in(script);
    CompileScript(in, "", Tables(), Settings());
    TablesChanged();
  }
  bool InDesignMode() const override { return Designing; }
  bool Designing = false;
};

inline std::filesystem::path DataDir() {
  if (const char* dir = std::getenv("QUILLON_TEST_DATA")) return dir;
  return std::filesystem::path(__FILE__).parent_path() / "../../data";
}

inline std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

// The shipped XML highlighting script, compiled.
inline const std::string& XmlScript() {
  static const std::string script = ReadFile(DataDir() / "../../resources/xml/xml.hls");
  return script;
}

inline std::unique_ptr<TTextStore> StoreOf(const std::string& text) {
  auto store = std::make_unique<TTextStore>();
  store->InsertText(0, text);
  return store;
}

// Values as text: 0-9, then a-z for 10-35, "?" above.
inline char ValueChar(uint8_t v) { return v < 10 ? char('0' + v) : v < 36 ? char('a' + v - 10) : '?'; }
inline std::string ValueText(const std::vector<uint8_t>& values) {
  std::string s;
  for (uint8_t v : values) s += ValueChar(v);
  return s;
}

// The values of the whole of text (line breaks as CR), containers resolved.
inline std::string Values(TCustomInkMemoParser& parser, const std::string& text) {
  auto store = StoreOf(text);
  return ValueText(ScanText(parser, *store));
}

// The pieces ScanToken returns for text from its start after ResetContext(context), without
// container handling: value and length of each.
inline std::vector<std::pair<int, int>> Pieces(TCustomInkMemoParser& parser, const std::string& text,
                                               uint8_t context = 0) {
  auto store = StoreOf(text);
  TEdStream stream(store.get());
  parser.ResetContext(context);
  std::vector<std::pair<int, int>> out;
  while (!stream.AtEnd()) {
    int32_t length = 0;
    const int value = parser.ScanToken(nullptr, stream, length);
    out.emplace_back(value, length);
  }
  return out;
}

inline std::string StoredText(const TTextStore& store) {
  std::string out;
  for (const TTextRow* r = store.FirstRow; r != nullptr; r = r->Next) out.append(r->All());
  return out;
}

// The values kept in the rows, "-" for each character of a row without any.
inline std::string RowValues(const TTextStore& store) {
  std::string out;
  for (const TTextRow* r = store.FirstRow; r != nullptr; r = r->Next) {
    for (int32_t i = 0; i < r->Length; ++i) out += r->Styles ? ValueChar(r->Styles[i]) : '-';
  }
  return out;
}

// Highlights text, then makes rounds of one to three random single-character edits (inserting
// a character of alphabet or deleting one), re-highlighting after each round; the values kept
// in the rows must always equal a whole-text scan of the edited text.
inline void ExpectEditsAgree(TCustomInkMemoParser& parser, const std::string& text, const std::string& alphabet,
                             int rounds, uint32_t seed = 1234) {
  auto store = StoreOf(text);
  TRescanner rescanner(*store, parser);
  rescanner.HighlightAll();
  ASSERT_EQ(RowValues(*store), ValueText(ScanText(parser, *store)));
  std::mt19937 rng(seed);
  for (int round = 0; round < rounds; ++round) {
    for (uint32_t n = 1 + rng() % 3; n > 0; --n) {
      const int32_t length = store->TextLength;
      const int32_t at = static_cast<int32_t>(rng() % static_cast<uint32_t>(length + 1));
      if (rng() % 3 == 0 && at < length) {
        store->DeleteText(at, at + 1);
        rescanner.TextChanged(at, -1);
      } else {
        const char c = alphabet[rng() % alphabet.size()];
        store->InsertText(at, &c, 1);
        rescanner.TextChanged(at, 1);
      }
    }
    rescanner.Rescan();
    auto fresh = StoreOf(StoredText(*store));
    ASSERT_EQ(RowValues(*store), ValueText(ScanText(parser, *fresh))) << "after edit round " << round;
  }
}

}  // namespace ql::test
