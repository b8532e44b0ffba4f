#include "highlight/Compressor.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>
#include <vector>

#include "highlight/CompressorIo.h"
#include "highlight/KhCoder.h"
#include "highlight/LzhCoder.h"
#include "toolkit/FileStream.h"

namespace ql {

using namespace CompressorText;

namespace {

constexpr char kKhSignature[4] = {'W', 'R', 'Z', 'L'};
constexpr char kLzhSignature[4] = {'!', 'H', 'Z', 'L'};
// Advise samples only inputs of at least three blocks.
constexpr int64_t kAdviseMinimum = 3 * kKhBlockSize;

void WriteHeader(TCompressorIo& io, const char* signature, int32_t size) {
  uint8_t header[8];
  std::memcpy(header, signature, 4);
  const uint32_t v = static_cast<uint32_t>(size);
  for (int i = 0; i < 4; ++i) header[4 + i] = static_cast<uint8_t>(v >> (8 * i));
  io.Write(header, 8);
}

template <class TTables>
std::unique_ptr<TTables> MakeLzhTables() {
  try {
    return std::make_unique<TTables>();
  } catch (const std::bad_alloc&) {
    throw ElzhException(kLzhNoTables);
  }
}

void CompressKh(TCompressorIo& io, int32_t size) {
  std::vector<uint8_t> block = AllocateCompressorBuffer(kKhBlockSize);
  std::vector<uint8_t> chunk = AllocateCompressorBuffer(2 + kKhChunkCapacity);  // length, then chunk
  TKhBlockCoder coder;
  int64_t done = 0;
  for (;;) {
    const int32_t want = static_cast<int32_t>(std::min<int64_t>(kKhBlockSize, size - done));
    io.ReadExact(block.data(), want, TCoderKind::ckKH);
    const int32_t n = coder.Compress(block.data(), want, chunk.data() + 2);
    chunk[0] = static_cast<uint8_t>(n);
    chunk[1] = static_cast<uint8_t>(n >> 8);
    io.Write(chunk.data(), n + 2);
    done += want;
    if (want < kKhBlockSize) break;
  }
}

void CompressLzh(TCompressorIo& io, int32_t size) {
  if (size == 0) return;
  std::unique_ptr<TLzhEncoder> encoder = MakeLzhTables<TLzhEncoder>();
  TByteSource source(io, TCoderKind::ckLZH, size);
  TByteSink sink(io);
  TLzhBitWriter bits(sink);
  encoder->Encode(source, bits);
  bits.Flush();
  sink.Flush();
  if (source.Consumed() != size) io.FailRead(TCoderKind::ckLZH);
}

void DecompressKh(TCompressorIo& io, int32_t size) {
  if (size < 0) throw EkhException(kKhSizeMismatch);
  std::vector<uint8_t> chunk = AllocateCompressorBuffer(kKhMaxChunk);
  std::vector<uint8_t> block = AllocateCompressorBuffer(kKhBlockSize);
  int64_t total = 0;
  int32_t n = 0;
  do {
    uint8_t prefix[2];
    io.ReadExact(prefix, 2, TCoderKind::ckKH);
    const int32_t length = prefix[0] | prefix[1] << 8;
    if (length == 0 || length > kKhMaxChunk) throw EkhException(kKhCorrupt);
    io.ReadExact(chunk.data(), length, TCoderKind::ckKH);
    n = KhDecodeChunk(chunk.data(), length, block.data());
    if (n < 0) throw EkhException(kKhCorrupt);
    if (n > size - total) throw EkhException(kKhSizeMismatch);
    io.Write(block.data(), n);
    total += n;
  } while (n == kKhBlockSize);
  if (total != size) throw EkhException(kKhSizeMismatch);
}

void DecompressLzh(TCompressorIo& io, int32_t size) {
  if (size < 0) throw ElzhException(kLzhSizeMismatch);
  if (size == 0) return;
  std::unique_ptr<TLzhDecoder> decoder = MakeLzhTables<TLzhDecoder>();
  TByteSource source(io, TCoderKind::ckLZH);
  TByteSink sink(io);
  TLzhBitReader bits(source);
  if (!decoder->Decode(bits, size, sink)) throw ElzhException(kLzhSizeMismatch);
  sink.Flush();
  io.UnreadInput(source.Unused());
}

// Puts the stream back where it was, however the caller leaves.
class TPositionGuard {
public:
  TPositionGuard(TStream* stream, int64_t position) : stream_(stream), position_(position) {}
  ~TPositionGuard() {
    if (!stream_) return;
    try {
      stream_->Seek(position_, soFromBeginning);
    } catch (const Exception&) {
      // Nothing better can be done while leaving.
    }
  }
  TPositionGuard(const TPositionGuard&) = delete;
  TPositionGuard& operator=(const TPositionGuard&) = delete;

private:
  TStream* stream_;
  int64_t position_;
};

}  // namespace

int64_t TCompressor::Compress() {
  bool kh = Method == cmCompressorKH;
  if (Method != cmLZH && Method != cmCompressorKH) {
    const TCompressionMethod keep = Method;
    kh = Advise();
    Method = keep;
  }
  std::unique_ptr<TCompressorIo> io = StreamMode ? std::make_unique<TCompressorIo>(InputStream, OutputStream)
                                                 : std::make_unique<TCompressorIo>(InputFile, OutputFile);
  io->OpenInput();
  const int32_t size = io->InputRemaining();
  io->OpenOutput();
  WriteHeader(*io, kh ? kKhSignature : kLzhSignature, size);
  if (kh) {
    CompressKh(*io, size);
  } else {
    CompressLzh(*io, size);
  }
  io->Finish();
  return io->Written();
}

int64_t TCompressor::Decompress() {
  std::unique_ptr<TCompressorIo> io = StreamMode ? std::make_unique<TCompressorIo>(InputStream, OutputStream)
                                                 : std::make_unique<TCompressorIo>(InputFile, OutputFile);
  io->OpenInput();
  char signature[4];
  int32_t got = 0;
  while (got < 4) {
    const int32_t n = io->ReadSome(signature + got, 4 - got, TCoderKind::ckNone);
    if (n == 0) break;
    got += n;
  }
  const bool kh = got == 4 && std::memcmp(signature, kKhSignature, 4) == 0;
  const bool lzh = got == 4 && std::memcmp(signature, kLzhSignature, 4) == 0;
  if (!kh && !lzh) {
    throw ECompressorException(StreamMode ? std::string(kNoHeaderStream) : InputFile + kNoHeaderFile);
  }
  uint8_t sizeBytes[4];
  io->ReadExact(sizeBytes, 4, TCoderKind::ckNone);
  const int32_t size = static_cast<int32_t>(static_cast<uint32_t>(sizeBytes[0]) | static_cast<uint32_t>(sizeBytes[1]) << 8 |
                                            static_cast<uint32_t>(sizeBytes[2]) << 16 |
                                            static_cast<uint32_t>(sizeBytes[3]) << 24);
  io->OpenOutput();
  if (kh) {
    DecompressKh(*io, size);
  } else {
    DecompressLzh(*io, size);
  }
  io->Finish();
  return io->Written();
}

bool TCompressor::Advise() {
  TStream* in = nullptr;
  std::unique_ptr<TFileStream> file;  // file mode: closed when Advise returns
  int64_t start = 0;
  if (StreamMode) {
    if (!InputStream) throw ECompressorException(kAdviseInitInput);
    try {
      start = InputStream->Position();
    } catch (const Exception&) {
      throw ECompressorException(kAdviseInitInput);
    }
    in = InputStream;
  } else {
    try {
      file = std::make_unique<TFileStream>(InputFile, fmOpenRead);
    } catch (const EStreamError&) {
      throw ECompressorException(kAdviseOpenInput + InputFile);
    }
    in = file.get();
  }
  TPositionGuard restore(StreamMode ? in : nullptr, start);

  int64_t size = -1;
  try {
    size = in->Size() - start;
  } catch (const Exception&) {
    size = -1;
  }
  if (size < 0) {
    throw ECompressorException(StreamMode ? std::string(kAdviseNoStreamSize) : kAdviseNoFileSize + InputFile);
  }
  if (size < kAdviseMinimum) {
    Method = cmLZH;
    return false;
  }

  std::vector<uint8_t> block, chunk;
  try {
    block.resize(kKhBlockSize);
    chunk.resize(kKhChunkCapacity);
  } catch (const std::bad_alloc&) {
    throw ECompressorException(kAdviseNoBuffers);
  }
  const auto failRead = [&]() {
    throw ECompressorException(StreamMode ? std::string(kAdviseReadStream) : kAdviseReadFile + InputFile);
  };
  TKhBlockCoder coder;
  int64_t packed = 0;
  for (const int64_t at : {size / 3, size * 2 / 3}) {
    const int64_t offset = at / kKhBlockSize * kKhBlockSize;
    int32_t got = 0;
    try {
      in->Seek(start + offset, soFromBeginning);
      while (got < kKhBlockSize) {
        const int32_t n = in->Read(block.data() + got, kKhBlockSize - got);
        if (n <= 0) break;
        got += n;
      }
    } catch (const Exception&) {
      failRead();
    }
    if (got < kKhBlockSize) failRead();
    packed += coder.Compress(block.data(), kKhBlockSize, chunk.data());
  }
  return packed * 100 < static_cast<int64_t>(Threshold) * 2 * kKhBlockSize;
}

int64_t CompressStream(TStream& in, TStream& out, TCompressionMethod method) {
  TCompressor compressor;
  compressor.StreamMode = true;
  compressor.Method = method;
  compressor.InputStream = &in;
  compressor.OutputStream = &out;
  return compressor.Compress();
}

int64_t DecompressStream(TStream& in, TStream& out) {
  TCompressor compressor;
  compressor.StreamMode = true;
  compressor.InputStream = &in;
  compressor.OutputStream = &out;
  return compressor.Decompress();
}

}  // namespace ql
