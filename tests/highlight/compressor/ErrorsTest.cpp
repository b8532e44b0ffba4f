// Corrupt, truncated and unusable inputs and outputs raise the compressor's errors.
#include <gtest/gtest.h>

#include <string>

#include "CompressorTestSupport.h"

using namespace ql;
using namespace ql::test;
using namespace ql::CompressorText;

namespace {

enum class TErrorClass { ecAny, ecKH, ecLZH };

// Runs f and checks it raises the message with the class.
template <class F>
void ExpectFailure(F&& f, const std::string& message, TErrorClass cls) {
  try {
    f();
    ADD_FAILURE() << "no exception; expected: " << message;
  } catch (const ECompressorException& e) {
    EXPECT_EQ(e.Message, message);
    EXPECT_EQ(dynamic_cast<const EkhException*>(&e) != nullptr, cls == TErrorClass::ecKH);
    EXPECT_EQ(dynamic_cast<const ElzhException*>(&e) != nullptr, cls == TErrorClass::ecLZH);
  }
}

std::string Le16(int v) { return Bytes({v & 0xFF, (v >> 8) & 0xFF}); }

}  // namespace

TEST(CompressorErrors, CorruptInputsRaise) {
  const std::string kh = Header("WRZL", 5);
  const std::string full = Le16(32769) + Bytes({128}) + std::string(32768, 'q');
  std::string longRuns = Bytes({64, 0xFF, 0x80});
  for (int i = 0; i < 9; ++i) longRuns += Bytes({0, 0x0F, 0xFF, 'r'});
  const std::string aaaa = Pack("AAAA", cmLZH).substr(8);

  const std::string khRead = std::string(kReadStream) + kKhSuffix;
  const std::string lzhRead = std::string(kReadStream) + kLzhSuffix;
  const struct {
    const char* name;
    std::string input;
    std::string message;
    TErrorClass cls;
  } cases[] = {
      {"unknown signature", Header("WRZX", 0), kNoHeaderStream, TErrorClass::ecAny},
      {"empty input", "", kNoHeaderStream, TErrorClass::ecAny},
      {"signature cut short", "WR", kNoHeaderStream, TErrorClass::ecAny},
      {"size cut short", "WRZL" + Bytes({5, 0}), kReadStream, TErrorClass::ecAny},
      {"KH: no chunk", kh, khRead, TErrorClass::ecKH},
      {"KH: chunk length cut short", kh + Bytes({6}), khRead, TErrorClass::ecKH},
      {"KH: chunk cut short", kh + Le16(6) + Bytes({128, 1, 2}), khRead, TErrorClass::ecKH},
      {"KH: chunk of length 0", kh + Le16(0), kKhCorrupt, TErrorClass::ecKH},
      {"KH: chunk longer than a stored block", kh + Le16(32770) + std::string(32770, '\x80'), kKhCorrupt,
       TErrorClass::ecKH},
      {"KH: unknown chunk flag", kh + Le16(6) + Bytes({7, 1, 2, 3, 4, 5}), kKhCorrupt, TErrorClass::ecKH},
      {"KH: control word cut short", kh + Le16(2) + Bytes({64, 0}), kKhCorrupt, TErrorClass::ecKH},
      {"KH: copy item cut short", kh + Le16(4) + Bytes({64, 0x80, 0, 0x12}), kKhCorrupt, TErrorClass::ecKH},
      {"KH: copy from before the block", kh + Le16(5) + Bytes({64, 0x80, 0, 0x00, 0x10}), kKhCorrupt,
       TErrorClass::ecKH},
      {"KH: run item cut short", kh + Le16(6) + Bytes({64, 0x80, 0, 0, 0, 0}), kKhCorrupt, TErrorClass::ecKH},
      {"KH: runs past the block end", Header("WRZL", 40000) + Le16(static_cast<int>(longRuns.size())) + longRuns,
       kKhCorrupt, TErrorClass::ecKH},
      {"KH: block shorter than the size", kh + Le16(4) + Bytes({128, 1, 2, 3}), kKhSizeMismatch,
       TErrorClass::ecKH},
      {"KH: block longer than the size", kh + Le16(7) + Bytes({128, 1, 2, 3, 4, 5, 6}), kKhSizeMismatch,
       TErrorClass::ecKH},
      {"KH: full blocks beyond the size", Header("WRZL", 10) + full + full, kKhSizeMismatch, TErrorClass::ecKH},
      {"KH: negative size", Header("WRZL", -1) + Le16(1) + Bytes({128}), kKhSizeMismatch, TErrorClass::ecKH},
      {"KH: chunk after a full block missing", Header("WRZL", 40000) + full, khRead, TErrorClass::ecKH},
      {"LZH: no bit stream", Header("!HZL", 4), lzhRead, TErrorClass::ecLZH},
      {"LZH: bit stream ends before the size", Header("!HZL", 10) + aaaa, lzhRead, TErrorClass::ecLZH},
      {"LZH: match runs past the size", Header("!HZL", 2) + aaaa, kLzhSizeMismatch, TErrorClass::ecLZH},
      {"LZH: negative size", Header("!HZL", -5) + aaaa, kLzhSizeMismatch, TErrorClass::ecLZH},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ExpectFailure([&] { Unpack(c.input); }, c.message, c.cls);
  }
}

TEST(CompressorErrors, MissingOrUnusableStreams) {
  const std::string packed = Pack("some data", cmCompressorKH);
  TMemoryView in(packed);
  TMemoryStream out;
  const std::string readOnlyBytes = "read only";
  TMemoryView readOnly(readOnlyBytes);

  for (const bool decompress : {false, true}) {
    SCOPED_TRACE(decompress ? "Decompress" : "Compress");
    const auto run = [&](TStream* input, TStream* output) {
      TCompressor c;
      c.StreamMode = true;
      c.InputStream = input;
      c.OutputStream = output;
      in.SetPosition(0);
      if (decompress) {
        c.Decompress();
      } else {
        c.Compress();
      }
    };
    ExpectFailure([&] { run(nullptr, &out); }, kInitInput, TErrorClass::ecAny);
    ExpectFailure([&] { run(&in, nullptr); }, kInitOutput, TErrorClass::ecAny);
    ExpectFailure([&] { run(&in, &readOnly); }, kWriteStream, TErrorClass::ecAny);
  }

  TCompressor c;
  c.StreamMode = true;
  ExpectFailure([&] { c.Advise(); }, kAdviseInitInput, TErrorClass::ecAny);
}
