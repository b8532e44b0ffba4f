#include "services/MacroEntry.h"

#include "textmodel/LineBreaks.h"

namespace ql {

std::string NormaliseText(const std::string& text) {
  std::string out(text.size(), '\0');
  TLineBreakNormaliser normaliser;
  const int32_t n = normaliser.NormaliseChunk(text.data(), static_cast<int32_t>(text.size()), out.data());
  out.resize(static_cast<size_t>(n));
  return out;
}

TMacroEntry::TMacroEntry(const std::string& description, const std::string& expansion)
    : description_(description.substr(0, MaxDescription)), expansion_(NormaliseText(expansion)) {}

}  // namespace ql
