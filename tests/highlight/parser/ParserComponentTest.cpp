// The parser component: the shipped definition, stored form versions, Assign, compiling its
// script, the editor refresh, the property pages hook and the registry.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "ParserTesting.h"
#include "highlight/InkMemoParser.h"
#include "highlight/ParserClient.h"
#include "highlight/ScanText.h"
#include "highlight/xmldef/XmlDefinition.h"
#include "textmodel/TextStore.h"
#include "toolkit/MemoryRegistry.h"
#include "toolkit/StreamEncoding.h"

using namespace ql;
using namespace ql::test;

namespace {

// An editor on the parser's list, which takes itself off when it goes (as editors do).
class TCountingEditor : public TParserClient {
public:
  explicit TCountingEditor(TInkMemoParser& parser) : parser_(parser) { parser.AddEditor(*this); }
  ~TCountingEditor() override { parser_.RemoveEditor(*this); }
  void SettingsGutterFontChanged(TSM_Settings&) override {}
  void ParserChanged(TCustomInkMemoParser&) override {
    ++changes;
    if (fail) throw EInkMemo("editor refused");
  }
  int changes = 0;
  bool fail = false;

private:
  TInkMemoParser& parser_;
};

class ParserComponent : public ::testing::Test {
protected:
  void SetUp() override {
    parser.Name = "XMLParser";
    parser.RegistryKey = "Software\\Brevant\\Quillon";
    parser.UseRegistry = true;
    parser.Registry = &registry;
  }
  // A stored form with another version number in front of the XML definition's body.
  static std::string WithVersion(uint16_t version) {
    std::string bytes(XmlDefinitionStoredForm());
    bytes[0] = static_cast<char>(version & 0xFF);
    bytes[1] = static_cast<char>(version >> 8);
    return bytes;
  }
  std::vector<TTokenRun> Runs(const std::string& text) {
    TTextStore store;
    store.InsertText(0, text);
    return TokenRuns(ScanText(parser, store));
  }

  TInkMemoParser parser;
  TMemoryRegistry registry;
};

TEST_F(ParserComponent, ShippedDefinitionIsTheCompiledScript) {
  TCompiled xml = CompileXmlScript();
  EXPECT_EQ(std::string(XmlDefinitionStoredForm()), StoredForm(xml)) << "the embedded definition is out of date";
  parser.LoadFromBytes(XmlDefinitionStoredForm());
  EXPECT_EQ(InnerBytes(parser.Tables(), parser.Settings()), InnerBytes(xml));
  EXPECT_EQ(parser.Settings().LanguageName, "XML");
}

// The pieces the XML definition cuts text into, as the main window's editors colour them.
TEST_F(ParserComponent, ShippedDefinitionScansXml) {
  parser.LoadFromBytes(XmlDefinitionStoredForm());
  const struct {
    std::string text;
    std::vector<TTokenRun> runs;
  } cases[] = {
      {"<a>", {{0, 3, 1}}},
      {"< a", {{0, 3, 0}}},
      {"a < b", {{0, 5, 0}}},
      {"<a\rhref='x'>t", {{0, 12, 1}, {12, 1, 0}}},  // a tag across lines
      {"x<!-- c -->y", {{0, 1, 0}, {1, 10, 4}, {11, 1, 0}}},
      {"&amp;x&#60;", {{0, 5, 3}, {5, 1, 0}, {6, 5, 3}}},
      {"&amp x", {{0, 6, 0}}},  // without ";" the ampersand stays default text
      {"<?xml version=\"1.0\"?><b/>", {{0, 21, 2}, {21, 4, 1}}},
  };
  for (const auto& c : cases) EXPECT_EQ(Runs(c.text), c.runs) << c.text;
  // And the styles the window paints them in.
  const TSM_Settings& s = parser.Settings();
  EXPECT_EQ(s.GetStyle(s.GetMap(1)).TextColor, clMaroon);
  EXPECT_EQ(s.GetStyle(s.GetMap(3)).FontStyle, fsBold);
  EXPECT_EQ(s.GetStyle(s.GetMap(4)).FontStyle, fsItalic);
  EXPECT_EQ(s.GetStyle(s.GetMap(4)).TextColor, clGreen);
}

TEST_F(ParserComponent, OldVersionsAreRefused) {
  const std::string message =
      "XMLParser: DFM file saved by different version of TInkMemoParser.\n\rRecompile script to update DFM file.\n\r"
      "Expected version was 51 read version was 49";
  parser.BeginLoading();
  try {
    parser.LoadFromBytes(WithVersion(49));
    ADD_FAILURE() << "version 49 was read";
  } catch (const EInkMemoParserError& e) {
    EXPECT_EQ(e.Message, message);
  }
  parser.Loaded();

  uint16_t seen = 0, expected = 0;
  parser.OnParserVersionError = [&](TInkMemoParser&, uint16_t v, uint16_t e) {
    seen = v;
    expected = e;
  };
  parser.LoadFromBytes(WithVersion(12));
  EXPECT_EQ(seen, 12);
  EXPECT_EQ(expected, 51);
  EXPECT_TRUE(parser.Tables().Keywords.Words().empty());

  parser.OnParserVersionError = nullptr;
  std::string shown;
  ParserUi().ShowInformation = [&](const std::string& text) { shown = text; };
  parser.LoadFromBytes(WithVersion(49));
  ParserUi().ShowInformation = nullptr;
  EXPECT_EQ(shown, message);

  // Version 50 and above are read.
  parser.LoadFromBytes(WithVersion(52));
  EXPECT_EQ(parser.Tables().Keywords.Words().size(), 3u);
}

TEST_F(ParserComponent, DamagedStoredFormNamesTheComponentAndLeavesItEmpty) {
  parser.LoadFromBytes(XmlDefinitionStoredForm());
  std::string damaged(XmlDefinitionStoredForm());
  damaged.resize(damaged.size() - 3);
  try {
    parser.LoadFromBytes(damaged);
    ADD_FAILURE() << "a truncated form was read";
  } catch (const EInkMemoParserError& e) {
    EXPECT_EQ(e.Message.rfind("XMLParser: ", 0), 0u) << e.Message;
  }
  EXPECT_TRUE(parser.Tables().Keywords.Words().empty());
  EXPECT_FALSE(parser.Tables().Handlers[1]);
  EXPECT_EQ(parser.Settings().LanguageName, "XML");  // the settings keep the last good language
}

TEST_F(ParserComponent, AssignCopiesThroughTheStoredForm) {
  TInkMemoParser source;
  source.LoadFromBytes(XmlDefinitionStoredForm());
  TCountingEditor editor(parser);
  parser.Assign(source);
  EXPECT_EQ(InnerBytes(parser.Tables(), parser.Settings()), InnerBytes(source.Tables(), source.Settings()));
  EXPECT_EQ(editor.changes, 1);

  TSM_Settings other;
  try {
    parser.Assign(other);
    ADD_FAILURE() << "assigned a settings object";
  } catch (const EInkMemo& e) {
    EXPECT_EQ(e.Message, "Cannot assign a TSM_Settings to TInkMemoParser");
  }
}

TEST_F(ParserComponent, CompileScriptReadsTheFileWithItsFolderForIncludes) {
  const auto dir = std::filesystem::temp_directory_path() / ("quillon-parser-" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  std::ofstream(dir / "words.inc") << "%%words '<' '' 1\r\n";
  std::ofstream(dir / "lang.hls") << "%%language name = 'Inc'\r\n#include <words.inc>\r\n%%handlers 1 'a'\r\n";
  std::ofstream(dir / "bad.hls") << "%%language\r\nname = 5\r\n";

  TCountingEditor editor(parser);
  parser.SetScript((dir / "missing.hls").string());
  parser.CompileScript();  // a missing file does nothing
  EXPECT_EQ(editor.changes, 0);

  parser.SetScript((dir / "lang.hls").string());
  parser.CompileScript();
  EXPECT_EQ(parser.Settings().LanguageName, "Inc");
  EXPECT_EQ(parser.Tables().Keywords.Words().size(), 1u);
  EXPECT_GT(parser.CompiledLine(), 0);  // where reading ended is remembered
  EXPECT_EQ(editor.changes, 1);

  parser.SetScript((dir / "bad.hls").string());
  EXPECT_THROW(parser.CompileScript(), EInkMemo);
  EXPECT_EQ(editor.changes, 2);  // the editors see the partly filled tables too

  // Design mode compiles when the script is set; AutoScriptUpdate compiles when loading ends.
  parser.SetDesigning(true);
  parser.SetScript((dir / "lang.hls").string());
  EXPECT_EQ(parser.Settings().LanguageName, "Inc");
  parser.SetDesigning(false);
  parser.LoadFromBytes(XmlDefinitionStoredForm());
  parser.BeginLoading();
  parser.AutoScriptUpdate = true;
  parser.Loaded();
  EXPECT_EQ(parser.Settings().LanguageName, "Inc");
  std::filesystem::remove_all(dir);
}

TEST_F(ParserComponent, RefreshSurvivesAFailingEditor) {
  TCountingEditor bad(parser), good(parser);
  bad.fail = true;
  parser.RefreshEditors();
  EXPECT_EQ(bad.changes, 1);
  EXPECT_EQ(good.changes, 1);
  EXPECT_EQ(parser.LastRefreshError, "editor refused");
}

TEST_F(ParserComponent, RegistryRoundTripAndDisabledInterface) {
  parser.LoadFromBytes(XmlDefinitionStoredForm());
  TCountingEditor editor(parser);
  EXPECT_FALSE(parser.LoadFromRegistry());  // nothing saved yet: nothing changes
  EXPECT_EQ(editor.changes, 0);

  parser.Settings().FontName = "Liberation Mono";
  parser.Settings().Templates().AddTemplate("el", "", "<|></>");
  const std::string saved = SettingsBytes(parser.Settings());
  parser.SaveToRegistry();
  parser.LoadFromBytes(XmlDefinitionStoredForm());
  ASSERT_NE(SettingsBytes(parser.Settings()), saved);
  editor.changes = 0;
  EXPECT_TRUE(parser.LoadFromRegistry());
  EXPECT_EQ(SettingsBytes(parser.Settings()), saved);
  EXPECT_EQ(editor.changes, 1);

  parser.UseRegistry = false;
  try {
    parser.SaveToRegistry();
    ADD_FAILURE() << "saved with the registry interface disabled";
  } catch (const EInkMemo& e) {
    EXPECT_EQ(e.Message, "Registry interface disabled in: XMLParser");
  }
  EXPECT_THROW(parser.LoadFromRegistry(), EInkMemo);
  EXPECT_TRUE(parser.LoadFromRegistry("Software\\Brevant\\Quillon"));  // another key needs no switch
  parser.UseRegistry = true;
  parser.RegistryKey.clear();
  EXPECT_THROW(parser.SaveToRegistry(), EInkMemo);
}

TEST_F(ParserComponent, EditPropertiesHooks) {
  parser.LoadFromBytes(XmlDefinitionStoredForm());
  TCountingEditor editor(parser);
  TSM_PropEdPages asked;
  bool accept = false;
  ParserUi().EditProperties = [&](TInkMemoParser&, TSM_PropEdPages pages) {
    asked = pages;
    return accept;
  };
  parser.EditProperties();
  EXPECT_EQ(asked, TSM_PropEdPages::All());
  EXPECT_EQ(editor.changes, 0);
  EXPECT_FALSE(registry.KeyExists(parser.RegistryKey));

  accept = true;
  parser.EditProperties({ppKEYS});
  EXPECT_EQ(asked, TSM_PropEdPages{ppKEYS});
  EXPECT_EQ(editor.changes, 1);
  EXPECT_TRUE(registry.KeyExists(parser.RegistryKey));

  int modified = 0;
  parser.OnModifyProperties = [&](TInkMemoParser&) { ++modified; };
  parser.EditProperties();
  ParserUi().EditProperties = nullptr;
  EXPECT_EQ(modified, 1);
  EXPECT_EQ(editor.changes, 1);
}

}  // namespace
