// Feeds arbitrary processor output to the reader of message places and to the renaming of
// temporary copies. The first line of the input names a document (so that matches happen), the
// rest is the output. Every place must lie on a line of the text, in order, with its span inside
// that line; renaming must not loop or grow without bound.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/ProcessorMessages.h"

using namespace ql;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  const size_t newline = input.find('\n');
  const std::string name = newline == std::string::npos ? input : input.substr(0, newline);
  const std::string text = newline == std::string::npos ? std::string() : input.substr(newline + 1);
  const std::vector<std::string> documents = {"/d/" + name, "/d/other.xsl"};

  std::vector<std::string> lines(1);
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' || text[i] == '\n') {
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      lines.emplace_back();
    } else {
      lines.back() += text[i];
    }
  }
  int32_t lastRow = -1;
  for (const TMessagePlace& place : FindMessagePlaces(text, documents)) {
    if (place.Row <= lastRow || place.Row >= static_cast<int32_t>(lines.size())) std::abort();
    const std::string& line = lines[static_cast<size_t>(place.Row)];
    if (place.Start < 0 || place.Length <= 0 || static_cast<size_t>(place.Start + place.Length) != line.size()) std::abort();
    if (place.Document < 0 || place.Document > 1 || place.Line <= 0 || place.Column < 0) std::abort();
    lastRow = place.Row;
  }

  const std::vector<TCopyName> copies = {{"/d/" + name + "__~tmp.xsl", "/d/" + name + ".xsl"}};
  const std::string renamed = NameOriginals(text, copies);
  // Each copy name is longer than its original's, so renaming never makes the text longer.
  if (renamed.size() > text.size()) std::abort();
  return 0;
}
