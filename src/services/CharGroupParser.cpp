#include "services/CharGroupParser.h"

#include "textmodel/StringScanner.h"
#include "toolkit/Exception.h"

namespace ql {
namespace {

struct TSpecChar {
  uint8_t Value = 0;
  bool Escaped = false;
};

int DigitValue(uint8_t c, int base) {
  int v = -1;
  if (c >= '0' && c <= '9') v = c - '0';
  else if (c >= 'a' && c <= 'f') v = c - 'a' + 10;
  else if (c >= 'A' && c <= 'F') v = c - 'A' + 10;
  return v >= 0 && v < base ? v : -1;
}

// Reads the digits of one base that follow, as many as there are, keeping 8 bits.
uint8_t ReadNumber(TStringScanner& s, int base) {
  unsigned value = 0;
  for (int d; !s.AtEnd() && (d = DigitValue(s.Current(), base)) >= 0; s.Advance()) {
    value = (value * static_cast<unsigned>(base) + static_cast<unsigned>(d)) & 0xFF;
  }
  return static_cast<uint8_t>(value);
}

// Reads one character, decoding an escape. The scanner must not be at its end.
TSpecChar ReadChar(TStringScanner& s) {
  const uint8_t c = s.Current();
  s.Advance();
  if (c != '\\') return {c, false};
  // A backslash that ends the text stands for itself.
  if (s.AtEnd()) return {c, true};
  const uint8_t e = s.Current();
  if (e >= '0' && e <= '7') return {ReadNumber(s, 8), true};
  s.Advance();
  switch (e) {
    case 'b': case 'B': return {8, true};
    case 'e': case 'E': return {27, true};
    case 'n': case 'N': return {13, true};
    case 'r': case 'R': return {10, true};
    case 's': case 'S': return {32, true};
    case 't': case 'T': return {9, true};
    case 'x': case 'X': case 'u': case 'U': return {ReadNumber(s, 16), true};
    default: return {e, true};
  }
}

bool AtRaw(const TStringScanner& s, uint8_t c) { return !s.AtEnd() && s.Current() == c; }

void AddRangeChecked(TSM_CharGroup& group, uint8_t low, uint8_t high) {
  if (high < low) throw Exception("Characters not in correct order for range specifier");
  group.AddRange(low, high);
}

// After a first character: when a "-" and a further character follow (inside brackets, not
// the closing "]"), reads the range; otherwise adds the first character alone.
void ReadItem(TStringScanner& s, TSM_CharGroup& group, uint8_t first, bool inBrackets) {
  if (AtRaw(s, '-')) {
    const int32_t dash = s.Position();
    s.Advance();
    if (!s.AtEnd() && !(inBrackets && s.Current() == ']')) {
      AddRangeChecked(group, first, ReadChar(s).Value);
      return;
    }
    s.SetPosition(dash);
  }
  group.AddChar(first);
}

}  // namespace

TSM_CharGroup ParseCharGroup(const std::string& text, int32_t& position) {
  TSM_CharGroup group;
  TStringScanner s(text);
  if (position < 1) position = 1;
  s.SetPosition(position);
  if (s.AtEnd()) return group;

  const TSpecChar first = ReadChar(s);
  if (first.Escaped || first.Value != '[') {
    ReadItem(s, group, first.Value, false);
  } else {
    if (AtRaw(s, '^')) {
      group.Negated = true;
      s.Advance();
    }
    while (!s.AtEnd()) {
      if (s.Current() == ']') {
        s.Advance();
        break;
      }
      ReadItem(s, group, ReadChar(s).Value, true);
    }
  }
  position = s.Position();
  return group;
}

}  // namespace ql
