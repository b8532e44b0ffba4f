// What the property pages rest on without a toolkit: the gutter-width rule shared by the editor
// and the pages, the option boxes, the Highlighting page's elements, and a run of the pages on a
// working copy of the parser's settings.
#include <stdexcept>

#include "EditorTesting.h"
#include "editor/GutterWidth.h"
#include "editor/PropertyElements.h"
#include "editor/PropertyOptions.h"
#include "editor/PropertySession.h"
#include "textmodel/InkMemoErrors.h"
#include "toolkit/MemoryStream.h"

namespace ql::test {
namespace {

TEST(GutterWidthRule, AcceptsNoGutterOrOneGlyphUpToAFifthOfTheWindow) {
  struct Case {
    int32_t value, clientWidth;
    bool accepted;
  };
  const Case cases[] = {
      {0, 400, true},  {24, 400, true},   {16, 400, true},  {15, 400, false}, {1, 400, false},
      {83, 400, true}, {84, 400, false},  {-1, 400, false}, {24, 0, false},   {0, 0, false},
      {16, 77, true},  {16, 76, false},   {199, 1000, true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(GutterWidthAccepted(c.value, c.clientWidth), c.accepted) << c.value << " in " << c.clientWidth;
  }
  EXPECT_EQ(MaxGutterWidth(400), 83);
  EXPECT_EQ(MaxGutterWidth(0), 0);
}

TEST(GutterWidthRule, StepsJumpTheGapAndStopAtTheLimits) {
  EXPECT_EQ(StepGutterWidth(0, +1, 400), MinGutterWidth);
  EXPECT_EQ(StepGutterWidth(5, +1, 400), MinGutterWidth);
  EXPECT_EQ(StepGutterWidth(MinGutterWidth, -1, 400), 0);
  EXPECT_EQ(StepGutterWidth(0, -1, 400), 0);
  EXPECT_EQ(StepGutterWidth(24, +1, 400), 25);
  EXPECT_EQ(StepGutterWidth(83, +1, 400), 83);
  EXPECT_EQ(StepGutterWidth(120, -1, 400), 83);  // wider than the window allows: back into range
  EXPECT_EQ(StepGutterWidth(0, +1, 50), 0);      // a window too narrow for any gutter
}

class GutterProperty : public EditorTest {};

TEST_F(GutterProperty, TheShippedWidthCanBeSetAndTheRuleHoldsForTheEditor) {
  for (int32_t value = -2; value <= memo.ClientWidth(); ++value) {
    memo.SetGutter(0);
    memo.SetGutter(value);
    EXPECT_EQ(memo.GetGutter(), GutterWidthAccepted(value, memo.ClientWidth()) ? value : 0) << value;
  }
  memo.SetGutter(24);
  EXPECT_EQ(memo.GetGutter(), 24);
}

TEST(OptionBoxes, EachBoxHoldsItsOwnBitOfTheOptionWord) {
  const std::pair<const char*, uint32_t> expected[] = {
      {"DispWrapBox", 0x400},        {"WrapOverrideBox", 0x2000},     {"AutoIndentBox", 0x800},
      {"TabColBox", 0x1000},         {"SmartFillBox", 0x1000000},     {"UseTabBox", 0x800000},
      {"EdLineNosBox", 0x1},         {"MarkWrapBox", 0x200000},       {"TitleAsFilenameBox", 0x40000},
      {"BlockCursorBox", 0x100000},  {"WordSelectBox", 0x4000},       {"PrnSynHighlightBox", 0x10},
      {"CursorAfterEOLBox", 0x8000000}, {"ShowAllCharsBox", 0x4000000}, {"VisRMarginBox", 0x8000},
      {"VisGutterBox", 0x10000},     {"ShowWrapColumnBox", 0x20000},
  };
  ASSERT_EQ(std::size(expected), OptionBoxes().size());
  uint32_t all = 0;
  for (size_t i = 0; i < OptionBoxes().size(); ++i) {
    EXPECT_STREQ(OptionBoxes()[i].Name, expected[i].first);
    EXPECT_EQ(OptionWordBit(OptionBoxes()[i].Option), expected[i].second) << expected[i].first;
    EXPECT_EQ(all & expected[i].second, 0u) << "two boxes share a bit";
    all |= expected[i].second;
  }
  const uint32_t wrap = OptionWordBit(smoWordWrap);
  EXPECT_EQ(WithOptionBit(0x10, wrap, true), 0x410u);
  EXPECT_EQ(WithOptionBit(0x410, wrap, false), 0x10u);
  EXPECT_FALSE(SmartTabEnabled(0x410));
  EXPECT_TRUE(SmartTabEnabled(0x10));
}

class Elements : public EditorTest {
protected:
  Elements() : parser(XmlParser()) { memo.SetParser1(parser.get()); }
  TSM_Settings& S() { return parser->Settings(); }
  std::unique_ptr<TInkMemoParser> parser;
};

TEST_F(Elements, TheEditableStylesComeFirstThenTheThreeFixedElements) {
  const std::vector<TStyleElement> elements = StyleElements(S());
  ASSERT_GE(elements.size(), 4u);
  EXPECT_EQ(elements[0].Name, S().GetEditableStyle(1).Name);
  EXPECT_EQ(elements[0].Number, S().GetEditableStyle(1).Style);
  const size_t n = elements.size();
  EXPECT_EQ(elements[n - 4].Name, S().GetEditableStyle(static_cast<int32_t>(n - 3)).Name);
  EXPECT_EQ(S().GetEditableStyle(static_cast<int32_t>(n - 2)).Name, "");
  EXPECT_EQ(elements[n - 3], (TStyleElement{"Selected text", elSelectedText}));
  EXPECT_EQ(elements[n - 2], (TStyleElement{"Left margin", elLeftMargin}));
  EXPECT_EQ(elements[n - 1], (TStyleElement{"Gutter", elGutter}));
}

TEST_F(Elements, ColoursChangeOnlyWhereTheElementDoesNotUseTheDefault) {
  const uint8_t n = S().GetEditableStyle(1).Style;
  SetElementDefault(S(), n, true, true);
  SetElementDefault(S(), n, false, false);
  SetElementColors(S(), n, 0x0000FF, 0x00FF00);
  TElementColors style = ElementColors(S(), n);
  EXPECT_TRUE(style.DefFore);
  EXPECT_NE(style.Fore, 0x0000FFu);
  EXPECT_EQ(style.Back, 0x00FF00u);

  S().UseDefSelTextColor = false;
  S().UseDefSelTextBack = true;
  const TColor back = S().SelTextBack;
  SetElementColors(S(), elSelectedText, 0x123456, 0x654321);
  EXPECT_EQ(S().SelTextColor, 0x123456u);
  EXPECT_EQ(S().SelTextBack, back);

  // The gutter has a background only: the foreground box and colour are ignored.
  S().UseDefGutterColor = false;
  SetElementDefault(S(), elGutter, true, true);
  SetElementColors(S(), elGutter, 0x111111, 0x222222);
  const TElementColors gutter = ElementColors(S(), elGutter);
  EXPECT_FALSE(gutter.HasForeground);
  EXPECT_FALSE(gutter.DefBack);
  EXPECT_EQ(S().GutterColor, 0x222222u);
  SetElementDefault(S(), elLeftMargin, false, true);
  EXPECT_TRUE(S().UseDefMarginColor);
}

TEST_F(Elements, TextAttributesChangeStylesButNoFixedElement) {
  const uint8_t n = S().GetEditableStyle(1).Style;
  const uint8_t before = S().GetStyle(n).FontStyle;
  SetElementFontStyle(S(), n, fsItalic, true);
  EXPECT_EQ(S().GetStyle(n).FontStyle, before | fsItalic);
  SetElementFontStyle(S(), n, fsItalic, false);
  EXPECT_EQ(S().GetStyle(n).FontStyle, before & ~fsItalic);
  const std::string form = [&] {
    TMemoryStream stream;
    S().SaveToStream(stream);
    return std::string(static_cast<const char*>(stream.Memory()), static_cast<size_t>(stream.Size()));
  }();
  for (int32_t fixed : {elSelectedText, elLeftMargin, elGutter}) SetElementFontStyle(S(), fixed, fsBold, true);
  TMemoryStream after;
  S().SaveToStream(after);
  EXPECT_EQ(std::string(static_cast<const char*>(after.Memory()), static_cast<size_t>(after.Size())), form);
}

TEST_F(Elements, ATokenInTheTextLeadsToTheElementOfItsStyle) {
  Load("<a href='x'>text &amp; <!-- note -->");
  Paint();
  const std::vector<TStyleElement> elements = StyleElements(S());
  for (int32_t offset : {1, 4, 13, 18, 26}) {
    const int32_t index = ElementAtOffset(memo, offset, elements);
    ASSERT_GE(index, 0) << offset;
    const TRowPos pos = memo.Store().LocateRow(offset);
    EXPECT_EQ(elements[static_cast<size_t>(index)].Number, S().GetMap(pos.Row->Styles[offset - pos.Start])) << offset;
  }
  EXPECT_NE(ElementAtOffset(memo, 1, elements), ElementAtOffset(memo, 26, elements));
  EXPECT_EQ(ElementAtOffset(memo, 1000, elements), -1);
  TInkMemo unhighlighted;
  unhighlighted.SetText("<a/>");
  EXPECT_EQ(ElementAtOffset(unhighlighted, 1, elements), -1);
}

// A parser shared by three editors of a window, and the two editors of the pages.
class Session : public ::testing::Test {
protected:
  Session() : parser(XmlParser()) {
    for (TInkMemo* e : {&a, &b, &c}) {
      e->Perform(WM_SIZE, 0, MAKELPARAM(600, 300));
      e->SetParser1(parser.get());
      e->SetText("<a>x</a>");
    }
  }
  TSM_Settings& Own() { return parser->Settings(); }
  uint8_t Style1() { return Own().GetEditableStyle(1).Style; }
  void Repaint(TInkMemo& e) {
    TRecordingCanvas canvas{e.Settings().FontFactory()};
    TPaintRequest request{&canvas, {0, 0, e.ClientWidth(), e.ClientHeight()}};
    e.Perform(WM_PAINT, 0, reinterpret_cast<LPARAM>(&request));
  }
  void ExpectRestored(TSM_Settings& own) {
    EXPECT_EQ(&parser->Settings(), &own);
    EXPECT_FALSE(parser->SettingsSwapped());
    EXPECT_EQ(parser->Editors(), (std::vector<TParserClient*>{&a, &b, &c}));
    for (TInkMemo* e : {&a, &b, &c}) EXPECT_EQ(&e->Settings(), &own);
    for (TInkMemo* e : {&preview, &templates}) {
      EXPECT_EQ(e->GetParser1(), nullptr);
      EXPECT_NE(&e->Settings(), &own);
    }
    EXPECT_EQ(own.UseCount(), 3);
  }

  std::unique_ptr<TInkMemoParser> parser;
  TInkMemo a, b, c;
  TInkMemo preview, templates;
};

TEST_F(Session, ThePagesWorkOnACopyWhileTheWindowsEditorsKeepTheSettingsInForce) {
  TSM_Settings& own = Own();
  const TStyleEffect style = own.GetStyle(Style1());
  const bool ok = ExecutePropertyPages(*parser, TSM_PropEdPages::All(), {&preview, &templates}, [&](TPropertySession& s) {
    TSM_Settings& working = s.Working();
    EXPECT_NE(&working, &own);
    EXPECT_EQ(&parser->Settings(), &working);
    EXPECT_EQ(&preview.Settings(), &working);
    EXPECT_EQ(&templates.Settings(), &working);
    EXPECT_EQ(preview.GetActiveParser(), 1);
    SetElementDefault(working, Style1(), true, false);
    SetElementColors(working, Style1(), 0x00ABCDEF, working.GetStyle(Style1()).BackColor);
    // The window's editors repaint and edit behind the dialog: they stay with their settings.
    a.SetText("<b>changed</b>");
    for (TInkMemo* e : {&a, &b, &c}) {
      e->Perform(SMM_APPLYSETTINGS);
      Repaint(*e);
      EXPECT_EQ(&e->Settings(), &own);
    }
    EXPECT_EQ(parser->Editors(), (std::vector<TParserClient*>{&preview, &templates}));
    EXPECT_EQ(working.UseCount(), 2);
    EXPECT_EQ(own.GetStyle(Style1()), style);
    EXPECT_EQ(working.GetStyle(Style1()).TextColor, 0x00ABCDEFu);
    return false;
  });
  EXPECT_FALSE(ok);
  ExpectRestored(own);
  EXPECT_EQ(own.GetStyle(Style1()), style);
}

TEST_F(Session, OkCopiesTheWorkingSettingsBack) {
  TSM_Settings& own = Own();
  EXPECT_TRUE(ExecutePropertyPages(*parser, {ppOPTIONS}, {&preview, &templates}, [&](TPropertySession& s) {
    SetElementDefault(s.Working(), Style1(), true, false);
    SetElementColors(s.Working(), Style1(), 0x00ABCDEF, s.Working().GetStyle(Style1()).BackColor);
    s.Working().FontSize = 14;
    return true;
  }));
  ExpectRestored(own);
  EXPECT_EQ(own.GetStyle(Style1()).TextColor, 0x00ABCDEFu);
  EXPECT_EQ(own.FontSize, 14);
}

TEST_F(Session, AnErrorInTheDialogStillPutsTheParserBack) {
  TSM_Settings& own = Own();
  EXPECT_THROW(ExecutePropertyPages(*parser, TSM_PropEdPages::All(), {&preview, &templates},
                                    [&](TPropertySession& s) -> bool {
                                      s.Working().FontSize = 30;
                                      throw std::runtime_error("broken");
                                    }),
               std::runtime_error);
  ExpectRestored(own);
  EXPECT_EQ(own.FontSize, 10);
}

TEST_F(Session, AnEmptyPageSetShowsNothing) {
  bool shown = false;
  EXPECT_FALSE(ExecutePropertyPages(*parser, {}, {&preview}, [&](TPropertySession&) { return shown = true; }));
  EXPECT_FALSE(shown);
  EXPECT_EQ(&parser->Settings(), &Own());
}

TEST_F(Session, RunsDoNotNestAndThePreviewsOutliveTheWorkingCopySafely) {
  {
    TPropertySession session(*parser, {&preview});
    EXPECT_THROW(TPropertySession(*parser, {&templates}), EInkMemo);
    EXPECT_EQ(&preview.Settings(), &session.Working());
    // The preview typed into the working copy's tables: it must not stay known to them.
    preview.SetText("<x/>");
    Repaint(preview);
  }
  // After the run the previews work on their own settings (a freed working copy would show here
  // under the address sanitizer).
  preview.SetText("<y/>");
  Repaint(preview);
  templates.SetText("z");
  EXPECT_EQ(parser->Editors().size(), 3u);
}

TEST_F(Session, AWindowEditorClosedDuringTheRunIsNotPutBack) {
  auto extra = std::make_unique<TInkMemo>();
  extra->SetParser1(parser.get());
  {
    TPropertySession session(*parser, {&preview});
    extra.reset();
  }
  ExpectRestored(Own());
}

}  // namespace
}  // namespace ql::test
