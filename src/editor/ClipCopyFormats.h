#pragma once
// ClipCopyFormats: the forms Copy and Cut place on the clipboard, as a set of TSM_Clipformat.
#include <cstdint>
#include <initializer_list>

namespace ql {

enum TSM_Clipformat : uint8_t { smTEXT, smRTF };

class TClipCopyFormats {
public:
  constexpr TClipCopyFormats() = default;
  constexpr TClipCopyFormats(std::initializer_list<TSM_Clipformat> members) {
    for (const TSM_Clipformat m : members) Include(m);
  }
  constexpr bool Contains(TSM_Clipformat m) const { return (bits_ >> m) & 1u; }
  constexpr void Include(TSM_Clipformat m) { bits_ = static_cast<uint8_t>(bits_ | 1u << m); }
  constexpr void Exclude(TSM_Clipformat m) { bits_ = static_cast<uint8_t>(bits_ & ~(1u << m)); }
  constexpr bool Empty() const { return bits_ == 0; }
  constexpr bool operator==(const TClipCopyFormats&) const = default;

private:
  uint8_t bits_ = 0;
};

}  // namespace ql
