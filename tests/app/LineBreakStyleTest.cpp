// A document is saved with the line breaks its file had; new documents get LF.
#include <QTest>

#include "WorkbenchFixture.h"
#include "app/LineBreakStyle.h"

namespace ql::test {
namespace {

TEST(LineBreakStyle, IsTheFirstBreaksStyle) {
  struct TCase {
    const char* bytes;
    bool atEnd;
    bool found;
    TLineBreakStyle style;
  } const cases[] = {
      {"a\r\nb\nc", false, true, TLineBreakStyle::CRLF}, {"a\nb\r\n", false, true, TLineBreakStyle::LF},
      {"a\rb\r\n", false, true, TLineBreakStyle::CR},    {"a\r", false, false, TLineBreakStyle::LF},
      {"a\r", true, true, TLineBreakStyle::CR},          {"abc", true, false, TLineBreakStyle::LF},
  };
  for (const TCase& c : cases) {
    TLineBreakStyle style = TLineBreakStyle::LF;
    EXPECT_EQ(FirstLineBreakStyle(c.bytes, c.atEnd, style), c.found) << c.bytes;
    if (c.found) {
      EXPECT_EQ(style, c.style) << c.bytes;
    }
  }
}

using LineBreaks = WorkbenchTest;

TEST_F(LineBreaks, SaveWritesTheBreaksTheFileHad) {
  const std::string longFirstLine(40000, 'x');  // the first break lies beyond the first block read
  struct TCase {
    std::string file, saved;
  } const cases[] = {
      {"<a>\n<b/>\n</a>", "!<a>\n<b/>\n</a>"},
      {"<a>\r\n<b/>\n</a>", "!<a>\r\n<b/>\r\n</a>"},
      {"<a>\r<b/>\r</a>", "!<a>\r<b/>\r</a>"},
      {longFirstLine + "\r\n<a/>", "!" + longFirstLine + "\r\n<a/>"},
      {"<a/>", "!<a/>"},
  };
  for (const TCase& c : cases) {
    WriteFile(Docs / "in.xml", c.file);
    TqlnInkMemo memo;
    memo.LoadFromFile((Docs / "in.xml").string());
    QTest::keyClicks(&memo, "!");
    memo.SaveToFile((Docs / "out.xml").string());
    EXPECT_EQ(ReadFile(Docs / "out.xml"), c.saved) << c.file.substr(0, 12);
  }
}

TEST_F(LineBreaks, NewDocumentsAreSavedWithLF) {
  W().bbFileNewXSLT->trigger();
  Dialogs.FileNames = {QString::fromStdString((Docs / "new.xsl").string())};
  W().bbFileSave->trigger();
  const std::string saved = ReadFile(Docs / "new.xsl");
  EXPECT_EQ(saved.find('\r'), std::string::npos);
  EXPECT_EQ(std::count(saved.begin(), saved.end(), '\n'), 3);
}

}  // namespace
}  // namespace ql::test
