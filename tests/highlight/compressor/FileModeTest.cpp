// File mode: round trips through files, and failures that leave no output file behind.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "CompressorTestSupport.h"
#include "toolkit/FileStream.h"

using namespace ql;
using namespace ql::test;
using namespace ql::CompressorText;

namespace {

class CompressorFiles : public ::testing::Test {
protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() /
           ("quillon-compressor-" + std::to_string(::getpid()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  std::string Path(const char* name) const { return (dir_ / name).string(); }
  static void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
  }
  static std::string ReadFile(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
  }
  static TCompressor Files(const std::string& in, const std::string& out) {
    TCompressor c;
    c.InputFile = in;
    c.OutputFile = out;
    return c;
  }
  // Runs f and returns the compressor message it raised.
  template <class F>
  static std::string Failure(F&& f) {
    try {
      f();
    } catch (const ECompressorException& e) {
      return e.Message;
    }
    return "(no exception)";
  }

  std::filesystem::path dir_;
};

}  // namespace

TEST_F(CompressorFiles, RoundTripBothMethods) {
  const std::string data = StructuredBytes(100000, 11);
  WriteFile(Path("plain"), data);
  for (const TCompressionMethod method : {cmCompressorKH, cmLZH, cmAdvise}) {
    SCOPED_TRACE(method);
    TCompressor c = Files(Path("plain"), Path("packed"));
    c.Method = method;
    const int64_t packedSize = c.Compress();
    EXPECT_EQ(packedSize, static_cast<int64_t>(std::filesystem::file_size(Path("packed"))));
    EXPECT_EQ(ReadFile(Path("packed")), Pack(data, method));

    TCompressor d = Files(Path("packed"), Path("unpacked"));
    EXPECT_EQ(d.Decompress(), static_cast<int64_t>(data.size()));
    EXPECT_EQ(ReadFile(Path("unpacked")), data);
  }
}

TEST_F(CompressorFiles, FailuresNameTheFileAndRemoveTheOutput) {
  const std::string kh = Pack(StructuredBytes(50000, 2), cmCompressorKH);
  const std::string lzh = Pack(StructuredBytes(50000, 2), cmLZH);
  WriteFile(Path("truncated"), kh.substr(0, kh.size() / 2));
  WriteFile(Path("truncated-lzh"), lzh.substr(0, lzh.size() / 2));
  WriteFile(Path("noheader"), "plain text, not compressed");
  WriteFile(Path("out-existing"), "old");

  EXPECT_EQ(Failure([&] { Files(Path("truncated"), Path("out")).Decompress(); }),
            kReadFile + Path("truncated") + kKhSuffix);
  EXPECT_FALSE(FileExists(Path("out")));
  EXPECT_EQ(Failure([&] { Files(Path("truncated-lzh"), Path("out")).Decompress(); }),
            kReadFile + Path("truncated-lzh") + kLzhSuffix);
  EXPECT_FALSE(FileExists(Path("out")));

  // A file without a header is refused before the output is touched.
  EXPECT_EQ(Failure([&] { Files(Path("noheader"), Path("out-existing")).Decompress(); }),
            Path("noheader") + kNoHeaderFile);
  EXPECT_EQ(ReadFile(Path("out-existing")), "old");

  EXPECT_EQ(Failure([&] { Files(Path("missing"), Path("out")).Compress(); }), kOpenInput + Path("missing"));
  EXPECT_EQ(Failure([&] { Files(Path("missing"), Path("out")).Decompress(); }), kOpenInput + Path("missing"));
  EXPECT_FALSE(FileExists(Path("out")));
  const std::string unwritable = Path("no-such-dir/out");
  EXPECT_EQ(Failure([&] { Files(Path("noheader"), unwritable).Compress(); }), kOpenOutput + unwritable);

  TCompressor advise = Files(Path("missing"), Path("out"));
  EXPECT_EQ(Failure([&] { advise.Advise(); }), kAdviseOpenInput + Path("missing"));
}

TEST_F(CompressorFiles, OutputThatIsTheInputIsRefused) {
  const std::string data = StructuredBytes(5000, 4);
  WriteFile(Path("same"), data);
  EXPECT_EQ(Failure([&] { Files(Path("same"), Path("same")).Compress(); }), kOpenOutput + Path("same"));
  std::filesystem::create_symlink(Path("same"), Path("alias"));
  EXPECT_EQ(Failure([&] { Files(Path("same"), Path("alias")).Compress(); }), kOpenOutput + Path("alias"));
  EXPECT_EQ(ReadFile(Path("same")), data);
}
