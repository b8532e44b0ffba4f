#pragma once
// The length and checksum of a text, for a text the undo history does not keep because the
// document holds it: the history checks the document's bytes against it before it takes them
// back. The checksum does not depend on how the text is cut into pieces when it is added.
#include <cstdint>
#include <string>
#include <string_view>

namespace ql {

struct TTextDigest {
  int64_t Length = 0;
  uint64_t Hash = 0;
  bool operator==(const TTextDigest&) const = default;
};

// Adds a text up piece by piece.
class TTextHasher {
public:
  void Add(std::string_view bytes);
  TTextDigest Digest();

private:
  static constexpr size_t kSlice = 65536;  // the text is checksummed in slices of this many bytes
  void Mix(std::string_view slice);

  std::string pending_;  // the start of a slice not yet complete
  int64_t length_ = 0;
  uint64_t hash_ = 0;
};

TTextDigest DigestOf(std::string_view bytes);

}  // namespace ql
