// The XML highlighting script the workbench ships compiles into the definition its editors use.
#include <gtest/gtest.h>

#include <filesystem>

#include "CompilerTesting.h"
#include "SourceRoot.h"
#include "toolkit/FileStream.h"

using namespace ql;

namespace {

using ql::test::SourceRoot;

const std::filesystem::path kScriptDir = SourceRoot() / "resources/xml";

class XmlScript : public ::testing::Test {
protected:
  void SetUp() override {
    TFileStream file((kScriptDir / "xml.hls").string(), fmOpenRead);
    CompileScript(file, kScriptDir.string(), *c.Tables, *c.Settings);
  }
  const TSM_Settings& S() const { return *c.Settings; }
  const TCompiledTables& T() const { return *c.Tables; }
  std::string Members(int32_t group) const {
    std::string s;
    for (int ch = 0; ch < 256; ++ch)
      if (T().Group(group).Contains(static_cast<uint8_t>(ch))) s += static_cast<char>(ch);
    return s;
  }

  ql::test::TCompiled c;
};

TEST_F(XmlScript, LanguageSettings) {
  EXPECT_EQ(S().LanguageName, "XML");
  EXPECT_TRUE(T().Keywords.CaseSensitive());
  EXPECT_EQ(S().Options, 33020912u);
  EXPECT_EQ(S().ExampleText,
            "<?xml version=\"1.0\"?>\r<!-- XML Comment -->\r<employee>\r\t<name>Jane Smith</name>\r"
            "\t<title>Technical Writer</title>\r\t<reviewsoon/>\r</employee>");
  EXPECT_EQ(S().WrapOverride, ">|:");
  EXPECT_EQ(S().Margin, 2);
  EXPECT_EQ(S().RightMargin, 80);
  EXPECT_EQ(S().WrapAtColumn, 0);
  EXPECT_EQ(S().Gutter, 24);
  EXPECT_EQ(S().IndentStep, 1);
  EXPECT_EQ(S().TabDefault, 4);
  EXPECT_EQ(S().MarginColor, clWhite);
  EXPECT_EQ(S().GutterColor, 2147483663u);
  EXPECT_EQ(S().SelTextColor, clBlack);
  EXPECT_EQ(S().SelTextBack, 12563634u);
  EXPECT_FALSE(S().UseDefMarginColor || S().UseDefGutterColor || S().UseDefSelTextColor || S().UseDefSelTextBack);
  EXPECT_EQ(S().FontName, "Courier New");
  EXPECT_EQ(S().FontSize, 10);
  EXPECT_EQ(S().FontCharSet, 0);
  EXPECT_EQ(S().GutterFont(), (TFontSpec{"Tahoma", 7, 1, 8421504u, 0}));
  EXPECT_EQ(S().TabColumnsText(), "");
  EXPECT_EQ(S().KeywordTableCount(), 0);
  EXPECT_EQ(T().StartStates, TByteSet{0});
  EXPECT_EQ(T().Anchor, TByteSet{0});
  EXPECT_TRUE(T().Bound.Empty());
  for (int v = 0; v < 256; ++v) EXPECT_EQ(T().ContextOf(static_cast<uint8_t>(v)), TByteSet{0});
}

TEST_F(XmlScript, Styles) {
  const struct {
    const char* name;
    uint8_t fontStyle;
    TColor text;
    bool defaultText;
  } styles[] = {
      {"Default Text", 0, clBlack, true},
      {"XML Tags", 0, 128, false},
      {"XML Instructions", 0, 8388608, false},
      {"XML Entities", 1, clBlack, true},
      {"XML Comments", 2, 32768, false},
  };
  for (int n = 0; n < 5; ++n) {
    SCOPED_TRACE(n);
    EXPECT_EQ(S().GetEditableStyle(n + 1).Name, styles[n].name);
    EXPECT_EQ(S().GetEditableStyle(n + 1).Style, n);
    const TStyleEffect& e = S().GetStyle(static_cast<uint8_t>(n));
    EXPECT_EQ(e.FontStyle, styles[n].fontStyle);
    EXPECT_EQ(e.TextColor, styles[n].text);
    EXPECT_EQ(e.BackColor, clWhite);
    EXPECT_EQ(e.DefaultText, styles[n].defaultText);
    EXPECT_TRUE(e.DefaultBack);
    EXPECT_FALSE(e.Hotspot);
    EXPECT_NE(e.Defined, 0);
    EXPECT_EQ(S().GetMap(static_cast<uint8_t>(n)), n);
  }
  EXPECT_TRUE(S().GetEditableStyle(6).Name.empty());
  for (int n = 5; n < 256; ++n) {
    EXPECT_EQ(S().GetStyle(static_cast<uint8_t>(n)).Defined, 0) << n;
    EXPECT_EQ(S().GetMap(static_cast<uint8_t>(n)), 0) << n;
  }
}

TEST_F(XmlScript, WordsHandlersAndTokens) {
  const auto& words = T().Keywords.Words();
  ASSERT_EQ(words.size(), 3u);
  EXPECT_EQ(words[0].Word, "<");
  EXPECT_EQ(words[0].Style.Value, 1);
  TSM_CharGroup tagStart;
  tagStart.AddChar('/');
  tagStart.AddRange('a', 'z');
  tagStart.AddRange('A', 'Z');
  EXPECT_TRUE(words[0].Style.EndGroup.Equals(tagStart));
  EXPECT_EQ(words[1].Word, "<?");
  EXPECT_EQ(words[1].Style.Value, 2);
  EXPECT_TRUE(words[1].Style.EndGroup.IsEmpty());
  EXPECT_EQ(words[2].Word, "<!--");
  EXPECT_EQ(words[2].Style.Value, 4);
  for (const auto& w : words) EXPECT_EQ(w.Style.States, TByteSet{0});

  for (int v = 0; v < 256; ++v) {
    SCOPED_TRACE(v);
    EXPECT_EQ(T().Handlers[v].has_value(), v == 1 || v == 2 || v == 4);
    EXPECT_EQ(T().StateRecords[v].has_value(), v >= 1 && v <= 4);
    EXPECT_EQ(T().DefaultTokens.Entries[v].has_value(), v == '&');
  }
  for (int v : {1, 2, 4}) {
    SCOPED_TRACE(v);
    const THandlerEntry& h = *T().Handlers[v];
    EXPECT_TRUE(h.Repeat);
    EXPECT_EQ(h.Start.Kind, ukGroup);
    EXPECT_EQ(T().Group(h.Start.Group).Members, TByteSet::All());
    EXPECT_EQ(h.End.Kind, ekGroups);
    EXPECT_TRUE(h.End.Use);
    std::string end;
    for (int i = 0; i < h.End.GroupCount; ++i) end += Members(h.End.Groups[i]);
    EXPECT_EQ(end, v == 4 ? "-->" : ">");
  }
  for (int v = 1; v <= 4; ++v) {
    const TStateRecord& r = *T().StateRecords[v];
    EXPECT_EQ(r, TStateRecord{}) << v;  // valid in state 0, no state changes
  }

  const TTokenEntry& entity = *T().DefaultTokens.Entries['&'];
  EXPECT_EQ(entity.Value, 3);
  EXPECT_EQ(Members(entity.Start.Group), "&");
  EXPECT_EQ(entity.Continuation.Kind, ukGroup);
  EXPECT_EQ(Members(entity.Continuation.Group), "#0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
  EXPECT_TRUE(entity.Repeat);
  EXPECT_EQ(entity.End.Kind, ekGroups);
  ASSERT_EQ(entity.End.GroupCount, 1);
  EXPECT_EQ(Members(entity.End.Groups[0]), ";");
  EXPECT_TRUE(entity.End.Use);
  EXPECT_EQ(entity.States, TByteSet{0});

  EXPECT_FALSE(T().HasStateTables());
  EXPECT_FALSE(T().UsesMatch);
}

TEST_F(XmlScript, KeysAutoReplaceAndTemplates) {
  constexpr ShortCutCode C = 0x4000, S_ = 0x2000;
  const struct {
    const char* name;
    ShortCutCode first, second;
  } keys[48] = {
      {"Cursor left", 37, 0}, {"Cursor right", 39, 0}, {"Line start", 36, 0}, {"Line end", 35, 0},
      {"Up one line", 38, 0}, {"Down one line", 40, 0}, {"Up one page", 33, 0}, {"Down one page", 34, 0},
      {"Move to word before", C | 37, 0}, {"Move to word after", C | 39, 0}, {"Document start", C | 36, 0},
      {"Document end", C | 35, 0}, {"Cut to clipboard", C | 'X', 0}, {"Copy to clipboard", C | 'C', 0},
      {"Paste from clipboard", C | 'V', 0}, {"Delete character at cursor", 46, 0},
      {"Delete character before caret", 8, 0}, {"Indent selected block", C | 'K', 'I'},
      {"Un-indent selected block", C | 'K', 'U'}, {"Toggle insert/overwrite mode", 45, 0},
      {}, {}, {}, {}, {}, {}, {}, {}, {}, {},  // bookmarks, below
      {}, {}, {}, {}, {}, {}, {}, {}, {}, {},
      {"Delete current line", C | 'Y', 0}, {"Undo", C | 'Z', 0}, {"Redo", S_ | C | 'Z', 0},
      {"Delete previous word", C | 8, 0}, {"Print selection", C | 'K', 'P'}, {"Delete next word", C | 46, 0},
      {"Scroll display up one line", C | 38, 0}, {"Scroll display down one line", C | 40, 0},
  };
  TKeyboardActionContoller& k = S().KeyController();
  EXPECT_EQ(k.KeyStore().Sequences().size(), 48u);
  for (int action = 0; action < 48; ++action) {
    SCOPED_TRACE(action);
    std::string name = keys[action].name ? keys[action].name : "";
    TKeySequence expected{keys[action].first, keys[action].second, action};
    if (action >= 20 && action < 40) {
      const int digit = action % 10;
      name = (action < 30 ? "Set Bookmark " : "Goto Bookmark ") + std::to_string(digit);
      expected = {static_cast<ShortCutCode>(C | (action < 30 ? 'K' : 'Q')), static_cast<ShortCutCode>('0' + digit), action};
    }
    EXPECT_EQ(k.GetActionName(action), name);
    EXPECT_EQ(k.FindFirstKeys(action), expected);
    EXPECT_EQ(k.FindNextKeys(action).Action, -1);
  }

  EXPECT_EQ(S().AutoReplace().Count(), 0);
  EXPECT_EQ(S().AutoReplace().Triggers(), ";,:.=()[]\\{Return}\\{Tab}\\{Space}");
  EXPECT_EQ(S().Templates().Count(), 0);
  EXPECT_EQ(S().Templates().HotKey, C | 'J');
}

}  // namespace
