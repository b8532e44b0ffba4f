// The Compressor/KH stored form, byte for byte.
#include <gtest/gtest.h>

#include <string>

#include "CompressorTestSupport.h"

using namespace ql;
using namespace ql::test;

namespace {

// The coder's hash of the three bytes at p, as the format defines it.
uint32_t KhHash(const std::string& s, size_t at) {
  const auto b = [&](size_t i) { return static_cast<uint32_t>(static_cast<uint8_t>(s[at + i])); };
  return ((((b(0) << 4) ^ b(1)) << 4 ^ b(2)) * 40543u >> 4) & 0xFFF;
}

std::string Chunk(const std::string& data) {
  const size_t n = data.size();
  return Bytes({static_cast<int>(n & 0xFF), static_cast<int>(n >> 8)}) + data;
}

struct TKhCase {
  const char* name;
  std::string input;
  std::string chunks;  // everything after the header
};

}  // namespace

TEST(KhFormat, CompressesToTheExactBytes) {
  const std::string alphabet = "abcdefghijklmnop";
  const TKhCase cases[] = {
      {"empty input: one chunk of an empty block", "", Chunk(Bytes({128}))},
      {"one byte is stored", "A", Chunk(Bytes({128, 'A'}))},
      {"100 equal bytes: one run item", std::string(100, 'x'), Chunk(Bytes({64, 0x80, 0x00, 0, 0, 84, 'x'}))},
      {"15 equal bytes: below a run, literal then overlapping copy", std::string(15, 'a'),
       Chunk(Bytes({64, 0x40, 0x00, 'a', 0x00, 0x1B}))},
      {"16 equal bytes: the shortest run", std::string(16, 'a'), Chunk(Bytes({64, 0x80, 0x00, 0, 0, 0, 'a'}))},
      {"4096 equal bytes: the longest run and a literal", std::string(4096, 'z'),
       Chunk(Bytes({64, 0x80, 0x00, 0, 0x0F, 0xEF, 'z', 'z'}))},
      {"a repeat at offset 3 copied past its own start", "abcabcabcabc",
       Chunk(Bytes({64, 0x10, 0x00, 'a', 'b', 'c', 0x00, 0x36}))},
      {"16 items fill one control word and reserve no other", alphabet.substr(0, 15) + std::string(40, 'q'),
       Chunk(Bytes({64, 0x00, 0x01}) + alphabet.substr(0, 15) + Bytes({0, 0, 24, 'q'}))},
      {"a 17th item opens a second control word", alphabet + std::string(40, 'q'),
       Chunk(Bytes({64, 0x00, 0x00}) + alphabet + Bytes({0x80, 0x00, 0, 0, 24, 'q'}))},
      {"a copy 4095 bytes back", "abc" + std::string(4092, 'z') + "abc",
       Chunk(Bytes({64, 0x18, 0x00, 'a', 'b', 'c', 0, 0x0F, 0xEC, 'z', 0xFF, 0xF0}))},
      {"4096 bytes back is too far", "abc" + std::string(4093, 'z') + "abc",
       Chunk(Bytes({64, 0x10, 0x00, 'a', 'b', 'c', 0, 0x0F, 0xED, 'z', 'a', 'b', 'c'}))},
  };
  // The far-copy cases assume the literals after "abc" do not displace its hash entry.
  const std::string far = "abczz";
  ASSERT_NE(KhHash(far, 0), KhHash(far, 1));
  ASSERT_NE(KhHash(far, 0), KhHash(far, 2));

  for (const TKhCase& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string packed = Pack(c.input, cmCompressorKH);
    EXPECT_EQ(packed, Header("WRZL", static_cast<int32_t>(c.input.size())) + c.chunks);
    EXPECT_EQ(Unpack(packed), c.input);
  }
}

// One candidate per hash: a colliding string that does not match still takes the entry, so the
// earlier string is no longer found.
TEST(KhFormat, CollidingStringTakesTheHashEntry) {
  const std::string x = "ABC";
  std::string y;
  for (char a = 'a'; a < 'z' && y.empty(); ++a)
    for (char b = 'a'; b < 'z' && y.empty(); ++b)
      for (char c = 'a'; c < 'z' && y.empty(); ++c)
        if (KhHash(x, 0) == KhHash(std::string{a, b, c}, 0)) y = {a, b, c};
  ASSERT_FALSE(y.empty());
  const std::string input = x + y + x + std::string(40, 'z');
  const std::string packed = Pack(input, cmCompressorKH);
  // Nine literals and a run: ten control bits 0000000001.
  EXPECT_EQ(packed, Header("WRZL", static_cast<int32_t>(input.size())) +
                        Chunk(Bytes({64, 0x00, 0x40}) + x + y + x + Bytes({0, 0, 24, 'z'})));
  EXPECT_EQ(Unpack(packed), input);
}

TEST(KhFormat, BlocksAreChunkedAndShortTailsEndTheStream) {
  // 65536 zeros: two equal chunks of eight longest runs, a literal and a copy, then an empty block.
  std::string zeroChunk = Bytes({64, 0xFF, 0x40});
  for (int i = 0; i < 8; ++i) zeroChunk += Bytes({0, 0x0F, 0xEF, 0});
  zeroChunk += Bytes({0, 0x00, 0x14});
  const std::string zeros(65536, '\0');
  EXPECT_EQ(Pack(zeros, cmCompressorKH),
            Header("WRZL", 65536) + Chunk(zeroChunk) + Chunk(zeroChunk) + Chunk(Bytes({128})));

  // Incompressible blocks are stored, one byte longer than the block.
  const std::string noise = RandomBytes(65536 + 1000, 7);
  const std::string packed = Pack(noise, cmCompressorKH);
  const std::string stored0 = Chunk(Bytes({128}) + noise.substr(0, 32768));
  const std::string stored1 = Chunk(Bytes({128}) + noise.substr(32768, 32768));
  const std::string stored2 = Chunk(Bytes({128}) + noise.substr(65536));
  EXPECT_EQ(packed, Header("WRZL", 66536) + stored0 + stored1 + stored2);
  EXPECT_EQ(Unpack(packed), noise);
}
