#include <gtest/gtest.h>

#include <string>

#include "toolkit/TextEncoding.h"

namespace ql {
namespace {

TEST(TextEncoding, DecodesWellFormedUtf8Only) {
  struct Case {
    std::string bytes;
    char32_t code;
    int32_t length;
  } cases[] = {
      {"a", U'a', 1},
      {"\xC3\xA9", 0xE9, 2},
      {"\xE2\x82\xAC", 0x20AC, 3},
      {"\xF0\x9F\x98\x80", 0x1F600, 4},
      {"\xF4\x8F\xBF\xBF", 0x10FFFF, 4},
      // Not characters: each first byte stands alone.
      {"\xC0\xAF", 0xFFFD, 1},          // overlong
      {"\xE0\x80\xAF", 0xFFFD, 1},      // overlong
      {"\xED\xA0\x80", 0xFFFD, 1},      // surrogate
      {"\xF4\x90\x80\x80", 0xFFFD, 1},  // above U+10FFFF
      {"\xE2\x82", 0xFFFD, 1},          // cut short
      {"\x80", 0xFFFD, 1},
      {"\xFF", 0xFFFD, 1},
  };
  for (const Case& c : cases) {
    const TDecodedChar d = DecodeChar(TTextEncoding::Utf8, c.bytes);
    EXPECT_EQ(d.Code, c.code) << c.bytes;
    EXPECT_EQ(d.Length, c.length) << c.bytes;
    EXPECT_EQ(d.Valid, c.code != 0xFFFD) << c.bytes;
  }
  // Windows-1252: one byte, one character.
  const TDecodedChar euro = DecodeChar(TTextEncoding::Cp1252, "\x80\x81");
  EXPECT_EQ(euro.Code, 0x20AC);
  EXPECT_EQ(euro.Length, 1);
}

TEST(TextEncoding, DetectsTheEncodingOfAFile) {
  struct Case {
    std::string bytes;
    TTextEncoding encoding;
  } cases[] = {
      {"", TTextEncoding::Utf8},
      {"plain ascii text, long enough to take the eight-byte path", TTextEncoding::Utf8},
      {"caf\xC3\xA9 and more ascii after it", TTextEncoding::Utf8},
      {"caf\xE9", TTextEncoding::Cp1252},
      {"<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><a>caf\xC3\xA9</a>", TTextEncoding::Cp1252},
      {"<?xml version='1.0' encoding='windows-1252'?><a/>", TTextEncoding::Cp1252},
      {"<?xml version=\"1.0\" encoding=\"UTF-8\"?><a>caf\xE9</a>", TTextEncoding::Cp1252},
      {"<?xml version=\"1.0\" encoding=\"utf-8\"?><a/>", TTextEncoding::Utf8},
  };
  for (const Case& c : cases) EXPECT_EQ(DetectTextEncoding(c.bytes), c.encoding) << c.bytes;
}

}  // namespace
}  // namespace ql
