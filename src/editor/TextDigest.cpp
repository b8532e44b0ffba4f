#include "editor/TextDigest.h"

#include <algorithm>
#include <functional>

namespace ql {

void TTextHasher::Mix(std::string_view slice) {
  hash_ = (hash_ ^ std::hash<std::string_view>{}(slice)) * 0x9E3779B97F4A7C15ull;
  hash_ ^= hash_ >> 29;
}

void TTextHasher::Add(std::string_view bytes) {
  length_ += static_cast<int64_t>(bytes.size());
  while (!bytes.empty()) {
    if (pending_.empty() && bytes.size() >= kSlice) {
      Mix(bytes.substr(0, kSlice));
      bytes.remove_prefix(kSlice);
      continue;
    }
    const size_t n = std::min(kSlice - pending_.size(), bytes.size());
    pending_.append(bytes.substr(0, n));
    bytes.remove_prefix(n);
    if (pending_.size() == kSlice) {
      Mix(pending_);
      pending_.clear();
    }
  }
}

TTextDigest TTextHasher::Digest() {
  if (!pending_.empty()) Mix(pending_);
  pending_.clear();
  return {length_, hash_ ^ static_cast<uint64_t>(length_)};
}

TTextDigest DigestOf(std::string_view bytes) {
  TTextHasher hasher;
  hasher.Add(bytes);
  return hasher.Digest();
}

}  // namespace ql
