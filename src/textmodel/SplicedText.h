#pragma once
// The text of rows being rebuilt, read in place from up to three spans (the start of a row, the
// inserted piece, the rest of the row) instead of being copied together first.
#include <cstdint>
#include <cstring>

namespace ql {

class TSplicedText {
public:
  TSplicedText& Add(const char* text, int32_t len) {
    if (len > 0) {
      spans_[count_++] = {text, len};
      total_ += len;
    }
    return *this;
  }
  int32_t Length() const { return total_; }

  // Offset of the first CR among count characters from from, or -1.
  int32_t FindCR(int32_t from, int32_t count) const {
    int32_t start = 0;
    for (int i = 0; i < count_ && count > 0; start += spans_[i].Len, ++i) {
      if (from >= start + spans_[i].Len) continue;
      const int32_t at = from - start;
      const int32_t n = count < spans_[i].Len - at ? count : spans_[i].Len - at;
      if (const void* cr = std::memchr(spans_[i].Text + at, '\r', static_cast<size_t>(n))) {
        return start + static_cast<int32_t>(static_cast<const char*>(cr) - spans_[i].Text);
      }
      from += n;
      count -= n;
    }
    return -1;
  }

  void CopyTo(char* out, int32_t from, int32_t count) const {
    int32_t start = 0;
    for (int i = 0; i < count_ && count > 0; start += spans_[i].Len, ++i) {
      if (from >= start + spans_[i].Len) continue;
      const int32_t at = from - start;
      const int32_t n = count < spans_[i].Len - at ? count : spans_[i].Len - at;
      std::memcpy(out, spans_[i].Text + at, static_cast<size_t>(n));
      out += n;
      from += n;
      count -= n;
    }
  }

private:
  struct TSpan {
    const char* Text;
    int32_t Len;
  };
  TSpan spans_[3] = {};
  int count_ = 0;
  int32_t total_ = 0;
};

}  // namespace ql
