#pragma once
// TSM_Settings: everything a highlighting language decides about the look and behaviour of an
// editor: options, margins and colours, tab stops, the font, 256 style records and the map
// from highlighter values to them, the styles offered for editing, the keyword tables, the key
// table, the auto-replace table and the code templates. An editor owns one for when it has no
// parser; a parser owns one that the script compiler fills and every editor using the parser
// shares (attached to it).
//
// Who fills what (script compiler, registry reader, property pages):
//   - Reset() before a compile: the language part goes back to its defaults; the attached
//     editors stay attached and keep valid fonts.
//   - %%language: the public fields of TSettingsValues, SetEditableStyle, SetTabColumnsText
//     (its errors are the tabcolumns messages), SetGutterFont.
//   - %%effects: GetStyle / SetStyle (a style is "already defined" when Defined != 0).
//   - %%map: StyleMap[token value] = style number.
//   - %%kwTables: AddKeywordTable, which keeps the combined keyword tree (Keywords()) current.
//   - %%keys: KeyController().ClearKeys(), AddKeySequence, SetActionName.
//   - %%autoreplace: AutoReplace().Reset() at the section start (empties it and restores the
//     default triggers), AddReplacement, SetTriggers (raw text of actionkeys).
//   - %%templates: Templates().Clear() at the section start, AddEntry(name, description,
//     false, text); hotkey sets Templates().HotKey.
//   - registry text form: the same fields; TBC through SetTabColumnsText / TabColumnsText.
// An editor that uses the settings binds AutoReplace().OnMacro and Templates().OnMacro to its
// ApplyMacro while it has the focus (MacroEditor.h), and calls Templates().EditorDestroying.
// Fonts are made through a TFontFactory while at least one editor is attached.
#include <array>
#include <climits>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "services/AutoReplace.h"
#include "services/CodeTemplates.h"
#include "services/KeyboardActionContoller.h"
#include "services/Keywords.h"
#include "services/SettingsOptions.h"
#include "services/SettingsTabColumns.h"
#include "services/SettingsTypes.h"
#include "textmodel/DisplayColumns.h"
#include "textmodel/SM_Base.h"
#include "toolkit/FontFactory.h"

namespace ql {

class TSM_Settings;

// An editor attached to a settings object.
class TSettingsClient {
public:
  virtual ~TSettingsClient() = default;
  // The gutter font changed: repaint. An exception from here is ignored.
  virtual void SettingsGutterFontChanged(TSM_Settings& settings) = 0;
};

// The plain values of a language, with their defaults.
struct TSettingsValues {
  std::string ExampleText;                         // sample text of the property pages' preview
  std::string LanguageName = "<Custom language>";
  std::string WrapOverride = ">|:";                // lines starting with one of these are not wrapped
  uint8_t FontCharSet = DEFAULT_CHARSET;
  uint32_t Options = DefaultOptionWord;            // see SettingsOptions.h
  int32_t TabDefault = 4;                          // may be 0 or less from stored data: use TabWidth()
  int32_t Margin = 2;                              // left margin in pixels
  int32_t RightMargin = 80;                        // column
  int32_t WrapAtColumn = 0;                        // 0: wrap at the window edge
  int32_t Gutter = 34;                             // gutter width in pixels
  int32_t IndentStep = 1;
  TColor MarginColor = clWhite;
  TColor GutterColor = clBtnFace;
  TColor SelTextColor = clHighlightText;
  TColor SelTextBack = clHighlight;
  std::array<uint8_t, 256> StyleMap{};             // highlighter value -> style record
  std::string FontName = "Courier New";
  int32_t FontSize = 10;                           // points
  bool UseDefMarginColor = false;                  // margin in the default background
  bool UseDefSelTextColor = false;                 // selected text keeps its own text colour
  bool UseDefSelTextBack = false;                  // selected text keeps its own background
  bool UseDefGutterColor = false;                  // gutter in the system scroll-bar colour
};

class TSM_Settings : public TSM_Base, public TSettingsValues, public TTabRule {
public:
  static constexpr int32_t MaxEditableStyles = 50;
  static constexpr int32_t MaxKeywordTables = 21;
  // The stream version at which the gutter font is part of the stream form.
  static constexpr int32_t GutterFontVersion = 51;

  TSM_Settings();
  ~TSM_Settings() override;
  TSM_Settings(const TSM_Settings&) = delete;
  TSM_Settings& operator=(const TSM_Settings&) = delete;
  const char* ClassName() const override { return "TSM_Settings"; }

  // Puts every language field back to its default: the values, styles, map, editable styles,
  // tab stops, keyword tables, gutter font, the key table (a copy of the default key table),
  // auto-replace (default triggers) and templates (empty). The attached editors, UseCount,
  // Printing, StreamVersion and the font factory stay; fonts are made again when attached.
  void Reset();

  // --- Attached editors and fonts ---

  // An editor starts using the settings; the first one makes the fonts. Attaching an editor
  // already attached changes nothing.
  void Attach(TSettingsClient& client);
  // An editor stops using the settings; when the last one goes the fonts are freed. Detaching
  // an editor that is not attached changes nothing.
  void Detach(TSettingsClient& client);
  int32_t UseCount() const { return static_cast<int32_t>(attached_.size()); }
  const std::vector<TSettingsClient*>& AttachedClients() const { return attached_; }
  // Frees and makes again the font of every defined style (for the printer with Printing),
  // and the show-all-characters resources when smoShowAllChars is on. Nothing while no editor
  // is attached.
  void MakeFonts();
  // The font made for style n; 0 when none was made.
  TFontHandle StyleFont(uint8_t n) const { return fonts_[n]; }
  bool ShowAllResourcesMade() const { return showAllMade_; }
  // The factory fonts are made with (the process-wide default at creation).
  void SetFontFactory(TFontFactory& factory);
  TFontFactory& FontFactory() const { return *fontFactory_; }
  // The logical font of style n: FontName, FontSize for the target device, the style's font
  // style, FontCharSet.
  TFontDescription StyleFontDescription(uint8_t n, TFontTarget target) const;

  // --- Styles ---

  const TStyleEffect& GetStyle(uint8_t n) const { return styles_[n]; }
  void SetStyle(uint8_t n, const TStyleEffect& style);
  uint8_t GetMap(uint8_t value) const { return StyleMap[value]; }
  void SetMap(uint8_t value, uint8_t style) { StyleMap[value] = style; }
  // True when a defined style is a hotspot.
  bool AnyHotspot() const;
  // The colours a style is drawn in: its own, or with the default flag style 0's (the system
  // window-text and window colours when style 0 has the flag too).
  TColor TextColorOf(uint8_t n) const;
  TColor BackColorOf(uint8_t n) const;

  // Editable styles 1 .. MaxEditableStyles; the first entry without a name ends the list.
  // Names are cut to 25 characters. An index outside the range raises EListError.
  const TEditableStyle& GetEditableStyle(int32_t index) const;
  void SetEditableStyle(int32_t index, const std::string& name, uint8_t style);
  // The first listed editable style that uses style record n; 0 when none does.
  int32_t EditableStyleOf(uint8_t n) const;

  // --- Options and tab stops ---

  TInkMemoOptions GetInkMemoOptions() const { return OptionsFromWord(Options); }
  // Clears every bit that belongs to no member.
  void SetInkMemoOptions(TInkMemoOptions options) { Options = OptionsToWord(options); }

  const TTabColumns& TabColumns() const { return tabColumns_; }
  int32_t GetTabColumn(int32_t index) const { return tabColumns_.at(static_cast<size_t>(index)); }
  // Raises EInkMemo with the tab-column messages (SettingsTabColumns.h); the stops then stay.
  void SetTabColumnsText(const std::string& text) { tabColumns_ = ParseTabColumns(text); }
  std::string TabColumnsText() const { return FormatTabColumns(tabColumns_); }
  // TabDefault, or 4 when it is 0 or less.
  int32_t TabWidth() const { return TabDefault > 0 ? TabDefault : 4; }
  // The tab rule of every editor using these settings (DisplayColumns.h).
  int32_t NextTabStop(int32_t column) const override { return ql::NextTabStop(tabColumns_, TabDefault, column); }

  // --- Keyword tables ---

  // Stores a keyword table (an empty state set means state 0) and rebuilds the combined tree.
  // A table whose states equal an existing one replaces it; one whose states overlap another
  // without equalling it raises EKeywords "Ambigious key table state definition"; a 22nd table
  // raises EKeywords "Too many keyword tables declared". A duplicate word (EKeywords) or a bad
  // word-character group text (Exception) is raised too. On any error nothing changes.
  void AddKeywordTable(const TByteSet& states, const std::string& wordChars, bool caseSensitive,
                       const std::vector<TKeywordWord>& words);
  int32_t KeywordTableCount() const { return static_cast<int32_t>(keywordTables_.size()); }
  const TKeywordDefinitions& KeywordTable(int32_t index) const { return keywordTables_.at(static_cast<size_t>(index)); }
  // The combined keyword tree of all tables; null while there are no tables. Each word's value
  // is its integer; its entry's states are its table's states. The scanner sets ActiveStates.
  // The tree is replaced (the pointer changes) whenever the tables change.
  TKeywords* Keywords() const { return keywords_.get(); }

  // --- Owned tables and the gutter font ---

  TAutoReplace& AutoReplace() const { return *autoReplace_; }
  TCodeTemplates& Templates() const { return *templates_; }
  TKeyboardActionContoller& KeyController() const { return *keys_; }

  const TFontSpec& GutterFont() const { return gutterFont_; }
  // A change is reported to every attached editor.
  void SetGutterFont(const TFontSpec& font);

  // --- Copying ---

  // From another TSM_Settings: copies the language part (the stream form at the current
  // version), whatever the two objects' StreamVersion. Other TSM_Base objects: TSM_Base::Assign.
  void Assign(const TObject& source) override;
  // Writes the stream form at StreamVersion (with the gutter font above version 50).
  void SaveToStream(TStream& stream) const override;
  // Reads the stream form at StreamVersion. The language part changes only when the whole form
  // was read and is consistent; otherwise EReadError (also for conflicting keyword tables or
  // keys) and the object is as it was. Fonts are made again when attached.
  void LoadFromStream(TStream& stream) override;

  // Fonts are made for the printer.
  bool Printing = false;
  // The version of the stream form read and written; the parser's stored form sets it around
  // its own reading and writing.
  int32_t StreamVersion = INT32_MAX;

private:
  void SaveToStreamAt(TStream& stream, int32_t version) const;
  void LoadFromStreamAt(TStream& stream, int32_t version);
  // Reads the stream form into this object (which nothing else uses yet).
  void ReadFrom(TStream& stream, int32_t version);
  // Takes over the language part of a fully read object.
  void TakeLanguageFrom(TSM_Settings& source);
  void ResetLanguage();
  void FreeFonts();
  void NotifyGutterFontChanged();

  // Language part besides TSettingsValues.
  std::array<TStyleEffect, 256> styles_;
  std::array<TEditableStyle, MaxEditableStyles + 1> editableStyles_;  // entry 0 is unused
  TTabColumns tabColumns_;
  std::vector<TKeywordDefinitions> keywordTables_;  // at most MaxKeywordTables; state sets pairwise disjoint
  std::unique_ptr<TKeywords> keywords_;            // built from keywordTables_; null when there are none
  TFontSpec gutterFont_;
  std::unique_ptr<TAutoReplace> autoReplace_;
  std::unique_ptr<TCodeTemplates> templates_;
  std::unique_ptr<TKeyboardActionContoller> keys_;
  mutable bool hotspotDirty_ = true;
  mutable bool anyHotspot_ = false;

  // Not part of the language.
  std::vector<TSettingsClient*> attached_;  // no duplicates; fonts exist exactly while not empty
  TFontFactory* fontFactory_;
  std::array<TFontHandle, 256> fonts_{};    // non-zero only for defined styles while attached
  bool showAllMade_ = false;
};

}  // namespace ql
