// Writes arbitrary text with arbitrary token values as HTML and RTF. The first byte picks the
// encoding and a style layout; the rest is split into the text and one value per stored
// character. The HTML must close every element it opens, innermost first.
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "services/ExportInput.h"
#include "services/HtmlExport.h"
#include "services/RtfExport.h"
#include "services/SM_Settings.h"
#include "textmodel/TextStore.h"
#include "toolkit/MemoryStream.h"

using namespace ql;

namespace {

void CheckNesting(const std::string& html) {
  std::vector<std::string> open;
  for (size_t i = html.find('<'); i != std::string::npos; i = html.find('<', i + 1)) {
    const size_t close = html.find('>', i);
    if (close == std::string::npos) std::abort();
    std::string tag = html.substr(i + 1, close - i - 1);
    if (tag[0] == '/') {
      if (open.empty() || "/" + open.back() != tag) std::abort();
      open.pop_back();
    } else {
      tag = tag.substr(0, tag.find(' '));
      if (tag != "META") open.push_back(tag);
    }
  }
  if (!open.empty()) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const uint8_t mode = data[0];
  const size_t half = (size - 1) / 2;
  const std::string text(reinterpret_cast<const char*>(data) + 1, half);
  const uint8_t* values = data + 1 + half;
  const size_t valueCount = size - 1 - half;

  static TSM_Settings& settings = *new TSM_Settings;  // made once: making one is slow
  for (int n = 1; n < 256; ++n) {
    settings.SetStyle(static_cast<uint8_t>(n), TStyleEffect{});
    settings.SetMap(static_cast<uint8_t>(n), 0);
  }
  for (int n = 1; n < 8; ++n) {
    const auto style = static_cast<uint8_t>(n * (mode >> 4 | 1));
    settings.SetStyle(style, TStyleEffect{static_cast<uint8_t>(n), RGB(static_cast<uint8_t>(n * 40), 0, 0),
                                          (mode & 2) ? clWindow : clWhite, (mode & 4) != 0, false, false, 1});
    settings.SetMap(static_cast<uint8_t>(n), style);
  }
  TTextStore store;
  store.InsertText(0, text);
  size_t at = 0;
  for (TTextRow* row = store.FirstRow; row != nullptr; row = row->Next) {
    if (valueCount == 0 || values[at % valueCount] == 0xFF) continue;  // a row without Styles
    row->Styles = std::make_unique<uint8_t[]>(row->Length);
    for (int i = 0; i < row->Length; ++i) row->Styles[i] = values[(at + static_cast<size_t>(i)) % valueCount] & 7;
    at += row->Length;
  }
  TExportInput input = WholeTextExport(store, settings);
  input.Encoding = (mode & 1) ? TTextEncoding::Cp1252 : TTextEncoding::Utf8;
  if (mode & 8) {
    input.Start = store.TextLength / 3;
    input.End = store.TextLength - store.TextLength / 4;
  }
  TMemoryStream html;
  ExportHTML(input, html);
  CheckNesting(html.Bytes());
  TMemoryStream rtf;
  ExportRTF(input, rtf);
  return 0;
}
