#include "highlight/KhCoder.h"

#include <algorithm>
#include <cstring>

namespace ql {
namespace {

constexpr int32_t kMinRun = 16;
constexpr int32_t kMaxRun = 4095;
constexpr int32_t kMinCopy = 3;
constexpr int32_t kMaxCopy = 18;
constexpr int32_t kMaxOffset = 4095;
constexpr int32_t kItemsPerGroup = 16;

inline uint32_t Hash(const uint8_t* p) {
  const uint32_t key = ((static_cast<uint32_t>(p[0]) << 4 ^ p[1]) << 4) ^ p[2];
  return ((key * 40543u) >> 4) & 0xFFF;
}

inline void PutBigEndian16(uint8_t* p, uint32_t v) {
  p[0] = static_cast<uint8_t>(v >> 8);
  p[1] = static_cast<uint8_t>(v);
}

}  // namespace

int32_t TKhBlockCoder::Compress(const uint8_t* in, int32_t n, uint8_t* out) {
  hash_.fill(kEmpty);
  int32_t o = 0;
  out[o++] = kKhPackedChunk;
  int32_t slot = o;  // where the current control word goes
  o += 2;
  uint32_t control = 0;
  int32_t items = 0;
  int32_t pos = 0;
  while (pos < n && o <= n) {
    if (items == kItemsPerGroup) {
      PutBigEndian16(out + slot, control);
      slot = o;
      o += 2;
      control = 0;
      items = 0;
    }
    ++items;
    const uint8_t b = in[pos];
    const int32_t runLimit = std::min(n - pos, kMaxRun);
    int32_t run = 1;
    while (run < runLimit && in[pos + run] == b) ++run;
    if (run >= kMinRun) {
      const int32_t v = run - kMinRun;
      out[o++] = 0;
      PutBigEndian16(out + o, static_cast<uint32_t>(v));
      o += 2;
      out[o++] = b;
      control = control << 1 | 1;
      pos += run;
      continue;
    }
    int32_t length = 0, offset = 0;
    if (n - pos >= kMinCopy) {
      uint16_t& entry = hash_[Hash(in + pos)];
      if (entry != kEmpty && pos - entry <= kMaxOffset) {
        const int32_t limit = std::min(n - pos, kMaxCopy);
        const uint8_t* candidate = in + entry;
        while (length < limit && candidate[length] == in[pos + length]) ++length;
        offset = pos - entry;
      }
      entry = static_cast<uint16_t>(pos);
    }
    if (length >= kMinCopy) {
      PutBigEndian16(out + o, static_cast<uint32_t>(offset * 16 + (length - kMinCopy)));
      o += 2;
      control = control << 1 | 1;
      pos += length;
    } else {
      out[o++] = b;
      control <<= 1;
      ++pos;
    }
  }
  PutBigEndian16(out + slot, (control << (kItemsPerGroup - items)) & 0xFFFF);
  if (o > n) {
    out[0] = kKhStoredChunk;
    if (n > 0) std::memcpy(out + 1, in, static_cast<size_t>(n));
    return n + 1;
  }
  return o;
}

int32_t KhDecodeChunk(const uint8_t* in, int32_t length, uint8_t* out) {
  if (length < 1) return -1;
  if (in[0] == kKhStoredChunk) {
    const int32_t n = length - 1;
    if (n > kKhBlockSize) return -1;
    if (n > 0) std::memcpy(out, in + 1, static_cast<size_t>(n));
    return n;
  }
  if (in[0] != kKhPackedChunk) return -1;
  int32_t i = 1, o = 0;
  while (i < length) {
    if (length - i < 2) return -1;
    uint32_t control = static_cast<uint32_t>(in[i]) << 8 | in[i + 1];
    i += 2;
    for (int32_t k = 0; k < kItemsPerGroup && i < length; ++k, control <<= 1) {
      if ((control & 0x8000) == 0) {
        if (o >= kKhBlockSize) return -1;
        out[o++] = in[i++];
        continue;
      }
      if (length - i < 2) return -1;
      const uint32_t v = static_cast<uint32_t>(in[i]) << 8 | in[i + 1];
      const int32_t offset = static_cast<int32_t>(v >> 4);
      if (offset == 0) {
        if (length - i < 4) return -1;
        const int32_t count = static_cast<int32_t>(static_cast<uint32_t>(in[i + 1]) << 8 | in[i + 2]) + kMinRun;
        if (count > kKhBlockSize - o) return -1;
        std::memset(out + o, in[i + 3], static_cast<size_t>(count));
        o += count;
        i += 4;
      } else {
        const int32_t count = static_cast<int32_t>(v & 15) + kMinCopy;
        if (offset > o || count > kKhBlockSize - o) return -1;
        for (int32_t c = 0; c < count; ++c, ++o) out[o] = out[o - offset];
        i += 2;
      }
    }
  }
  return o;
}

}  // namespace ql
