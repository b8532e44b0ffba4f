#include "dialogs/ColorDropPalette.h"

#include <QApplication>
#include <QColorDialog>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <cstdio>

#include "editor/qt/EventBoundary.h"
#include "toolkit/qt/QtColors.h"

namespace ql {

namespace {
constexpr int kCell = 18;     // swatch pitch
constexpr int kSwatch = 16;
constexpr int kOtherHeight = 20;
constexpr int kCustomCount = 16;

// A one-pixel frame: sunken (dark top-left) or raised (light top-left).
void DrawFrame(QPainter& p, const QRect& r, bool raised, const QPalette& palette) {
  const QColor topLeft = raised ? palette.color(QPalette::Light) : palette.color(QPalette::Dark);
  const QColor bottomRight = raised ? palette.color(QPalette::Dark) : palette.color(QPalette::Light);
  p.setPen(topLeft);
  p.drawLine(r.topLeft(), r.topRight());
  p.drawLine(r.topLeft(), r.bottomLeft());
  p.setPen(bottomRight);
  p.drawLine(r.bottomLeft(), r.bottomRight());
  p.drawLine(r.topRight(), r.bottomRight());
}
}  // namespace

void DefaultPalette(TColorArrayClass& colors) {
  static const TColor rows[5][4] = {
      {RGB(255, 255, 255), RGB(0, 0, 0), RGB(191, 191, 191), RGB(127, 127, 127)},
      {RGB(255, 0, 0), RGB(127, 0, 0), RGB(255, 255, 0), RGB(127, 127, 0)},
      {RGB(0, 255, 0), RGB(0, 127, 0), RGB(0, 255, 255), RGB(0, 127, 127)},
      {RGB(0, 0, 255), RGB(0, 0, 127), RGB(255, 0, 255), RGB(127, 0, 127)},
      {RGB(191, 215, 191), RGB(159, 191, 239), RGB(255, 247, 239), RGB(159, 159, 159)},
  };
  colors.SetXSize(4);
  colors.SetYSize(5);
  for (int y = 1; y <= 5; ++y)
    for (int x = 1; x <= 4; ++x) colors.SetColor(x, y, rows[y - 1][x - 1]);
}

std::vector<std::string> CustomColorEntries(const TColorArrayClass& colors) {
  std::vector<std::string> entries;
  for (int k = 0; k < kCustomCount; ++k) {
    char text[32];
    std::snprintf(text, sizeof text, "Color%c=%08X", 'A' + k, colors.Color(k % 8 + 1, k / 8 + 1));
    entries.emplace_back(text);
  }
  return entries;
}

void ReadCustomColorEntries(const std::vector<std::string>& entries, TColorArrayClass& colors) {
  for (const std::string& entry : entries) {
    if (entry.size() < 7 || entry.compare(0, 5, "Color") != 0 || entry[6] != '=') continue;
    const int k = entry[5] - 'A';
    if (k < 0 || k >= kCustomCount) continue;
    const std::string digits = entry.substr(7);
    TColor color = clWhite;
    if (!digits.empty() && digits.size() <= 8 &&
        digits.find_first_not_of("0123456789abcdefABCDEF") == std::string::npos) {
      color = static_cast<TColor>(std::stoul(digits, nullptr, 16));
    }
    colors.SetColor(k % 8 + 1, k / 8 + 1, color);
  }
}

TTSM_ColorDropButtonPalette::TTSM_ColorDropButtonPalette(QWidget* owner)
    : QWidget(owner, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      btnOther_(new QPushButton(this)),
      otherColor_(ResolveColor(clBtnFace, QApplication::palette())) {
  setAttribute(Qt::WA_DeleteOnClose);
  setObjectName("ColorDropButtonPalette");
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
  DefaultPalette(PaletteColors);
  for (int y = 1; y <= 2; ++y)
    for (int x = 1; x <= 8; ++x) CustomColors.SetColor(x, y, clWhite);
  btnOther_->setObjectName("btnOther");
  btnOther_->setFocusPolicy(Qt::NoFocus);
  btnOther_->setGeometry(2, OtherTop, ClientWidth - 22, kOtherHeight);
  connect(btnOther_, &QPushButton::clicked, this, [this] { RunGuarded([this] { OtherClick(); }); });
  setFixedSize(ClientWidth, btnOther_->geometry().bottom() + 1 + 2);
  RunColorDialog = [](QColorDialog& dialog) { return dialog.exec() == QDialog::Accepted; };
  qApp->installEventFilter(this);
}

TTSM_ColorDropButtonPalette::~TTSM_ColorDropButtonPalette() { qApp->removeEventFilter(this); }

QRect TTSM_ColorDropButtonPalette::OtherSwatchRect() const {
  const QRect button = btnOther_->geometry();
  return {ClientWidth - 18, button.top() + (button.height() - kSwatch) / 2, kSwatch, kSwatch};
}

QRect TTSM_ColorDropButtonPalette::CellRect(QPoint cell) const {
  if (cell == QPoint(0, 0)) return OtherSwatchRect();
  return {kCell * cell.x() - 17, kCell * cell.y() - 17, kSwatch, kSwatch};
}

QPoint TTSM_ColorDropButtonPalette::CellAt(QPoint p) const {
  if (OtherSwatchRect().adjusted(-1, -1, 1, 1).contains(p)) return {0, 0};
  if (p.x() < 0 || p.y() < 0) return {-1, -1};
  const QPoint cell(p.x() / kCell + 1, p.y() / kCell + 1);
  if (cell.x() > 4 || cell.y() > 5) return {-1, -1};
  return cell;
}

TColor TTSM_ColorDropButtonPalette::CellColor(QPoint cell) const {
  return cell == QPoint(0, 0) ? otherColor_ : PaletteColors.Color(cell.x(), cell.y());
}

void TTSM_ColorDropButtonPalette::SetOtherColor(TColor color) {
  otherColor_ = color;
  update();
}

void TTSM_ColorDropButtonPalette::SetCurrentColor(TColor color) {
  const QPalette& palette = QApplication::palette();
  const TColor wanted = ResolveColor(color, palette) & 0xFFFFFF;
  for (int y = 1; y <= 5; ++y) {
    for (int x = 1; x <= 4; ++x) {
      if ((ResolveColor(PaletteColors.Color(x, y), palette) & 0xFFFFFF) == wanted) {
        SetHot({x, y});
        return;
      }
    }
  }
  SetOtherColor(color);
  SetHot({0, 0});
}

void TTSM_ColorDropButtonPalette::SetOtherCaption(const QString& caption) { btnOther_->setText(caption); }

void TTSM_ColorDropButtonPalette::SetHot(QPoint cell) {
  if (cell == hot_) return;
  hot_ = cell;
  update();
}

void TTSM_ColorDropButtonPalette::Choose(QPoint cell) {
  const bool valid = cell == QPoint(0, 0) || (cell.x() >= 1 && cell.x() <= 4 && cell.y() >= 1 && cell.y() <= 5);
  if (OnColorChosen && valid) OnColorChosen(CellColor(cell));
  close();
}

void TTSM_ColorDropButtonPalette::OtherClick() {
  QColorDialog dialog(ToQColor(otherColor_, palette()), parentWidget());
  dialog.setObjectName("OtherColorDialog");
  dialog.setOption(QColorDialog::DontUseNativeDialog);
  for (const std::string& entry : CustomColorEntries(CustomColors)) {
    const int k = entry[5] - 'A';
    QColorDialog::setCustomColor(k, ToQColor(static_cast<TColor>(std::stoul(entry.substr(7), nullptr, 16)), palette()));
  }
  otherOpen_ = true;
  const bool ok = RunColorDialog(dialog);
  otherOpen_ = false;
  if (!ok) return;
  otherColor_ = FromQColor(dialog.currentColor());
  std::vector<std::string> entries;
  TColorArrayClass chosen(8, 2);
  for (int k = 0; k < kCustomCount; ++k) chosen.SetColor(k % 8 + 1, k / 8 + 1, FromQColor(QColorDialog::customColor(k)));
  ReadCustomColorEntries(CustomColorEntries(chosen), CustomColors);
  if (OnColorChosen) OnColorChosen(otherColor_);
  close();
}

void TTSM_ColorDropButtonPalette::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const QPalette& pal = palette();
  p.fillRect(rect(), pal.color(QPalette::Button));
  DrawFrame(p, rect().adjusted(0, 0, -1, -1), true, pal);
  const auto swatch = [&](QPoint cell) {
    const QRect r = CellRect(cell);
    p.fillRect(r, ToQColor(CellColor(cell), pal));
    DrawFrame(p, r.adjusted(-1, -1, 0, 0), cell == hot_, pal);
    if (cell == hot_) DrawFrame(p, r.adjusted(-2, -2, 1, 1), true, pal);
  };
  for (int y = 1; y <= 5; ++y)
    for (int x = 1; x <= 4; ++x) swatch({x, y});
  p.setPen(pal.color(QPalette::Dark));
  p.drawLine(2, 93, ClientWidth - 2, 93);
  p.setPen(pal.color(QPalette::Light));
  p.drawLine(2, 94, ClientWidth - 2, 94);
  swatch({0, 0});
}

void TTSM_ColorDropButtonPalette::mouseMoveEvent(QMouseEvent* event) {
  const QPoint cell = CellAt(event->position().toPoint());
  if (cell != QPoint(-1, -1)) SetHot(cell);
}

void TTSM_ColorDropButtonPalette::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  const QPoint cell = CellAt(event->position().toPoint());
  if (cell != QPoint(-1, -1)) RunGuarded([&] { Choose(cell); });
}

void TTSM_ColorDropButtonPalette::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    close();
    return;
  }
  QWidget::keyPressEvent(event);
}

void TTSM_ColorDropButtonPalette::closeEvent(QCloseEvent* event) {
  if (otherOpen_) {
    event->ignore();
    return;
  }
  if (!closing_) {
    closing_ = true;
    qApp->removeEventFilter(this);
    if (OnClosed) OnClosed();
  }
  QWidget::closeEvent(event);
}

void TTSM_ColorDropButtonPalette::CloseLater() {
  QTimer::singleShot(0, this, [this] { close(); });
}

bool TTSM_ColorDropButtonPalette::eventFilter(QObject* watched, QEvent* event) {
  if (otherOpen_ || closing_) return false;
  if (event->type() == QEvent::ApplicationDeactivate) {
    CloseLater();
  } else if (event->type() == QEvent::MouseButtonPress) {
    // A press anywhere but on the palette closes it; the press still goes where it was aimed,
    // except on the palette's own button, which would open it again.
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget != nullptr && widget->window() != this) {
      CloseLater();
      return widget == parentWidget();
    }
  }
  return false;
}

}  // namespace ql
