#include "toolkit/MemoryStream.h"

#include <algorithm>
#include <cstring>

namespace ql {

void TCustomMemoryStream::SetPointer(const char* data, int64_t size) {
  data_ = data;
  size_ = size;
}

int32_t TCustomMemoryStream::Read(void* buffer, int32_t count) {
  if (count <= 0 || position_ >= size_) return 0;
  const int32_t n = static_cast<int32_t>(std::min<int64_t>(count, size_ - position_));
  std::memcpy(buffer, data_ + position_, static_cast<size_t>(n));
  position_ += n;
  return n;
}

int32_t TCustomMemoryStream::Write(const void*, int32_t) {
  throw EStreamError("Cannot write to a read-only stream");
}

int64_t TCustomMemoryStream::Seek(int64_t offset, int32_t origin) {
  switch (origin) {
    case soFromBeginning: position_ = offset; break;
    case soFromCurrent: position_ += offset; break;
    case soFromEnd: position_ = size_ + offset; break;
    default: break;
  }
  if (position_ < 0) position_ = 0;
  return position_;
}

TMemoryStream::TMemoryStream(std::string bytes) {
  buffer_.assign(bytes.begin(), bytes.end());
  SetPointer(buffer_.data(), static_cast<int64_t>(buffer_.size()));
}

void TMemoryStream::Reserve(int64_t size) {
  if (size > static_cast<int64_t>(buffer_.size())) {
    buffer_.resize(static_cast<size_t>(std::max<int64_t>(size, static_cast<int64_t>(buffer_.size()) * 2)));
  }
  data_ = buffer_.data();
}

int32_t TMemoryStream::Write(const void* buffer, int32_t count) {
  if (count <= 0) return 0;
  const int64_t end = position_ + count;
  Reserve(end);
  if (position_ > size_) std::memset(buffer_.data() + size_, 0, static_cast<size_t>(position_ - size_));
  std::memcpy(buffer_.data() + position_, buffer, static_cast<size_t>(count));
  position_ = end;
  size_ = std::max(size_, end);
  return count;
}

void TMemoryStream::SetSize(int64_t size) {
  if (size < 0) size = 0;
  Reserve(size);
  if (size > size_) std::memset(buffer_.data() + size_, 0, static_cast<size_t>(size - size_));
  size_ = size;
  if (position_ > size_) position_ = size_;
}

void TMemoryStream::Clear() {
  buffer_.clear();
  buffer_.shrink_to_fit();
  data_ = nullptr;
  size_ = 0;
  position_ = 0;
}

}  // namespace ql
