#include <gtest/gtest.h>

#include "highlight/WordStore.h"

using namespace ql;

TEST(WordStore, FindsWholeWordsWithoutRegardToCase) {
  TWordStore store;
  store.Define("Foo", "1");
  store.Define("FOOBAR", "2");
  store.Add("fo", 7);
  EXPECT_EQ(store.Count(), 3);
  ASSERT_NE(store.Find("fOO"), nullptr);
  EXPECT_EQ(*store.Find("fOO")->Value, "1");
  EXPECT_EQ(*store.Find("foobar")->Value, "2");
  EXPECT_EQ(store.Find("FO")->Code, 7);
  EXPECT_EQ(store.Find("Foo")->Code, -1);
  EXPECT_EQ(store.Find("foob"), nullptr);  // a prefix of a word is no word
  EXPECT_EQ(store.Find("f"), nullptr);
  EXPECT_EQ(store.Find("foobarx"), nullptr);
  EXPECT_EQ(store.Find(""), nullptr);

  // Adding again replaces the value and keeps the count; a value still held elsewhere lives on.
  const auto old = store.Find("foo")->Value;
  store.Define("FOO", "3");
  EXPECT_EQ(*store.Find("foo")->Value, "3");
  EXPECT_EQ(*old, "1");
  EXPECT_EQ(store.Count(), 3);

  // Walking: characters are compared in lower case, bytes above 127 as they are.
  store.Add("\xC4x", 9);
  int32_t node = store.Root('F');
  ASSERT_GE(node, 0);
  node = store.Child(node, 'O');
  ASSERT_GE(node, 0);
  EXPECT_TRUE(store.Node(node).EndOfWord);
  EXPECT_EQ(store.Child(node, 'z'), -1);
  EXPECT_EQ(store.Root(0xE4), -1);
  EXPECT_EQ(store.Find("\xC4X")->Code, 9);

  store.Clear();
  EXPECT_EQ(store.Count(), 0);
  EXPECT_EQ(store.Find("foo"), nullptr);
}
