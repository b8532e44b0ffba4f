// Feeds arbitrary bytes to the character-group parser and to the keyword-table
// stream reader. Every group text must consume at least one character; a table that loads
// must store the same bytes after a reload, and must match over text without trouble.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "services/CharGroupParser.h"
#include "services/SyntaxKeywords.h"
#include "textmodel/EdStream.h"
#include "textmodel/TextStore.h"
#include "toolkit/MemoryStream.h"
#include "toolkit/StreamCopy.h"

using namespace ql;

namespace {

void ParseSpecifications(const std::string& text) {
  int32_t pos = 1;
  while (pos <= static_cast<int32_t>(text.size())) {
    const int32_t before = pos;
    try {
      ParseCharGroup(text, pos);
    } catch (const Exception&) {
      return;
    }
    if (pos <= before) std::abort();  // no progress: a caller would loop forever
  }
}

void MatchEverywhere(TSyntaxKeywords& kw, const std::string& text) {
  TTextStore store;
  store.InsertText(0, text);
  TEdStream s(&store);
  const int32_t n = store.TextLength;
  for (int32_t at = 0; at <= n; ++at) {
    for (bool caseSensitive : {false, true}) {
      s.StartAt(at);
      int32_t length = 0;
      const TKeywordEntry* e = kw.Match(s, caseSensitive, length);
      if (length < 1 || s.CharPos() > n) std::abort();
      if (e != nullptr && s.CharPos() != at + length) std::abort();
      s.StartAt(at);
      e = kw.MatchBackward(s, caseSensitive, length);
      if (length < 1 || s.CharPos() < 0) std::abort();
      if (e != nullptr && s.CharPos() != at - length + 1) std::abort();
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  ParseSpecifications(bytes);

  TSyntaxKeywords kw;
  TMemoryStream in(bytes);
  try {
    kw.LoadFromStream(in);
  } catch (const EStreamError&) {
    return 0;
  }
  const std::string once = StreamBytes(kw);
  TSyntaxKeywords again;
  TMemoryStream back(once);
  again.LoadFromStream(back);
  if (StreamBytes(again) != once) std::abort();

  // Match over the bytes that follow the table, in every state of the first byte's choosing.
  const std::string text = bytes.substr(static_cast<size_t>(in.Position()), 64);
  kw.ActiveStates = text.empty() ? TByteSet{0} : TByteSet{static_cast<uint8_t>(text[0]), 0};
  MatchEverywhere(kw, text);
  return 0;
}
