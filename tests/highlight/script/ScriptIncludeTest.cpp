#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "ScriptReading.h"
#include "textmodel/CharClasses.h"

using namespace ql;
using ql::test::FirstError;
using ql::test::Tokens;

namespace {

// A folder of include files, removed afterwards.
class ScriptInclude : public ::testing::Test {
protected:
  void SetUp() override {
    char pattern[] = "/tmp/QlScriptIncXXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir_ = pattern;
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  void Write(const std::string& name, const std::string& text) {
    std::ofstream(dir_ + "/" + name, std::ios::binary) << text;
  }

  std::string dir_;
};

TEST_F(ScriptInclude, BothFormsReadTheFileInPlace) {
  Write("a.inc", "1 2");
  Write("defs.inc", "#define Z 7\r\n#define W 8");
  EXPECT_EQ(Tokens("#include <a.inc> 3", dir_), "1 2 3");
  EXPECT_EQ(Tokens("#include <a.inc> 3", dir_ + "/"), "1 2 3");
  EXPECT_EQ(Tokens("#include \"" + dir_ + "/a.inc\" 3", "/elsewhere"), "1 2 3");
  EXPECT_EQ(Tokens("#include\r\n/* file: */ <a.inc>#include <a.inc>", dir_), "1 2 1 2");
  // Definitions made in an included file stay after it.
  EXPECT_EQ(Tokens("#include <defs.inc>\r\nZ W", dir_), "7 8");
  // A macro may name an include.
  EXPECT_EQ(Tokens("#define INC #include <a.inc>\r\nINC INC", dir_), "1 2 1 2");
}

TEST_F(ScriptInclude, LinesOfIncludedFilesCountInTheOneCounter) {
  Write("two.inc", "1\r\n2\r\n");
  Write("bad.inc", "1\n\n  @");
  // After the file, the column is that after the directive again; the lines ran on.
  EXPECT_EQ(FirstError("#include <two.inc> ~", dir_),
            "** ERROR near line 3, Column 20: Unknown character in input stream: #$7e");
  EXPECT_EQ(FirstError("%%map\r\n#include <bad.inc>", dir_),
            "** ERROR near line 4, Column 3: Unknown character in input stream: #$40");
}

TEST_F(ScriptInclude, FailuresNameThePath) {
  Write("self.inc", "1 #include <self.inc>");
  Write("ping.inc", "#include <pong.inc>");
  Write("pong.inc", "#include <ping.inc>");
  std::filesystem::create_directory(dir_ + "/sub");
  const std::string lower = LowerText(dir_);
  EXPECT_EQ(FirstError("#include <self.inc>", dir_),
            "** ERROR near line 1, Column 12: Recursive expansion of macro '-file-: " + lower + "/self.inc'");
  EXPECT_EQ(FirstError("#include <ping.inc>", dir_),
            "** ERROR near line 1, Column 10: Recursive expansion of macro '-file-: " + lower + "/ping.inc'");
  EXPECT_EQ(FirstError("#include <missing.inc>", dir_),
            "** ERROR near line 1, Column 10: Unable to open #include file <" + dir_ + "/missing.inc>");
  EXPECT_EQ(FirstError("#include <sub>", dir_),
            "** ERROR near line 1, Column 10: Unable to open #include file <" + dir_ + "/sub>");
  EXPECT_EQ(FirstError("#include \"\"", dir_), "** ERROR near line 1, Column 10: Unable to open #include file \"\"");
}

TEST_F(ScriptInclude, NestingAndSizeAreBounded) {
  // f0 includes f1 includes ... f99: distinct files, so only the depth limit stops it.
  for (int i = 0; i < 100; ++i) Write(Format("f%d.inc", i), Format("#include <f%d.inc>", i + 1));
  Write("f100.inc", "1");
  EXPECT_EQ(FirstError("#include <f0.inc>", dir_).find(msgExpansionTooDeep) != std::string::npos, true);
  EXPECT_EQ(Tokens("#include <f60.inc>", dir_), "1");

  // Including the same large file again and again exhausts the expansion budget.
  Write("big.inc", std::string(1 << 20, ' ') + "1");
  std::string many;
  for (int i = 0; i < 10; ++i) many += "#include <big.inc>\r\n";
  EXPECT_EQ(Tokens(many.substr(0, 7 * 20), dir_), "1 1 1 1 1 1 1");
  EXPECT_NE(FirstError(many, dir_).find(msgExpansionTooLarge), std::string::npos);
}

}  // namespace
