#include <gtest/gtest.h>

#include <string>

#include "toolkit/FileStream.h"
#include "toolkit/MemoryStream.h"
#include "toolkit/StreamEncoding.h"

using namespace ql;

TEST(MemoryStream, WritesSeeksAndReadsBack) {
  TMemoryStream s;
  s.WriteBuffer("hello", 5);
  EXPECT_EQ(s.Size(), 5);
  s.SetPosition(1);
  char buf[8] = {};
  EXPECT_EQ(s.Read(buf, 8), 4);
  EXPECT_EQ(std::string(buf, 4), "ello");
  EXPECT_EQ(s.Read(buf, 8), 0);
  EXPECT_EQ(s.Seek(-2, soFromEnd), 3);
  s.WriteBuffer("LOW", 3);
  EXPECT_EQ(s.Bytes(), "helLOW");
}

TEST(MemoryStream, ReadExactlyFailsOnShortData) {
  TMemoryStream s(std::string("abc"));
  char buf[4];
  EXPECT_THROW(s.ReadBuffer(buf, 4), EReadError);
}

TEST(MemoryView, IsReadOnly) {
  const std::string data = "xyz";
  TMemoryView v(data);
  EXPECT_EQ(v.Size(), 3);
  try {
    v.WriteBuffer("a", 1);
    FAIL();
  } catch (const EStreamError& e) {
    EXPECT_EQ(e.Message, "Cannot write to a read-only stream");
  }
}

TEST(FileStream, MissingFileRaisesOpenError) {
  EXPECT_THROW(TFileStream("/nonexistent/dir/file.txt", fmOpenRead), EFOpenError);
}

TEST(StreamEncoding, WritesLittleEndianPrimitives) {
  TMemoryStream s;
  WriteInteger(s, 0x01020304);
  WriteInteger(s, -2);
  WriteByte(s, 0xAB);
  WriteWord(s, 0x4055);
  WriteString(s, "");
  WriteString(s, "ab");
  WriteShortName(s, "xyz");
  const std::string expected("\x04\x03\x02\x01\xFE\xFF\xFF\xFF\xAB\x55\x40"
                             "\0\0\0\0"
                             "\x02\0\0\0ab"
                             "\x03xyz",
                             25);
  EXPECT_EQ(s.Bytes(), expected);

  s.SetPosition(0);
  EXPECT_EQ(ReadInteger(s), 0x01020304);
  EXPECT_EQ(ReadInteger(s), -2);
  EXPECT_EQ(ReadByte(s), 0xAB);
  EXPECT_EQ(ReadWord(s), 0x4055);
  EXPECT_EQ(ReadString(s), "");
  EXPECT_EQ(ReadString(s), "ab");
  EXPECT_EQ(ReadShortName(s), "xyz");
  EXPECT_THROW(ReadByte(s), EReadError);
}

TEST(StreamEncoding, RejectsLengthsTheDataCannotHold) {
  struct Case {
    const char* name;
    std::string bytes;
  };
  const Case cases[] = {
      {"length beyond the data", std::string("\x10\0\0\0abc", 7)},
      {"huge length", std::string("\xFF\xFF\xFF\x7F", 4)},
      {"negative length", std::string("\xFF\xFF\xFF\xFF", 4)},
      {"truncated length", std::string("\x01\0", 2)},
  };
  for (const auto& c : cases) {
    TMemoryStream s(c.bytes);
    EXPECT_THROW(ReadString(s), EReadError) << c.name;
  }
  TMemoryStream shortName(std::string("\x05"
                                      "ab",
                                      3));
  EXPECT_THROW(ReadShortName(shortName), EReadError);
  TMemoryStream counts(std::string("\x03\0\0\0\0\0\0\0", 8));
  EXPECT_THROW(ReadCount(counts, 4), EReadError);
}

TEST(StreamEncoding, RefusesShortNamesOver255Characters) {
  TMemoryStream s;
  EXPECT_NO_THROW(WriteShortName(s, std::string(255, 'a')));
  EXPECT_THROW(WriteShortName(s, std::string(256, 'a')), EWriteError);
  EXPECT_EQ(s.Size(), 256);
}
