#pragma once
// A headless editor for the engine's tests: a host window that records what the editor asks of
// it (repaints, scroll bars, caret, timers) and answers key state, focus and time as the test
// sets them; a recording canvas with the fixed metrics of the recording font factory (8 pixels
// a character, rows of 17 pixels).
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "editor/InkMemo.h"
#include "highlight/InkMemoParser.h"
#include "highlight/xmldef/XmlDefinition.h"
#include "services/KeyActions.h"
#include "services/SM_Settings.h"
#include "toolkit/RecordingCanvas.h"
#include "toolkit/VirtualKeys.h"

namespace ql::test {

class TTestHost : public THostWindow {
public:
  void InvalidateRect(const TRect* rect) override {
    if (rect == nullptr) {
      InvalidatedAll = true;
    } else {
      Invalidated.push_back(*rect);
    }
  }
  void SetScrollInfo(TScrollBarKind bar, const TScrollInfo& info) override {
    (bar == TScrollBarKind::Vertical ? VBar : HBar) = info;
  }
  void CreateCaret(int32_t width, int32_t height) override { CaretSize = {width, height}; }
  void SetCaretPos(int32_t x, int32_t y) override { CaretPos = {x, y}; }
  void ShowCaret() override { CaretShown = true; }
  void HideCaret() override { CaretShown = false; }
  void DestroyCaret() override { CaretShown = false; }
  bool HasFocus() const override { return Focused; }
  void SetFocus() override { Focused = true; }
  void SetTimer(uint32_t id, uint32_t) override { Timers.insert(id); }
  void KillTimer(uint32_t id) override { Timers.erase(id); }
  uint32_t TickCount() const override { return Ticks; }
  bool KeyDown(uint16_t vk) const override { return Keys.count(vk) != 0; }
  void Beep() override { ++Beeps; }
  bool Visible() const override { return true; }
  void SetCursor(TCursor cursor) override { Cursor = cursor; }
  TDropEffect DoDragDrop(const std::string& utf8, TDropEffect allowed) override {
    return OnDrag ? OnDrag(utf8, allowed) : DROPEFFECT_NONE;
  }

  void ForgetRepaints() {
    InvalidatedAll = false;
    Invalidated.clear();
  }

  bool InvalidatedAll = false;
  std::vector<TRect> Invalidated;
  TScrollInfo VBar, HBar;
  TPoint CaretSize, CaretPos;
  bool CaretShown = false;
  bool Focused = false;
  std::set<uint32_t> Timers;
  uint32_t Ticks = 1000;
  std::set<uint16_t> Keys;
  int32_t Beeps = 0;
  TCursor Cursor = crDefault;
  // Carries a drag out of the editor: the text and the effects allowed; returns the drop's effect.
  std::function<TDropEffect(const std::string& utf8, TDropEffect allowed)> OnDrag;
};

// Metrics of the recording font factory as the editor measures them.
constexpr int32_t CW = 8;   // character width
constexpr int32_t LH = 17;  // line height

// An editor in a window of 80 x 20 text cells (plus gutter and margin), with no parser.
class EditorTest : public ::testing::Test {
protected:
  explicit EditorTest(int32_t columns = 80, int32_t rows = 20) : memo(&host) {
    Resize(columns, rows);
  }

  void Resize(int32_t columns, int32_t rows) {
    memo.Perform(WM_SIZE, 0, MAKELPARAM(memo.TextLeft() + columns * CW, rows * LH));
  }
  // Replaces the text (no history) and puts the caret at the first "^" when there is one.
  void Load(std::string text) {
    const size_t caret = text.find('^');
    if (caret != std::string::npos) text.erase(caret, 1);
    memo.SetText(text);
    if (caret != std::string::npos) memo.SetSelection(static_cast<int32_t>(caret), static_cast<int32_t>(caret));
  }
  std::string Text() { return memo.Store().GetRange(0, memo.Store().TextLength); }
  void Type(const std::u32string& chars) {
    for (const char32_t c : chars) memo.Perform(WM_CHAR, c);
  }
  void Key(uint16_t vk, std::set<uint16_t> modifiers = {}) {
    host.Keys = modifiers;
    memo.Perform(WM_KEYDOWN, vk);
    host.Keys.clear();
  }
  void Action(int32_t code, bool extend = false) { memo.ExecuteAction(code, extend); }
  TSelectionEnds Sel() const { return {memo.SelAnchor(), memo.SelCaret()}; }
  // Paints the whole window onto a fresh recording canvas.
  TRecordingCanvas& Paint() {
    canvas.Clear();
    TPaintRequest request{&canvas, {0, 0, memo.ClientWidth(), memo.ClientHeight()}};
    memo.Perform(WM_PAINT, 0, reinterpret_cast<LPARAM>(&request));
    return canvas;
  }
  // The text drawn on row r of the text area (runs joined, in x order).
  std::string DrawnRow(int32_t r) {
    std::string out;
    for (const auto& t : canvas.Texts) {
      if (t.Y == r * LH && t.X >= memo.TextLeft() && t.Opaque) out += t.Text;
    }
    return out;
  }

  TTestHost host;
  TInkMemo memo;
  TRecordingCanvas canvas{memo.Settings().FontFactory()};
};

// The shipped XML definition, loaded once per test.
inline std::unique_ptr<TInkMemoParser> XmlParser() {
  auto parser = std::make_unique<TInkMemoParser>();
  parser->Name = "XMLParser";
  parser->LoadFromBytes(XmlDefinitionStoredForm());
  return parser;
}

}  // namespace ql::test
