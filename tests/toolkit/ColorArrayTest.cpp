#include <gtest/gtest.h>

#include "toolkit/ColorArray.h"
#include "toolkit/MemoryStream.h"
#include "toolkit/PropertyValues.h"
#include "toolkit/Stream.h"
#include "toolkit/StreamEncoding.h"

using namespace ql;

namespace {

std::string Bytes(TMemoryStream& s) { return std::string(s.Memory(), static_cast<size_t>(s.Size())); }

// Reads the properties of a stored form the way a component reader does: names until an
// empty one, each handed to the table.
void ReadAll(TColorArrayClass& colors, const std::string& bytes) {
  TMemoryStream s;
  s.Write(bytes.data(), static_cast<int32_t>(bytes.size()));
  s.SetPosition(0);
  for (std::string name = ReadShortName(s); !name.empty(); name = ReadShortName(s)) {
    if (!colors.ReadProperty(name, s)) throw EReadError("unknown property " + name);
  }
}

}  // namespace

TEST(ColorArray, IndexesFromOneAndRefusesTheRest) {
  TColorArrayClass colors(4, 5);
  colors.SetColor(4, 5, 0x123456);
  EXPECT_EQ(colors.Color(4, 5), 0x123456u);
  EXPECT_EQ(colors.Color(1, 1), 0u);
  for (const auto& [x, y] : {std::pair{5, 1}, {0, 1}, {1, 0}, {1, 6}}) {
    try {
      colors.Color(x, y);
      ADD_FAILURE() << x << "," << y;
    } catch (const EColorArrayIndexError& e) {
      EXPECT_STREQ(e.what(), "Array index out of bounds");
    }
  }
  colors.SetXSize(2);
  EXPECT_EQ(colors.XSize(), 2);
  EXPECT_EQ(colors.Color(2, 5), 0u);
  EXPECT_THROW(colors.SetYSize(-1), EColorArrayIndexError);
}

TEST(ColorArray, EqualityAndAssign) {
  TColorArrayClass a(2, 2), b(2, 2), c(2, 1);
  EXPECT_TRUE(a.Equals(&a));
  EXPECT_FALSE(a.Equals(nullptr));
  EXPECT_TRUE(a.Equals(&b));
  EXPECT_FALSE(a.Equals(&c));
  b.SetColor(2, 1, 7);
  EXPECT_FALSE(a.Equals(&b));
  c.Assign(b);
  EXPECT_EQ(c, b);
  EXPECT_EQ(c.YSize(), 2);
}

TEST(ColorArray, StoredFormIsColumnByColumnWithTheSmallestIntegers) {
  TColorArrayClass colors(2, 2);
  colors.SetColor(1, 2, 0x7F);        // 8-bit
  colors.SetColor(2, 1, 0xFFFF);      // 32-bit (beyond 16-bit signed)
  colors.SetColor(2, 2, 0x80000005);  // a system colour, negative as an integer
  TMemoryStream s;
  colors.WriteProperties(s);
  WritePropertyListEnd(s);
  const std::string expected = std::string("\x05XSize\x02\x02\x05YSize\x02\x02\x06" "Colors\x01", 24) +
                               std::string("\x02\x00\x02\x7F\x04\xFF\xFF\x00\x00\x04\x05\x00\x00\x80\x00\x00", 16);
  EXPECT_EQ(Bytes(s), expected);
  TColorArrayClass back(4, 5);
  ReadAll(back, Bytes(s));
  EXPECT_EQ(back, colors);
}

TEST(ColorArray, ReadingKeepsWhatFitsAndRefusesBadValues) {
  TColorArrayClass colors(1, 2);
  // Three colours for two cells: the third is read and dropped; 16-bit values read signed.
  ReadAll(colors, std::string("\x06" "Colors\x01\x03\x34\x12\x02\x09\x02\x01\x00\x00", 17));
  EXPECT_EQ(colors.Color(1, 1), 0x1234u);
  EXPECT_EQ(colors.Color(1, 2), 9u);
  const std::string bad[] = {
      std::string("\x05XSize\x06\x00", 8),                        // not an integer
      std::string("\x05XSize\x04\x00\x00\x01\x00\x00", 12),       // too big
      std::string("\x05YSize\x02\xFF\x00", 9),                    // negative
      std::string("\x06" "Colors\x01\x02", 9),                    // list without its end
      std::string("\x06" "Colors\x02\x01\x00", 10),               // not a list
  };
  for (const std::string& bytes : bad) EXPECT_THROW(ReadAll(colors, bytes), EReadError) << bytes.size();
  EXPECT_EQ(colors.XSize(), 1);
}
