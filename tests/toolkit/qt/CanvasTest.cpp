// Drawing through the canvas onto an image: fills, text with its background and clipping, runs
// placed side by side, lines, inversion, system colours and glyph strips.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <memory>

#include "toolkit/qt/QtCanvas.h"
#include "toolkit/qt/QtColors.h"
#include "toolkit/qt/QtFontFactory.h"

namespace ql {
namespace {

class CanvasTest : public ::testing::Test {
protected:
  CanvasTest() : image_(120, 40, QImage::Format_RGB32) { image_.fill(Qt::white); }

  // A painter and canvas over the image; Done() ends the painting.
  TQtCanvas& Canvas() {
    if (!painter_) {
      painter_ = std::make_unique<QPainter>(&image_);
      canvas_ = std::make_unique<TQtCanvas>(*painter_, &fonts_, QApplication::palette());
    }
    return *canvas_;
  }
  const QImage& Done() {
    canvas_.reset();
    painter_.reset();
    return image_;
  }
  TFontHandle MakeFont(const char* face, int32_t height) {
    TFontDescription d;
    d.FaceName = face;
    d.Height = height;
    return fonts_.CreateFont(d, TFontTarget::Screen);
  }
  TColor Pixel(int x, int y) { return FromQColor(image_.pixelColor(x, y)); }
  // Whether any pixel of the rectangle is not white.
  bool Inked(const QRect& r) {
    for (int y = r.top(); y <= r.bottom(); ++y) {
      for (int x = r.left(); x <= r.right(); ++x) {
        if (image_.pixel(x, y) != qRgb(255, 255, 255)) return true;
      }
    }
    return false;
  }

  TQtFontFactory fonts_;
  QImage image_;
  std::unique_ptr<QPainter> painter_;
  std::unique_ptr<TQtCanvas> canvas_;
};

TEST_F(CanvasTest, FillsExactlyTheRectangleAndHonoursTheClip) {
  Canvas().FillRect({10, 5, 20, 15}, clRed);
  const TRect clip{50, 0, 60, 40};
  Canvas().SetClip(&clip);
  Canvas().FillRect({40, 0, 70, 10}, clBlue);
  Canvas().SetClip(nullptr);
  Canvas().FillRect({0, 30, 5, 35}, clNone);  // nothing
  Done();
  EXPECT_EQ(Pixel(10, 5), clRed);
  EXPECT_EQ(Pixel(19, 14), clRed);
  EXPECT_EQ(Pixel(20, 14), clWhite);  // right and bottom are outside
  EXPECT_EQ(Pixel(19, 15), clWhite);
  EXPECT_EQ(Pixel(49, 5), clWhite);
  EXPECT_EQ(Pixel(50, 5), clBlue);
  EXPECT_EQ(Pixel(60, 5), clWhite);
  EXPECT_FALSE(Inked({0, 30, 5, 5}));
}

TEST_F(CanvasTest, TextFillsItsBackgroundAndStaysInsideItsRectangle) {
  const TFontHandle font = MakeFont("Courier New", -13);
  Canvas().SetFont(font);
  const int32_t w = Canvas().TextWidth("WWWWWWWWWW");
  const int32_t h = fonts_.Metrics(font).Height;
  // Opaque rectangle: filled with the background, the text cut at its right edge.
  const TRect rect{0, 0, 30, 20};
  Canvas().TextOut(0, 2, "WWWWWWWWWW", clBlack, clYellow, &rect);
  // No rectangle: the text's own cells are filled.
  Canvas().TextOut(0, 22, "ab", clBlack, clAqua);
  Done();
  ASSERT_GT(w, 30);
  EXPECT_EQ(Pixel(29, 0), clYellow);
  EXPECT_EQ(Pixel(29, 19), clYellow);
  EXPECT_FALSE(Inked({30, 0, 90, 20})) << "text drawn beyond its rectangle";
  EXPECT_EQ(Pixel(0, 22), clAqua);
  EXPECT_EQ(Pixel(fonts_.TextWidth(font, "ab") - 1, 22 + h - 1), clAqua);
  EXPECT_EQ(Pixel(fonts_.TextWidth(font, "ab"), 22), clWhite);
}

// A row drawn as several runs, each at the x where the previous one ended, must look exactly
// like the row drawn in one piece: otherwise columns drift and the caret stands beside its
// character.
TEST_F(CanvasTest, RunsDrawnSideBySideMatchTheWholeText) {
  for (const char* face : {"Courier New", "Tahoma"}) {
    const TFontHandle font = MakeFont(face, -13);
    const std::string text = "<xsl:value-of select=\"@id\"/>";
    QImage whole(300, 20, QImage::Format_RGB32), pieces(300, 20, QImage::Format_RGB32);
    for (QImage* target : {&whole, &pieces}) {
      target->fill(Qt::white);
      QPainter painter(target);
      TQtCanvas canvas(painter, &fonts_, QApplication::palette());
      canvas.SetFont(font);
      if (target == &whole) {
        canvas.TextOut(2, 0, text, clBlack, clNone);
      } else {
        int32_t x = 2;
        for (size_t at = 0; at < text.size(); at += 5) {
          const std::string run = text.substr(at, 5);
          canvas.TextOut(x, 0, run, clBlack, clNone);
          x += canvas.TextWidth(run);
        }
      }
    }
    EXPECT_EQ(whole, pieces) << face;
  }
}

TEST_F(CanvasTest, LinesIncludeTheirEndPointAndInversionIsUndoneByItself) {
  Canvas().Line(2, 5, 10, 5, clRed);
  Canvas().Line(2, 8, 40, 8, clBlack, TPenStyle::Dot);
  Canvas().InvertRect({60, 0, 70, 10});
  Canvas().InvertRect({65, 0, 75, 10});
  Done();
  EXPECT_EQ(Pixel(2, 5), clRed);
  EXPECT_EQ(Pixel(10, 5), clRed);
  EXPECT_EQ(Pixel(11, 5), clWhite);
  int dots = 0;
  for (int x = 2; x <= 40; ++x) dots += Pixel(x, 8) == clBlack;
  EXPECT_GT(dots, 5);
  EXPECT_LT(dots, 39);
  EXPECT_EQ(Pixel(60, 5), clBlack);
  EXPECT_EQ(Pixel(67, 5), clWhite);  // inverted twice
  EXPECT_EQ(Pixel(74, 5), clBlack);
}

TEST_F(CanvasTest, SystemColoursComeFromThePalette) {
  QPalette palette = QApplication::palette();
  palette.setColor(QPalette::Base, QColor(1, 2, 3));
  palette.setColor(QPalette::Highlight, QColor(10, 20, 30));
  palette.setColor(QPalette::Button, QColor(40, 50, 60));
  QPainter painter(&image_);
  TQtCanvas canvas(painter, &fonts_, palette);
  EXPECT_EQ(canvas.ResolveColor(clWindow), RGB(1, 2, 3));
  EXPECT_EQ(canvas.ResolveColor(clHighlight), RGB(10, 20, 30));
  EXPECT_EQ(canvas.ResolveColor(clBtnFace), RGB(40, 50, 60));
  EXPECT_EQ(canvas.ResolveColor(clScrollBar), RGB(40, 50, 60));
  EXPECT_EQ(canvas.ResolveColor(RGB(178, 180, 191)), RGB(178, 180, 191));
  canvas.FillRect({0, 0, 4, 4}, clHighlight);
  painter.end();
  EXPECT_EQ(Pixel(1, 1), RGB(10, 20, 30));
}

TEST_F(CanvasTest, GlyphsComeFromTheStripsByNameAndCell) {
  Canvas().DrawGlyph("SEM_GUTTER", 0, 0, 0);
  Canvas().DrawGlyph("SEM_GUTTER", 10, 20, 0);
  Canvas().DrawGlyph("SEM_WRAPPED", 0, 40, 0);
  Canvas().DrawGlyph("SEM_GUTTER", 99, 60, 0);  // no such cell
  Canvas().DrawGlyph("NO_SUCH", 0, 80, 0);
  Done();
  EXPECT_TRUE(Inked({0, 0, 15, 16}));
  EXPECT_FALSE(Inked({15, 0, 5, 16})) << "a cell is 15 pixels wide";
  EXPECT_TRUE(Inked({20, 0, 15, 16}));
  EXPECT_TRUE(Inked({40, 0, 15, 16}));
  EXPECT_FALSE(Inked({60, 0, 60, 40}));
  // Glyphs are drawn transparently: the corners of a round bookmark let the background show.
  EXPECT_EQ(Pixel(0, 0), clWhite);
}

}  // namespace
}  // namespace ql
