// Reads arbitrary bytes as the parser's stored data. The first byte picks what they are:
//   0: an inner stream at version 51, 1: at version 50, 2: a whole stored form,
//   3: a display settings text, 4: the four registry values (split at the first two 0xFF bytes).
// Whatever was read must run: a short text is scanned with the tables (a failing read must have
// left them empty), and a definition that was read must write out a form that reads back to
// the same bytes. A failure must be one of the program's exceptions, never a crash.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "highlight/HarlixText.h"
#include "highlight/InkMemoParser.h"
#include "highlight/ParserRegistry.h"
#include "highlight/ParserStoredForm.h"
#include "highlight/ScanText.h"
#include "textmodel/TextStore.h"
#include "toolkit/MemoryRegistry.h"
#include "toolkit/MemoryStream.h"

using namespace ql;

namespace {

const char kText[] = "<?xml version=\"1.0\"?>\r<a b='c'>&amp; x < y<!-- z -->\r\"q\" 12.5e3 id_9 a@b.c -- > /* */";

std::string Inner(TInkMemoParser& p) {
  TMemoryStream s;
  WriteParserInner(s, p.Tables(), p.Settings(), ParserStreamVersion);
  return s.Bytes();
}

void Scan(TInkMemoParser& parser) {
  parser.OnCustomParse = [](TCustomInkMemoParser&, int32_t id, TEdStream&, int32_t&, int32_t& value) {
    value = id & 0xFF;
    return false;
  };
  TTextStore store;
  store.InsertText(0, kText);
  try {
    ScanText(parser, store);
  } catch (const Exception&) {
    // "Stack underflow" and "Stack overflow" end a scan run.
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const uint8_t mode = data[0] % 5;
  const std::string bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
  TInkMemoParser parser;
  parser.Name = "Fuzz";
  parser.OnParserVersionError = [](TInkMemoParser&, uint16_t, uint16_t) {};

  bool read = false;
  try {
    if (mode <= 1) {
      TMemoryView in(bytes);
      ReadParserInner(in, parser.Tables(), parser.Settings(), mode == 0 ? 51 : 50);
      parser.TablesChanged();
    } else if (mode == 2) {
      parser.LoadFromBytes(bytes);
    } else if (mode == 3) {
      ApplyDisplaySettingsText(parser.Settings(), bytes);
    } else {
      TMemoryRegistry registry;
      registry.OpenKey("K", true);
      const size_t first = bytes.find('\xFF');
      const size_t second = first == std::string::npos ? first : bytes.find('\xFF', first + 1);
      registry.WriteString("Highlighting - <Custom language>", bytes.substr(0, first));
      if (first != std::string::npos) registry.WriteBinaryData("Key Assignments - <Custom language>", bytes.substr(first + 1, second - first - 1));
      if (second != std::string::npos) registry.WriteBinaryData("Code Templates - <Custom language>", bytes.substr(second + 1));
      registry.CloseKey();
      LoadSettingsFromRegistry(registry, "K", parser.Settings());
    }
    read = true;
  } catch (const Exception&) {
    if (mode <= 2 && (!parser.Tables().Keywords.Words().empty() || parser.Tables().Groups.Count() != 1)) abort();
  }
  Scan(parser);

  if (read && mode <= 2) {
    const std::string once = Inner(parser);
    TInkMemoParser again;
    TMemoryView in(once);
    ReadParserInner(in, again.Tables(), again.Settings(), ParserStreamVersion);
    if (Inner(again) != once) abort();
  }
  return 0;
}
