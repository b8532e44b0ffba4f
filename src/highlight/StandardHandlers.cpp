#include "highlight/StandardHandlers.h"

#include "highlight/HandlerCodes.h"
#include "textmodel/EdStream.h"
#include "toolkit/ByteSet.h"

namespace ql {
namespace {

constexpr uint8_t CR = '\r';

constexpr TByteSet Digits = TByteSet::Range('0', '9');
constexpr TByteSet Letters = TByteSet::Range('A', 'Z') | TByteSet::Range('a', 'z');
constexpr TByteSet IdentChars = Letters | Digits | TByteSet{'_'};
constexpr TByteSet WebChars = Letters | Digits | TByteSet{'#', '&', '-', '.', '/', ':', '=', '?', '@', '\\', '_', '|', '~'};
constexpr TByteSet MailChars = Letters | Digits | TByteSet{'~', '.', '@', '-', '_'};

// The character at the position, or -1 at the end of the text.
int Peek(const TEdStream& s) { return s.AtEnd() ? -1 : s.PeekChar(); }

bool In(const TByteSet& set, int c) { return c >= 0 && set.Contains(static_cast<uint8_t>(c)); }

// Consumes the characters of set; returns how many.
int32_t SkipRun(TEdStream& s, const TByteSet& set) {
  const int32_t from = s.CharPos();
  while (In(set, Peek(s))) s.NextChar();
  return s.CharPos() - from;
}

// Gives back a final period of what was consumed since from.
void GiveBackFinalPeriod(TEdStream& s, int32_t from) {
  if (s.CharPos() <= from) return;
  s.PrevChar();
  if (s.PeekChar() != '.') s.NextChar();
}

bool PascalChar(TEdStream& s) {
  const int c = Peek(s);
  if (c < 0 || c == CR) return false;
  s.NextChar();
  if (c != '\'') return true;
  if (Peek(s) != '\'') return false;  // a lone quote ends the string body
  s.NextChar();
  return true;
}

bool WebChar(TEdStream& s) {
  const int32_t from = s.CharPos();
  SkipRun(s, WebChars);
  GiveBackFinalPeriod(s, from);
  return s.CharPos() > from;
}

bool OriginalChar(TEdStream& s, int32_t pieceStart) {
  if (pieceStart > 0) {
    const int32_t here = s.CharPos();
    s.SetCharPos(pieceStart - 1);
    const bool lineStart = s.PeekChar() == CR;
    s.SetCharPos(here);
    if (!lineStart) return false;
  }
  while (Peek(s) >= 0 && Peek(s) != CR) s.NextChar();
  return true;
}

bool Identifier(TEdStream& s) {
  const int c = Peek(s);
  if (!In(Letters, c) && c != '_') return false;
  SkipRun(s, IdentChars);
  return true;
}

// Digits, an optional fraction (a period and at least one digit) and an optional exponent
// (e or E, an optional sign and at least one digit). A period or exponent without its digits
// is left for the next piece.
bool Number(TEdStream& s) {
  const int32_t from = s.CharPos();
  SkipRun(s, Digits);
  if (Peek(s) == '.') {
    const int32_t dot = s.CharPos();
    s.NextChar();
    if (SkipRun(s, Digits) == 0) s.SetCharPos(dot);
  }
  if (s.CharPos() > from && (Peek(s) == 'e' || Peek(s) == 'E')) {
    const int32_t e = s.CharPos();
    s.NextChar();
    if (Peek(s) == '+' || Peek(s) == '-') s.NextChar();
    if (SkipRun(s, Digits) == 0) s.SetCharPos(e);
  }
  return s.CharPos() > from;
}

bool SignedNumber(TEdStream& s) {
  const int c = Peek(s);
  if (c == '+' || c == '-') s.NextChar();
  return Number(s);  // on failure the caller puts the sign back
}

bool Digits1(TEdStream& s) { return SkipRun(s, Digits) > 0; }

bool PascalString(TEdStream& s) {
  if (Peek(s) != '\'') return false;
  s.NextChar();
  for (int c = Peek(s); c >= 0 && c != CR; c = Peek(s)) {
    s.NextChar();
    if (c == '\'') {
      if (Peek(s) != '\'') break;
      s.NextChar();
    }
  }
  return true;
}

// A quoted literal with backslash escapes, ending after the closing quote or before a CR.
bool EscapedString(TEdStream& s, uint8_t quote) {
  if (Peek(s) != quote) return false;
  s.NextChar();
  for (int c = Peek(s); c >= 0 && c != CR; c = Peek(s)) {
    s.NextChar();
    if (c == quote) break;
    if (c == '\\' && Peek(s) >= 0 && Peek(s) != CR) s.NextChar();
  }
  return true;
}

bool MailUrl(TEdStream& s) {
  const int32_t from = s.CharPos();
  bool at = false;
  for (int c = Peek(s); In(MailChars, c); c = Peek(s)) {
    at = at || c == '@';
    s.NextChar();
  }
  if (!at) return false;
  GiveBackFinalPeriod(s, from);
  return true;
}

bool HtmlString(TEdStream& s) {
  if (Peek(s) != '"') return false;
  s.NextChar();
  for (int c = Peek(s); c >= 0; c = Peek(s)) {
    s.NextChar();
    if (c == '"' || c == CR) break;
  }
  return true;
}

// The rest of the line; a run of two or more minus signs followed by ">" is left from its
// last two minus signs on, so that an HTML comment's end stays for the next piece.
bool JsLineComment(TEdStream& s) {
  for (int c = Peek(s); c >= 0 && c != CR; c = Peek(s)) {
    if (c != '-') {
      s.NextChar();
      continue;
    }
    int32_t run = 0;
    while (Peek(s) == '-') {
      s.NextChar();
      ++run;
    }
    if (run >= 2 && Peek(s) == '>') {
      s.SetCharPos(s.CharPos() - 2);
      break;
    }
  }
  return true;
}

bool Dispatch(int32_t code, TEdStream& s, int32_t pieceStart) {
  switch (code) {
    case hcPascalChar: return PascalChar(s);
    case hcWebChar: return WebChar(s);
    case hcOriginalChar: return OriginalChar(s, pieceStart);
    case hcStdIdentifier: return Identifier(s);
    case hcStdNumberOrFp: return Number(s);
    case hcStdPascalString: return PascalString(s);
    case hcStdCString: return EscapedString(s, '"');
    case hcStdCChar:
    case hcStdCStringSq: return EscapedString(s, '\'');
    case hcStdCNumberSigned: return SignedNumber(s);
    case hcStdNumber: return Digits1(s);
    case hcStdMailUrl: return MailUrl(s);
    case hcStdHtmlString: return HtmlString(s);
    case hcStdJsLineComment: return JsLineComment(s);
    default: return false;
  }
}

}  // namespace

bool RunStandardHandler(int32_t code, TEdStream& stream, int32_t pieceStart) {
  const int32_t from = stream.CharPos();
  if (Dispatch(code, stream, pieceStart)) return true;
  stream.SetCharPos(from);
  return false;
}

}  // namespace ql
