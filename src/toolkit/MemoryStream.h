#pragma once
// Streams over memory: a read-only view of bytes owned elsewhere, and an owning, growable one.
#include <string>
#include <vector>

#include "toolkit/Stream.h"

namespace ql {

// Reads and seeks over a block of memory it does not own.
class TCustomMemoryStream : public TStream {
public:
  const char* ClassName() const override { return "TCustomMemoryStream"; }

  int32_t Read(void* buffer, int32_t count) override;
  int32_t Write(const void* buffer, int32_t count) override;  // raises: the memory is not ours
  int64_t Seek(int64_t offset, int32_t origin) override;
  int64_t Size() override { return size_; }

  const char* Memory() const { return data_; }

protected:
  void SetPointer(const char* data, int64_t size);

  const char* data_ = nullptr;
  int64_t size_ = 0;
  int64_t position_ = 0;  // may lie beyond size_; reads there return 0 bytes
};

// A read-only stream over bytes that outlive it.
class TMemoryView : public TCustomMemoryStream {
public:
  TMemoryView(const char* data, int64_t size) { SetPointer(data, size); }
  explicit TMemoryView(const std::string& bytes) { SetPointer(bytes.data(), static_cast<int64_t>(bytes.size())); }
  const char* ClassName() const override { return "TMemoryView"; }
};

// An owning memory stream that grows as it is written.
class TMemoryStream : public TCustomMemoryStream {
public:
  TMemoryStream() = default;
  explicit TMemoryStream(std::string bytes);
  const char* ClassName() const override { return "TMemoryStream"; }

  int32_t Write(const void* buffer, int32_t count) override;
  void SetSize(int64_t size) override;
  void Clear();

  // The written bytes as a string (the whole stream, whatever the position).
  std::string Bytes() const { return std::string(buffer_.data(), static_cast<size_t>(size_)); }

private:
  void Reserve(int64_t size);
  std::vector<char> buffer_;  // capacity; the first size_ bytes are the stream
};

}  // namespace ql
