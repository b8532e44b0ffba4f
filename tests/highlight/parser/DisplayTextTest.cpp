// The text form of the display settings kept in the registry: the written form, the tagged and
// positional readers, and refusal of malformed texts.
#include <gtest/gtest.h>

#include "ParserTesting.h"
#include "highlight/HarlixText.h"
#include "textmodel/InkMemoErrors.h"

using namespace ql;
using namespace ql::test;

namespace {

const char kXmlText[] =
    "Harlix6:OPT#8#33020912GWD#2#24GCL#11#-2147483633WRC#1#0IDS#1#1WRO#3#>|:FON#11#Courier NewFOS#2#10"
    "STC#1#0STB#8#12563634TBC#0#TBD#1#4"
    "EFF#93#5,0,0,16777215,XY;1,128,16777215,X;2,8388608,16777215,X;3,0,16777215,XYB;4,32768,16777215,XI;"
    "GDF#1#0MDF#1#0SDF#1#0BDF#1#0FOC#1#0RMG#2#80LNN#6#TahomaLNS#1#7LNC#7#8421504LNT#1#1LNE#0##END#";

TEST(DisplayText, XmlSettingsAreWrittenWithAllTwentyFourTags) {
  TCompiled xml = CompileXmlScript();
  EXPECT_EQ(DisplaySettingsText(*xml.Settings), kXmlText);
}

TEST(DisplayText, OneTagChangesOnlyItsSetting) {
  TCompiled xml = CompileXmlScript();
  TSM_Settings expected;
  expected.Assign(*xml.Settings);
  expected.Options = 1040;
  ApplyDisplaySettingsText(*xml.Settings, "Harlix6:OPT#4#1040#END#");
  EXPECT_EQ(SettingsBytes(*xml.Settings), SettingsBytes(expected));
}

// Every display setting the text carries, changed, survives writing and reading back; what it
// does not carry (strike-out, hotspot, the margin) stays as the reading object has it.
TEST(DisplayText, ChangedSettingsRoundTrip) {
  TCompiled xml = CompileXmlScript();
  TSM_Settings& s = *xml.Settings;
  s.Options = 0x0123ABCD;
  s.Gutter = 40;
  s.GutterColor = clHighlight;
  s.WrapAtColumn = 72;
  s.IndentStep = 3;
  s.WrapOverride = "#;";
  s.FontName = "Liberation Mono";
  s.FontSize = 12;
  s.SelTextColor = 0x00FF00;
  s.SelTextBack = clHighlightText;
  s.SetTabColumnsText("5 9 17");
  s.TabDefault = 8;
  s.UseDefGutterColor = true;
  s.UseDefMarginColor = true;
  s.UseDefSelTextColor = true;
  s.UseDefSelTextBack = true;
  s.FontCharSet = 238;
  s.RightMargin = 100;
  s.SetGutterFont(TFontSpec{"DejaVu Sans", 9, 0, clWindowText, fsItalic | fsBold | fsUnderline | fsStrikeOut});
  TStyleEffect tag = s.GetStyle(1);
  tag.FontStyle = fsBold | fsUnderline | fsStrikeOut;  // strike-out is not carried
  tag.TextColor = clWindowText;                         // a system colour is written negative
  tag.DefaultBack = false;
  tag.DefaultText = true;
  s.SetStyle(1, tag);
  TStyleEffect added;
  added.TextColor = 0x123456;
  added.BackColor = 0x654321;
  added.Defined = 1;
  s.SetStyle(200, added);

  TCompiled target = CompileXmlScript();
  TStyleEffect hot = target.Settings->GetStyle(4);
  hot.Hotspot = true;
  hot.FontStyle |= fsStrikeOut;
  target.Settings->SetStyle(4, hot);
  target.Settings->Margin = 7;
  ApplyDisplaySettingsText(*target.Settings, DisplaySettingsText(s));

  TStyleEffect expectTag = tag;
  expectTag.FontStyle = fsBold | fsUnderline;  // the reader's own style 1 had no strike-out
  s.SetStyle(1, expectTag);
  s.SetStyle(4, hot);
  s.Margin = 7;
  EXPECT_EQ(SettingsBytes(*target.Settings), SettingsBytes(s));
  EXPECT_EQ(target.Settings->GetStyle(1).TextColor, clWindowText);
  EXPECT_TRUE(target.Settings->GetStyle(4).Hotspot);
  EXPECT_EQ(target.Settings->GetStyle(4).FontStyle, fsItalic | fsStrikeOut);
}

TEST(DisplayText, TaggedReadingStopsAtTheFirstUnknownTagOrMissingSeparator) {
  const struct {
    const char* text;
    uint32_t options;
    int32_t gutter;
  } cases[] = {
      {"Harlix6:GWD#2#50OPT#4#1040", 1040, 50},
      {"Harlix9:GWD#2#50XYZ#4#1040OPT#4#1040", DefaultOptionWord, 50},
      {"Harlix6:GWD#2#50OPT 4#1040", DefaultOptionWord, 50},
      {"Harlix6:GWD#2#50OPT#4 1040", DefaultOptionWord, 50},
      {"Harlix6:OPTX#4#1040", DefaultOptionWord, 34},
      {"Harlix6?OPT#4#1040", 1040, 34},  // the colon is not checked
      {"Harlix6:", DefaultOptionWord, 34},
  };
  for (const auto& c : cases) {
    TSM_Settings s;
    ApplyDisplaySettingsText(s, c.text);
    EXPECT_EQ(s.Options, c.options) << c.text;
    EXPECT_EQ(s.Gutter, c.gutter) << c.text;
  }
}

TEST(DisplayText, EffectEntriesTakeDefaultsForEmptyFields) {
  TSM_Settings s;
  ApplyDisplaySettingsText(s, "Harlix6:EFF#21#3,7,,,bxu;8,;9,1,2,q;#END#");
  EXPECT_EQ(s.GetStyle(7).TextColor, clBlack);
  EXPECT_EQ(s.GetStyle(7).BackColor, 16777215u);
  EXPECT_EQ(s.GetStyle(7).FontStyle, fsBold | fsUnderline);
  EXPECT_TRUE(s.GetStyle(7).DefaultBack);
  EXPECT_FALSE(s.GetStyle(7).DefaultText);
  EXPECT_NE(s.GetStyle(8).Defined, 0);
  EXPECT_EQ(s.GetStyle(9).BackColor, 2u);
  // The "q" ended entry 9 without being consumed; nothing more was asked for.
}

TEST(DisplayText, PositionalVersions) {
  const char v1[] = "Harlix1:1040,30,72,2,3,>|:;1,5,,255,BI;";
  const char v3[] = "Harlix3:,,,,0,,11,Courier New;12,255,65535,0,";
  const char v4[] = "Harlix4:1,2,3,4,2,ab;5,Arial;9,,,3,5 9;8,2,2,255,0,U;7;";
  TSM_Settings s1;
  ApplyDisplaySettingsText(s1, v1);
  EXPECT_EQ(s1.Options, 1040u);
  EXPECT_EQ(s1.Gutter, 30);
  EXPECT_EQ(s1.WrapAtColumn, 72);
  EXPECT_EQ(s1.IndentStep, 2);
  EXPECT_EQ(s1.WrapOverride, ">|:");
  EXPECT_EQ(s1.FontName, "Courier New");
  EXPECT_EQ(s1.FontCharSet, DEFAULT_CHARSET);
  EXPECT_EQ(s1.SelTextColor, clHighlightText);
  EXPECT_EQ(s1.GetStyle(5).BackColor, 255u);
  EXPECT_EQ(s1.GetStyle(5).FontStyle, fsBold | fsItalic);

  TSM_Settings s3;
  ApplyDisplaySettingsText(s3, v3);
  EXPECT_EQ(s3.Options, DefaultOptionWord);
  EXPECT_EQ(s3.Gutter, 34);
  EXPECT_EQ(s3.IndentStep, 1);
  EXPECT_EQ(s3.WrapOverride, "");
  EXPECT_EQ(s3.FontName, "Courier New");
  EXPECT_EQ(s3.FontSize, 12);
  EXPECT_EQ(s3.SelTextColor, 255u);
  EXPECT_EQ(s3.SelTextBack, 65535u);

  TSM_Settings s4;
  ApplyDisplaySettingsText(s4, v4);
  EXPECT_EQ(s4.WrapOverride, "ab");
  EXPECT_EQ(s4.FontName, "Arial");
  EXPECT_EQ(s4.FontSize, 9);
  EXPECT_EQ(s4.SelTextColor, clHighlightText);  // empty fields: the system colours
  EXPECT_EQ(s4.SelTextBack, clHighlight);
  EXPECT_EQ(s4.TabColumnsText(), "5 9");
  EXPECT_EQ(s4.TabDefault, 8);
  EXPECT_EQ(s4.GetStyle(2).TextColor, 255u);
  EXPECT_EQ(s4.GetStyle(2).FontStyle, fsUnderline);
  EXPECT_EQ(s4.GetStyle(7).BackColor, 16777215u);

  // A text that ends inside the marker holds nothing more: every field takes its default.
  TSM_Settings short1;
  ApplyDisplaySettingsText(short1, "Harlix1");
  EXPECT_EQ(short1.Options, DefaultOptionWord);
  EXPECT_EQ(short1.FontName, "Courier New");

  // A wrap-override text keeps at most 20 characters.
  TSM_Settings s2;
  ApplyDisplaySettingsText(s2, "Harlix2:,,,,25,abcdefghijklmnopqrstuvwxy;4,Mono;");
  EXPECT_EQ(s2.WrapOverride, "abcdefghijklmnopqrst");
  EXPECT_EQ(s2.FontName, "Mono");
}

TEST(DisplayText, MalformedTextsAreRefused) {
  const char* texts[] = {
      "",
      "Harlax6:OPT#4#1040",
      "Harlix0:",
      "Harlix",
      "Harlix6:OPT#99#1040",        // a length beyond the text
      "Harlix6:OPT##1040",          // no length
      "Harlix6:OPT#1#x",            // not a number
      "Harlix6:OPT#11#99999999999", // beyond 32 bits
      "Harlix6:FOC#3#300",          // a character set beyond a byte
      "Harlix6:TBC#3#9 5",          // tab columns out of order
      "Harlix6:EFF#7#1,300,;",      // a style number beyond 255
      "Harlix6:EFF#22#1,99999999999999999999,",
      "Harlix2:,,,,99,ab",          // a wrap-override length beyond the text
      "Harlix4:,,,,0,,0,,,,,2,x",   // bad tab columns
  };
  for (const char* text : texts) {
    TSM_Settings s;
    try {
      ApplyDisplaySettingsText(s, text);
      ADD_FAILURE() << "accepted: " << text;
    } catch (const EInkMemo& e) {
      if (std::string(text).find("TBC") == std::string::npos && std::string(text).find("Harlix4") == std::string::npos) {
        EXPECT_EQ(e.Message, "Invalid data in style string") << text;
      }
    }
  }
}

}  // namespace
