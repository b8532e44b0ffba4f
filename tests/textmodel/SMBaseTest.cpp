#include <gtest/gtest.h>

#include "textmodel/InkMemoErrors.h"
#include "textmodel/SM_Base.h"
#include "toolkit/MemoryStream.h"
#include "toolkit/StreamEncoding.h"
#include "toolkit/StreamCopy.h"

using namespace ql;

namespace {

class TPair : public TSM_Base {
public:
  const char* ClassName() const override { return "TPair"; }
  void SaveToStream(TStream& s) const override {
    WriteInteger(s, number);
    WriteString(s, text);
  }
  void LoadFromStream(TStream& s) override {
    number = ReadInteger(s);
    text = ReadString(s);
  }
  int32_t number = 0;
  std::string text;
};

}  // namespace

TEST(SMBase, AssignCopiesThroughTheStreamForm) {
  TPair a;
  a.number = -7;
  a.text = "abc";
  TPair b;
  b.Assign(a);
  EXPECT_EQ(b.number, -7);
  EXPECT_EQ(StreamBytes(a), StreamBytes(b));
}

TEST(SMBase, AssignRefusesOtherClasses) {
  TPair b;
  b.number = 3;
  TObject other;
  try {
    b.Assign(other);
    FAIL();
  } catch (const EInkMemo& e) {
    EXPECT_EQ(e.Message, "Cannot assign a TObject to TPair");
  }
  EXPECT_EQ(b.number, 3);
}

TEST(SMBase, TruncatedStreamRaisesAReadError) {
  TMemoryStream s(std::string("\x01\0\0\0\x09\0\0\0ab", 10));
  TPair p;
  EXPECT_THROW(p.LoadFromStream(s), EReadError);
  EXPECT_EQ(p.number, 1) << "what was read so far is kept";
}
