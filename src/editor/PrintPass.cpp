#include "editor/PrintPass.h"

#include <algorithm>
#include <cstdio>

#include "editor/PrintPieces.h"
#include "editor/RowLayout.h"
#include "services/SM_Settings.h"
#include "textmodel/TextStore.h"
#include "toolkit/Printer.h"

namespace ql {
namespace {

constexpr int32_t LineNumberColumns = 10;

}  // namespace

TPrintPass::TPrintPass(const TPrintSetup& setup) : s_(setup) {
  s_.LineHeight = std::max(s_.LineHeight, 1);
  s_.CharWidth = std::max(s_.CharWidth, 1);
}

bool TPrintPass::Option(TInkMemoOption option) const { return (s_.Settings->Options & OptionWordBit(option)) != 0; }

void TPrintPass::Run(int32_t first, int32_t last) {
  TTextStore& store = *s_.Store;
  if (store.FirstRow == nullptr) return;
  first = std::max(first, 1);
  const TRowPos start = store.RowByIndex(first - 1);
  TTextRow* row = start.Row;
  // The start row's own line is numbered only when the row begins it.
  const int32_t before = store.LineOfRow(row);
  nextLine_ = row->Prev == nullptr || row->Prev->EndsWithCR() ? before + 1 : before + 2;
  const int32_t rowsWanted = std::abs(last - first) + 1;

  page_ = {0, 0, s_.Printer->PageWidth(), s_.Printer->PageHeight()};
  const int32_t numbers = Option(smoPrintLineNos) ? LineNumberColumns * s_.CharWidth : 0;
  textStart_ = page_.Left + numbers;
  right_ = page_.Right;
  bottom_ = page_.Bottom;
  y_ = 0;
  int32_t rowsDone = 0;
  int32_t p = 0;
  int32_t rowStart = start.Start;
  for (;;) {
    if (y_ == 0) TopOfPage();
    const std::string_view text = row->All();
    const int32_t length = Option(smoPrintWrap)
                               ? PrintPieceLength(text, p, pieceWidth_, *s_.Tabs, s_.Settings->TabWidth(), s_.Encoding)
                               : static_cast<int32_t>(text.size());
    // A row that continues the one before carries no number.
    if (p == 0 && Option(smoPrintLineNos) && (row->Prev == nullptr || row->Prev->EndsWithCR())) LineNumber();
    const bool lastOfText = row->Next == nullptr && PiecesEnd(text, p + length);
    if (OfferPiece(*row, p, length, rowStart + p)) DrawPiece(*row, p, length, lastOfText);
    p += length;
    if (PiecesEnd(text, p)) {
      if (++rowsDone >= rowsWanted || row->Next == nullptr) return;
      rowStart += row->Length;
      row = row->Next;
      p = 0;
    }
    // A piece goes on this page only when all of it fits above the bottom limit.
    y_ += s_.LineHeight;
    if (y_ + s_.LineHeight > bottom_) {
      y_ = 0;
      s_.Printer->NewPage();
    }
  }
}

void TPrintPass::TopOfPage() {
  canvas_ = &s_.Printer->Canvas();
  const int32_t numbers = Option(smoPrintLineNos) ? LineNumberColumns * s_.CharWidth : 0;
  if (s_.HeaderFooter) {
    TRect area = page_;
    bool transparent = false;
    s_.HeaderFooter(*canvas_, area, transparent);
    transparent_ = transparent_ || transparent;
    y_ = area.Top;
    bottom_ = area.Bottom;
    right_ = area.Right;
    textStart_ = area.Left + numbers;
  } else {
    BuiltInHeaderFooter();
  }
  // The pieces follow the text area the page leaves.
  pieceWidth_ = std::max((right_ - textStart_) / s_.CharWidth - 1, 1);
  // Whatever the header leaves, a page takes at least one row.
  bottom_ = std::max(bottom_, y_ + s_.LineHeight);
}

void TPrintPass::BuiltInHeaderFooter() {
  const int32_t lh = s_.LineHeight;
  y_ = page_.Top;
  const bool name = Option(smoPrintFilename);
  const bool date = Option(smoPrintDate);
  const bool pages = Option(smoPrintPageNos);
  if (!name && !date && !pages) return;
  const TFontHandle before = canvas_->Font();
  canvas_->SetFont(s_.Settings->StyleFont(0));
  if (name) Text(page_.Left, page_.Top, s_.FileName, clBlack, clWhite, nullptr);
  if (date) {
    const int32_t width = canvas_->TextWidth(s_.DateText);
    Text(page_.Right - width, page_.Top, s_.DateText, clBlack, clWhite, nullptr);
  }
  if (name || date) {
    canvas_->Line(page_.Left, page_.Top + 2 * lh, page_.Right, page_.Top + 2 * lh, clBlack);
    y_ = page_.Top + 3 * lh;
  }
  if (pages) {
    char number[24];
    std::snprintf(number, sizeof number, "- %d -", s_.Printer->PageNumber());
    const int32_t width = canvas_->TextWidth(number);
    Text(page_.Left + (page_.Width() - width) / 2, page_.Bottom - (5 * lh) / 2, number, clBlack, clWhite, nullptr);
    canvas_->Line(page_.Left, page_.Bottom - 3 * lh, page_.Right, page_.Bottom - 3 * lh, clBlack);
    bottom_ = page_.Bottom - 4 * lh;
  }
  canvas_->SetFont(before);
}

void TPrintPass::LineNumber() {
  char number[24];
  std::snprintf(number, sizeof number, "%6d:", nextLine_);
  canvas_->SetFont(s_.Settings->StyleFont(0));
  Text(page_.Left, y_, number, clBlack, clWhite, nullptr);
  ++nextLine_;
}

void TPrintPass::Text(int32_t x, int32_t y, const std::string& text, TColor fore, TColor back, const TRect* cell) {
  canvas_->TextOut(x, y, text, fore, transparent_ ? clNone : back, transparent_ ? nullptr : cell);
}

bool TPrintPass::OfferPiece(const TTextRow& row, int32_t p, int32_t length, int32_t offset) {
  if (!s_.DrawLine) return true;
  TLineDrawData data;
  data.Text = row.Text.get() + p;
  data.Screen = false;
  data.Canvas = canvas_;
  data.Rect = {textStart_, y_, textStart_ + right_, y_ + s_.LineHeight};
  data.Offset = offset;
  data.FirstColumn = 0;
  TRowLayout layout;
  layout.Build(row.All().substr(static_cast<size_t>(p), static_cast<size_t>(length)), s_.Encoding, *s_.Tabs);
  data.Columns = layout.Width();
  s_.DrawLine(data);
  return !data.Handled;
}

void TPrintPass::DrawPiece(const TTextRow& row, int32_t p, int32_t length, bool lastOfText) {
  const TSM_Settings& st = *s_.Settings;
  const bool styled = Option(smoSyntaxHighlight) && row.Styles != nullptr;
  const std::string_view text = row.All().substr(static_cast<size_t>(p), static_cast<size_t>(length));
  TRowLayout layout;
  layout.Build(text, s_.Encoding, *s_.Tabs);
  const auto& chars = layout.Chars();
  const int32_t cw = s_.CharWidth;
  const int32_t lh = s_.LineHeight;
  auto styleAt = [&](int32_t byte) -> uint8_t { return styled ? st.GetMap(row.Styles[static_cast<size_t>(p + byte)]) : 0; };
  auto colours = [&](uint8_t style, TColor& fore, TColor& back) {
    fore = s_.MonoPrint ? clBlack : st.TextColorOf(style);
    back = s_.MonoPrint ? clWhite : st.BackColorOf(style);
  };
  size_t i = 0;
  while (i < chars.size() && chars[i].Kind != TCharKind::Break) {
    const int32_t x = textStart_ + chars[i].Column * cw;
    if (x >= right_) break;
    const uint8_t style = styleAt(chars[i].Byte);
    size_t j = i + 1;
    while (j < chars.size() && chars[j].Kind != TCharKind::Break && styleAt(chars[j].Byte) == style &&
           textStart_ + chars[j].Column * cw < right_) {
      ++j;
    }
    TColor fore, back;
    colours(style, fore, back);
    canvas_->SetFont(st.StyleFont(style) != 0 ? st.StyleFont(style) : st.StyleFont(0));
    run_.clear();
    for (size_t k = i; k < j; ++k) {
      if (chars[k].Kind == TCharKind::Hex) {
        char hex[8];
        std::snprintf(hex, sizeof hex, "%02X", static_cast<unsigned>(chars[k].Code));
        run_ += hex;
      } else {
        layout.AppendText(k, k + 1, run_);
      }
    }
    const TRowLayout::TChar& end = chars[j - 1];
    const TRect cell{x, y_, std::min(textStart_ + (end.Column + end.Columns) * cw, right_), y_ + lh};
    Text(x, y_, run_, fore, back, &cell);
    i = j;
  }
  // The rest of the row up to the right limit in the default background.
  const int32_t textEnd = textStart_ + layout.Width() * cw;
  if (!transparent_ && textEnd < right_) {
    TColor fore, back;
    colours(0, fore, back);
    canvas_->FillRect({textEnd, y_, right_, y_ + lh}, back);
  }
  if (Option(smoShowAllChars) && textEnd < right_) PieceEnd(text, textEnd, lastOfText);
}

void TPrintPass::PieceEnd(std::string_view piece, int32_t x, bool lastOfText) {
  const TSM_Settings& st = *s_.Settings;
  if (!piece.empty() && piece.back() == '\r') {
    // In the inverse of the background it stands on, as on screen.
    const TColor back = s_.MonoPrint ? clWhite : st.BackColorOf(0);
    canvas_->SetFont(st.StyleFont(0));
    canvas_->TextOut(x, y_, "\xC2\xB6", canvas_->ResolveColor(back) ^ 0xFFFFFF, clNone);
  } else if (Option(smoWordWrap) && !lastOfText) {
    constexpr int32_t GlyphHeight = 16;
    canvas_->DrawGlyph("SEM_WRAPPED", 0, x, s_.LineHeight > GlyphHeight ? y_ + (s_.LineHeight - GlyphHeight) / 2 : y_);
  }
}

}  // namespace ql
