// The stream form of TSM_Settings (integers 32-bit little-endian, strings as an integer length
// and the characters, in this order):
//   strings ExampleText, LanguageName, WrapOverride;
//   integers Options, Margin, RightMargin, WrapAtColumn, Gutter, IndentStep, MarginColor,
//     GutterColor, SelTextColor, SelTextBack, TabDefault;
//   integer n, then n defined style records in ascending index: byte index, byte font style,
//     integer text colour, integer back colour, bytes default text, default back, hotspot,
//     integer defined;
//   integer m, then m non-zero StyleMap entries in ascending index: byte index, byte style;
//   integer k, then k named editable styles in order: string name, byte style;
//   32 integers of tab columns;
//   string FontName, integer FontSize, byte FontCharSet;
//   bytes UseDefMarginColor, UseDefSelTextColor, UseDefSelTextBack, UseDefGutterColor;
//   integer t, then t keyword tables: 32 bytes of states, string word characters, integer case
//     rule, integer w, then w times string word and integer value;
//   the auto-replace, template and key-controller stream forms;
//   above version 50 only: the gutter font as string name, integer size, byte character set,
//     integer colour, byte style.
#include "services/SM_Settings.h"

#include "services/KeyErrors.h"
#include "toolkit/MemoryStream.h"
#include "toolkit/StreamEncoding.h"

namespace ql {
namespace {

void WriteColor(TStream& s, TColor c) { WriteInteger(s, static_cast<int32_t>(c)); }
TColor ReadColor(TStream& s) { return static_cast<TColor>(ReadInteger(s)); }
bool ReadFlag(TStream& s) { return ReadByte(s) != 0; }

// Smallest sizes of the repeated items, for checking counts against the bytes that remain.
constexpr int32_t kStyleRecordSize = 1 + 1 + 4 + 4 + 1 + 1 + 1 + 4;
constexpr int32_t kMapEntrySize = 2;
constexpr int32_t kEditableStyleSize = 4 + 1;
constexpr int32_t kKeywordTableSize = 32 + 4 + 4 + 4;
constexpr int32_t kKeywordWordSize = 4 + 4;

}  // namespace

void TSM_Settings::SaveToStream(TStream& stream) const { SaveToStreamAt(stream, StreamVersion); }

void TSM_Settings::LoadFromStream(TStream& stream) { LoadFromStreamAt(stream, StreamVersion); }

void TSM_Settings::Assign(const TObject& source) {
  const auto* settings = dynamic_cast<const TSM_Settings*>(&source);
  if (settings == nullptr) {
    TSM_Base::Assign(source);
    return;
  }
  // Both ends at the same version, so the gutter font travels too.
  TMemoryStream stream;
  settings->SaveToStreamAt(stream, INT32_MAX);
  stream.SetPosition(0);
  LoadFromStreamAt(stream, INT32_MAX);
}

void TSM_Settings::SaveToStreamAt(TStream& s, int32_t version) const {
  WriteString(s, ExampleText);
  WriteString(s, LanguageName);
  WriteString(s, WrapOverride);

  WriteInteger(s, static_cast<int32_t>(Options));
  WriteInteger(s, Margin);
  WriteInteger(s, RightMargin);
  WriteInteger(s, WrapAtColumn);
  WriteInteger(s, Gutter);
  WriteInteger(s, IndentStep);
  WriteColor(s, MarginColor);
  WriteColor(s, GutterColor);
  WriteColor(s, SelTextColor);
  WriteColor(s, SelTextBack);
  WriteInteger(s, TabDefault);

  int32_t defined = 0;
  for (const TStyleEffect& style : styles_) defined += style.Defined != 0;
  WriteInteger(s, defined);
  for (int n = 0; n < 256; ++n) {
    const TStyleEffect& style = styles_[static_cast<size_t>(n)];
    if (style.Defined == 0) continue;
    WriteByte(s, static_cast<uint8_t>(n));
    WriteByte(s, style.FontStyle);
    WriteColor(s, style.TextColor);
    WriteColor(s, style.BackColor);
    WriteByte(s, style.DefaultText ? 1 : 0);
    WriteByte(s, style.DefaultBack ? 1 : 0);
    WriteByte(s, style.Hotspot ? 1 : 0);
    WriteInteger(s, style.Defined);
  }

  int32_t mapped = 0;
  for (const uint8_t entry : StyleMap) mapped += entry != 0;
  WriteInteger(s, mapped);
  for (int i = 0; i < 256; ++i) {
    if (StyleMap[static_cast<size_t>(i)] == 0) continue;
    WriteByte(s, static_cast<uint8_t>(i));
    WriteByte(s, StyleMap[static_cast<size_t>(i)]);
  }

  int32_t named = 0;
  for (int32_t i = 1; i <= MaxEditableStyles; ++i) named += !editableStyles_[static_cast<size_t>(i)].Name.empty();
  WriteInteger(s, named);
  for (int32_t i = 1; i <= MaxEditableStyles; ++i) {
    const TEditableStyle& e = editableStyles_[static_cast<size_t>(i)];
    if (e.Name.empty()) continue;
    WriteString(s, e.Name);
    WriteByte(s, e.Style);
  }

  for (const int32_t column : tabColumns_) WriteInteger(s, column);

  WriteString(s, FontName);
  WriteInteger(s, FontSize);
  WriteByte(s, FontCharSet);

  WriteByte(s, UseDefMarginColor ? 1 : 0);
  WriteByte(s, UseDefSelTextColor ? 1 : 0);
  WriteByte(s, UseDefSelTextBack ? 1 : 0);
  WriteByte(s, UseDefGutterColor ? 1 : 0);

  WriteInteger(s, static_cast<int32_t>(keywordTables_.size()));
  for (const TKeywordDefinitions& table : keywordTables_) {
    s.WriteBuffer(table.States.Bytes().data(), 32);
    WriteString(s, table.WordChars);
    WriteInteger(s, table.CaseSensitive ? 1 : 0);
    WriteInteger(s, static_cast<int32_t>(table.Words.size()));
    for (const TKeywordWord& w : table.Words) {
      WriteString(s, w.Word);
      WriteInteger(s, w.Value);
    }
  }

  autoReplace_->SaveToStream(s);
  templates_->SaveToStream(s);
  keys_->SaveToStream(s);

  if (version >= GutterFontVersion) {
    WriteString(s, gutterFont_.Name);
    WriteInteger(s, gutterFont_.Size);
    WriteByte(s, gutterFont_.CharSet);
    WriteColor(s, gutterFont_.Color);
    WriteByte(s, gutterFont_.Style);
  }
}

void TSM_Settings::LoadFromStreamAt(TStream& stream, int32_t version) {
  // Read into a fresh object first: a stream that ends early or holds conflicting data must
  // leave this object, which editors are using, as it was.
  TSM_Settings loaded;
  try {
    loaded.ReadFrom(stream, version);
  } catch (const EStreamError&) {
    throw;
  } catch (const EKeywords&) {
    throw;  // conflicting keyword tables or entries: raised as adding them one by one would
  } catch (const EKeyControllerException&) {
    throw;  // conflicting key sequences
  } catch (const Exception& e) {
    throw EReadError(e.Message);
  }
  TakeLanguageFrom(loaded);
}

void TSM_Settings::ReadFrom(TStream& s, int32_t version) {
  ExampleText = ReadString(s);
  LanguageName = ReadString(s);
  WrapOverride = ReadString(s);

  Options = static_cast<uint32_t>(ReadInteger(s));
  Margin = ReadInteger(s);
  RightMargin = ReadInteger(s);
  WrapAtColumn = ReadInteger(s);
  Gutter = ReadInteger(s);
  IndentStep = ReadInteger(s);
  MarginColor = ReadColor(s);
  GutterColor = ReadColor(s);
  SelTextColor = ReadColor(s);
  SelTextBack = ReadColor(s);
  TabDefault = ReadInteger(s);

  const int32_t styleCount = ReadCount(s, kStyleRecordSize);
  for (int32_t i = 0; i < styleCount; ++i) {
    const uint8_t n = ReadByte(s);
    TStyleEffect style;
    style.FontStyle = ReadByte(s);
    style.TextColor = ReadColor(s);
    style.BackColor = ReadColor(s);
    style.DefaultText = ReadFlag(s);
    style.DefaultBack = ReadFlag(s);
    style.Hotspot = ReadFlag(s);
    style.Defined = ReadInteger(s);
    // Only defined records are written; an undefined one carries nothing to keep (and style 0,
    // the default style, stays defined).
    if (style.Defined != 0) SetStyle(n, style);
  }

  const int32_t mapCount = ReadCount(s, kMapEntrySize);
  for (int32_t i = 0; i < mapCount; ++i) {
    const uint8_t value = ReadByte(s);
    StyleMap[value] = ReadByte(s);
  }

  // Only MaxEditableStyles entries fit; further ones are read past and dropped.
  const int32_t editableCount = ReadCount(s, kEditableStyleSize);
  for (int32_t i = 0; i < editableCount; ++i) {
    const std::string name = ReadString(s);
    const uint8_t style = ReadByte(s);
    if (i < MaxEditableStyles) SetEditableStyle(i + 1, name, style);
  }

  for (int32_t& column : tabColumns_) column = ReadInteger(s);

  FontName = ReadString(s);
  FontSize = ReadInteger(s);
  FontCharSet = ReadByte(s);

  UseDefMarginColor = ReadFlag(s);
  UseDefSelTextColor = ReadFlag(s);
  UseDefSelTextBack = ReadFlag(s);
  UseDefGutterColor = ReadFlag(s);

  const int32_t tableCount = ReadCount(s, kKeywordTableSize);
  for (int32_t t = 0; t < tableCount; ++t) {
    TByteSet states;
    s.ReadBuffer(states.Bytes().data(), 32);
    const std::string wordChars = ReadString(s);
    const bool caseSensitive = ReadInteger(s) != 0;
    const int32_t wordCount = ReadCount(s, kKeywordWordSize);
    std::vector<TKeywordWord> words;
    words.reserve(static_cast<size_t>(wordCount));
    for (int32_t w = 0; w < wordCount; ++w) {
      std::string word = ReadString(s);
      const int32_t value = ReadInteger(s);
      words.push_back(TKeywordWord{std::move(word), value});
    }
    AddKeywordTable(states, wordChars, caseSensitive, words);
  }

  autoReplace_->LoadFromStream(s);
  templates_->LoadFromStream(s);
  keys_->LoadFromStream(s);

  if (version >= GutterFontVersion) {
    TFontSpec font;
    font.Name = ReadString(s);
    font.Size = ReadInteger(s);
    font.CharSet = ReadByte(s);
    font.Color = ReadColor(s);
    font.Style = ReadByte(s);
    gutterFont_ = font;
  }
}

void TSM_Settings::TakeLanguageFrom(TSM_Settings& source) {
  // The owned tables are copied into the objects editors are bound to (their OnMacro and pick
  // list stay); these copies of consistent tables do not fail.
  autoReplace_->Assign(*source.autoReplace_);
  templates_->Assign(*source.templates_);
  keys_->Assign(*source.keys_);

  const TFontSpec oldGutterFont = gutterFont_;
  FreeFonts();
  static_cast<TSettingsValues&>(*this) = static_cast<const TSettingsValues&>(source);
  styles_ = source.styles_;
  editableStyles_ = source.editableStyles_;
  tabColumns_ = source.tabColumns_;
  keywordTables_ = std::move(source.keywordTables_);
  keywords_ = std::move(source.keywords_);
  gutterFont_ = source.gutterFont_;
  hotspotDirty_ = true;
  MakeFonts();
  if (!(gutterFont_ == oldGutterFont)) NotifyGutterFontChanged();
}

}  // namespace ql
