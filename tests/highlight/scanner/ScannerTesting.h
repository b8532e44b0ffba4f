#pragma once
// Helpers of the scanner tests: a parser compiled from a script, texts in row stores, and the
// token values of a text written as one digit (or letter) per character.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "highlight/CustomInkMemoParser.h"
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

}  // namespace ql::test
