// The LZH stored form: hand-decoded streams pin the tree, the bit order, the ring buffer set-up
// and the position code.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "CompressorTestSupport.h"
#include "highlight/LzhHuffman.h"

using namespace ql;
using namespace ql::test;

TEST(LzhFormat, CompressesToTheExactBytes) {
  struct TCase {
    const char* name;
    std::string input;
    std::string bits;  // after the header
  } const cases[] = {
      {"empty input: no bit stream", "", ""},
      // 'A' in the starting tree is 111001101; the last byte is filled with zeros.
      {"one literal", "A", Bytes({0xE6, 0x80})},
      // 'A', then a 3-byte match at distance 1: symbol 256 (10001100 after the tree update) and
      // position 0 (000 and 000000).
      {"a literal and an overlapping match", "AAAA", Bytes({0xE6, 0xC6, 0x00, 0x00})},
      // Blanks match the buffer's blank start: symbol 257 (10001101) at distance 1.
      {"a match into the initial blanks", "    ", Bytes({0x8D, 0x00, 0x00})},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string packed = Pack(c.input, cmLZH);
    EXPECT_EQ(packed, Header("!HZL", static_cast<int32_t>(c.input.size())) + c.bits);
    EXPECT_EQ(Unpack(packed), c.input);
  }
}

TEST(LzhFormat, PositionCodeIsTheStandardTable) {
  const lzh::TPositionCode& pc = lzh::kPositionCode;
  // First value of each code length, with its code.
  const struct {
    int value, length, code;
  } firsts[] = {{0, 3, 0x00}, {1, 4, 0x20}, {4, 5, 0x50}, {12, 6, 0x90}, {24, 7, 0xC0}, {48, 8, 0xF0}};
  for (const auto& f : firsts) {
    SCOPED_TRACE(f.value);
    EXPECT_EQ(pc.Length[f.value], f.length);
    EXPECT_EQ(pc.Code[f.value], f.code);
  }
  EXPECT_EQ(pc.Code[63], 0xFF);
  EXPECT_EQ(pc.Code[47], 0xEE);
  // The decoding tables invert the code for every byte that begins with it.
  for (int v = 0; v < 64; ++v) {
    const int span = 1 << (8 - pc.Length[v]);
    for (int b = pc.Code[v]; b < pc.Code[v] + span; ++b) {
      ASSERT_EQ(pc.Value[b], v) << b;
      ASSERT_EQ(pc.ValueLength[b], pc.Length[v]) << b;
    }
  }
}

// Counts growing like Fibonacci numbers on top of the symbols seen once give codes longer than
// 16 bits; they must still lead back to their symbol.
TEST(LzhFormat, LongHuffmanCodesStayWhole) {
  lzh::TLzhHuffman tree;
  std::vector<int32_t> chain = {300, 300};
  int32_t total = lzh::kSymbols + 300;
  while (total + chain.end()[-1] + chain.end()[-2] < 32767) {
    chain.push_back(chain.end()[-1] + chain.end()[-2]);
    total += chain.back();
  }
  for (size_t i = 1; i < chain.size(); ++i)
    for (int32_t k = 1; k < chain[i]; ++k) tree.Update(static_cast<int32_t>(300 + i));
  int32_t longest = 0;
  for (int32_t symbol = 0; symbol < lzh::kSymbols; ++symbol) {
    uint64_t bits;
    int32_t length;
    tree.CodeOf(symbol, bits, length);
    longest = std::max(longest, length);
    int32_t node = tree.FirstChild();
    for (int32_t i = length - 1; i >= 0; --i) {
      ASSERT_FALSE(lzh::TLzhHuffman::IsLeaf(node));
      node = tree.Child(node + static_cast<int32_t>((bits >> i) & 1));
    }
    ASSERT_EQ(node, symbol + lzh::kTreeSize) << symbol;
  }
  EXPECT_GT(longest, 16);
}
