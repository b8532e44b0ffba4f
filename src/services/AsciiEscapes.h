#pragma once
// Writing a document's characters in an output format: the written form of every ASCII
// character is made once from the format's escape function, so that runs of characters that
// stand for themselves are copied in one go; other characters are decoded and escaped one by one.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "textmodel/DisplayColumns.h"
#include "toolkit/TextEncoding.h"

namespace ql {

class TAsciiEscapes {
public:
  using TEscape = void (*)(char32_t c, std::string& out);
  explicit TAsciiEscapes(TEscape escape) : escape_(escape) {
    for (int c = 0; c < 128; ++c) {
      std::string written;
      escape(static_cast<char32_t>(c), written);
      plain_[static_cast<size_t>(c)] = written.size() == 1 && written[0] == static_cast<char>(c);
      escaped_[static_cast<size_t>(c)] = std::move(written);
    }
  }

  // Appends the characters of text, shown in encoding, as the format writes them, the row's
  // first character standing at display column 0; column is where text starts and the result
  // where it ends. A byte that is no UTF-8 character is written as its Windows-1252 character,
  // as the clipboard's plain text carries it.
  int32_t Append(std::string_view text, int32_t column, TTextEncoding encoding, const TTabRule& tabs,
                 std::string& out) const {
    const char* p = text.data();
    const size_t n = text.size();
    for (size_t i = 0; i < n;) {
      const auto c = static_cast<uint8_t>(p[i]);
      if (plain_[c]) {
        size_t j = i + 1;
        while (j < n && plain_[static_cast<uint8_t>(p[j])]) ++j;
        out.append(p + i, j - i);
        column += static_cast<int32_t>(j - i);
        i = j;
        continue;
      }
      const TCharStep step = StepChar(text, i, column, encoding, tabs);
      if (c < 0x80) out += escaped_[c];
      else escape_(step.Kind == TCharKind::Hex && step.Bytes == 1 ? Cp1252Char(c) : step.Code, out);
      column += step.Columns;
      i += static_cast<size_t>(step.Bytes);
    }
    return column;
  }

private:
  TEscape escape_;
  std::array<bool, 256> plain_{};
  std::array<std::string, 128> escaped_;
};

// Appends a platform string (a file name, a font name, a date: UTF-8, a stray byte read as
// Windows-1252) through escape.
inline void AppendEscapedUtf8(std::string_view utf8, TAsciiEscapes::TEscape escape, std::string& out) {
  for (size_t i = 0; i < utf8.size();) {
    const int32_t len = Utf8SequenceLength(utf8.data() + i, utf8.size() - i);
    escape(len > 0 ? DecodeUtf8(utf8.data() + i, len) : Cp1252Char(static_cast<uint8_t>(utf8[i])), out);
    i += static_cast<size_t>(len > 0 ? len : 1);
  }
}

}  // namespace ql
