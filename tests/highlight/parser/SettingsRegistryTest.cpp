// A language's user settings in the registry: the four values, their round trip, and malformed
// values that must leave the live settings alone.
#include <gtest/gtest.h>

#include "ParserTesting.h"
#include "highlight/ParserRegistry.h"
#include "textmodel/InkMemoErrors.h"
#include "toolkit/MemoryRegistry.h"
#include "toolkit/StreamEncoding.h"

using namespace ql;
using namespace ql::test;

namespace {

const std::string kKey = "Software\\Brevant\\Quillon";
const std::string kInvalid = "Invalid data in registry entry \"Software\\Brevant\\Quillon\\Highlighting - XML\"";

class SettingsRegistry : public ::testing::Test {
protected:
  TSM_Settings& Live() { return *xml.Settings; }
  void Write(const std::string& name, const std::string& data, bool binary) {
    ASSERT_TRUE(registry.OpenKey(kKey, true));
    if (binary) registry.WriteBinaryData(name, data);
    else registry.WriteString(name, data);
    registry.CloseKey();
  }
  std::string Read(const std::string& name) {
    EXPECT_TRUE(registry.OpenKey(kKey, false));
    const std::string data = registry.GetDataType(name) == TRegDataType::String ? registry.ReadString(name)
                                                                                 : registry.ReadBinaryData(name);
    registry.CloseKey();
    return data;
  }
  // The load fails with the message and changes nothing.
  void ExpectInvalid() {
    const std::string before = SettingsBytes(Live());
    try {
      LoadSettingsFromRegistry(registry, kKey, Live());
      ADD_FAILURE() << "loaded";
    } catch (const EInkMemo& e) {
      EXPECT_EQ(e.Message, kInvalid);
    }
    EXPECT_EQ(SettingsBytes(Live()), before);
  }

  TMemoryRegistry registry;
  TCompiled xml = CompileXmlScript();
};

TEST_F(SettingsRegistry, SaveChangeLoadRestoresEverything) {
  Live().KeyController().AddKeySequence(scCtrl | 'W', 0, 12);
  Live().AutoReplace().AddReplacement("teh", "the");
  Live().AutoReplace().SetTriggers(";.");
  Live().Templates().AddTemplate("if", "Condition", "if () then\r");
  Live().Templates().HotKey = scCtrl | scShift | 'T';
  TStyleEffect comment = Live().GetStyle(4);
  comment.TextColor = 0x00AA00;
  Live().SetStyle(4, comment);
  Live().SetTabColumnsText("3 7");
  Live().RightMargin = 120;
  const std::string saved = SettingsBytes(Live());
  SaveSettingsToRegistry(registry, kKey, Live());

  EXPECT_EQ(Read("Key Assignments - XML").substr(0, 9), std::string("\x08Harlix6:"));
  EXPECT_EQ(Read("Highlighting - XML").substr(0, 12), "Harlix6:OPT#");

  // Change all of it, then load.
  Live().Reset();
  Live().LanguageName = "XML";
  Live().Options = 1;
  Live().FontName = "Other";
  ASSERT_NE(SettingsBytes(Live()), saved);
  TCompiled fresh = CompileXmlScript();
  Live().Assign(*fresh.Settings);
  Live().Options = 1;
  Live().KeyController().ClearKeys();
  Live().AutoReplace().Reset();
  Live().Templates().Reset();
  EXPECT_TRUE(LoadSettingsFromRegistry(registry, kKey, Live()));
  EXPECT_EQ(SettingsBytes(Live()), saved);
}

TEST_F(SettingsRegistry, MissingKeyOrValueChangesNothing) {
  const std::string before = SettingsBytes(Live());
  EXPECT_FALSE(LoadSettingsFromRegistry(registry, kKey, Live()));
  // Binary values alone are not read: the display settings value decides.
  TMemoryStream keys;
  WriteShortName(keys, "Harlix6:");
  TSM_Settings other;
  other.KeyController().ClearKeys();
  other.KeyController().SaveToStream(keys);
  Write("Key Assignments - XML", keys.Bytes(), true);
  EXPECT_FALSE(LoadSettingsFromRegistry(registry, kKey, Live()));
  EXPECT_EQ(SettingsBytes(Live()), before);
}

TEST_F(SettingsRegistry, BinaryValuesWithoutTheMarkerAreSkipped) {
  Write("Highlighting - XML", "Harlix6:OPT#4#1040#END#", false);
  Write("Key Assignments - XML", "\x08Harlix5:junk", true);
  Write("AutoReplace - XML", "", true);
  const auto keysBefore = Live().KeyController().KeyStore().Sequences();
  EXPECT_TRUE(LoadSettingsFromRegistry(registry, kKey, Live()));
  EXPECT_EQ(Live().Options, 1040u);
  EXPECT_EQ(Live().KeyController().KeyStore().Sequences(), keysBefore);
}

TEST_F(SettingsRegistry, MalformedValuesLeaveTheSettingsAlone) {
  const struct {
    const char* name;
    std::string data;
    bool binary;
  } cases[] = {
      {"Highlighting - XML", "Harlix6:OPT#4#1040EFF#6#1,300,#END#", false},
      {"Highlighting - XML", "Harlix6:OPT#4#1040TBC#3#9 5#END#", false},
      {"Highlighting - XML", "Harlix6:OPT#40#1040", false},
      {"Highlighting - XML", "garbage", false},
      {"Highlighting - XML", "Harlix6:OPT#4#1040#END#", true},  // the wrong type
      {"Key Assignments - XML", std::string("\x08Harlix6:\x05\x00\x00\x00", 13), true},
      {"AutoReplace - XML", std::string("\x08Harlix6:\xFF\xFF\xFF\x7F", 13), true},
      {"Code Templates - XML", std::string("\x08Harlix6:\x01\x00\x00\x00\x03if", 15), true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name + std::string(": ") + c.data);
    registry.Clear();
    // A good display text first, so that a bad binary value must undo its changes too.
    if (std::string(c.name) != "Highlighting - XML") Write("Highlighting - XML", "Harlix6:OPT#4#1040#END#", false);
    Write(c.name, c.data, c.binary);
    ExpectInvalid();
  }
}

}  // namespace
