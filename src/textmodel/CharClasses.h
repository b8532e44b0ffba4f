#pragma once
// The character classes of word commands, word selection, auto-replace and templates, with
// the hooks through which a program replaces them, and the lower-casing used by every
// case-insensitive comparison (search, keyword tables).
#include <cstdint>
#include <functional>
#include <string>

namespace ql {

// A replacement character test: c, returning whether it belongs to the class.
using TCharTest = std::function<bool(uint8_t c)>;

// A to Z, a to z and "_".
constexpr bool DefaultCharStartsWord(uint8_t c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}
// "'", "-", 0 to 9, A to Z, "_" and a to z.
constexpr bool DefaultCharIsInWord(uint8_t c) {
  return DefaultCharStartsWord(c) || (c >= '0' && c <= '9') || c == '\'' || c == '-';
}

// Maps A to Z to a to z; every other character, 128 to 255 included, stays as it is.
constexpr uint8_t LowerChar(uint8_t c) { return c >= 'A' && c <= 'Z' ? static_cast<uint8_t>(c + ('a' - 'A')) : c; }
std::string LowerText(std::string text);

// The two tests as an editor control owns them: the defaults above unless a hook is assigned.
class TCharClasses {
public:
  bool CharStartsWord(uint8_t c) const { return fn_CharStartsWord ? fn_CharStartsWord(c) : DefaultCharStartsWord(c); }
  bool CharIsInWord(uint8_t c) const { return fn_CharIsInWord ? fn_CharIsInWord(c) : DefaultCharIsInWord(c); }

  TCharTest fn_CharStartsWord;
  TCharTest fn_CharIsInWord;
};

}  // namespace ql
