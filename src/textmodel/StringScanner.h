#pragma once
// A cursor over a string with a 1-based position, for reading setting strings: tab-column
// lists, character-group specifications and auto-replace trigger texts.
#include <cstdint>
#include <string>

namespace ql {

class TStringScanner {
public:
  TStringScanner() = default;
  explicit TStringScanner(std::string s) { Set(std::move(s)); }

  // Keeps s; the position becomes 1, or 0 for an empty string.
  void Set(std::string s);
  const std::string& Text() const { return text_; }
  int32_t Length() const { return length_; }

  int32_t Position() const { return position_; }
  void SetPosition(int32_t p) { position_ = p; }

  // True when the string is empty or the position lies beyond its last character.
  bool AtEnd() const { return length_ == 0 || position_ > length_; }
  // The character at the position; 0 at the end (and before the first character).
  uint8_t Current() const {
    return position_ >= 1 && position_ <= length_ ? static_cast<uint8_t>(text_[static_cast<size_t>(position_ - 1)]) : 0;
  }
  // Moves one character on; the position reaches at most Length + 1.
  void Advance() {
    if (position_ <= length_) ++position_;
  }

private:
  std::string text_;
  int32_t length_ = 0;
  int32_t position_ = 0;  // 1-based; Length + 1 once every character was read
};

}  // namespace ql
