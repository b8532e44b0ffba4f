// Fonts made from logical font records, their metrics and text widths.
#include <gtest/gtest.h>

#include <QFontMetrics>

#include "toolkit/qt/QtFontFactory.h"

namespace ql {
namespace {

TFontDescription Font(const char* face, int32_t height) {
  TFontDescription d;
  d.FaceName = face;
  d.Height = height;
  return d;
}

TEST(QtFontFactory, MakesTheQFontTheRecordDescribes) {
  TQtFontFactory fonts;
  TFontDescription styled = Font("Courier New", -13);
  styled.Weight = FW_BOLD;
  styled.Italic = styled.Underline = styled.StrikeOut = true;
  const QFont* q = fonts.QFontOf(fonts.CreateFont(styled, TFontTarget::Screen));
  ASSERT_NE(q, nullptr);
  EXPECT_EQ(q->pixelSize(), 13);
  EXPECT_EQ(q->weight(), QFont::Bold);
  EXPECT_TRUE(q->italic() && q->underline() && q->strikeOut());

  const QFont* plain = fonts.QFontOf(fonts.CreateFont(Font("Courier New", -13), TFontTarget::Screen));
  EXPECT_EQ(plain->weight(), QFont::Normal);
  EXPECT_FALSE(plain->italic() || plain->underline() || plain->strikeOut());
  // A positive height is the whole cell, so the characters are smaller.
  const QFont* cell = fonts.QFontOf(fonts.CreateFont(Font("Courier New", 20), TFontTarget::Screen));
  EXPECT_LT(cell->pixelSize(), 20);
  EXPECT_GT(cell->pixelSize(), 10);
}

TEST(QtFontFactory, MetricsAreTheFontsAndAFixedPitchFontHasOneWidth) {
  TQtFontFactory fonts;
  const TFontHandle mono = fonts.CreateFont(Font("Courier New", -13), TFontTarget::Screen);
  const TTextMetrics m = fonts.Metrics(mono);
  EXPECT_EQ(m.Height, m.Ascent + m.Descent);
  EXPECT_GE(m.Height, 13);
  EXPECT_TRUE(m.FixedPitch);
  EXPECT_EQ(fonts.TextWidth(mono, "W"), fonts.TextWidth(mono, "i"));
  EXPECT_EQ(fonts.TextWidth(mono, "x"), m.AveCharWidth);
  EXPECT_EQ(fonts.TextWidth(mono, ""), 0);

  const TFontHandle sans = fonts.CreateFont(Font("Tahoma", -11), TFontTarget::Screen);
  EXPECT_FALSE(fonts.Metrics(sans).FixedPitch);
  EXPECT_GT(fonts.TextWidth(sans, "W"), fonts.TextWidth(sans, "i"));
}

// The editor measures a row run by run and places each run where the previous one ended: the
// widths must add up exactly, in whole pixels, and agree with what Qt itself measures.
TEST(QtFontFactory, WidthsOfRunsAddUpToTheWidthOfTheWhole) {
  TQtFontFactory fonts;
  for (const char* face : {"Courier New", "Tahoma"}) {
    for (const int32_t height : {-9, -13, -16}) {
      const TFontHandle font = fonts.CreateFont(Font(face, height), TFontTarget::Screen);
      const QFontMetrics qt(*fonts.QFontOf(font));
      for (const std::string text : {"AVAWAY", "<xsl:template match=\"/\">", "caf\xC3\xA9 \xE2\x82\xAC 1"}) {
        int32_t sum = 0;
        for (size_t i = 0; i < text.size();) {
          size_t n = 1;
          while (i + n < text.size() && (static_cast<unsigned char>(text[i + n]) & 0xC0) == 0x80) ++n;
          sum += fonts.TextWidth(font, text.substr(i, n));
          i += n;
        }
        const int32_t whole = fonts.TextWidth(font, text);
        EXPECT_EQ(whole, sum) << face << " " << height << " " << text;
        EXPECT_EQ(whole, qt.horizontalAdvance(QString::fromStdString(text))) << face << " " << height << " " << text;
      }
    }
  }
}

TEST(QtFontFactory, PrinterFontsUseThePrinterResolutionAndFreedHandlesAreForgotten) {
  TQtFontFactory fonts;
  EXPECT_EQ(fonts.PixelsPerInchY(TFontTarget::Printer), 600);
  EXPECT_GT(fonts.PixelsPerInchY(TFontTarget::Screen), 0);
  const TFontHandle printer = fonts.CreateFont(Font("Courier New", -83), TFontTarget::Printer);
  EXPECT_GT(fonts.TextWidth(printer, "x"), 40);
  EXPECT_EQ(fonts.LiveFontCount(), 1);
  fonts.DeleteFont(printer);
  fonts.DeleteFont(0);
  EXPECT_EQ(fonts.LiveFontCount(), 0);
  EXPECT_EQ(fonts.QFontOf(printer), nullptr);
  // A handle the factory does not know measures in a default font instead of failing.
  EXPECT_GT(fonts.Metrics(printer).Height, 0);
  EXPECT_GT(fonts.TextWidth(12345, "abc"), 0);
}

}  // namespace
}  // namespace ql
