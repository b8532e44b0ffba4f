// File-name rules, the processor's command line and the temporary copies.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/CommandLine.h"
#include "app/FileNames.h"
#include "app/TempCopies.h"
#include "toolkit/Exception.h"

namespace ql {
namespace {

namespace fs = std::filesystem;

TEST(FileNames, ExtensionFolderAndUntitled) {
  struct {
    const char* name;
    const char* ext;
    const char* dir;
  } const cases[] = {
      {"/d/books.xml", ".xml", "/d"},     {"/d/Sample.XSL", ".XSL", "/d"}, {"/d.x/noext", "", "/d.x"},
      {"/d/a.b.xsl", ".xsl", "/d"},       {"/books.xml", ".xml", "/"},     {"plain", "", ""},
      {"/d/.hidden", ".hidden", "/d"},    {"/d/x:y.xml", ".xml", "/d"},    {"/d/trail.", ".", "/d"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ExtractFileExt(c.name), c.ext) << c.name;
    EXPECT_EQ(ExtractFileDir(c.name), c.dir) << c.name;
  }
  EXPECT_TRUE(IsUntitled("/home/Untitled stuff/a.xml"));
  EXPECT_FALSE(IsUntitled("/home/untitled.xml"));
  EXPECT_EQ(IncludeTrailingSlash("/"), "/");
  EXPECT_EQ(IncludeTrailingSlash("/a"), "/a/");
}

TEST(FileNames, TemporaryCopyNames) {
  EXPECT_EQ(TempCopyName("/data/books.xml", 0), "/data/books__~tmp.xml");
  EXPECT_EQ(TempCopyName("/data/books.xml", 2), "/data/books__~tmp2.xml");
  EXPECT_EQ(TempCopyName("/d/Untitled.xsl", 0), "/d/Untitled__~tmp.xsl");
  EXPECT_EQ(TempCopyName("/d.x/noext", 0), "/d.x/noext__~tmp");
  EXPECT_EQ(TempCopyName("/top.xml", 0), "/top__~tmp.xml");
}

TEST(CommandLine, SplitsAsAShellWould) {
  struct {
    const char* line;
    std::vector<std::string> words;
  } const cases[] = {
      {"a b  c", {"a", "b", "c"}},
      {"\"a b\" 'c d' e\\ f", {"a b", "c d", "e f"}},
      {"\"x\\\"y\\\\z\\$\\`\\n\"", {"x\"y\\z$`\\n"}},
      {"'it''s' \"\"", {"its", ""}},
      {"pre\"mid\"post", {"premidpost"}},
      {"  ", {}},
  };
  for (const auto& c : cases) EXPECT_EQ(SplitCommandLine(c.line), c.words) << c.line;
  EXPECT_THROW(SplitCommandLine("\"open"), Exception);
  EXPECT_THROW(SplitCommandLine("'open"), Exception);
}

TEST(CommandLine, EveryNameSurvivesTheRoundTrip) {
  const std::string names[] = {"/opt/my programs/saxon", "/a\"b/c", "/x\\y/$HOME/`z`", "/d/it's", "/e/tab\there", "/f/new\nline"};
  for (const std::string& name : names) {
    const std::string line = BuildTransformCommandLine(name, "/r/results.txt", name + ".xml", "/s t/s.xsl");
    EXPECT_EQ(SplitCommandLine(line), (std::vector<std::string>{name, "-o", "/r/results.txt", name + ".xml", "/s t/s.xsl"}))
        << line;
  }
  EXPECT_EQ(BuildTransformCommandLine("/p/saxon", "/p/results.txt", "/d/a.xml", "/d/b.xsl"),
            "\"/p/saxon\" -o \"/p/results.txt\" \"/d/a.xml\" \"/d/b.xsl\"");
}

class TempCopiesTest : public ::testing::Test {
protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("quillon-copies-" + std::to_string(::getpid()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  static std::string Read(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
  fs::path dir_;
};

TEST_F(TempCopiesTest, NeverTakesAnExistingNameAndRemovesOnlyItsOwnFiles) {
  std::ofstream(dir_ / "doc__~tmp.xml") << "user's";
  std::string first, second;
  {
    TTempCopies copies;
    first = copies.Make((dir_ / "doc.xml").string(), std::string("one\r\n\0two", 9));
    second = copies.Make((dir_ / "doc.xml").string(), "three");
    EXPECT_EQ(first, (dir_ / "doc__~tmp1.xml").string());
    EXPECT_EQ(second, (dir_ / "doc__~tmp2.xml").string());
    EXPECT_EQ(Read(first), std::string("one\r\n\0two", 9));
    EXPECT_EQ(Read(second), "three");
    // A file saved over a copy's name since is someone else's now.
    fs::remove(second);
    std::ofstream(second) << "saved over";
  }
  EXPECT_FALSE(fs::exists(first));
  EXPECT_EQ(Read(second), "saved over");
  EXPECT_EQ(Read(dir_ / "doc__~tmp.xml"), "user's");
}

TEST_F(TempCopiesTest, AFolderThatIsGoneRaisesTheFileError) {
  TTempCopies copies;
  EXPECT_THROW(copies.Make((dir_ / "gone" / "a.xml").string(), "x"), Exception);
  EXPECT_TRUE(copies.Names().empty());
}

}  // namespace
}  // namespace ql
