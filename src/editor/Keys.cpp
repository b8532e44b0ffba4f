// Keys: a key press goes to the code templates, then auto-replace, then the key sequences of
// the settings' action controller; a typed character that no key sequence took is typed.
#include <algorithm>

#include "editor/CustomInkMemo.h"
#include "services/KeyActions.h"
#include "services/SM_Settings.h"
#include "toolkit/VirtualKeys.h"

namespace ql {
namespace {

// Keys whose press the window system follows with a typed character (WM_CHAR). Only for these
// does a key that a key sequence took keep the character that follows it from being typed.
bool KeyTypes(uint16_t key) {
  return key == VK_BACK || key == VK_TAB || key == VK_RETURN || key == VK_ESCAPE || key == VK_SPACE ||
         (key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z') || (key >= VK_NUMPAD0 && key <= VK_DIVIDE) ||
         (key >= VK_OEM_1 && key <= VK_OEM_3) || (key >= VK_OEM_4 && key <= VK_OEM_7);
}

}  // namespace

bool TCustomInkMemo::ShiftDown() const { return host_->KeyDown(VK_SHIFT); }
bool TCustomInkMemo::CtrlDown() const { return host_->KeyDown(VK_CONTROL); }

void TCustomInkMemo::BindSettings() {
  // Several editors share a parser's settings: its tables act on the editor that has the keys.
  settings_->KeyController().OnAction = [this](TObject&, int32_t& code) {
    changeFlags_ |= cfCommand;
    if (OnCommandRecognised) OnCommandRecognised(*this, code);
    ExecuteActionCode(code, shiftAtKey_);
    keyConsumed_ = true;
  };
  auto apply = [this](TMacroKeywords& table, const std::string& name, std::string& expansion) {
    ApplyMacro(*this, table, name, expansion);
  };
  settings_->Templates().OnMacro = apply;
  settings_->AutoReplace().OnMacro = apply;
  settings_->Templates().HandPickListTo(*this);
}

void TCustomInkMemo::KeyDown(uint16_t key) {
  keyConsumed_ = false;
  if (!Enabled) return;
  changeFlags_ |= cfCommand;
  BindSettings();
  TShiftState shift = 0;
  if (ShiftDown()) shift |= ssShift;
  if (CtrlDown()) shift |= ssCtrl;
  if (host_->KeyDown(VK_MENU)) shift |= ssAlt;

  bool handled = false;
  uint16_t k = key;
  if (settings_->Templates().HandleMacroKey(*this, k, handled, shift) && handled) {
    keyConsumed_ = KeyTypes(key);
    return;
  }
  settings_->AutoReplace().HandleMacroKey(*this, k, handled, shift);
  if (handled) {
    keyConsumed_ = KeyTypes(key);
    return;
  }
  shiftAtKey_ = (shift & ssShift) != 0;
  // Movement keys are recognised with or without Shift; Shift then extends the selection.
  if (std::find(navigationKeys_.begin(), navigationKeys_.end(), key) != navigationKeys_.end()) shift &= ~ssShift;
  settings_->KeyController().ProcessKey(k, shift, handled);
  if (handled) keyConsumed_ = true;
  if (!KeyTypes(key)) keyConsumed_ = false;
}

void TCustomInkMemo::KeyPress(char32_t code) {
  if (!Enabled || !TabStop) return;
  if (keyConsumed_) {
    keyConsumed_ = false;
    return;
  }
  changeFlags_ |= cfCommand;
  TypeChar(code);
}

}  // namespace ql
