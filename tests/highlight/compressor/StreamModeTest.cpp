// Stream mode reads and writes from the streams' positions and stops after the compressed data.
#include <gtest/gtest.h>

#include <string>

#include "CompressorTestSupport.h"

using namespace ql;
using namespace ql::test;

TEST(CompressorStreams, WorkFromTheCurrentPositions) {
  const std::string data = StructuredBytes(70000, 3);
  for (const TCompressionMethod method : {cmCompressorKH, cmLZH}) {
    SCOPED_TRACE(method == cmLZH ? "LZH" : "KH");
    // Compress: the input from its position, the output after what it already holds.
    const std::string source = "PREFIX" + data;
    TMemoryView in(source);
    in.SetPosition(6);
    TMemoryStream out;
    out.WriteBuffer("HEAD", 4);
    TCompressor c;
    c.StreamMode = true;
    c.Method = method;
    c.InputStream = &in;
    c.OutputStream = &out;
    const int64_t packedSize = c.Compress();
    ASSERT_EQ(out.Size(), 4 + packedSize);
    const std::string packed = out.Bytes().substr(4);
    EXPECT_EQ(packed.substr(4, 4), Header("....", static_cast<int32_t>(data.size())).substr(4));

    // Decompress: reads exactly the compressed data and leaves the input after it.
    const std::string stored = "LEAD" + packed + "TRAIL";
    TMemoryView packedIn(stored);
    packedIn.SetPosition(4);
    TMemoryStream unpacked;
    TCompressor d;
    d.StreamMode = true;
    d.InputStream = &packedIn;
    d.OutputStream = &unpacked;
    EXPECT_EQ(d.Decompress(), static_cast<int64_t>(data.size()));
    EXPECT_EQ(unpacked.Bytes(), data);
    EXPECT_EQ(packedIn.Position(), 4 + packedSize);
  }
}
