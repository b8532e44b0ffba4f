#pragma once
// A read-only stream over characters already in memory, without copying them.
#include <string>

#include "toolkit/MemoryStream.h"

namespace ql {

class TFastMemoryStream : public TCustomMemoryStream {
public:
  // Points at the string's characters up to its first NUL; the string must outlive the stream.
  explicit TFastMemoryStream(const std::string& text);
  explicit TFastMemoryStream(const char* text);
  // A temporary would be gone before the stream is read.
  explicit TFastMemoryStream(std::string&&) = delete;
  const char* ClassName() const override { return "TFastMemoryStream"; }

  // Writing raises EStreamError "Cannot write to a read-only stream" (the memory stream's own).
};

}  // namespace ql
