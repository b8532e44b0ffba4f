// The built-in handlers: what each consumes, where each gives back, and that a failure leaves
// the stream where it was.
#include "ScannerTesting.h"
#include "highlight/HandlerCodes.h"
#include "highlight/StandardHandlers.h"

using namespace ql;
using namespace ql::test;

namespace {

TEST(StandardHandlers, ConsumeWhatTheyAccept) {
  const struct {
    int32_t code;
    const char* text;
    int32_t at;          // where the handler starts
    int32_t pieceStart;  // where the piece began
    int32_t consumed;    // -1: fails
  } cases[] = {
      {hcPascalChar, "a'", 0, 0, 1},
      {hcPascalChar, "''x", 0, 0, 2},  // a doubled quote is one character
      {hcPascalChar, "'x", 0, 0, -1},
      {hcPascalChar, "\rx", 0, 0, -1},
      {hcPascalChar, "", 0, 0, -1},
      {hcWebChar, "www.x.org/a?b=c. rest", 0, 0, 15},  // the final period is given back
      {hcWebChar, "a~|\\#&@:b", 0, 0, 9},
      {hcWebChar, ".", 0, 0, -1},
      {hcWebChar, " ", 0, 0, -1},
      {hcOriginalChar, "abc\rdef", 0, 0, 3},
      {hcOriginalChar, "abc\rdef", 4, 4, 3},
      {hcOriginalChar, "abc\rdef", 5, 4, 2},  // the piece, not the handler, must start the line
      {hcOriginalChar, "abc\rdef", 1, 1, -1},
      {hcStdIdentifier, "_a1 b", 0, 0, 3},
      {hcStdIdentifier, "1a", 0, 0, -1},
      {hcStdNumberOrFp, "12.5e-3x", 0, 0, 7},
      {hcStdNumberOrFp, "12.x", 0, 0, 2},
      {hcStdNumberOrFp, ".5", 0, 0, 2},
      {hcStdNumberOrFp, "1e+x", 0, 0, 1},  // an exponent without digits is left
      {hcStdNumberOrFp, "3E4", 0, 0, 3},
      {hcStdNumberOrFp, ".", 0, 0, -1},
      {hcStdPascalString, "'it''s' x", 0, 0, 7},
      {hcStdPascalString, "'open\rx", 0, 0, 5},
      {hcStdPascalString, "'end", 0, 0, 4},
      {hcStdPascalString, "x", 0, 0, -1},
      {hcStdCString, "\"a\\\"b\" x", 0, 0, 6},
      {hcStdCString, "\"a\rb\"", 0, 0, 2},
      {hcStdCString, "\"a\\", 0, 0, 3},
      {hcStdCChar, "'\\''x", 0, 0, 4},
      {hcStdCStringSq, "'ab'", 0, 0, 4},
      {hcStdCNumberSigned, "-1.5", 0, 0, 4},
      {hcStdCNumberSigned, "+.5", 0, 0, 3},
      {hcStdCNumberSigned, "+x", 0, 0, -1},
      {hcStdNumber, "123a", 0, 0, 3},
      {hcStdNumber, "a", 0, 0, -1},
      {hcStdMailUrl, "joe@x.org. ", 0, 0, 9},
      {hcStdMailUrl, "joe.x", 0, 0, -1},
      {hcStdHtmlString, "\"a b\"c", 0, 0, 5},
      {hcStdHtmlString, "\"a\rb\"", 0, 0, 3},  // stops after the CR
      {hcStdJsLineComment, "// x\ry", 0, 0, 4},
      {hcStdJsLineComment, "a --> b", 0, 0, 2},  // an HTML comment end stays for the next piece
      {hcStdJsLineComment, "a ---> b", 0, 0, 3},
      {hcStdJsLineComment, "a -- b -", 0, 0, 8},
      {hcStdJsLineComment, "\r", 0, 0, 0},
      {3, "abc", 0, 0, -1},
      {9, "abc", 0, 0, -1},
      {21, "abc", 0, 0, -1},
      {-1, "abc", 0, 0, -1},
  };
  for (const auto& c : cases) {
    auto store = StoreOf(c.text);
    TEdStream stream(store.get());
    stream.StartAt(c.at);
    const bool ok = RunStandardHandler(c.code, stream, c.pieceStart);
    EXPECT_EQ(ok ? stream.CharPos() - c.at : -1, c.consumed) << c.code << " on " << c.text;
    if (!ok) {
      EXPECT_EQ(stream.CharPos(), c.at) << c.code << " on " << c.text;
    }
  }
}

}  // namespace
