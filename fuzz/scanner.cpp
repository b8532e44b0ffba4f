// Scans text with a highlighting script, both taken from the input (script, a NUL byte, text):
// the script is compiled, the text scanned whole and highlighted into rows, then edited and
// re-highlighted. A compile error or "Stack underflow"/"Stack overflow" is an ordinary end;
// a crash, a sanitizer report, any other exception or a hang is a fault. `match` rules get an
// event that consumes, refuses or even steps back, by id.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "highlight/CustomInkMemoParser.h"
#include "highlight/Rescan.h"
#include "highlight/SYM_ScriptCompiler.h"
#include "highlight/ScanText.h"
#include "textmodel/EdStream.h"
#include "textmodel/TextStore.h"
#include "toolkit/MemoryStream.h"

namespace {

class TFuzzParser : public ql::TCustomInkMemoParser {};

bool Event(ql::TCustomInkMemoParser&, int32_t id, ql::TEdStream& s, int32_t& length, int32_t& value) {
  switch (id & 3) {
    case 0: return false;
    case 1:
      for (int i = 0; i < (id >> 2) % 5 && !s.AtEnd(); ++i) s.NextChar();
      value = id >> 4;
      length += 1;
      return true;
    case 2: return !s.AtEnd() && s.PeekChar() == 'm' && (s.NextChar(), true);
    default:
      s.PrevChar();  // an event that misbehaves
      return true;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const char* bytes = reinterpret_cast<const char*>(data);
  const void* nul = std::memchr(bytes, 0, size);
  if (nul == nullptr) return 0;
  const size_t split = static_cast<size_t>(static_cast<const char*>(nul) - bytes);
  const std::string script(bytes, split);
  std::string text(bytes + split + 1, size - split - 1);
  if (script.size() > 8192 || text.size() > 4096) return 0;

  TFuzzParser parser;
  try {
    ql::TMemoryView in(script);
    ql::CompileScript(in, "/nonexistent-include-folder", parser.Tables(), parser.Settings());
  } catch (const ql::Exception&) {
    return 0;
  }
  parser.TablesChanged();
  parser.OnCustomParse = Event;

  ql::TTextStore store;
  store.InsertText(0, text);
  try {
    (void)ql::ScanText(parser, store);
  } catch (const ql::EInkMemo&) {
  }
  try {
    ql::TRescanner rescanner(store, parser);
    rescanner.HighlightAll();
    // A few edits taken from the text itself.
    for (size_t i = 0; i + 1 < text.size() && i < 24; i += 2) {
      const int32_t at = static_cast<int32_t>(static_cast<uint8_t>(text[i]) * 17 % (store.TextLength + 1));
      if (text[i + 1] & 1) {
        store.DeleteText(at, at + 1);
        rescanner.TextChanged(at, -1);
      } else {
        store.InsertText(at, &text[i + 1], 1);
        rescanner.TextChanged(at, 1);
      }
      rescanner.Rescan();
    }
  } catch (const ql::EInkMemo&) {
  }
  return 0;
}
