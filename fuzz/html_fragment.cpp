// Cuts arbitrary bytes as clipboard or dropped HTML. The first byte picks the request bits
// (srcHTML, srcAsIs, srcHTMLFragment, srcHTMLFromTag); what stays must be a piece of the data.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "services/HtmlFragment.h"

using namespace ql;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  TSourceTypes types = 0;
  if (data[0] & 1) types |= srcHTML;
  if (data[0] & 2) types |= srcAsIs;
  if (data[0] & 4) types |= srcHTMLFragment;
  if (data[0] & 8) types |= srcHTMLFromTag;
  if (data[0] & 16) types |= srcClipboard;
  const std::string input(reinterpret_cast<const char*>(data) + 1, size - 1);
  std::string text = input;
  CutHtmlFragment(text, types);
  if (input.find(text) == std::string::npos) std::abort();
  const bool changes = (types & srcHTML) && !(types & srcAsIs) && (types & (srcHTMLFragment | srcHTMLFromTag));
  if (!changes && text != input) std::abort();
  return 0;
}
