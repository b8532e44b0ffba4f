#include "highlight/CompressorIo.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <limits>
#include <new>

#include "highlight/CompressorErrors.h"

namespace ql {

using namespace CompressorText;

std::vector<uint8_t> AllocateCompressorBuffer(size_t size) {
  try {
    return std::vector<uint8_t>(size);
  } catch (const std::bad_alloc&) {
    throw ECompressorException(kNoBuffers);
  } catch (const std::length_error&) {
    throw ECompressorException(kNoBuffers);
  }
}

TCompressorIo::TCompressorIo(TStream* input, TStream* output) : streamMode_(true), in_(input), out_(output) {}

TCompressorIo::TCompressorIo(std::string inputFile, std::string outputFile)
    : streamMode_(false), inputFile_(std::move(inputFile)), outputFile_(std::move(outputFile)) {}

TCompressorIo::~TCompressorIo() {
  if (outFile_ && !finished_) {
    outFile_.reset();
    ::unlink(outputFile_.c_str());
  }
}

void TCompressorIo::OpenInput() {
  if (streamMode_) {
    if (!in_) throw ECompressorException(kInitInput);
    try {
      in_->Position();
    } catch (const Exception&) {
      throw ECompressorException(kInitInput);
    }
    return;
  }
  try {
    inFile_ = std::make_unique<TFileStream>(inputFile_, fmOpenRead);
  } catch (const EStreamError&) {
    throw ECompressorException(kOpenInput + inputFile_);
  }
  in_ = inFile_.get();
}

void TCompressorIo::OpenOutput() {
  if (streamMode_) {
    if (!out_) throw ECompressorException(kInitOutput);
    try {
      out_->Position();
    } catch (const Exception&) {
      throw ECompressorException(kInitOutput);
    }
    return;
  }
  struct stat inSt {}, outSt {};
  if (inFile_ && ::fstat(inFile_->Handle(), &inSt) == 0 && ::stat(outputFile_.c_str(), &outSt) == 0 &&
      inSt.st_dev == outSt.st_dev && inSt.st_ino == outSt.st_ino) {
    throw ECompressorException(kOpenOutput + outputFile_);
  }
  try {
    outFile_ = std::make_unique<TFileStream>(outputFile_, fmCreate);
  } catch (const EStreamError&) {
    throw ECompressorException(kOpenOutput + outputFile_);
  }
  out_ = outFile_.get();
}

int32_t TCompressorIo::InputRemaining() {
  int64_t remaining = -1;
  try {
    remaining = in_->Remaining();
  } catch (const Exception&) {
    remaining = -1;
  }
  if (remaining < 0 || remaining > std::numeric_limits<int32_t>::max()) {
    throw ECompressorException(streamMode_ ? std::string(kNoStreamSize) : kNoFileSize + inputFile_);
  }
  return static_cast<int32_t>(remaining);
}

int32_t TCompressorIo::ReadSome(void* buffer, int32_t count, TCoderKind kind) {
  try {
    const int32_t n = in_->Read(buffer, count);
    if (n < 0 || n > count) FailRead(kind);
    return n;
  } catch (const ECompressorException&) {
    throw;
  } catch (const Exception&) {
    FailRead(kind);
  }
}

void TCompressorIo::ReadExact(void* buffer, int32_t count, TCoderKind kind) {
  int32_t done = 0;
  while (done < count) {
    const int32_t n = ReadSome(static_cast<char*>(buffer) + done, count - done, kind);
    if (n == 0) FailRead(kind);
    done += n;
  }
}

void TCompressorIo::UnreadInput(int32_t count) {
  if (count <= 0) return;
  try {
    in_->Seek(-static_cast<int64_t>(count), soFromCurrent);
  } catch (const Exception&) {
    // The data is decoded in full; only the position after it is approximate.
  }
}

void TCompressorIo::Write(const void* buffer, int32_t count) {
  if (count <= 0) return;
  int32_t n = 0;
  try {
    n = out_->Write(buffer, count);
  } catch (const Exception&) {
    FailWrite();
  }
  if (n != count) FailWrite();
  written_ += n;
}

void TCompressorIo::Finish() {
  if (outFile_) {
    try {
      outFile_->Close();
    } catch (const Exception&) {
      FailWrite();
    }
  }
  finished_ = true;
}

void TCompressorIo::FailRead(TCoderKind kind) const {
  std::string message = streamMode_ ? std::string(kReadStream) : kReadFile + inputFile_;
  switch (kind) {
    case TCoderKind::ckKH: throw EkhException(message + kKhSuffix);
    case TCoderKind::ckLZH: throw ElzhException(message + kLzhSuffix);
    case TCoderKind::ckNone: break;
  }
  throw ECompressorException(message);
}

void TCompressorIo::FailWrite() const {
  throw ECompressorException(streamMode_ ? std::string(kWriteStream) : kWriteFile + outputFile_);
}

TByteSource::TByteSource(TCompressorIo& io, TCoderKind kind, int64_t limit)
    : io_(io), kind_(kind), limit_(limit), buffer_(AllocateCompressorBuffer(kCompressorBufferSize)) {}

bool TByteSource::Fill() {
  int32_t want = kCompressorBufferSize;
  if (limit_ >= 0) want = static_cast<int32_t>(std::min<int64_t>(want, limit_ - fetched_));
  if (want <= 0) return false;
  const int32_t n = io_.ReadSome(buffer_.data(), want, kind_);
  fetched_ += n;
  pos_ = 0;
  end_ = n;
  return n > 0;
}

TByteSink::TByteSink(TCompressorIo& io) : io_(io), buffer_(AllocateCompressorBuffer(kCompressorBufferSize)) {}

void TByteSink::Flush() {
  io_.Write(buffer_.data(), count_);
  count_ = 0;
}

}  // namespace ql
