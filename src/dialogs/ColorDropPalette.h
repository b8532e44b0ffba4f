#pragma once
// The colour button's drop-down: a borderless window with 4 x 5 swatches, a groove, an "Other"
// button that opens the colour dialog and, beside it, the other colour's swatch. A click on a
// swatch chooses its colour and closes the window; Esc, a click outside it or the application
// losing the focus close it too, except while the colour dialog is open.
//
// Layout (client pixels): swatch (c, r) is a 16 x 16 square at (18c - 17, 18r - 17) in a sunken
// cell one pixel larger; the groove runs at y 93 and 94; the Other button stands at top 98, the
// other swatch at the right edge, beside it. The window is 72 wide.
#include <QPushButton>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "toolkit/ColorArray.h"

class QColorDialog;

namespace ql {

// The colour dialog's 16 custom colours as text entries "ColorA=00FFFFFF" .. "ColorP=...":
// letter L is column ((L - 'A') mod 8) + 1, row ((L - 'A') div 8) + 1 of an 8 x 2 table.
std::vector<std::string> CustomColorEntries(const TColorArrayClass& colors);
// Reads entries back into colors; an entry whose digits do not read as a hexadecimal number
// gives white; entries of other names are ignored.
void ReadCustomColorEntries(const std::vector<std::string>& entries, TColorArrayClass& colors);

class TTSM_ColorDropButtonPalette : public QWidget {
public:
  static constexpr int ClientWidth = 72;
  static constexpr int OtherTop = 98;

  explicit TTSM_ColorDropButtonPalette(QWidget* owner);
  ~TTSM_ColorDropButtonPalette() override;

  // The palette's cell under a client point: (column, row) in 1..4 x 1..5, (0, 0) for the other
  // swatch, (-1, -1) for none.
  QPoint CellAt(QPoint client) const;
  QPoint HotCell() const { return hot_; }
  // The colour of a valid cell (the other colour for (0, 0)).
  TColor CellColor(QPoint cell) const;

  TColorArrayClass PaletteColors{4, 5};
  TColorArrayClass CustomColors{8, 2};
  void SetOtherColor(TColor color);
  TColor OtherColor() const { return otherColor_; }
  // A palette swatch of the same colour becomes the hot cell; otherwise the colour becomes the
  // other colour.
  void SetCurrentColor(TColor color);
  void SetOtherCaption(const QString& caption);
  QPushButton* OtherButton() const { return btnOther_; }
  bool OtherDialogOpen() const { return otherOpen_; }

  std::function<void(TColor color)> OnColorChosen;
  std::function<void()> OnClosed;
  // Runs the colour dialog (tests replace it); true when the user chose a colour.
  std::function<bool(QColorDialog& dialog)> RunColorDialog;

  // Chooses the colour of cell (as a click on it does) and closes.
  void Choose(QPoint cell);
  // The Other button.
  void OtherClick();

protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  QRect CellRect(QPoint cell) const;
  QRect OtherSwatchRect() const;
  void SetHot(QPoint cell);
  void CloseLater();

  QPushButton* btnOther_;
  TColor otherColor_;
  QPoint hot_{-1, -1};
  bool otherOpen_ = false;
  bool closing_ = false;
};

// The palette every colour button starts with (column, row).
void DefaultPalette(TColorArrayClass& colors);

}  // namespace ql
