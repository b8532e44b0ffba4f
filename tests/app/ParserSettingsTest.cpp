// The main window's highlighting parser: the shipped XML definition at start-up, the user's
// settings read from the registry then and written back at every close.
#include "WorkbenchFixture.h"
#include "highlight/InkMemoParser.h"
#include "toolkit/qt/QSettingsRegistry.h"

namespace ql::test {
namespace {

const char kKey[] = "Software\\Brevant\\Quillon";
const char kValue[] = "Highlighting - XML";

class ParserSettings : public WorkbenchTest {
protected:
  void SetUp() override {
    WorkbenchTest::SetUp();
    Clear();
  }
  void TearDown() override {
    WorkbenchTest::TearDown();
    Clear();
  }
  void Clear() {
    if (!registry.OpenKey(kKey, true)) return;
    for (const char* name : {"Highlighting - XML", "Key Assignments - XML", "AutoReplace - XML", "Code Templates - XML"})
      registry.DeleteValue(name);
    registry.CloseKey();
  }
  void WriteText(const std::string& text) {
    ASSERT_TRUE(registry.OpenKey(kKey, true));
    registry.WriteString(kValue, text);
    registry.CloseKey();
  }
  std::string ReadText() {
    if (!registry.OpenKey(kKey, false) || !registry.ValueExists(kValue)) return "";
    const std::string text = registry.ReadString(kValue);
    registry.CloseKey();
    return text;
  }

  TQSettingsRegistry registry;
};

TEST_F(ParserSettings, StartLoadsTheShippedDefinitionAndTheUsersChanges) {
  WriteText("Harlix6:OPT#4#1040#END#");
  TInkMemoParser& parser = *W().XMLParser;
  EXPECT_EQ(parser.Name, "XMLParser");
  EXPECT_EQ(parser.Settings().LanguageName, "XML");
  EXPECT_EQ(parser.Tables().Keywords.Words().size(), 3u);
  EXPECT_EQ(parser.Settings().Options, 1040u);
  EXPECT_EQ(parser.Settings().Gutter, 24);  // the rest is the shipped definition's
  EXPECT_TRUE(Dialogs.Errors.empty());

  parser.Settings().FontName = "Liberation Mono";
  W().close();
  EXPECT_EQ(ReadText().rfind("Harlix6:OPT#4#1040GWD#2#24", 0), 0u) << ReadText();
  EXPECT_NE(ReadText().find("FON#15#Liberation Mono"), std::string::npos) << ReadText();
}

TEST_F(ParserSettings, AMalformedEntryIsReportedAndTheShippedSettingsStay) {
  WriteText("Harlix6:EFF#5#1,999");
  TInkMemoParser& parser = *W().XMLParser;
  ASSERT_EQ(Dialogs.Errors.size(), 1u);
  EXPECT_EQ(Dialogs.Errors[0].toStdString(),
            "Invalid data in registry entry \"Software\\Brevant\\Quillon\\Highlighting - XML\"");
  EXPECT_EQ(parser.Settings().Options, 33020912u | 1u);  // the shipped options and the window's line numbers
  EXPECT_EQ(parser.Settings().GetStyle(1).TextColor, clMaroon);
}

TEST_F(ParserSettings, WithoutSavedSettingsTheShippedOnesAreWrittenAtClose) {
  EXPECT_EQ(W().XMLParser->Settings().Options, 33020912u | 1u);  // with the window's line numbers
  W().close();
  EXPECT_EQ(ReadText().rfind("Harlix6:OPT#8#33020913", 0), 0u) << ReadText();
}

}  // namespace
}  // namespace ql::test
