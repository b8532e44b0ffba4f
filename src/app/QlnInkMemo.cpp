#include "app/QlnInkMemo.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <algorithm>

#include "services/SM_Settings.h"
#include "toolkit/Canvas.h"

namespace ql {

namespace {

constexpr TColor kLinkColor = RGB(0, 0, 192);

}  // namespace

TqlnInkMemo::TqlnInkMemo(QWidget* parent) : TQtInkMemo(parent) {
  // The control reports each changed piece and then one change; the window wants one of each.
  TCustomInkMemo::OnTextChange = [this](TCustomInkMemo&, int32_t start, int32_t extent) {
    MoveLinks(start, extent);
    textChanged_ = true;
  };
  TCustomInkMemo::OnChange = [this](TCustomInkMemo&) {
    const bool text = textChanged_;
    textChanged_ = false;
    if (OnChange) OnChange(*this);
    if (text && OnTextChange) OnTextChange(*this);
  };
}

// --- Whole text and line breaks ---

void TqlnInkMemo::LoadFromFile(const std::string& fileName) {
  TQtInkMemo::LoadFromFile(fileName);
  links_.clear();
  SetLineBreakStyle(FileLineBreakStyle(fileName));
}

void TqlnInkMemo::SetText(const std::string& text) {
  links_.clear();
  TQtInkMemo::SetText(text);
}

void TqlnInkMemo::Clear() {
  links_.clear();
  TQtInkMemo::Clear();
}

TLineBreakStyle TqlnInkMemo::LineBreakStyle() const {
  if (SaveFormat == sfUNIX) return TLineBreakStyle::LF;
  return Store().LineStyle == lsLF ? TLineBreakStyle::CR : TLineBreakStyle::CRLF;
}

void TqlnInkMemo::SetLineBreakStyle(TLineBreakStyle style) {
  // The store writes CR for its LF line style; LF alone is the Unix save format.
  Store().LineStyle = style == TLineBreakStyle::CR ? lsLF : lsCRLF;
  SaveFormat = style == TLineBreakStyle::LF ? sfUNIX : sfTEXT;
}

// --- Places ---

int32_t TqlnInkMemo::LineStart(int32_t line) {
  // Lines, not rows: a row that continues a long line starts none. Past the last line, the last.
  int32_t offset = 0, lineStart = 0, number = 1;
  for (const TTextRow* row = Store().FirstRow; row != nullptr && number < line; row = row->Next) {
    offset += row->Length;
    if (row->EndsWithCR()) {
      ++number;
      lineStart = offset;
    }
  }
  return lineStart;
}

std::string TqlnInkMemo::LineText(int32_t start) {
  std::string text;
  for (const TTextRow* row = Store().LocateRow(start).Row; row != nullptr; row = row->Next) {
    text += row->Content();
    if (row->EndsWithCR()) break;
  }
  return text;
}

std::string TqlnInkMemo::LineAt(int32_t line) {
  const int32_t start = LineStart(line);
  // LineStart stops at the last line; a line past it has no text.
  if (line < 1 || (line > 1 && start == 0)) return std::string();
  if (line > 1 && start == LineStart(line - 1)) return std::string();
  return LineText(start);
}

void TqlnInkMemo::ShowCaretAt(int32_t line, int32_t character) {
  int32_t at = LineStart(std::max(line, 1));
  const std::string text = LineText(at);
  size_t i = 0;
  for (int32_t n = 1; n < character && i < text.size(); ++n) {
    i += static_cast<size_t>(CharLength(DisplayEncoding(), text.data() + i, text.size() - i));
  }
  at += static_cast<int32_t>(i);
  SetSelection(at, at);
  const int32_t row = Store().LocateRow(at).Index;
  Perform(SMM_TOPROW, smmSet, std::max(0, row - VisibleRows() / 2));
}

// --- Links ---

void TqlnInkMemo::SetLinks(const std::vector<TqlnInkMemoLink>& links) {
  links_.clear();
  for (const TqlnInkMemoLink& link : links) {
    const int32_t start = LineStart(link.Line);
    const int32_t length = static_cast<int32_t>(LineText(start).size());
    const int32_t from = std::clamp(link.Start, 0, length);
    const int32_t to = std::clamp(link.Start + link.Length, from, length);
    links_.push_back({start + from, start + to});
  }
  InvalidateRect(nullptr);
}

int32_t TqlnInkMemo::LinkOnLineOf(int32_t offset) {
  const int32_t row = Store().LocateRow(offset).Index;
  for (size_t i = 0; i < links_.size(); ++i) {
    if (links_[i].End > links_[i].Start && Store().LocateRow(links_[i].Start).Index == row) return static_cast<int32_t>(i);
  }
  return -1;
}

int32_t TqlnInkMemo::LinkAtCaret() { return LinkOnLineOf(SelCaret()); }

void TqlnInkMemo::MoveLinks(int32_t start, int32_t extent) {
  if (start == 0 && extent == 0) {  // the whole text went
    links_.clear();
    return;
  }
  for (TLinkSpan& link : links_) {
    for (int32_t* end : {&link.Start, &link.End}) {
      if (extent > 0 && *end > start) {
        *end += extent;
      } else if (extent < 0 && *end > start) {
        *end = std::max(start, *end + extent);
      }
    }
  }
}

void TqlnInkMemo::PaintOver(TCanvas& canvas, const TRect& area) {
  if (links_.empty()) return;
  const int32_t selStart = std::min(SelAnchor(), SelCaret()), selEnd = std::max(SelAnchor(), SelCaret());
  const TFontHandle font = Settings().StyleFont(0);
  canvas.SetFont(font);
  const int32_t ascent = font != 0 ? DefaultFontFactory().Metrics(font).Ascent : LineHeight() - 4;
  for (const TLinkSpan& link : links_) {
    if (link.End <= link.Start) continue;
    const TPoint from = PointFromChar(link.Start);
    TPoint to = PointFromChar(link.End);
    if (from.Y < 0 || from.Y >= ClientHeight() || from.Y + LineHeight() <= area.Top || from.Y >= area.Bottom) continue;
    if (to.Y != from.Y) to.X = ClientWidth();  // a long line's link ends with its first row
    // The link's text in the link colour, unless the selection shows over it.
    const std::string bytes = Store().GetRange(link.Start, link.End);
    const bool selected = selEnd > selStart && selStart < link.End && selEnd > link.Start;
    if (!selected && to.Y == from.Y && bytes.find('\t') == std::string::npos) {
      const TRect cell{from.X, from.Y, to.X, from.Y + LineHeight()};
      canvas.TextOut(from.X, from.Y, BytesToUtf8(DisplayEncoding(), bytes), kLinkColor, Settings().BackColorOf(0), &cell);
    }
    canvas.Line(from.X, from.Y + ascent + 1, std::max(from.X, to.X - 1), from.Y + ascent + 1, kLinkColor);
  }
}

void TqlnInkMemo::keyPressEvent(QKeyEvent* e) {
  // Enter on a link follows it rather than breaking the line.
  if ((e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) &&
      (e->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier && OnLinkActivated) {
    const int32_t link = LinkAtCaret();
    if (link >= 0) {
      e->accept();
      OnLinkActivated(*this, link);
      return;
    }
  }
  TQtInkMemo::keyPressEvent(e);
}

void TqlnInkMemo::mouseDoubleClickEvent(QMouseEvent* e) {
  if (e->button() == Qt::LeftButton && OnLinkActivated) {
    const QPoint at = e->position().toPoint();
    const int32_t offset = CharFromPoint(at.x(), at.y());
    const int32_t link = LinkOnLineOf(offset);
    if (link >= 0) {
      SetSelection(offset, offset);
      e->accept();
      OnLinkActivated(*this, link);
      return;
    }
  }
  TQtInkMemo::mouseDoubleClickEvent(e);
}

}  // namespace ql
