#include "textmodel/FastMemoryStream.h"

#include <cstring>

namespace ql {

TFastMemoryStream::TFastMemoryStream(const std::string& text) {
  const size_t nul = text.find('\0');
  SetPointer(text.data(), static_cast<int64_t>(nul == std::string::npos ? text.size() : nul));
}

TFastMemoryStream::TFastMemoryStream(const char* text) {
  SetPointer(text, text != nullptr ? static_cast<int64_t>(std::strlen(text)) : 0);
}

}  // namespace ql
