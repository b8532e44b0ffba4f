#pragma once
// Helpers for the settings tests: the primitive encodings as byte strings, and a settings
// object with every part changed from its default.
#include <string>

#include "services/SM_Settings.h"
#include "toolkit/MemoryStream.h"
#include "toolkit/StreamCopy.h"
#include "toolkit/StreamEncoding.h"

namespace ql::test {

inline std::string Int(int32_t v) {
  TMemoryStream s;
  WriteInteger(s, v);
  return s.Bytes();
}
inline std::string Byte(uint8_t v) { return std::string(1, static_cast<char>(v)); }
inline std::string Str(const std::string& v) { return Int(static_cast<int32_t>(v.size())) + v; }

inline void Load(TSM_Base& object, const std::string& bytes) {
  TMemoryStream s(bytes);
  object.LoadFromStream(s);
}

inline void Populate(TSM_Settings& s) {
  s.ExampleText = "<a>\r</a>";
  s.LanguageName = "XML";
  s.WrapOverride = "<";
  s.FontCharSet = 0;
  s.Options = 0x00000411;
  s.TabDefault = 2;
  s.Margin = 5;
  s.RightMargin = 100;
  s.WrapAtColumn = 72;
  s.Gutter = 24;
  s.IndentStep = 3;
  s.MarginColor = clSilver;
  s.GutterColor = clYellow;
  s.SelTextColor = clBlack;
  s.SelTextBack = 12563634;
  s.FontName = "Liberation Mono";
  s.FontSize = 12;
  s.UseDefMarginColor = true;
  s.UseDefGutterColor = true;

  TStyleEffect keyword;
  keyword.FontStyle = fsBold | fsUnderline;
  keyword.TextColor = clNavy;
  keyword.BackColor = clWhite;
  keyword.DefaultBack = true;
  keyword.Defined = 1;
  s.SetStyle(3, keyword);
  TStyleEffect link = keyword;
  link.FontStyle = fsItalic;
  link.Hotspot = true;
  s.SetStyle(200, link);
  s.SetMap(1, 3);
  s.SetMap(255, 200);
  s.SetEditableStyle(1, "Keyword", 3);
  s.SetEditableStyle(2, "Link", 200);
  s.SetTabColumnsText("5 9 13");

  s.AddKeywordTable(TByteSet{0, 1}, "[^a-z]", false, {{"xsl:template", 7}, {"xsl:if", 8}});
  s.AddKeywordTable(TByteSet{5}, "", true, {{"CDATA", 9}});

  s.AutoReplace().AddReplacement("teh", "the");
  s.AutoReplace().SetTriggers(" ;");
  s.Templates().AddTemplate("tpl", "Template", "<xsl:template match=\"|\">\r</xsl:template>");
  s.Templates().HotKey = scCtrl | scShift | 'T';
  s.KeyController().ClearKeys();
  s.KeyController().SetActionName(41, "Undo");
  s.KeyController().AddKeySequence(scCtrl | 'Z', 0, 41);

  s.SetGutterFont(TFontSpec{"Tahoma", 7, 0, clGray, fsBold | fsItalic});
}

}  // namespace ql::test
