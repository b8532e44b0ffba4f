#include "toolkit/TextEncoding.h"

#include <algorithm>
#include <cctype>
#include <string>

#include "toolkit/Cp1252.h"

namespace ql {

int32_t Utf8SequenceLength(std::string_view bytes) {
  const auto b0 = static_cast<uint8_t>(bytes[0]);
  if (b0 < 0x80) return 1;
  int32_t length = 0;
  uint8_t low = 0x80, high = 0xBF;  // range of the second byte
  if (b0 >= 0xC2 && b0 <= 0xDF) length = 2;
  else if (b0 >= 0xE0 && b0 <= 0xEF) {
    length = 3;
    if (b0 == 0xE0) low = 0xA0;   // no overlong forms
    if (b0 == 0xED) high = 0x9F;  // no surrogates
  } else if (b0 >= 0xF0 && b0 <= 0xF4) {
    length = 4;
    if (b0 == 0xF0) low = 0x90;
    if (b0 == 0xF4) high = 0x8F;  // nothing above U+10FFFF
  } else {
    return 0;
  }
  if (bytes.size() < static_cast<size_t>(length)) return 0;
  const auto b1 = static_cast<uint8_t>(bytes[1]);
  if (b1 < low || b1 > high) return 0;
  for (int32_t i = 2; i < length; ++i) {
    if ((static_cast<uint8_t>(bytes[static_cast<size_t>(i)]) & 0xC0) != 0x80) return 0;
  }
  return length;
}

TDecodedChar DecodeChar(TTextEncoding encoding, std::string_view bytes) {
  const auto b0 = static_cast<uint8_t>(bytes[0]);
  if (encoding == TTextEncoding::Cp1252) return {Cp1252ToUnicode(b0), 1, true};
  const int32_t length = Utf8SequenceLength(bytes);
  switch (length) {
    case 0: return {U'\uFFFD', 1, false};
    case 1: return {b0, 1, true};
    default: break;
  }
  char32_t code = b0 & (0x7F >> length);
  for (int32_t i = 1; i < length; ++i) code = code << 6 | (static_cast<uint8_t>(bytes[static_cast<size_t>(i)]) & 0x3F);
  return {code, length, true};
}

namespace {

bool IsValidUtf8(std::string_view bytes) {
  while (!bytes.empty()) {
    // Plain ASCII in blocks of eight, the common case.
    while (bytes.size() >= 8) {
      uint64_t block = 0;
      for (int i = 0; i < 8; ++i) block |= static_cast<uint64_t>(static_cast<uint8_t>(bytes[static_cast<size_t>(i)])) << (8 * i);
      if (block & 0x8080808080808080ull) break;
      bytes.remove_prefix(8);
    }
    if (bytes.empty()) break;
    const int32_t length = Utf8SequenceLength(bytes);
    if (length == 0) return false;
    bytes.remove_prefix(static_cast<size_t>(length));
  }
  return true;
}

// The encoding named by an XML declaration at the start of bytes, lower case; empty when none.
std::string DeclaredEncoding(std::string_view bytes) {
  if (bytes.substr(0, 5) != "<?xml") return {};
  const size_t end = bytes.find("?>");
  const std::string_view declaration = bytes.substr(0, end);
  const size_t key = declaration.find("encoding");
  if (key == std::string_view::npos) return {};
  size_t p = declaration.find_first_of("\"'", key);
  if (p == std::string_view::npos) return {};
  const char quote = declaration[p++];
  const size_t close = declaration.find(quote, p);
  if (close == std::string_view::npos) return {};
  std::string name(declaration.substr(p, close - p));
  std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::tolower(c); });
  return name;
}

}  // namespace

TTextEncoding DetectTextEncoding(std::string_view bytes) {
  const std::string declared = DeclaredEncoding(bytes);
  if (declared == "windows-1252" || declared == "iso-8859-1") return TTextEncoding::Cp1252;
  return IsValidUtf8(bytes) ? TTextEncoding::Utf8 : TTextEncoding::Cp1252;
}

}  // namespace ql
