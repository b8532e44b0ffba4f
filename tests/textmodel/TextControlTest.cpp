#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "StoreChecks.h"
#include "textmodel/InkMemoErrors.h"
#include "textmodel/TextControl.h"
#include "toolkit/FileStream.h"
#include "toolkit/MemoryStream.h"

using namespace ql;
using ql::test::ExpectConsistent;
using ql::test::StoredText;
namespace fs = std::filesystem;

namespace {

std::string Saved(TTextControl& c) {
  TMemoryStream s;
  c.SaveToStream(&s);
  return s.Bytes();
}

std::string ReadFile(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

void WriteFile(const fs::path& p, const std::string& bytes) {
  std::ofstream out(p, std::ios::binary);
  out << bytes;
}

class TextControlFiles : public ::testing::Test {
protected:
  void SetUp() override {
    dir = fs::temp_directory_path() / ("quillon-tc-" + std::to_string(::getpid()) + "-" +
                                       ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir);
    fs::create_directories(dir);
  }
  void TearDown() override { fs::remove_all(dir); }
  fs::path dir;
};

// A stream that accepts only part of each write, as a full disk would.
class ShortWriteStream : public TMemoryStream {
public:
  int32_t Write(const void* buffer, int32_t count) override {
    return TMemoryStream::Write(buffer, count > 1 ? count / 2 : count);
  }
};

// A stream whose position does not move although it claims to have written.
class LyingStream : public TMemoryStream {
public:
  int32_t Write(const void*, int32_t count) override { return count; }
};

}  // namespace

TEST(TextControl, LoadsWithEveryLineBreakForm) {
  TTextControl c;
  c.SetText("a\r\nb\r\n");
  EXPECT_EQ(StoredText(c.Store()), "a\rb\r");
  EXPECT_EQ(c.Store().TextLength, 4);
  c.SetText("x\ny\n\rz\r");
  EXPECT_EQ(StoredText(c.Store()), "x\ry\rz\r");
  EXPECT_EQ(c.SelCaret(), 0);
  EXPECT_FALSE(c.GetModified());
}

TEST(TextControl, LoadKeepsBreakPairsWholeAcrossBlocks) {
  struct Case {
    const char* name;
    std::string text;
    std::string stored;
  };
  std::string crlf(8191, 'a');
  crlf += "\r\n";  // 8192nd byte is CR, last byte LF
  std::string lfcr(8191, 'a');
  lfcr += "\n\rz";  // the pair straddles the first block's end
  std::string longer(8190, 'a');
  longer += "\n\r\n\rb";
  const Case cases[] = {
      {"CR LF at the block end", crlf, std::string(8191, 'a') + "\r"},
      {"LF CR at the block end", lfcr, std::string(8191, 'a') + "\rz"},
      {"two pairs around the block end", longer, std::string(8190, 'a') + "\r\rb"},
  };
  for (const auto& cs : cases) {
    TTextControl c;
    TMemoryStream s(cs.text);
    c.LoadFromStream(s);
    EXPECT_EQ(StoredText(c.Store()), cs.stored) << cs.name;
    ExpectConsistent(c.Store());
  }
}

TEST(TextControl, SavesInTheChosenForm) {
  TTextControl c;
  c.SetText("a\rb");
  EXPECT_EQ(Saved(c), "a\r\nb");
  EXPECT_EQ(c.GetText(), "a\r\nb");
  c.Store().LineStyle = lsLF;
  EXPECT_EQ(Saved(c), "a\rb");
  EXPECT_EQ(c.GetText(), "a\rb");
  EXPECT_EQ(c.GetTextLength(), 3);
  c.SaveFormat = sfUNIX;
  EXPECT_EQ(Saved(c), "a\nb");
}

TEST(TextControl, SaveErrors) {
  TTextControl c;
  c.SetText("hello\r\nworld");
  try {
    c.SaveToStream(nullptr);
    FAIL();
  } catch (const EFileSaveError& e) {
    EXPECT_EQ(e.Message, "Bad TStream instance");
  }
  ShortWriteStream shortWrite;
  EXPECT_THROW(c.SaveToStream(&shortWrite), EWriteError);
  LyingStream lying;
  try {
    c.SaveToStream(&lying);
    FAIL();
  } catch (const EFileSaveError& e) {
    EXPECT_EQ(e.Message, "Could not save text to stream");
  }
  EXPECT_EQ(c.GetText(), "hello\r\nworld") << "a failed save leaves the text alone";
}

TEST(TextControl, ModifiedFollowsEditsAndClears) {
  TTextControl c;
  c.SetText("abc");
  EXPECT_FALSE(c.GetModified());
  c.SetSelection(1, 2);
  c.ReplaceSelection("XY");
  EXPECT_EQ(c.GetText(), "aXYc");
  EXPECT_EQ(c.SelCaret(), 3);
  EXPECT_TRUE(c.GetModified());
  c.SetModified(true);
  EXPECT_TRUE(c.GetModified());
  c.SetModified(false);
  EXPECT_FALSE(c.GetModified());
  c.ReplaceSelection("z");
  c.Clear();
  EXPECT_EQ(c.Store().TextLength, 0);
  EXPECT_FALSE(c.GetModified());
}

TEST_F(TextControlFiles, FileRoundTripSetsFileName) {
  const fs::path p = dir / "doc.xml";
  WriteFile(p, "<a>\n<b/>\n</a>");
  TTextControl c;
  c.SetTitleAsFilename(true);
  c.LoadFromFile(p.string());
  EXPECT_EQ(c.FileName, p.string());
  EXPECT_EQ(c.Store().RowCount, 3);
  const fs::path q = dir / "copy.xml";
  c.SaveToFile(q.string());
  EXPECT_EQ(ReadFile(q), "<a>\r\n<b/>\r\n</a>");
  EXPECT_EQ(c.FileName, q.string());
  EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 2) << "no temporary file is left";
}

TEST_F(TextControlFiles, LoadingAMissingFileChangesNothing) {
  TTextControl c;
  c.SetText("keep");
  const std::string missing = (dir / "nope.xml").string();
  try {
    c.LoadFromFile(missing);
    FAIL();
  } catch (const EFOpenError& e) {
    EXPECT_EQ(e.Message, "File '" + missing + "' cannot be opened for reading");
  }
  EXPECT_EQ(c.GetText(), "keep");
}

TEST_F(TextControlFiles, FailedSaveLeavesTheOldFileIntact) {
  // Exporting fails half-way, as a full disk would make it.
  struct FailingExport : TTextControl {
    void ExportText(TSaveFormat, TStream& s) override {
      s.WriteBuffer("partial", 7);
      throw EWriteError();
    }
  } c;
  const fs::path p = dir / "doc.xml";
  WriteFile(p, "precious");
  c.SetText("new text");
  c.SaveFormat = sfRTF;
  EXPECT_THROW(c.SaveToFile(p.string()), EFileSaveError);
  EXPECT_EQ(ReadFile(p), "precious");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
}

TEST_F(TextControlFiles, SaveKeepsPermissionsAndLinks) {
  const fs::path real = dir / "real.xsl";
  const fs::path link = dir / "link.xsl";
  WriteFile(real, "old");
  ::chmod(real.c_str(), 0640);
  fs::create_symlink(real, link);
  TTextControl c;
  c.SetText("new");
  c.SaveToFile(link.string());
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(ReadFile(real), "new");
  struct stat st {};
  ASSERT_EQ(::stat(real.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
}

// Once an editor runs them, the control's hooks (re-highlighting, layout) may fail, and a stream
// may fail half-way. Either way the load ends: the rows read stay, the store leaves bulk mode,
// the parser comes back, edits are recorded again, and the first failure reaches the caller.
TEST(TextControl, ALoadEndsWhenAHookOrTheStreamFails) {
  struct Control : TTextControl {
    bool failHook = false;
    int reattached = 0;
    void WholeTextChanged() override {
      if (failHook) throw EInkMemo("layout failed");
    }
    void ReattachParser() override { ++reattached; }
  } c;
  c.failHook = true;
  try {
    c.SetText("a\rb");
    FAIL();
  } catch (const EInkMemo& e) {
    EXPECT_EQ(e.Message, "layout failed");
  }
  EXPECT_EQ(StoredText(c.Store()), "a\rb");
  EXPECT_EQ(c.reattached, 1) << "the parser comes back although an earlier hook failed";
  EXPECT_FALSE(c.Store().BulkAppending());
  c.ReplaceSelection("x");
  EXPECT_EQ(StoredText(c.Store()), "xa\rb");
  EXPECT_TRUE(c.GetModified());

  struct FailingStream : TMemoryStream {
    using TMemoryStream::TMemoryStream;
    int reads = 0;
    int32_t Read(void* buffer, int32_t count) override {
      if (++reads == 2) throw EReadError();
      return TMemoryStream::Read(buffer, count);
    }
  } stream(std::string(20000, 'q'));
  c.failHook = false;
  EXPECT_THROW(c.LoadFromStream(stream), EReadError);
  EXPECT_EQ(c.Store().TextLength, 8192) << "the block read before the failure stays";
  EXPECT_EQ(c.reattached, 2);
  EXPECT_FALSE(c.Store().BulkAppending());
  ExpectConsistent(c.Store());
}
