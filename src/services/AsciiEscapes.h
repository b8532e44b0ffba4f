#pragma once
// The written form of every ASCII character in an output format, made once from the format's
// escape function, so that writers copy runs of characters that stand for themselves in one go.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>

namespace ql {

class TAsciiEscapes {
public:
  using TEscape = void (*)(char32_t c, std::string& out);
  explicit TAsciiEscapes(TEscape escape) {
    for (int c = 0; c < 128; ++c) {
      std::string written;
      escape(static_cast<char32_t>(c), written);
      plain_[static_cast<size_t>(c)] = written.size() == 1 && written[0] == static_cast<char>(c);
      escaped_[static_cast<size_t>(c)] = std::move(written);
    }
  }

  // Whether byte c is written as itself (never for bytes from 128 on).
  bool Plain(uint8_t c) const { return plain_[c]; }
  // What ASCII character c (below 128) is written as.
  const std::string& Escaped(uint8_t c) const { return escaped_[c]; }
  // The end of the run of bytes written as themselves that starts at from.
  size_t PlainEnd(const char* p, size_t from, size_t n) const {
    while (from < n && plain_[static_cast<uint8_t>(p[from])]) ++from;
    return from;
  }

private:
  std::array<bool, 256> plain_{};
  std::array<std::string, 128> escaped_;
};

}  // namespace ql
