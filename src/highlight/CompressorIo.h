#pragma once
// The two ends one compression or decompression works between: a pair of caller's streams
// (stream mode) or a pair of files (file mode), with every failure worded for that mode.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "toolkit/FileStream.h"
#include "toolkit/Stream.h"

namespace ql {

// Which coder a read belongs to; it decides the suffix of a read error and the exception class.
enum class TCoderKind { ckNone, ckKH, ckLZH };

// Size of the buffers the coders read and write through.
inline constexpr int32_t kCompressorBufferSize = 32768;

// Allocates a coder buffer; raises ECompressorException "Failed to get memory for I/O buffers"
// when memory runs out.
std::vector<uint8_t> AllocateCompressorBuffer(size_t size);

class TCompressorIo {
public:
  // Stream mode: the streams are the caller's and stay open.
  TCompressorIo(TStream* input, TStream* output);
  // File mode: the files are opened by OpenInput and OpenOutput.
  TCompressorIo(std::string inputFile, std::string outputFile);
  // An output file that was not finished is closed and deleted, so no partial result stays behind.
  ~TCompressorIo();
  TCompressorIo(const TCompressorIo&) = delete;
  TCompressorIo& operator=(const TCompressorIo&) = delete;

  void OpenInput();
  // Refuses an output file that is the input file: creating it would truncate the input.
  void OpenOutput();

  // Bytes from the input position to its end; raises when the size cannot be had or does not fit
  // the stored 32-bit size.
  int32_t InputRemaining();

  // Reads at most count bytes; a stream that fails is reported as a read error.
  int32_t ReadSome(void* buffer, int32_t count, TCoderKind kind);
  // Reads exactly count bytes or raises a read error.
  void ReadExact(void* buffer, int32_t count, TCoderKind kind);
  // Moves the input back over bytes that were read ahead but not used.
  void UnreadInput(int32_t count);
  // Writes exactly count bytes or raises a write error.
  void Write(const void* buffer, int32_t count);
  // Closes the output file (a failed close is a write error); the output is kept from now on.
  void Finish();

  int64_t Written() const { return written_; }
  bool StreamMode() const { return streamMode_; }
  const std::string& InputFile() const { return inputFile_; }

  [[noreturn]] void FailRead(TCoderKind kind) const;
  [[noreturn]] void FailWrite() const;

private:
  bool streamMode_;
  std::string inputFile_, outputFile_;
  std::unique_ptr<TFileStream> inFile_, outFile_;
  TStream* in_ = nullptr;
  TStream* out_ = nullptr;
  bool finished_ = false;
  int64_t written_ = 0;
};

// Reads the input through a buffer, at most limit bytes (no limit when negative).
class TByteSource {
public:
  TByteSource(TCompressorIo& io, TCoderKind kind, int64_t limit = -1);

  // The next byte; false at the end of the input.
  bool Next(uint8_t& b) {
    if (pos_ == end_ && !Fill()) return false;
    b = buffer_[pos_++];
    return true;
  }
  // The next byte; the end of the input is a read error of the coder.
  uint8_t Take() {
    uint8_t b;
    if (!Next(b)) io_.FailRead(kind_);
    return b;
  }
  // Bytes handed out so far.
  int64_t Consumed() const { return fetched_ - (end_ - pos_); }
  // Bytes read from the input but not handed out.
  int32_t Unused() const { return end_ - pos_; }

private:
  bool Fill();

  TCompressorIo& io_;
  TCoderKind kind_;
  int64_t limit_;
  int64_t fetched_ = 0;
  std::vector<uint8_t> buffer_;
  int32_t pos_ = 0, end_ = 0;  // buffer_[pos_, end_) is read but not handed out
};

// Writes the output through a buffer.
class TByteSink {
public:
  explicit TByteSink(TCompressorIo& io);

  void Put(uint8_t b) {
    buffer_[count_++] = b;
    if (count_ == static_cast<int32_t>(buffer_.size())) Flush();
  }
  void Flush();

private:
  TCompressorIo& io_;
  std::vector<uint8_t> buffer_;
  int32_t count_ = 0;
};

}  // namespace ql
