#pragma once
// Whole numbers typed by the user: an optional sign and decimal digits, blanks around them
// allowed; nothing else, and nothing outside the 32-bit range.
#include <cstdint>
#include <optional>
#include <string_view>

namespace ql {

std::optional<int32_t> TryStrToInt(std::string_view text);
// Raises EConvertError "'text' is not a valid integer value".
int32_t StrToInt(std::string_view text);

}  // namespace ql
