#pragma once
// A headless editor for the template and auto-replace tables: a row store with a selection, a
// recording pick list, an undo-group log, and a Type() that feeds key presses the way the
// editor's key handling does (templates first, then auto-replace, then the character types).
#include <memory>
#include <string>
#include <vector>

#include "services/AutoReplace.h"
#include "services/CodeTemplates.h"
#include "services/MacroEditor.h"
#include "services/SM_Settings.h"
#include "textmodel/CharClasses.h"
#include "textmodel/DisplayColumns.h"
#include "textmodel/EdStream.h"
#include "textmodel/TextStore.h"
#include "toolkit/KeyboardLayout.h"

namespace ql::test {

class FakePickList : public TMacroPickList {
public:
  void SetEditor(TMacroEditor& editor) override { editor_ = &editor; }
  TMacroEditor* Editor() const override { return editor_; }
  void Open(const std::vector<TPickListItem>& items, int32_t selected) override {
    Items = items;
    Selected = selected;
    IsOpen = true;
  }
  void SelectItem(int32_t index) override { Selected = index; }
  void Close() override { IsOpen = false; }

  std::vector<TPickListItem> Items;
  int32_t Selected = -1;
  bool IsOpen = false;

private:
  TMacroEditor* editor_ = nullptr;
};

class FakeMacroEditor : public TMacroEditor {
public:
  // text with the caret at its end, or at the first "^" (which is removed).
  explicit FakeMacroEditor(std::string text = "") : stream_(&store_) {
    const size_t caret = text.find('^');
    if (caret != std::string::npos) text.erase(caret, 1);
    store_.InsertText(0, text);
    anchor_ = caret_ = caret != std::string::npos ? static_cast<int32_t>(caret) : store_.TextLength;
    Settings.TabDefault = 8;
  }

  std::string Text() { return store_.GetRange(0, store_.TextLength); }

  // TMacroEditor
  int32_t MacroSelAnchor() const override { return anchor_; }
  int32_t MacroSelCaret() const override { return caret_; }
  void MacroSetSelection(int32_t anchor, int32_t caret, bool) override {
    anchor_ = anchor;
    caret_ = caret;
  }
  int32_t MacroTextLength() const override { return store_.TextLength; }
  TCustomEdStream& MacroStreamAt(int32_t position) override {
    stream_.StartAt(position);
    return stream_;
  }
  bool CharStartsWord(uint8_t c) const override { return DefaultCharStartsWord(c); }
  bool CharIsInWord(uint8_t c) const override { return DefaultCharIsInWord(c); }
  int32_t DisplayColumnOf(int32_t position) override {
    const std::string text = store_.GetRange(0, position);
    const size_t lineStart = text.rfind('\r');
    const std::string_view row = std::string_view(text).substr(lineStart == std::string::npos ? 0 : lineStart + 1);
    return DisplayColumn(row, static_cast<int32_t>(row.size()), TTextEncoding::Utf8, Settings);
  }
  void MacroReplaceSelection(const std::string& text) override {
    const int32_t start = std::min(anchor_, caret_);
    store_.DeleteText(start, std::max(anchor_, caret_));
    const int32_t n = store_.InsertText(start, text);
    anchor_ = caret_ = start + n;
    ReplacedInGroup.push_back(openGroups_ > 0);
  }
  void BeginUndoGroup(int32_t group) override {
    ++openGroups_;
    UndoLog.push_back("begin " + std::to_string(group));
  }
  void EndUndoGroup(int32_t group) override {
    --openGroups_;
    UndoLog.push_back("end " + std::to_string(group));
  }
  bool HideSelection() const override { return hideSelection_; }
  void SetHideSelection(bool on) override { hideSelection_ = on; }
  std::unique_ptr<TMacroPickList> CreatePickList(TMacroKeywords&) override {
    ++PickListsMade;
    auto list = std::make_unique<FakePickList>();
    LastPickList = list.get();
    return list;
  }

  // Binds both tables' OnMacro to this editor, as the focused editor does.
  void Bind(TMacroKeywords& table) {
    table.OnMacro = [this](TMacroKeywords& sender, const std::string& name, std::string& expansion) {
      ApplyMacro(*this, sender, name, expansion);
    };
  }

  // One key press: the templates, then auto-replace; a key neither consumed is typed when it
  // is a character (ch != 0).
  void Press(TCodeTemplates* templates, TAutoReplace* autoReplace, uint16_t key, TShiftState shift, char ch) {
    bool handled = false;
    if (templates != nullptr && templates->HandleMacroKey(*this, key, handled, shift) && handled) return;
    if (autoReplace != nullptr) autoReplace->HandleMacroKey(*this, key, handled, shift);
    if (!handled && ch != 0) MacroReplaceSelection(std::string(1, ch));
  }
  // Types characters, each with its US-layout key.
  void Type(TCodeTemplates* templates, TAutoReplace* autoReplace, const std::string& chars) {
    for (const char c : chars) {
      const uint16_t scan = static_cast<uint16_t>(VkKeyScan(c));
      TShiftState shift = 0;
      if (scan & kksShift) shift |= ssShift;
      Press(templates, autoReplace, scan & 0xFF, shift, c);
    }
  }

  // The tab stops of the editor's settings.
  TSM_Settings Settings;
  std::vector<std::string> UndoLog;
  std::vector<bool> ReplacedInGroup;
  int32_t PickListsMade = 0;
  FakePickList* LastPickList = nullptr;

private:
  TTextStore store_;
  TEdStream stream_;
  int32_t anchor_ = 0;
  int32_t caret_ = 0;
  int32_t openGroups_ = 0;
  bool hideSelection_ = true;
};

}  // namespace ql::test
