// The colour button, its palette and the spin button: where the palette opens, what its cells
// choose, the colour dialog behind "Other" and its custom colours, and the spin button's clicks
// and repeats.
#include <gtest/gtest.h>

#include <QApplication>
#include <QColorDialog>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <stdexcept>

#include "dialogs/ColorDropButton.h"
#include "dialogs/ColorDropPalette.h"
#include "dialogs/SpinButton.h"
#include "editor/qt/EventBoundary.h"
#include "toolkit/qt/QtColors.h"

namespace ql::test {
namespace {

TEST(ColorDropButton, ReportsOnlyRealChangesOfItsColour) {
  TColorDropButton button;
  EXPECT_EQ(button.size(), QSize(45, 22));
  EXPECT_EQ(button.Color(), 0u);
  int changes = 0;
  button.OnColorChange = [&](TColorDropButton&) { ++changes; };
  button.SetColor(0);
  button.SetColor(RGB(1, 2, 3));
  button.SetColor(RGB(1, 2, 3));
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(button.PaletteColors.Color(2, 3), RGB(0, 127, 0));
  EXPECT_EQ(button.CustomColors.Color(8, 2), clWhite);
}

TEST(ColorDropButton, ThePaletteOpensBelowTheButtonOrAboveItAtTheBottomOfTheScreen) {
  const QRect work(0, 0, 1000, 700);
  const QSize size(72, 120);
  struct Case {
    QRect button;
    QPoint at;
  };
  const Case cases[] = {
      {{100, 100, 124, 22}, {100, 122}},  // below the lower left corner
      {{100, 650, 124, 22}, {100, 529}},  // no room below: 121 above the button's top
      {{-20, 100, 124, 22}, {0, 122}},    // left of the work area: at its edge
      {{980, 100, 45, 22}, {922, 122}},   // past the right edge: 78 left of it
  };
  for (const Case& c : cases) EXPECT_EQ(TColorDropButton::PalettePosition(c.button, size, work), c.at) << c.button.y();
}

class Palette : public ::testing::Test {
protected:
  void SetUp() override {
    window.resize(300, 200);
    window.show();
    button = new TColorDropButton(&window);
    button->move(10, 10);
    button->show();
  }
  TTSM_ColorDropButtonPalette& Open() {
    button->click();
    EXPECT_NE(button->Palette(), nullptr);
    return *button->Palette();
  }
  void Settle() {
    for (int i = 0; i < 3; ++i) QApplication::processEvents();
  }
  QWidget window;
  TColorDropButton* button = nullptr;
};

TEST_F(Palette, CellsAreFoundByPositionAndChooseTheirColour) {
  TTSM_ColorDropButtonPalette& palette = Open();
  EXPECT_EQ(palette.width(), 72);
  EXPECT_TRUE(button->isDown());
  const QPoint other = palette.OtherButton()->geometry().center();
  struct Case {
    QPoint at, cell;
  };
  const Case cases[] = {
      {{1, 1}, {1, 1}},   {{17, 17}, {1, 1}},  {{18, 0}, {2, 1}},  {{71 - 19, 89}, {3, 5}},
      {{60, 89}, {4, 5}}, {{10, 95}, {-1, -1}}, {{62, other.y()}, {0, 0}}, {{-3, 5}, {-1, -1}},
  };
  for (const Case& c : cases) EXPECT_EQ(palette.CellAt(c.at), c.cell) << c.at.x() << "," << c.at.y();
  QTest::mouseClick(&palette, Qt::LeftButton, {}, QPoint(18 * 2 - 10, 18 * 2 - 10));  // (2, 2): dark red
  Settle();
  EXPECT_EQ(button->Color(), RGB(127, 0, 0));
  EXPECT_EQ(button->Palette(), nullptr);
  EXPECT_FALSE(button->isDown());
}

TEST_F(Palette, AColourOffThePaletteBecomesTheOtherColour) {
  button->SetColor(RGB(1, 2, 3));
  TTSM_ColorDropButtonPalette& palette = Open();
  EXPECT_EQ(palette.HotCell(), QPoint(0, 0));
  EXPECT_EQ(palette.OtherColor(), RGB(1, 2, 3));
  palette.SetCurrentColor(RGB(255, 255, 0));
  EXPECT_EQ(palette.HotCell(), QPoint(3, 2));
  button->SetColor(0);
  palette.Choose({0, 0});
  Settle();
  EXPECT_EQ(button->Color(), RGB(1, 2, 3));
}

TEST_F(Palette, EscAndAClickOutsideCloseIt) {
  Open();
  QTest::keyClick(button->Palette(), Qt::Key_Escape);
  Settle();
  EXPECT_EQ(button->Palette(), nullptr);
  Open();
  QTest::mousePress(&window, Qt::LeftButton, {}, QPoint(250, 150));
  Settle();
  EXPECT_EQ(button->Palette(), nullptr);
}

TEST_F(Palette, OtherOpensTheColourDialogWithTheCustomColoursAndKeepsThePaletteOpenMeanwhile) {
  button->CustomColors.SetColor(3, 2, RGB(10, 20, 30));  // "ColorK"
  TTSM_ColorDropButtonPalette& palette = Open();
  bool openMeanwhile = false;
  palette.RunColorDialog = [&](QColorDialog& dialog) {
    EXPECT_EQ(FromQColor(QColorDialog::customColor(10)), RGB(10, 20, 30));
    QTest::mousePress(&window, Qt::LeftButton, {}, QPoint(250, 150));  // a click outside
    palette.close();
    QApplication::processEvents();
    openMeanwhile = button->Palette() != nullptr;
    dialog.setCurrentColor(QColor(200, 100, 50));
    QColorDialog::setCustomColor(0, QColor(1, 1, 1));
    return true;
  };
  palette.OtherButton()->click();
  Settle();
  EXPECT_TRUE(openMeanwhile);
  EXPECT_EQ(button->Palette(), nullptr);
  EXPECT_EQ(button->Color(), RGB(200, 100, 50));
  EXPECT_EQ(button->CustomColors.Color(1, 1), RGB(1, 1, 1));
  EXPECT_EQ(button->CustomColors.Color(3, 2), RGB(10, 20, 30));
}

TEST(CustomColorEntries, AreWrittenAsLetterAndEightHexDigitsAndReadBackLeniently) {
  TColorArrayClass colors(8, 2);
  colors.SetColor(1, 1, 0x00FF8000);
  colors.SetColor(8, 2, 0x12);
  const std::vector<std::string> entries = CustomColorEntries(colors);
  ASSERT_EQ(entries.size(), 16u);
  EXPECT_EQ(entries[0], "ColorA=00FF8000");
  EXPECT_EQ(entries[15], "ColorP=00000012");
  TColorArrayClass back(8, 2);
  ReadCustomColorEntries(entries, back);
  EXPECT_EQ(back, colors);
  ReadCustomColorEntries({"ColorB=zz", "ColorI=", "ColorQ=00000001", "Other=1", "ColorC=0000FF"}, back);
  EXPECT_EQ(back.Color(2, 1), clWhite);
  EXPECT_EQ(back.Color(1, 2), clWhite);
  EXPECT_EQ(back.Color(3, 1), 0x0000FFu);
}

class Spin : public ::testing::Test {
protected:
  void SetUp() override {
    window.resize(200, 100);
    box = new QLineEdit(&window);
    box->move(10, 10);
    spin = new TSpinButton(&window);
    spin->move(120, 10);
    spin->FocusControl = box;
    spin->OnUpClick = [this](TSpinButton&) { ++ups; };
    spin->OnDownClick = [this](TSpinButton&) { ++downs; };
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  }
  QWidget window;
  QLineEdit* box = nullptr;
  TSpinButton* spin = nullptr;
  int ups = 0, downs = 0;
};

TEST_F(Spin, TheHalvesAreTheTwoButtonsAndKeysClickThem) {
  EXPECT_EQ(spin->size(), QSize(20, 25));
  spin->resize(10, 24);
  EXPECT_EQ(spin->width(), 15);
  EXPECT_EQ(spin->UpButton()->geometry(), QRect(0, 0, 15, 12));
  EXPECT_EQ(spin->DownButton()->geometry(), QRect(0, 11, 15, 13));
  QTest::keyClick(spin, Qt::Key_Down);
  QTest::keyClick(spin, Qt::Key_Space);
  QTest::keyClick(spin, Qt::Key_Up);
  EXPECT_EQ(downs, 2);
  EXPECT_EQ(ups, 1);
  EXPECT_EQ(spin->FocusedButton(), spin->UpButton());
}

TEST_F(Spin, HoldingAButtonClicksAtOnceThenAfter400AndEvery100Milliseconds) {
  QTest::mousePress(spin->UpButton(), Qt::LeftButton);
  EXPECT_EQ(ups, 1);
  EXPECT_TRUE(box->hasFocus());
  EXPECT_TRUE(spin->UpButton()->Repeating());
  EXPECT_EQ(spin->UpButton()->RepeatDelay(), TTimerSpeedButton::FirstDelay);
  EXPECT_TRUE(QTest::qWaitFor([&] { return ups == 2; }, 5000));
  EXPECT_EQ(spin->UpButton()->RepeatDelay(), TTimerSpeedButton::RepeatInterval);
  EXPECT_TRUE(QTest::qWaitFor([&] { return ups == 3; }, 5000));
  QTest::mouseRelease(spin->UpButton(), Qt::LeftButton);
  EXPECT_FALSE(spin->UpButton()->Repeating());
  EXPECT_EQ(downs, 0);
}

TEST_F(Spin, AnErrorInARepeatedClickStopsTheRepeat) {
  std::vector<std::string> reported;
  SetEventFailureHandler([&](const std::string& message) { reported.push_back(message); });
  spin->OnDownClick = [&](TSpinButton&) {
    if (++downs == 2) throw std::runtime_error("step failed");
  };
  QTest::mousePress(spin->DownButton(), Qt::LeftButton);
  EXPECT_TRUE(QTest::qWaitFor([&] { return downs == 2; }, 5000));
  EXPECT_FALSE(spin->DownButton()->Repeating());
  QTest::mouseRelease(spin->DownButton(), Qt::LeftButton);
  QApplication::processEvents();
  SetEventFailureHandler(nullptr);
  EXPECT_EQ(downs, 2);
  EXPECT_EQ(reported, std::vector<std::string>{"step failed"});
}

}  // namespace
}  // namespace ql::test
