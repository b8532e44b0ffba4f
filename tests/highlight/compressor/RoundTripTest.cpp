// Both methods give back every input they compress.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "CompressorTestSupport.h"

using namespace ql;
using namespace ql::test;

TEST(CompressorRoundTrip, RandomAndStructuredInputsOfManySizes) {
  const size_t sizes[] = {0,     1,     2,     3,     15,    16,    17,    100,    4095,   4096,  4097,
                          32767, 32768, 32769, 65535, 65536, 65537, 98304, 100000, 131072, 200000};
  const struct {
    const char* name;
    std::function<std::string(size_t, uint32_t)> make;
  } kinds[] = {
      {"random", RandomBytes},
      {"structured", StructuredBytes},
      {"few symbols", [](size_t n, uint32_t seed) {
         std::string s = RandomBytes(n, seed);
         for (char& c : s) c = static_cast<char>("ab \r"[static_cast<uint8_t>(c) % 4]);
         return s;
       }},
  };
  for (const TCompressionMethod method : {cmCompressorKH, cmLZH}) {
    for (const auto& kind : kinds) {
      for (const size_t size : sizes) {
        SCOPED_TRACE(std::string(method == cmLZH ? "LZH " : "KH ") + kind.name + " " + std::to_string(size));
        const std::string input = kind.make(size, static_cast<uint32_t>(size) * 31 + 5);
        const std::string packed = Pack(input, method);
        ASSERT_EQ(packed.substr(0, 8), Header(method == cmLZH ? "!HZL" : "WRZL", static_cast<int32_t>(size)));
        ASSERT_EQ(Unpack(packed), input);
        if (method == cmCompressorKH) {
          // A stored block costs one flag byte and a length; nothing more.
          EXPECT_LE(packed.size(), 8 + size + 3 * (size / 32768 + 1));
        }
      }
    }
  }
}

// Every value of every byte position, in both coders: all 256 literals and long matches.
TEST(CompressorRoundTrip, AllByteValuesAndLongRepeats) {
  std::string input;
  for (int round = 0; round < 40; ++round)
    for (int b = 0; b < 256; ++b) input.push_back(static_cast<char>((b * 7 + round) & 0xFF));
  input += input.substr(1000, 5000);
  for (const TCompressionMethod method : {cmCompressorKH, cmLZH}) {
    EXPECT_EQ(Unpack(Pack(input, method)), input);
  }
}

// Compressors on different threads keep their tables apart.
TEST(CompressorRoundTrip, IndependentAcrossThreads) {
  std::vector<std::string> inputs, expected;
  for (uint32_t i = 0; i < 4; ++i) {
    inputs.push_back(i % 2 ? StructuredBytes(60000, i) : RandomBytes(50000, i));
    expected.push_back(Pack(inputs.back(), i < 2 ? cmLZH : cmCompressorKH));
  }
  std::vector<int> good(inputs.size(), 0);
  std::vector<std::thread> threads;
  for (size_t i = 0; i < inputs.size(); ++i) {
    threads.emplace_back([&, i] {
      for (int round = 0; round < 3; ++round) {
        const std::string packed = Pack(inputs[i], i < 2 ? cmLZH : cmCompressorKH);
        if (packed == expected[i] && Unpack(packed) == inputs[i]) ++good[i];
      }
    });
  }
  for (std::thread& t : threads) t.join();
  for (size_t i = 0; i < inputs.size(); ++i) EXPECT_EQ(good[i], 3) << i;
}
