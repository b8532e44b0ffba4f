// Word wrap: the rows of each logical line are rebuilt to fit the wrap width, breaking after
// blanks. The store asks for it through its layout hook after every insertion and deletion (the
// lines concerned only); a change of width, font, tab stops or wrap settings lays out the whole
// text again. Without word wrap, lines are only kept within the row limit.
#include <algorithm>
#include <climits>
#include <cstdio>

#include "editor/CustomInkMemo.h"
#include "editor/WordBreak.h"
#include "services/SM_Settings.h"

namespace ql {

int32_t TCustomInkMemo::WrapWidth() const {
  int64_t width = settings_->WrapAtColumn != 0 ? static_cast<int64_t>(settings_->WrapAtColumn) * charWidth_
                                               : static_cast<int64_t>(clientWidth_) - TextLeft();
  width = std::min<int64_t>(width, INT32_MAX / 2);
  return width < 1 ? 8 : static_cast<int32_t>(width);
}

int32_t TCustomInkMemo::WordBreak(const char* text, int32_t position, int32_t count, int32_t code) {
  if (OnWordBreakProc) return OnWordBreakProc(text, position, count, code);
  return DefaultWordBreak(text, position, count, code, DisplayEncoding());
}

bool TCustomInkMemo::WordWrapOn() const { return wrapLayout_.On && !Loading(); }

void TCustomInkMemo::LayoutRows(TTextStore& store, TTextRow* first, TTextRow* last) {
  if (&store == &Store() && WordWrapOn()) {
    Rewrap(first, last);
  } else {
    TTextStoreHost::LayoutRows(store, first, last);
  }
}

TWrapLayout TCustomInkMemo::CurrentWrapLayout() const {
  TWrapLayout layout;
  // Before the window has a width there is nothing to wrap at.
  layout.On = HasOption(smoWordWrap) && (settings_->WrapAtColumn != 0 || clientWidth_ > 0);
  if (!layout.On) return layout;
  layout.Width = WrapWidth();
  layout.OverrideOn = HasOption(smoWrapOverride);
  layout.Override = settings_->WrapOverride;
  char font[32];
  std::snprintf(font, sizeof font, ":%d:%d:%d", settings_->FontSize, charWidth_, fixedPitch_ ? 1 : 0);
  layout.Font = settings_->FontName + font;
  layout.Tabs = std::to_string(settings_->TabDefault) + ":" + settings_->TabColumnsText();
  layout.Encoding = DisplayEncoding();
  return layout;
}

void TCustomInkMemo::UpdateWrapLayout(bool textReplaced) {
  const TWrapLayout layout = CurrentWrapLayout();
  if (layout == wrapLayout_ && !(textReplaced && layout.On)) return;
  const bool wasOn = wrapLayout_.On;
  wrapLayout_ = layout;
  if (!layout.On && !wasOn) return;
  if (layout.On != wasOn) leftColumn_ = 0;
  // Style bytes are split with the rows: they must be current first.
  if (!Loading()) RunRescan();
  Rewrap(nullptr, nullptr);
  fullRepaint_ = true;
  scrollBarsDirty_ = true;
}

TRowSpan TCustomInkMemo::WrapLine(TTextRow* first) {
  TTextRow* last = first;
  while (!last->EndsWithCR() && last->Next != nullptr) last = last->Next;
  std::string_view line = first->All();
  if (last != first) {
    wrapText_.clear();
    for (TTextRow* r = first;; r = r->Next) {
      wrapText_.append(r->All());
      if (r == last) break;
    }
    line = wrapText_;
  }
  const TSM_Settings& s = *settings_;
  TWrapRules rules;
  const auto firstChar = static_cast<unsigned char>(line.empty() ? 0 : line.front());
  const bool overridden = HasOption(smoWrapOverride) && firstChar != 0 && firstChar != '\r' &&
                          s.WrapOverride.find(static_cast<char>(firstChar)) != std::string::npos;
  rules.Wrap = wrapLayout_.On && !overridden;
  rules.Width = WrapWidth();
  rules.CharWidth = charWidth_;
  rules.Encoding = DisplayEncoding();
  rules.Tabs = this;
  std::unique_ptr<TFontMeasure> measure;
  if (rules.Wrap && !fixedPitch_) {
    measure = std::make_unique<TFontMeasure>(settings_->FontFactory(), StyleFontOf(0), charWidth_, rules.Encoding);
    rules.Measure = measure.get();
  }
  rules.WordBreak = [this](const char* text, int32_t position, int32_t count, int32_t code) {
    return WordBreak(text, position, count, code);
  };
  wrapLengths_.clear();
  WrapLengths(line, rules, wrapLengths_);
  return Store().ReplaceRows(first, last, wrapLengths_);
}

void TCustomInkMemo::Rewrap(TTextRow* from, TTextRow* to) {
  TTextStore& store = Store();
  if (store.FirstRow == nullptr) return;
  TTextRow* row = from != nullptr ? from : store.FirstRow;
  while (row->Prev != nullptr && !row->Prev->EndsWithCR()) row = row->Prev;
  TTextRow* end = nullptr;  // the first row after the line that holds `to`
  if (to != nullptr) {
    while (!to->EndsWithCR() && to->Next != nullptr) to = to->Next;
    end = to->Next;
  }
  TTextRow* last = nullptr;
  while (row != nullptr && row != end) {
    last = WrapLine(row).Last;
    row = last->Next;
  }
  int32_t n = visibleRows_;
  for (TTextRow* r = last != nullptr ? last->Next.get() : nullptr; r != nullptr && n > 0; r = r->Next, --n) r->Flags |= rfRepaint;
}

}  // namespace ql
