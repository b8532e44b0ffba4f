#pragma once
// Output of the export writers: bytes gathered in memory and handed to the stream in large
// blocks, so that writing character by character costs no stream call per character. The
// stream's ordinary Write is used and its count not checked: whoever saves checks the total.
#include <string>
#include <string_view>

#include "toolkit/Stream.h"

namespace ql {

class TExportBuffer {
public:
  explicit TExportBuffer(TStream& stream) : stream_(stream) { out_.reserve(kBlock + 1024); }
  TExportBuffer(const TExportBuffer&) = delete;
  TExportBuffer& operator=(const TExportBuffer&) = delete;

  // The buffer to append to; call Written after appending.
  std::string& Out() { return out_; }
  void Written() {
    if (out_.size() >= kBlock) Flush();
  }
  void Append(std::string_view text) {
    out_.append(text);
    Written();
  }
  // Hands what was gathered to the stream; call once at the end.
  void Flush() {
    if (!out_.empty()) stream_.Write(out_.data(), static_cast<int32_t>(out_.size()));
    out_.clear();
  }

private:
  static constexpr size_t kBlock = 64 * 1024;
  TStream& stream_;
  std::string out_;
};

}  // namespace ql
