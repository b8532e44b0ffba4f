#pragma once
// TCompressor packs and unpacks a byte stream or a file with the Compressor/KH method (fast,
// byte-aligned LZ77 with runs, in 32 KB chunks) or the LZH method (LZSS with adaptive Huffman
// codes); Advise samples the input to choose between them.
//
// Compressed layout, integers little-endian:
//   0  4  signature: "WRZL" for Compressor/KH, "!HZL" for LZH
//   4  4  original size in bytes, signed 32-bit
//   8  .. method data
// Compressor/KH data is a sequence of chunks, each a 16-bit length and that many bytes (see
// KhCoder.h), one per block of 32768 input bytes; it ends with the first chunk of a shorter block,
// so an input whose size is a multiple of 32768 (the empty one too) ends with an empty block's
// chunk. LZH data is one bit stream (see LzhCoder.h).
//
// Behaviour callers can rely on:
// - In stream mode reading starts at the input stream's position and writing at the output
//   stream's position. The original size recorded is the number of bytes from that position to
//   the end, so the result always decompresses to exactly the bytes that were read.
// - Decompress leaves the input stream just after the compressed data, for both methods.
// - A corrupt or truncated input raises ECompressorException (EkhException or ElzhException from
//   inside a coder) and never reads or writes outside its buffers; an output stream may hold part
//   of the result. In file mode the output file is then closed and deleted.
// - Each compressor keeps its coder tables to itself for the duration of one call, so
//   compressors on different threads do not disturb each other.
// - Method cmAdvise lets Advise choose anew for every Compress; the field keeps the value
//   cmAdvise. Advise called directly sets it to cmLZH for an input below 98304 bytes.
// - Advise answers true when the two sample chunks together, flag bytes included, are smaller
//   than Threshold percent of the 65536 sampled bytes (compared exactly, in whole numbers).
//   Its samples lie at offsets from the input position, as the data Compress would read.
// - In file mode the output file is created with the usual permissions (0666 less the umask); an
//   output name that denotes the input file is refused before anything is written.
#include <cstdint>
#include <string>

#include "highlight/CompressorErrors.h"
#include "toolkit/Stream.h"

namespace ql {

enum TCompressionMethod : int32_t {
  cmLZH = 0,
  cmCompressorKH = 1,
  cmAdvise = 2,  // any value other than cmLZH and cmCompressorKH lets Advise choose
};

class TCompressor {
public:
  // Method Compressor/KH, file mode, threshold 40.
  TCompressor() = default;

  // Compresses the input; returns the bytes written (8 header bytes plus the method data).
  int64_t Compress();
  // Decompresses the input, choosing the method by its signature; returns the bytes written.
  int64_t Decompress();
  // True when Compressor/KH should be used for the input.
  bool Advise();

  std::string InputFile;    // file mode
  std::string OutputFile;   // file mode
  TCompressionMethod Method = cmCompressorKH;
  bool StreamMode = false;
  TStream* InputStream = nullptr;   // stream mode; not owned
  TStream* OutputStream = nullptr;  // stream mode; not owned
  int32_t Threshold = 40;           // percent, for Advise
};

// Stream-mode shorthands: one compressor from `in` (at its position) to `out`; they return what
// Compress and Decompress return.
int64_t CompressStream(TStream& in, TStream& out, TCompressionMethod method);
int64_t DecompressStream(TStream& in, TStream& out);

}  // namespace ql
