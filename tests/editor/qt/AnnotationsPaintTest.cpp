// What the annotations add to the editor's Qt window: the glyph strips in the gutter, the row
// colours of a breakpoint, a red wavy mark, blank and line-end marks and the focus line. With
// QUILLON_SNAPSHOT_DIR set the window is also saved there as annotations.png.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <cstdlib>
#include <memory>

#include "editor/qt/QtInkMemo.h"
#include "services/SM_Settings.h"
#include "toolkit/qt/QtFontFactory.h"

namespace ql::test {
namespace {

int CountPixels(const QImage& image, const QRect& area, QRgb colour) {
  int n = 0;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) n += image.pixel(x, y) == colour ? 1 : 0;
  }
  return n;
}

TEST(QtAnnotations, GlyphsColoursMarksAndFocusLineReachTheWindow) {
  InstallQtFontFactory();
  auto memo = std::make_unique<TQtInkMemo>();
  memo->resize(520, 260);
  TInkMemoOptions options = memo->GetOptions();
  options.Include(smoShowAllChars);
  options.Include(smoLineNumbers);
  memo->SetOptions(options);
  memo->SetText("<xsl:stylesheet version=\"1.0\">\r  <xsl:template match=\"/\">\r\t<out>text</out>\r  </xsl:template>\r"
                "</xsl:stylesheet>\r");
  memo->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(memo.get()));
  memo->SetBookmark(1, 1, 1);
  memo->SetBookmark(2, 4, 1);
  memo->AddBreakpoint(memo->Store().RowStart(1));
  memo->SetExecPoint(memo->Store().RowStart(3));
  memo->AddMark(memo->Store().RowStart(2) + 6, 4, 0);
  memo->SetShowFocusLine(true);
  memo->SetSelection(memo->Store().RowStart(4) + 3, memo->Store().RowStart(4) + 3);
  QApplication::processEvents();
  const QImage shot = memo->viewport()->grab().toImage();
  if (const char* dir = std::getenv("QUILLON_SNAPSHOT_DIR")) shot.save(QString::fromLocal8Bit(dir) + "/annotations.png");

  const int lh = memo->LineHeight();
  const int gutter = memo->Settings().Gutter;
  const QRgb gutterBack = shot.pixel(gutter - 4, 5 * lh + 2);
  // Bookmark glyphs on rows 1 and 4, the breakpoint's on row 2: the gutter is not plain there.
  for (const int row : {0, 1, 3}) {
    EXPECT_LT(CountPixels(shot, QRect(1, row * lh, 15, lh - 1), gutterBack), 15 * (lh - 1)) << "row " << row;
  }
  // The breakpoint's row is red, the execution point's navy.
  EXPECT_EQ(shot.pixel(shot.width() - 10, lh + lh / 2), qRgb(255, 0, 0));
  EXPECT_EQ(shot.pixel(shot.width() - 10, 3 * lh + lh / 2), qRgb(0, 0, 128));
  // The wavy mark is red on the third row's bottom.
  EXPECT_GT(CountPixels(shot, QRect(memo->TextLeft(), 2 * lh + lh - 5, 200, 5), qRgb(255, 0, 0)), 5);
}

}  // namespace
}  // namespace ql::test
