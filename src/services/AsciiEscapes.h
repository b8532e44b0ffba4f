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

  // Appends the characters of text, shown in encoding, as the format writes them; returns how
  // many characters text holds.
  int32_t Append(std::string_view text, TTextEncoding encoding, std::string& out) const {
    const char* p = text.data();
    const size_t n = text.size();
    int32_t characters = 0;
    for (size_t i = 0; i < n; ++characters) {
      const auto c = static_cast<uint8_t>(p[i]);
      if (plain_[c]) {
        size_t j = i + 1;
        while (j < n && plain_[static_cast<uint8_t>(p[j])]) ++j;
        out.append(p + i, j - i);
        characters += static_cast<int32_t>(j - i) - 1;
        i = j;
      } else if (c < 0x80) {
        out += escaped_[c];
        ++i;
      } else {
        const TDecodedChar d = DecodeChar(encoding, text.substr(i));
        escape_(d.Code, out);
        i += static_cast<size_t>(d.Length);
      }
    }
    return characters;
  }

private:
  TEscape escape_;
  std::array<bool, 256> plain_{};
  std::array<std::string, 128> escaped_;
};

}  // namespace ql
