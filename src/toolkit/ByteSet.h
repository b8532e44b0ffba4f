#pragma once
// A set of byte values 0..255, stored as 32 bytes: bit i of byte i/8 stands for value i.
// This is also its stored form.
#include <array>
#include <cstdint>

namespace ql {

class TByteSet {
public:
  constexpr TByteSet() = default;
  constexpr TByteSet(std::initializer_list<uint8_t> values) {
    for (uint8_t v : values) Include(v);
  }
  static constexpr TByteSet Range(uint8_t first, uint8_t last) {
    TByteSet s;
    for (int v = first; v <= last; ++v) s.Include(static_cast<uint8_t>(v));
    return s;
  }
  static constexpr TByteSet All() { return Range(0, 255); }

  constexpr bool Contains(uint8_t v) const { return (bits_[v >> 3] >> (v & 7)) & 1; }
  constexpr void Include(uint8_t v) { bits_[v >> 3] = static_cast<uint8_t>(bits_[v >> 3] | (1u << (v & 7))); }
  constexpr void Exclude(uint8_t v) { bits_[v >> 3] = static_cast<uint8_t>(bits_[v >> 3] & ~(1u << (v & 7))); }
  constexpr bool Empty() const {
    for (uint8_t b : bits_)
      if (b) return false;
    return true;
  }
  constexpr int Count() const {
    int n = 0;
    for (int v = 0; v < 256; ++v) n += Contains(static_cast<uint8_t>(v));
    return n;
  }
  constexpr void Clear() { bits_ = {}; }

  constexpr TByteSet operator|(const TByteSet& o) const {
    TByteSet r;
    for (int i = 0; i < 32; ++i) r.bits_[i] = static_cast<uint8_t>(bits_[i] | o.bits_[i]);
    return r;
  }
  constexpr TByteSet operator&(const TByteSet& o) const {
    TByteSet r;
    for (int i = 0; i < 32; ++i) r.bits_[i] = static_cast<uint8_t>(bits_[i] & o.bits_[i]);
    return r;
  }
  constexpr TByteSet operator-(const TByteSet& o) const {
    TByteSet r;
    for (int i = 0; i < 32; ++i) r.bits_[i] = static_cast<uint8_t>(bits_[i] & ~o.bits_[i]);
    return r;
  }
  constexpr TByteSet operator~() const {
    TByteSet r;
    for (int i = 0; i < 32; ++i) r.bits_[i] = static_cast<uint8_t>(~bits_[i]);
    return r;
  }
  constexpr TByteSet& operator|=(const TByteSet& o) { return *this = *this | o; }
  constexpr TByteSet& operator&=(const TByteSet& o) { return *this = *this & o; }
  constexpr TByteSet& operator-=(const TByteSet& o) { return *this = *this - o; }
  constexpr bool operator==(const TByteSet&) const = default;

  // The 32 stored bytes.
  const std::array<uint8_t, 32>& Bytes() const { return bits_; }
  std::array<uint8_t, 32>& Bytes() { return bits_; }

private:
  std::array<uint8_t, 32> bits_{};
};

}  // namespace ql
