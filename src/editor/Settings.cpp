// Applying the active settings object: fonts and metrics, the navigation keys, the option word.
#include "editor/CustomInkMemo.h"
#include "services/KeyActions.h"
#include "services/SM_Settings.h"

namespace ql {
namespace {

// The actions whose keys move the caret whether or not Shift is held.
constexpr int32_t NavigationActions[] = {caLEFT,      caRIGHT,    caUP,        caDOWN,      caLINEHOME,
                                         caLINEEND,   caPAGEUP,   caPAGEDOWN,  caWORDLEFT,  caWORDRIGHT,
                                         caDOCSTART,  caDOCEND,   caBACKSPACE};

}  // namespace

void TCustomInkMemo::ApplySettings(bool fromPropertyWrite) {
  navigationKeys_.clear();
  TKeyboardActionContoller& keys = settings_->KeyController();
  for (const int32_t action : NavigationActions) {
    for (TKeySequence k = keys.FindFirstKeys(action); k.Action >= 0; k = keys.FindNextKeys(action)) {
      navigationKeys_.push_back(static_cast<uint16_t>(k.First & 0xFF));
    }
  }
  settings_->MakeFonts();
  FreeGutterFont();
  MeasureFont();
  if (!fromPropertyWrite && parser_ != nullptr) highlightAll_ = true;
  UpdateWrapLayout();
  EnsureCaretVisible();
  fullRepaint_ = true;
  scrollBarsDirty_ = true;
  changeFlags_ |= cfStyle;
}

void TCustomInkMemo::SetOptionsWord(uint32_t word, bool quiet) {
  settings_->Options = word;
  if (quiet) return;
  changeFlags_ |= cfOptions;
  SettingsWritten();
}

}  // namespace ql
