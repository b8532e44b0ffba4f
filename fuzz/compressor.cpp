// Feeds arbitrary bytes to decompression with both methods: as they come, and behind each
// signature so that the coders see arbitrary sizes and method data. A decompression either
// raises a compressor error or delivers exactly the recorded size. The same bytes are also
// compressed with both methods and must come back unchanged.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "highlight/Compressor.h"
#include "toolkit/MemoryStream.h"

using namespace ql;

namespace {

void Decompress(const std::string& packed) {
  TMemoryView in(packed);
  TMemoryStream out;
  int64_t written = 0;
  try {
    written = DecompressStream(in, out);
  } catch (const ECompressorException&) {
    return;
  }
  const uint8_t* p = reinterpret_cast<const uint8_t*>(packed.data());
  const int32_t size = static_cast<int32_t>(p[4] | p[5] << 8 | p[6] << 16 | static_cast<uint32_t>(p[7]) << 24);
  if (written != size || out.Size() != size || in.Position() > static_cast<int64_t>(packed.size())) std::abort();
}

void RoundTrip(const std::string& input, TCompressionMethod method) {
  TMemoryView in(input);
  TMemoryStream packed;
  CompressStream(in, packed, method);
  packed.SetPosition(0);
  TMemoryStream out;
  DecompressStream(packed, out);
  if (out.Bytes() != input || packed.Position() != packed.Size()) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  Decompress(bytes);
  Decompress("WRZL" + bytes);
  Decompress("!HZL" + bytes);
  RoundTrip(bytes, cmCompressorKH);
  RoundTrip(bytes, cmLZH);
  return 0;
}
