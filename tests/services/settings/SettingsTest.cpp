#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SettingsFixtures.h"
#include "textmodel/EdStream.h"
#include "textmodel/TextStore.h"
#include "toolkit/StreamCopy.h"

using namespace ql;
using namespace ql::test;

namespace {

// The value the combined keyword tree finds at the start of text in the given states; -1 for
// no match.
TKeywordValue TreeMatch(const TSM_Settings& s, const std::string& text, const TByteSet& states) {
  TTextStore store;
  store.InsertText(0, text);
  TEdStream stream(&store);
  stream.StartAt(0);
  s.Keywords()->ActiveStates = states;
  int32_t length = 0;
  // The scanner matches with the case rule the tree reports.
  const TKeywordEntry* e = s.Keywords()->Match(stream, s.Keywords()->CaseSensitive(), length);
  return e != nullptr ? e->Value : -1;
}

std::string TablesForm(const TSM_Settings& s) {
  std::string out;
  for (int32_t i = 0; i < s.KeywordTableCount(); ++i) {
    for (const TKeywordWord& w : s.KeywordTable(i).Words) out += w.Word + ";";
    out += "|";
  }
  return out;
}

class RecordingClient : public TSettingsClient {
public:
  explicit RecordingClient(bool fail = false) : fail_(fail) {}
  void SettingsGutterFontChanged(TSM_Settings&) override {
    ++Changes;
    if (fail_) throw Exception("repaint failed");
  }
  int32_t Changes = 0;

private:
  bool fail_;
};

}  // namespace

TEST(Settings, KeywordTablesReplaceOnEqualStatesAndRefuseOverlaps) {
  TSM_Settings s;
  EXPECT_EQ(s.Keywords(), nullptr);
  s.AddKeywordTable(TByteSet{}, "", false, {{"if", 1}});  // no states: state 0
  s.AddKeywordTable(TByteSet{3, 4}, "[ >]", true, {{"Tag", 2}});
  EXPECT_EQ(s.KeywordTable(0).States, TByteSet{0});
  EXPECT_EQ(TreeMatch(s, "if x", TByteSet{0}), 1);
  EXPECT_EQ(TreeMatch(s, "Tag>", TByteSet{4}), 2);
  EXPECT_EQ(TreeMatch(s, "Tagx", TByteSet{4}), -1);  // the word characters decide what may follow
  EXPECT_EQ(TreeMatch(s, "tag>", TByteSet{4}), -1);  // that table is case-sensitive
  EXPECT_EQ(TreeMatch(s, "if", TByteSet{3}), -1);    // not in the states of its table

  s.AddKeywordTable(TByteSet{0}, "", false, {{"then", 5}});  // equal states: replaced in place
  EXPECT_EQ(TablesForm(s), "then;|Tag;|");
  EXPECT_EQ(TreeMatch(s, "if", TByteSet{0}), -1);
  EXPECT_EQ(TreeMatch(s, "then", TByteSet{0}), 5);

  const std::string before = TablesForm(s);
  const TKeywords* tree = s.Keywords();
  const struct {
    const char* what;
    TByteSet states;
    std::vector<TKeywordWord> words;
    const char* message;
  } refused[] = {
      {"overlap", TByteSet{4, 9}, {{"x", 1}}, "Ambigious key table state definition"},
      {"duplicate word", TByteSet{7}, {{"a", 1}, {"A", 2}}, "Duplicate keyword - 'A'"},
  };
  for (const auto& r : refused) {
    try {
      s.AddKeywordTable(r.states, "", false, r.words);
      ADD_FAILURE() << r.what;
    } catch (const EKeywords& e) {
      EXPECT_EQ(e.Message, r.message);
    }
    EXPECT_EQ(TablesForm(s), before) << r.what;
    EXPECT_EQ(s.Keywords(), tree) << r.what;
  }

  for (uint8_t state = 10; s.KeywordTableCount() < TSM_Settings::MaxKeywordTables; ++state) {
    s.AddKeywordTable(TByteSet{state}, "", false, {});
  }
  try {
    s.AddKeywordTable(TByteSet{200}, "", false, {});
    ADD_FAILURE() << "22nd table accepted";
  } catch (const EKeywords& e) {
    EXPECT_EQ(e.Message, "Too many keyword tables declared");
  }
  s.AddKeywordTable(TByteSet{3, 4}, "", false, {{"again", 6}});  // replacing still works when full
  EXPECT_EQ(TreeMatch(s, "again", TByteSet{3}), 6);
}

TEST(Settings, OptionWordMapsOntoTheOptionSet) {
  TSM_Settings s;
  s.Options = 0xFFFFFFFF;
  EXPECT_EQ(s.GetInkMemoOptions().Count(), InkMemoOptionCount);
  s.SetInkMemoOptions(s.GetInkMemoOptions());
  EXPECT_EQ(s.Options, 0xFFFFFFFFu & ~(0x0Eu | 1u << 28 | 1u << 30 | 1u << 31));  // bits of no member cleared

  // The members whose bits are out of order.
  s.SetInkMemoOptions({smoLineNumbers, smoCaretAfterEOL, smoShowAllChars, smoBlockCursorPersistent});
  EXPECT_EQ(s.Options, 0x1u | 0x8000000u | 0x4000000u | 0x20000000u);

  const TInkMemoOptions defaults = OptionsFromWord(DefaultOptionWord);
  for (TInkMemoOption off : {smoWordWrap, smoWrapOverride, smoCaretAfterEOL, smoLineNumbers, smoShowAllChars,
                             smoBlockCursorPersistent}) {
    EXPECT_FALSE(defaults.Contains(off)) << int(off);
  }
  EXPECT_EQ(defaults.Count(), 20);
}

TEST(Settings, EditableStylesAndTabStops) {
  TSM_Settings s;
  s.SetEditableStyle(1, std::string(30, 'n'), 7);
  s.SetEditableStyle(2, "Comment", 9);
  s.SetEditableStyle(4, "After the end", 7);
  EXPECT_EQ(s.GetEditableStyle(1).Name, std::string(25, 'n'));
  EXPECT_EQ(s.EditableStyleOf(9), 2);
  EXPECT_EQ(s.EditableStyleOf(7), 1);
  EXPECT_EQ(s.EditableStyleOf(8), 0);
  EXPECT_THROW(s.SetEditableStyle(51, "x", 1), EListError);
  EXPECT_THROW(s.GetEditableStyle(0), EListError);

  s.SetTabColumnsText(" 5;9  13; ");
  EXPECT_EQ(s.TabColumnsText(), "5 9 13");
  EXPECT_EQ(s.GetTabColumn(0), 4);
  EXPECT_EQ(s.GetTabColumn(3), -1);
  const struct {
    std::string text;
    const char* message;
  } bad[] = {
      {"5 5", "Tab columns must be in order and unique"},
      {"9 5", "Tab columns must be in order and unique"},
      {"1", "Tab column must be > 1"},
      {"5 x", "Tab stop column value expected"},
      {"5,9", "Tab stop column value expected"},
      {[] {
         std::string t;
         for (int i = 2; i <= 34; ++i) t += std::to_string(i) + " ";
         return t;
       }(),
       "Too many tab stops - maximum of 32"},
  };
  for (const auto& b : bad) {
    try {
      s.SetTabColumnsText(b.text);
      ADD_FAILURE() << b.text;
    } catch (const EInkMemo& e) {
      EXPECT_EQ(e.Message, b.message) << b.text;
    }
    EXPECT_EQ(s.TabColumnsText(), "5 9 13") << b.text;
  }

  s.SetTabColumnsText("5 9");
  s.TabDefault = 4;
  for (const auto& [column, stop] : std::vector<std::pair<int32_t, int32_t>>{{0, 4}, {4, 8}, {8, 12}, {9, 12}}) {
    EXPECT_EQ(s.NextTabStop(column), stop) << column;
  }
  // A tab width of 0 or less, as stored data may hold, counts as 4.
  s.SetTabColumnsText("");
  for (const int32_t width : {0, -3}) {
    s.TabDefault = width;
    EXPECT_EQ(s.TabWidth(), 4);
    EXPECT_EQ(s.NextTabStop(5), 8);
  }
}

TEST(Settings, StyleColoursAndHotspots) {
  TSM_Settings s;
  EXPECT_FALSE(s.AnyHotspot());
  TStyleEffect style;
  style.TextColor = clRed;
  style.DefaultBack = true;
  style.Hotspot = true;
  s.SetStyle(5, style);
  EXPECT_FALSE(s.AnyHotspot());  // not defined
  style.Defined = 1;
  s.SetStyle(5, style);
  EXPECT_TRUE(s.AnyHotspot());
  EXPECT_EQ(s.TextColorOf(5), clRed);
  EXPECT_EQ(s.BackColorOf(5), clWhite);  // style 0's background
  TStyleEffect base = s.GetStyle(0);
  base.DefaultBack = true;
  s.SetStyle(0, base);
  EXPECT_EQ(s.BackColorOf(5), clWindow);
}

TEST(Settings, FontsExistWhileEditorsAreAttached) {
  TRecordingFontFactory factory;
  TSM_Settings s;
  s.SetFontFactory(factory);
  TStyleEffect bold;
  bold.FontStyle = fsBold | fsStrikeOut;
  bold.Defined = 1;
  s.SetStyle(9, bold);
  EXPECT_EQ(factory.LiveFonts().size(), 0u);

  RecordingClient a, b;
  s.Attach(a);
  s.Attach(a);  // already attached
  s.Attach(b);
  EXPECT_EQ(s.UseCount(), 2);
  ASSERT_EQ(factory.LiveFonts().size(), 2u);  // styles 0 and 9
  const auto& made = factory.LiveFonts().at(s.StyleFont(9));
  EXPECT_EQ(made.Target, TFontTarget::Screen);
  EXPECT_EQ(made.Description.Height, -13);  // 10 points at 96 pixels per inch
  EXPECT_EQ(made.Description.Weight, FW_BOLD);
  EXPECT_TRUE(made.Description.StrikeOut);
  EXPECT_FALSE(made.Description.Italic);
  EXPECT_EQ(made.Description.FaceName, "Courier New");
  EXPECT_EQ(made.Description.CharSet, DEFAULT_CHARSET);
  EXPECT_EQ(factory.LiveFonts().at(s.StyleFont(0)).Description.Weight, FW_DONTCARE);
  EXPECT_EQ(s.StyleFont(1), 0u);

  s.Printing = true;
  s.MakeFonts();
  ASSERT_EQ(factory.LiveFonts().size(), 2u);  // the old ones were freed
  EXPECT_EQ(factory.LiveFonts().at(s.StyleFont(0)).Target, TFontTarget::Printer);
  EXPECT_EQ(factory.LiveFonts().at(s.StyleFont(0)).Description.Height, -83);  // 10 points at 600

  RecordingClient stranger;
  s.Detach(stranger);  // never attached: nothing changes
  s.Detach(a);
  EXPECT_EQ(factory.LiveFonts().size(), 2u);
  s.Detach(b);
  EXPECT_EQ(s.UseCount(), 0);
  EXPECT_EQ(factory.LiveFonts().size(), 0u);
  EXPECT_EQ(s.StyleFont(0), 0u);
}

TEST(Settings, ResetKeepsWhatIsNotLanguage) {
  TRecordingFontFactory factory;
  TSM_Settings s;
  s.SetFontFactory(factory);
  RecordingClient editor;
  s.Attach(editor);
  Populate(s);
  s.MakeFonts();
  s.StreamVersion = 50;
  bool bound = false;
  s.Templates().OnMacro = [&bound](TMacroKeywords&, const std::string&, std::string&) { bound = true; };
  const int32_t changesBefore = editor.Changes;

  s.Reset();
  EXPECT_EQ(s.UseCount(), 1);
  EXPECT_EQ(s.AttachedClients(), std::vector<TSettingsClient*>{&editor});
  EXPECT_EQ(factory.LiveFonts().size(), 1u);  // only style 0 is defined now, and it has its font
  EXPECT_NE(s.StyleFont(0), 0u);
  EXPECT_EQ(s.StreamVersion, 50);
  EXPECT_TRUE(s.Templates().OnMacro);
  EXPECT_EQ(editor.Changes, changesBefore + 1);  // the gutter font went back to its default

  TSM_Settings fresh;
  fresh.StreamVersion = 50;
  EXPECT_EQ(StreamBytes(s), StreamBytes(fresh));
}

TEST(Settings, LoadingKeepsEditorsFontsAndTableBindings) {
  TRecordingFontFactory factory;
  TSM_Settings source;
  Populate(source);
  TSM_Settings s;
  s.SetFontFactory(factory);
  RecordingClient editor;
  s.Attach(editor);
  TCodeTemplates* templates = &s.Templates();
  s.Templates().OnMacro = [](TMacroKeywords&, const std::string&, std::string&) {};

  Load(s, StreamBytes(source));
  EXPECT_EQ(&s.Templates(), templates);
  EXPECT_TRUE(s.Templates().OnMacro);
  EXPECT_EQ(s.Templates().Count(), 1);
  EXPECT_EQ(factory.LiveFonts().size(), 3u);  // styles 0, 3 and 200
  EXPECT_EQ(factory.LiveFonts().at(s.StyleFont(3)).Description.FaceName, "Liberation Mono");
  EXPECT_EQ(editor.Changes, 1);  // the gutter font changed
}

TEST(Settings, GutterFontChangesReachEveryEditorDespiteFailures) {
  TSM_Settings s;
  RecordingClient failing(true), other;
  s.Attach(failing);
  s.Attach(other);
  TFontSpec font = s.GutterFont();
  font.Size = 9;
  s.SetGutterFont(font);
  s.SetGutterFont(font);  // no change: nothing to report
  EXPECT_EQ(failing.Changes, 1);
  EXPECT_EQ(other.Changes, 1);
  EXPECT_EQ(s.GutterFont().Size, 9);
}
