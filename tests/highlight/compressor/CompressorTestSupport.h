#pragma once
// Helpers for the compressor tests: one-call compression through memory streams and test inputs.
#include <cstdint>
#include <initializer_list>
#include <random>
#include <string>

#include "highlight/Compressor.h"
#include "toolkit/MemoryStream.h"

namespace ql::test {

inline std::string Pack(const std::string& input, TCompressionMethod method) {
  TMemoryView in(input);
  TMemoryStream out;
  const int64_t written = CompressStream(in, out, method);
  if (written != out.Size()) throw Exception("Compress reported a wrong size");
  return out.Bytes();
}

inline std::string Unpack(const std::string& packed) {
  TMemoryView in(packed);
  TMemoryStream out;
  const int64_t written = DecompressStream(in, out);
  if (written != out.Size()) throw Exception("Decompress reported a wrong size");
  return out.Bytes();
}

inline std::string Bytes(std::initializer_list<int> values) {
  std::string s;
  for (int v : values) s.push_back(static_cast<char>(v));
  return s;
}

// The 8-byte header: signature and little-endian size.
inline std::string Header(const char* signature, int32_t size) {
  const uint32_t v = static_cast<uint32_t>(size);
  return std::string(signature, 4) + Bytes({static_cast<int>(v & 0xFF), static_cast<int>((v >> 8) & 0xFF),
                                            static_cast<int>((v >> 16) & 0xFF), static_cast<int>(v >> 24)});
}

inline std::string RandomBytes(size_t n, uint32_t seed) {
  std::mt19937 rng(seed);
  std::string s(n, '\0');
  for (char& c : s) c = static_cast<char>(rng() & 0xFF);
  return s;
}

// Markup-like text with repeated tags, varying attribute values, runs of blanks and some noise:
// exercises copies, runs and literals together.
inline std::string StructuredBytes(size_t n, uint32_t seed) {
  std::mt19937 rng(seed);
  static const char* const kWords[] = {"<xsl:template match=\"", "<xsl:value-of select=\"", "</xsl:template>",
                                       "<item id=\"", "\"/>", "\r\n", "        ", "node()", "@name"};
  std::string s;
  while (s.size() < n) {
    const uint32_t pick = rng() % 12;
    if (pick < 9) {
      s += kWords[pick];
    } else if (pick == 9) {
      s += std::to_string(rng() % 100000);
    } else if (pick == 10) {
      s.append(16 + rng() % 300, static_cast<char>(rng() & 0xFF));
    } else {
      s.push_back(static_cast<char>(rng() & 0xFF));
    }
  }
  s.resize(n);
  return s;
}

}  // namespace ql::test
