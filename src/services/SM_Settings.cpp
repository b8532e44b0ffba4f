#include "services/SM_Settings.h"

#include <algorithm>

#include "services/CharGroupParser.h"
#include "services/KeyDefaults.h"

namespace ql {
namespace {

std::array<TStyleEffect, 256> DefaultStyles() {
  std::array<TStyleEffect, 256> styles{};
  styles[0].Defined = 1;
  return styles;
}

// The combined tree of the tables: each word with its table's case rule, value, states and
// the group of its word characters (every character when none is given).
std::unique_ptr<TKeywords> BuildKeywordTree(const std::vector<TKeywordDefinitions>& tables) {
  if (tables.empty()) return nullptr;
  auto tree = std::make_unique<TKeywords>();
  for (const TKeywordDefinitions& table : tables) {
    if (table.Words.empty()) continue;
    TSM_CharGroup group;
    if (table.WordChars.empty()) {
      group.AddSet(TByteSet::All());
    } else {
      int32_t position = 1;
      group = ParseCharGroup(table.WordChars, position);
    }
    for (const TKeywordWord& w : table.Words) {
      if (!w.Word.empty()) tree->Add(w.Word, table.CaseSensitive, w.Value, table.States, group);
    }
  }
  return tree;
}

}  // namespace

TSM_Settings::TSM_Settings()
    : styles_(DefaultStyles()),
      tabColumns_(NoTabColumns()),
      autoReplace_(std::make_unique<TAutoReplace>()),
      templates_(std::make_unique<TCodeTemplates>()),
      keys_(std::make_unique<TKeyboardActionContoller>()),
      fontFactory_(&DefaultFontFactory()) {
  ResetLanguage();
}

TSM_Settings::~TSM_Settings() { FreeFonts(); }

void TSM_Settings::ResetLanguage() {
  static_cast<TSettingsValues&>(*this) = TSettingsValues{};
  styles_ = DefaultStyles();
  editableStyles_ = {};
  tabColumns_ = NoTabColumns();
  keywordTables_.clear();
  keywords_.reset();
  gutterFont_ = TFontSpec{};
  hotspotDirty_ = true;
  keys_->Assign(DefaultKeyTable());
  autoReplace_->Reset();
  autoReplace_->HotKey = TMacroKeywords::DefaultHotKey;
  autoReplace_->MacroEnabled = true;
  templates_->Reset();
  templates_->HotKey = TMacroKeywords::DefaultHotKey;
  templates_->MacroEnabled = true;
}

void TSM_Settings::Reset() {
  const TFontSpec oldGutterFont = gutterFont_;
  FreeFonts();
  ResetLanguage();
  MakeFonts();
  if (!(gutterFont_ == oldGutterFont)) NotifyGutterFontChanged();
}

// --- Attached editors and fonts ---

void TSM_Settings::Attach(TSettingsClient& client) {
  if (std::find(attached_.begin(), attached_.end(), &client) != attached_.end()) return;
  attached_.push_back(&client);
  if (attached_.size() == 1) MakeFonts();
}

void TSM_Settings::Detach(TSettingsClient& client) {
  const auto at = std::find(attached_.begin(), attached_.end(), &client);
  if (at == attached_.end()) return;
  attached_.erase(at);
  if (attached_.empty()) FreeFonts();
}

TFontDescription TSM_Settings::StyleFontDescription(uint8_t n, TFontTarget target) const {
  const uint8_t style = styles_[n].FontStyle;
  TFontDescription d;
  d.Height = FontHeightForPoints(FontSize, fontFactory_->PixelsPerInchY(target));
  d.Weight = (style & fsBold) ? FW_BOLD : FW_DONTCARE;
  d.Italic = (style & fsItalic) != 0;
  d.Underline = (style & fsUnderline) != 0;
  d.StrikeOut = (style & fsStrikeOut) != 0;
  d.CharSet = FontCharSet;
  d.FaceName = FontName;
  return d;
}

void TSM_Settings::MakeFonts() {
  if (attached_.empty()) return;
  for (TFontHandle& font : fonts_) {
    fontFactory_->DeleteFont(font);
    font = 0;
  }
  const TFontTarget target = Printing ? TFontTarget::Printer : TFontTarget::Screen;
  for (int n = 0; n < 256; ++n) {
    if (styles_[n].Defined != 0) fonts_[n] = fontFactory_->CreateFont(StyleFontDescription(static_cast<uint8_t>(n), target), target);
  }
  if (GetInkMemoOptions().Contains(smoShowAllChars)) showAllMade_ = true;
}

void TSM_Settings::FreeFonts() {
  for (TFontHandle& font : fonts_) {
    fontFactory_->DeleteFont(font);
    font = 0;
  }
  showAllMade_ = false;
}

void TSM_Settings::SetFontFactory(TFontFactory& factory) {
  if (&factory == fontFactory_) return;
  FreeFonts();
  fontFactory_ = &factory;
  MakeFonts();
}

// --- Styles ---

void TSM_Settings::SetStyle(uint8_t n, const TStyleEffect& style) {
  styles_[n] = style;
  hotspotDirty_ = true;
}

bool TSM_Settings::AnyHotspot() const {
  if (hotspotDirty_) {
    anyHotspot_ = std::any_of(styles_.begin(), styles_.end(), [](const TStyleEffect& s) { return s.Defined != 0 && s.Hotspot; });
    hotspotDirty_ = false;
  }
  return anyHotspot_;
}

TColor TSM_Settings::TextColorOf(uint8_t n) const {
  if (!styles_[n].DefaultText) return styles_[n].TextColor;
  return styles_[0].DefaultText ? clWindowText : styles_[0].TextColor;
}

TColor TSM_Settings::BackColorOf(uint8_t n) const {
  if (!styles_[n].DefaultBack) return styles_[n].BackColor;
  return styles_[0].DefaultBack ? clWindow : styles_[0].BackColor;
}

const TEditableStyle& TSM_Settings::GetEditableStyle(int32_t index) const {
  if (index < 1 || index > MaxEditableStyles) throw EListError(Format("List index out of bounds (%d)", index));
  return editableStyles_[static_cast<size_t>(index)];
}

void TSM_Settings::SetEditableStyle(int32_t index, const std::string& name, uint8_t style) {
  if (index < 1 || index > MaxEditableStyles) throw EListError(Format("List index out of bounds (%d)", index));
  editableStyles_[static_cast<size_t>(index)] = TEditableStyle{name.substr(0, TEditableStyle::MaxName), style};
}

int32_t TSM_Settings::EditableStyleOf(uint8_t n) const {
  for (int32_t i = 1; i <= MaxEditableStyles && !editableStyles_[static_cast<size_t>(i)].Name.empty(); ++i) {
    if (editableStyles_[static_cast<size_t>(i)].Style == n) return i;
  }
  return 0;
}

// --- Keyword tables ---

void TSM_Settings::AddKeywordTable(const TByteSet& states, const std::string& wordChars, bool caseSensitive,
                                   const std::vector<TKeywordWord>& words) {
  TKeywordDefinitions table{states.Empty() ? TByteSet{0} : states, wordChars, caseSensitive, words};

  size_t slot = keywordTables_.size();
  for (size_t i = 0; i < keywordTables_.size(); ++i) {
    const TByteSet& existing = keywordTables_[i].States;
    if ((existing & table.States).Empty()) continue;
    if (existing == table.States) {
      slot = i;
      break;
    }
    throw EKeywords("Ambigious key table state definition");
  }
  if (slot == keywordTables_.size() && keywordTables_.size() >= static_cast<size_t>(MaxKeywordTables)) {
    throw EKeywords("Too many keyword tables declared");
  }

  std::vector<TKeywordDefinitions> tables = keywordTables_;
  if (slot == tables.size()) {
    tables.push_back(std::move(table));
  } else {
    tables[slot] = std::move(table);
  }
  std::unique_ptr<TKeywords> tree = BuildKeywordTree(tables);
  keywordTables_ = std::move(tables);
  keywords_ = std::move(tree);
}

// --- Gutter font ---

void TSM_Settings::SetGutterFont(const TFontSpec& font) {
  if (font == gutterFont_) return;
  gutterFont_ = font;
  NotifyGutterFontChanged();
}

void TSM_Settings::NotifyGutterFontChanged() {
  const std::vector<TSettingsClient*> clients = attached_;  // a client may detach while told
  for (TSettingsClient* client : clients) {
    try {
      client->SettingsGutterFontChanged(*this);
    } catch (...) {
      // One editor failing to repaint must not keep the others from hearing of the change.
    }
  }
}

}  // namespace ql
