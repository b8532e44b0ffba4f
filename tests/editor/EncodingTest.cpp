// Documents shown in their encoding: UTF-8 characters are typed, deleted and stepped over whole,
// columns count characters, an invalid byte is one character of its own that stays as it was,
// and files come back byte for byte in both encodings.
#include "EditorTesting.h"
#include "toolkit/MemoryStream.h"

namespace ql::test {
namespace {

using Encoding = EditorTest;

const std::string E_ACUTE = "\xC3\xA9";         // é, two bytes
const std::string EURO = "\xE2\x82\xAC";        // €, three bytes
const std::string G_CLEF = "\xF0\x9D\x84\x9E";  // 𝄞, four bytes

TEST_F(Encoding, TypedCharactersAreStoredInTheDocumentsEncoding) {
  Load("");
  ASSERT_EQ(memo.DisplayEncoding(), TTextEncoding::Utf8);
  Type(U"a\u00E9\u20AC\U0001D11E");
  EXPECT_EQ(Text(), "a" + E_ACUTE + EURO + G_CLEF);
  EXPECT_EQ(memo.CaretControl().CaretColumn(), 5);  // four characters before the caret

  Load("\xE9");  // not UTF-8: Windows-1252
  ASSERT_EQ(memo.DisplayEncoding(), TTextEncoding::Cp1252);
  memo.SetSelection(1, 1);
  Type(U"\u00E9\u20AC\U0001D11E");  // the clef has no byte in the code page
  EXPECT_EQ(Text(), "\xE9\xE9\x80");
}

TEST_F(Encoding, CaretMovesAndDeletesStepOverWholeCharacters) {
  const std::string text = "a" + E_ACUTE + EURO + G_CLEF + "\xFF" "b";
  Load(text);
  ASSERT_EQ(memo.DisplayEncoding(), TTextEncoding::Cp1252);  // the stray 0xFF
  memo.SetDisplayEncoding(TTextEncoding::Utf8);
  memo.SetSelection(0, 0);
  std::vector<int32_t> stops;
  for (int i = 0; i < 6; ++i) {
    Key(VK_RIGHT);
    stops.push_back(memo.SelCaret());
  }
  EXPECT_EQ(stops, (std::vector<int32_t>{1, 3, 6, 10, 11, 12}));
  std::vector<int32_t> columns;
  for (const int32_t stop : stops) columns.push_back(memo.ColumnOfOffset(stop));
  EXPECT_EQ(columns, (std::vector<int32_t>{1, 2, 3, 4, 6, 7}));  // the hex box takes two columns
  stops.clear();
  for (int i = 0; i < 6; ++i) {
    Key(VK_LEFT);
    stops.push_back(memo.SelCaret());
  }
  EXPECT_EQ(stops, (std::vector<int32_t>{11, 10, 6, 3, 1, 0}));
  // Backspace and Delete remove whole characters; the invalid byte goes as one.
  memo.SetSelection(10, 10);
  Key(VK_BACK);
  EXPECT_EQ(Text(), "a" + E_ACUTE + EURO + "\xFF" "b");
  Key(VK_DELETE);
  EXPECT_EQ(Text(), "a" + E_ACUTE + EURO + "b");
  Key(VK_BACK);
  Key(VK_BACK);
  EXPECT_EQ(Text(), "ab");
  memo.Undo();
  memo.Undo();
  memo.Undo();
  memo.Undo();
  EXPECT_EQ(Text(), text);
}

TEST_F(Encoding, ShiftSelectionAndVerticalMovesLandOnCharacterBoundaries) {
  Load(E_ACUTE + E_ACUTE + E_ACUTE + "\rabc");
  memo.SetSelection(0, 0);
  Key(VK_RIGHT, {VK_SHIFT});
  Key(VK_RIGHT, {VK_SHIFT});
  EXPECT_EQ(memo.GetSelText(), E_ACUTE + E_ACUTE);
  Key(VK_DOWN);
  EXPECT_EQ(memo.SelCaret(), 9);  // column 2 of "abc"
  Key(VK_UP);
  EXPECT_EQ(memo.SelCaret(), 4);  // column 2 of the row above: after two characters
}

TEST_F(Encoding, FilesRoundTripByteForByteInBothEncodings) {
  for (const std::string& bytes : {"caf" + E_ACUTE + "\r\n" + EURO + G_CLEF + "\r\n",
                                   std::string("caf\xE9 \x80\x81\x8D\xFF\r\n\xC3"), std::string("\xC3\xA9\xE9")}) {
    Load(bytes);
    Type(U"x");
    memo.Undo();
    TMemoryStream saved;
    memo.SaveToStream(&saved);
    EXPECT_EQ(saved.Bytes(), bytes);
  }
}

TEST(EncodingDetection, FromTheBytesAndTheDeclaration) {
  const struct {
    std::string bytes;
    TTextEncoding encoding;
  } cases[] = {
      {"", TTextEncoding::Utf8},
      {"<?xml version=\"1.0\"?>\r\n<a>caf\xC3\xA9</a>", TTextEncoding::Utf8},
      {"<a>caf\xE9</a>", TTextEncoding::Cp1252},
      {"<?xml version='1.0' encoding='ISO-8859-1'?><a/>", TTextEncoding::Cp1252},
      {"<?xml version=\"1.0\" encoding=\"windows-1252\"?>", TTextEncoding::Cp1252},
      {"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\xC3\xA9", TTextEncoding::Utf8},
      {"\xED\xA0\x80", TTextEncoding::Cp1252},  // a surrogate is not UTF-8
      {"\xC0\xAF", TTextEncoding::Cp1252},      // nor an overlong form
      {"ab\xE2\x82", TTextEncoding::Cp1252},    // nor a cut-off sequence
  };
  for (const auto& c : cases) {
    TEncodingDetector whole;
    whole.Feed(c.bytes.data(), c.bytes.size());
    EXPECT_EQ(whole.Result(), c.encoding) << c.bytes;
    // Fed one byte at a time, sequences cut between pieces are judged whole.
    TEncodingDetector bytewise;
    for (const char b : c.bytes) bytewise.Feed(&b, 1);
    EXPECT_EQ(bytewise.Result(), c.encoding) << c.bytes;
  }
}

TEST(EncodingConversion, ClipboardTextToAndFromDocumentBytes) {
  EXPECT_EQ(BytesToUtf8(TTextEncoding::Utf8, "a\xC3\xA9\xFF"), "a\xC3\xA9\xC3\xBF");  // 0xFF read as ÿ
  EXPECT_EQ(BytesToUtf8(TTextEncoding::Cp1252, "\x80\xE9"), "\xE2\x82\xAC\xC3\xA9");
  EXPECT_EQ(Utf8ToBytes(TTextEncoding::Cp1252, "\xE2\x82\xAC\xC3\xA9\xE2\x86\x92"), "\x80\xE9");
  EXPECT_EQ(Utf8ToBytes(TTextEncoding::Utf8, "\xC3\xA9\xE9"), "\xC3\xA9\xC3\xA9");
}

}  // namespace
}  // namespace ql::test
