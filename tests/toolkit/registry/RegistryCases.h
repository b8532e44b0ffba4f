#pragma once
// Cases every registry implementation must pass; a test program instantiates them with a
// factory for its registry.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "toolkit/Registry.h"

namespace ql {

using TRegistryFactory = std::function<std::unique_ptr<TRegistry>()>;

class RegistryCases : public ::testing::TestWithParam<TRegistryFactory> {
protected:
  // A key of its own for every test, so that a persistent registry needs no cleaning.
  static std::string FreshKey() {
    static int counter = 0;
    return "Software\\Brevant\\QuillonTest\\Case" + std::to_string(++counter);
  }
  std::unique_ptr<TRegistry> registry = GetParam()();
};

TEST_P(RegistryCases, OpenKeyCreatesOnlyWhenAsked) {
  const std::string key = FreshKey();
  EXPECT_FALSE(registry->KeyExists(key));
  EXPECT_FALSE(registry->OpenKey(key, false));
  EXPECT_FALSE(registry->HasCurrentKey());
  ASSERT_TRUE(registry->OpenKey(key, true));
  registry->WriteString("a", "1");
  registry->CloseKey();
  EXPECT_TRUE(registry->KeyExists(key));
  EXPECT_TRUE(registry->KeyExists("\\" + key + "\\"));  // separators around the path do not matter
  EXPECT_TRUE(registry->OpenKey(key, false));
}

TEST_P(RegistryCases, ValuesKeepTheirBytesTypesAndExactNames) {
  const std::string key = FreshKey();
  ASSERT_TRUE(registry->OpenKey(key, true));
  std::string allBytes;
  for (int c = 0; c < 256; ++c) allBytes += static_cast<char>(c);
  const std::string text = "Harlix6:EFF#22#2,0,0,XY;1,128,-1,B;#END#";
  const struct {
    std::string name;
    std::string data;
    TRegDataType type;
  } values[] = {
      {"Highlighting - XML", text, TRegDataType::String},
      {"Key Assignments - XML", allBytes, TRegDataType::Binary},
      {"a/b\\c%2F d", "slash and backslash in the name", TRegDataType::String},
      {"empty", "", TRegDataType::String},
      {"empty binary", "", TRegDataType::Binary},
      {"@starts with at", "@ByteArray(not binary)", TRegDataType::String},
      {"high bytes \xE9\x81", "\x80\x81\x8D\x9D\xFF text", TRegDataType::String},
  };
  for (const auto& v : values) {
    if (v.type == TRegDataType::String) registry->WriteString(v.name, v.data);
    else registry->WriteBinaryData(v.name, v.data);
  }
  registry->CloseKey();

  ASSERT_TRUE(registry->OpenKey(key, false));
  for (const auto& v : values) {
    SCOPED_TRACE(v.name);
    ASSERT_TRUE(registry->ValueExists(v.name));
    EXPECT_EQ(registry->GetDataType(v.name), v.type);
    EXPECT_EQ(v.type == TRegDataType::String ? registry->ReadString(v.name) : registry->ReadBinaryData(v.name), v.data);
  }
  EXPECT_FALSE(registry->ValueExists("a"));
  EXPECT_FALSE(registry->ValueExists("b\\c%2F d"));
}

TEST_P(RegistryCases, MisuseRaises) {
  EXPECT_THROW(registry->ReadString("x"), ERegistryException);  // no key open
  EXPECT_THROW(registry->OpenKey("\\\\", true), ERegistryException);
  const std::string key = FreshKey();
  ASSERT_TRUE(registry->OpenKey(key, true));
  registry->WriteString("s", "text");
  registry->WriteBinaryData("b", "\x01\x02");
  EXPECT_THROW(registry->ReadBinaryData("s"), ERegistryException);
  EXPECT_THROW(registry->ReadString("b"), ERegistryException);
  EXPECT_THROW(registry->ReadString("missing"), ERegistryException);
  EXPECT_THROW(registry->GetDataType("missing"), ERegistryException);
}

TEST_P(RegistryCases, OverwriteAndDelete) {
  const std::string key = FreshKey();
  ASSERT_TRUE(registry->OpenKey(key, true));
  registry->WriteString("v", "old");
  registry->WriteBinaryData("v", "new");
  EXPECT_EQ(registry->GetDataType("v"), TRegDataType::Binary);
  EXPECT_EQ(registry->ReadBinaryData("v"), "new");
  EXPECT_TRUE(registry->DeleteValue("v"));
  EXPECT_FALSE(registry->DeleteValue("v"));
  EXPECT_FALSE(registry->ValueExists("v"));
}

TEST_P(RegistryCases, KeysAreSeparate) {
  const std::string parent = FreshKey();
  const std::string child = parent + "\\Child";
  ASSERT_TRUE(registry->OpenKey(child, true));
  registry->WriteString("v", "child");
  ASSERT_TRUE(registry->OpenKey(parent + "!", true));
  registry->WriteString("v", "sibling");
  EXPECT_TRUE(registry->KeyExists(parent));  // a key below it holds a value
  ASSERT_TRUE(registry->OpenKey(parent, false));
  EXPECT_FALSE(registry->ValueExists("v"));
  ASSERT_TRUE(registry->OpenKey(child, false));
  EXPECT_EQ(registry->ReadString("v"), "child");
}

}  // namespace ql
