#include "textmodel/StringScanner.h"

#include <limits>

namespace ql {

void TStringScanner::Set(std::string s) {
  text_ = std::move(s);
  // Setting strings are short; a string beyond the 32-bit range is read up to that range.
  length_ = text_.size() > static_cast<size_t>(std::numeric_limits<int32_t>::max() - 1)
                ? std::numeric_limits<int32_t>::max() - 1
                : static_cast<int32_t>(text_.size());
  position_ = length_ > 0 ? 1 : 0;
}

}  // namespace ql
