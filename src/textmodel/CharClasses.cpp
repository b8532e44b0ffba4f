#include "textmodel/CharClasses.h"

namespace ql {

std::string LowerText(std::string text) {
  for (char& c : text) c = static_cast<char>(LowerChar(static_cast<uint8_t>(c)));
  return text;
}

}  // namespace ql
