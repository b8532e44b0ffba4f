#include <gtest/gtest.h>

#include <algorithm>

#include "ExportTesting.h"
#include "services/RtfExport.h"

namespace ql::test {
namespace {

class RtfExport : public ExportTest {
protected:
  std::string Rtf(const TExportInput& in) { return Export(ExportRTF, in); }
};

constexpr char kFonts[] = "{\\rtf1 \\deff1{\\fonttbl {\\f1 \\fnil\\fcharset1 Courier New;}}\r\n";

TEST_F(RtfExport, WritesEveryFontStyleAndColourChangeOnce) {
  Load("<x a=\"&\">\tz\rp<q{\\}'\r\xC3\xA9w", "112223331040" "--------" "500");
  EXPECT_EQ(Rtf(Input()),
            std::string(kFonts) +
                // Style 0's colours first, then each new colour of the defined styles once: style 2
                // repeats style 1's, style 4 and 5 (default text) style 0's.
                "{\\colortbl\\red0\\green0\\blue0;\\red255\\green255\\blue255;\\red128\\green0\\blue0;"
                "\\red0\\green0\\blue128;\\red255\\green255\\blue0;}\r\n"
                "{\\f1\\fs20\\cf0\\cb1 "
                "\\b1 \\cf2 <x\\i1  a=\\i0 \\cf3 \\cb4\\chcbpat4 \"&\"\\cf2 \\cb1\\chcbpat1 >\\b0 \\cf0 \\tab \\ul1 \\strike1 z\\ul0 \\strike0 \\line \r\n"
                "p<q\\{\\\\\\}\\'27\\line \r\n"
                "\\i1 \\u233\\'e9\\i0 w\r\n"
                "}}");
}

TEST_F(RtfExport, EmptyTextRangesAndTheFont) {
  TExportInput in = Input();
  in.Font = {"Liberation Mono", 12, 0};
  const std::string empty = Rtf(in);
  EXPECT_EQ(empty.substr(0, empty.find("\r\n")), "{\\rtf1 \\deff1{\\fonttbl {\\f1 \\fnil\\fcharset0 Liberation Mono;}}");
  EXPECT_TRUE(empty.ends_with("{\\f1\\fs24\\cf0\\cb1 }}")) << empty;

  Load("ab\rcd", "11000");
  in = Input();
  in.Start = 4;
  in.End = 1;
  const std::string rtf = Rtf(in);
  EXPECT_TRUE(rtf.ends_with("{\\f1\\fs20\\cf0\\cb1 \\b1 \\cf2 b\\b0 \\cf0 \\line \r\nc\r\n}}")) << rtf;
}

TEST_F(RtfExport, ColourTableHoldsAtMost256Colours) {
  // 200 styles with two new colours each: the table is full after 127 of them.
  for (int n = 1; n <= 200; ++n) {
    settings.SetStyle(static_cast<uint8_t>(n), TStyleEffect{0, RGB(0, 0, static_cast<uint8_t>(n)),
                                                            RGB(0, 1, static_cast<uint8_t>(n)), false, false, false, 1});
    settings.SetMap(static_cast<uint8_t>(n), static_cast<uint8_t>(n));
  }
  // Style 10 is in the table; style 200's colours are not: the default colours then.
  Load("ab", "\x3A\xF8");  // values 10 and 200 through the digit offset of the fixture
  const std::string rtf = Rtf(Input());
  const std::string table = rtf.substr(rtf.find("{\\colortbl"), rtf.find("}\r\n{\\f1") - rtf.find("{\\colortbl"));
  EXPECT_EQ(std::count(table.begin(), table.end(), ';'), 256);
  EXPECT_TRUE(rtf.ends_with("\\cf20 \\cb21\\chcbpat21 a\\cf0 \\cb1\\chcbpat1 b\r\n}}")) << rtf.substr(rtf.size() - 60);
}

TEST_F(RtfExport, SystemColoursAreResolved) {
  settings.SetStyle(0, TStyleEffect{0, clBlack, clWhite, true, true, false, 1});
  TExportInput in = Input();
  in.ResolveColor = [](TColor c) { return c == clWindowText ? RGB(1, 2, 3) : c == clWindow ? RGB(4, 5, 6) : c; };
  const std::string rtf = Rtf(in);
  EXPECT_NE(rtf.find("{\\colortbl\\red1\\green2\\blue3;\\red4\\green5\\blue6;"), std::string::npos) << rtf;
}

TEST(RtfEscapeTable, EveryClassOfCharacter) {
  struct Case {
    char32_t c;
    const char* written;
  } cases[] = {{0, ""},          {'\t', "\\tab "},      {'\f', "\\page "},   {'\r', "\\line "},
               {'\'', "\\'27"},  {'\\', "\\\\"},        {'{', "\\{"},        {'}', "\\}"},
               {1, "\\'01"},     {27, "\\'1b"},         {'a', "a"},          {'"', "\""},
               {233, "\\u233\\'e9"}, {0x20AC, "\\u8364\\'80"}, {0x4E2D, "\\u20013?"}, {0xFFFD, "\\u-3?"},
               {0x1F600, "\\u-10179?\\u-8704?"}};
  for (const Case& c : cases) {
    std::string out;
    RtfEscape(c.c, out);
    EXPECT_EQ(out, c.written) << static_cast<uint32_t>(c.c);
  }
}

}  // namespace
}  // namespace ql::test
