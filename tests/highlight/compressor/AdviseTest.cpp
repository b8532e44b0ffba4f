// Advise samples two blocks of the input and picks Compressor/KH for compressible data.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "CompressorTestSupport.h"

using namespace ql;
using namespace ql::test;

namespace {

// size bytes of noise, with the listed 32768-byte blocks zeroed.
std::string Blocks(size_t size, std::set<size_t> zeroBlocks) {
  std::string s = RandomBytes(size, static_cast<uint32_t>(size));
  for (size_t b : zeroBlocks) s.replace(b * 32768, 32768, 32768, '\0');
  return s;
}

bool AdviseOn(const std::string& data, int32_t threshold = 40, int64_t position = 0) {
  TMemoryView in(data);
  in.SetPosition(position);
  TCompressor c;
  c.StreamMode = true;
  c.InputStream = &in;
  c.Threshold = threshold;
  const bool answer = c.Advise();
  EXPECT_EQ(in.Position(), position) << "the input position is restored";
  return answer;
}

}  // namespace

TEST(CompressorAdvise, SamplesTheBlocksAtOneAndTwoThirds) {
  const struct {
    const char* name;
    size_t size;
    std::set<size_t> zeroBlocks;
    int32_t threshold;
    bool expected;
  } cases[] = {
      {"98304 bytes: blocks 1 and 2 compress", 98304, {1, 2}, 40, true},
      {"98304 bytes: only block 0 compresses", 98304, {0}, 40, false},
      {"200000 bytes: blocks 2 and 4 compress", 200000, {2, 4}, 40, true},
      {"200000 bytes: the unsampled blocks compress", 200000, {0, 1, 3, 5}, 40, false},
      {"200000 bytes: one sample alone is not enough", 200000, {2}, 40, false},
      {"stored samples exceed 100 percent", 98304, {}, 100, false},
      {"stored samples stay below 101 percent", 98304, {}, 101, true},
      {"nothing is below 0 percent", 98304, {0, 1, 2}, 0, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(AdviseOn(Blocks(c.size, c.zeroBlocks), c.threshold), c.expected);
  }
}

TEST(CompressorAdvise, SmallInputsGetLzh) {
  TMemoryStream in(std::string(98303, '\0'));
  TCompressor c;
  c.StreamMode = true;
  c.InputStream = &in;
  EXPECT_FALSE(c.Advise());
  EXPECT_EQ(c.Method, cmLZH);
}

// The samples are taken from the data after the input position, the data Compress would read.
TEST(CompressorAdvise, SamplesFromTheInputPosition) {
  const std::string data = std::string(32768, '\0') + Blocks(98304, {1, 2});
  EXPECT_TRUE(AdviseOn(data, 40, 32768));
}

TEST(CompressorAdvise, CompressChoosesEachTimeAndKeepsTheSetting) {
  const std::string large = Blocks(98304, {0, 1, 2});
  EXPECT_EQ(Pack("small input", cmAdvise).substr(0, 4), "!HZL");
  EXPECT_EQ(Pack(large, cmAdvise).substr(0, 4), "WRZL");
  EXPECT_EQ(Pack(Blocks(98304, {}), cmAdvise).substr(0, 4), "!HZL");

  TMemoryView small(std::string_view("small").data(), 5);
  TMemoryView big(large);
  TMemoryStream out1, out2;
  TCompressor c;
  c.StreamMode = true;
  c.Method = cmAdvise;
  c.InputStream = &small;
  c.OutputStream = &out1;
  c.Compress();
  EXPECT_EQ(c.Method, cmAdvise);
  c.InputStream = &big;
  c.OutputStream = &out2;
  c.Compress();
  EXPECT_EQ(out2.Bytes().substr(0, 4), "WRZL");
  EXPECT_EQ(Unpack(out2.Bytes()), large);
}
