// Properties held by the active settings object. Each write stores the value there and then
// every editor using those settings applies them again (SMM_APPLYSETTINGS): a write through one
// editor shows in all editors that share a parser.
#include <algorithm>

#include "editor/CustomInkMemo.h"
#include "services/SM_Settings.h"

namespace ql {

namespace {

// Sends msg to every editor using settings, the sender last.
void SendToSharingEditors(TSM_Settings& settings, TCustomInkMemo& sender, TMsgNum msg, WPARAM wParam) {
  for (TSettingsClient* client : settings.AttachedClients()) {
    if (auto* editor = dynamic_cast<TCustomInkMemo*>(client); editor != nullptr && editor != &sender) {
      editor->Perform(msg, wParam);
    }
  }
  sender.Perform(msg, wParam);
}

}  // namespace

void TCustomInkMemo::SettingsWritten() { SendToSharingEditors(*settings_, *this, SMM_APPLYSETTINGS, 1); }

TColor TCustomInkMemo::GetDefTextColor() const { return settings_->GetStyle(0).TextColor; }
TColor TCustomInkMemo::GetDefBackColor() const { return settings_->GetStyle(0).BackColor; }
uint8_t TCustomInkMemo::GetDefFontStyle() const { return settings_->GetStyle(0).FontStyle; }

void TCustomInkMemo::SetDefTextColor(TColor color) {
  TStyleEffect style = settings_->GetStyle(0);
  style.TextColor = color;
  settings_->SetStyle(0, style);
  SettingsWritten();
}

void TCustomInkMemo::SetDefBackColor(TColor color) {
  TStyleEffect style = settings_->GetStyle(0);
  style.BackColor = color;
  style.DefaultBack = false;
  settings_->SetStyle(0, style);
  SettingsWritten();
}

void TCustomInkMemo::SetDefFontStyle(uint8_t fontStyle) {
  TStyleEffect style = settings_->GetStyle(0);
  style.FontStyle = fontStyle;
  style.DefaultText = false;
  settings_->SetStyle(0, style);
  SettingsWritten();
}

void TCustomInkMemo::SetGutterColor(TColor color) {
  settings_->GutterColor = color;
  SettingsWritten();
}

void TCustomInkMemo::SetGutterFont(const TFontSpec& font) {
  settings_->SetGutterFont(font);
  SettingsWritten();
}

void TCustomInkMemo::SetMargin(int32_t value) {
  if (value == settings_->Margin || value > charWidth_ || value < 0) return;
  settings_->Margin = value;
  SettingsWritten();
}

void TCustomInkMemo::SetMarginColor(TColor color) {
  settings_->MarginColor = color;
  SettingsWritten();
}

void TCustomInkMemo::SetSelTextColor(TColor color) {
  settings_->SelTextColor = color;
  SettingsWritten();
}

void TCustomInkMemo::SetSelTextBack(TColor color) {
  settings_->SelTextBack = color;
  SettingsWritten();
}

void TCustomInkMemo::SetIndentStep(int32_t value) {
  if (value < 1 || value > 19) return;
  settings_->IndentStep = value;
  SettingsWritten();
}

std::string TCustomInkMemo::GetTabColumns() const { return settings_->TabColumnsText(); }

void TCustomInkMemo::SetTabColumns(const std::string& text) {
  settings_->SetTabColumnsText(text);
  SettingsWritten();
}

void TCustomInkMemo::SetWrapAtColumn(int32_t value) {
  settings_->WrapAtColumn = std::max(value, 0);
  changeFlags_ |= cfOptions;
  SettingsWritten();
}

void TCustomInkMemo::SetWrapOverride(const std::string& text) {
  settings_->WrapOverride = text;
  SettingsWritten();
}

void TCustomInkMemo::SetWordWrap(bool on) {
  const uint32_t bit = OptionWordBit(smoWordWrap);
  Perform(SMM_OPTIONS, smmSet, static_cast<LPARAM>(on ? settings_->Options | bit : settings_->Options & ~bit));
}

TFontSpec TCustomInkMemo::GetFont() const {
  TFontSpec font;
  font.Name = settings_->FontName;
  font.Size = settings_->FontSize;
  font.CharSet = settings_->FontCharSet;
  font.Color = settings_->TextColorOf(0);
  font.Style = settings_->GetStyle(0).FontStyle;
  return font;
}

void TCustomInkMemo::SetFont(const TFontSpec& font) {
  settings_->FontName = font.Name;
  settings_->FontSize = font.Size;
  settings_->FontCharSet = font.CharSet;
  SendToSharingEditors(*settings_, *this, CM_FONTCHANGED, 0);
}

}  // namespace ql
