// The token half of the script reader: keywords, string literals, numbers and the rest.
#include "highlight/SYM_Compiler.h"
#include "toolkit/Exception.h"

namespace ql {

TTokenCode TSYM_Compiler::NextToken() {
  Skip();
  tokenLine_ = line_;
  tokenColumn_ = column_;
  if (AtEnd()) return token_ = tkEndOfInput;  // Skip has closed every frame

  int32_t code;
  if (size_t length = MatchKeyword(code)) {
    while (length-- > 0) Advance();
    return token_ = static_cast<TTokenCode>(code);
  }
  const uint8_t c = Cur();
  if (c == '\'') {
    ReadString();
    return token_ = tkString;
  }
  if (IsDigit(c)) {
    ReadNumber();
    return token_ = tkNumber;
  }
  if (IsIdentStart(c)) {
    identifier_ = std::string(ReadIdentifier());
    return token_ = tkUnknownIdentifier;
  }
  unknownChar_ = c;
  Advance();
  return token_ = tkUnknownChar;
}

TTokenCode TSYM_Compiler::GetToken() {
  const TTokenCode token = NextToken();
  if (token == tkUnknownIdentifier) CompileError(Format(msgIdentifierUnknown, identifier_.c_str()));
  if (token == tkUnknownChar) CompileError(Format(msgUnknownChar, static_cast<unsigned>(unknownChar_)));
  return token;
}

size_t TSYM_Compiler::MatchKeyword(int32_t& code) const {
  const std::string& text = *text_;
  size_t best = 0;
  int32_t node = keywords_.Root(Cur());
  for (size_t i = pos_ + 1; node >= 0; ++i) {
    const TWordNode& n = keywords_.Node(node);
    // A keyword ending in a name character must not run on into a longer name:
    // "names" is not "name" followed by "s".
    if (n.EndOfWord && !(IsIdentChar(n.Char) && i < text.size() && IsIdentChar(static_cast<uint8_t>(text[i])))) {
      best = i - pos_;
      code = n.Code;
    }
    if (i >= text.size()) break;
    node = keywords_.Child(node, static_cast<uint8_t>(text[i]));
  }
  return best;
}

void TSYM_Compiler::ReadString() {
  raw_.clear();
  Advance();  // the opening quote
  while (!AtEnd()) {
    const uint8_t c = Cur();
    if (c == '\'') {
      Advance();
      return;
    }
    if (c == '\\') {
      if (Peek(1) == '\r') {
        // Line continuation: the backslash, the line break and the next line's leading
        // blanks and control characters go, and so does one backslash standing first.
        Advance();
        Advance();
        while (!AtEnd() && ((Cur() >= 1 && Cur() <= 32) || Cur() == 160)) Advance();
        if (!AtEnd() && Cur() == '\\') Advance();
        continue;
      }
      // An escape: the backslash and the character after it, which never ends the literal.
      raw_ += '\\';
      Advance();
      if (AtEnd()) return;
      raw_ += static_cast<char>(Cur());
      Advance();
      continue;
    }
    raw_ += static_cast<char>(c);
    Advance();
  }
  // The end of the text ends the literal.
}

void TSYM_Compiler::ReadNumber() {
  uint32_t value = 0;
  while (!AtEnd() && IsDigit(Cur())) {
    value = value * 10u + static_cast<uint32_t>(Cur() - '0');
    Advance();
  }
  number_ = value;
}

namespace {

int HexDigit(uint8_t c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::string TSYM_Compiler::DecodeString(std::string_view raw) {
  std::string out;
  out.reserve(raw.size());
  size_t i = 0;
  while (i < raw.size()) {
    const uint8_t c = static_cast<uint8_t>(raw[i++]);
    if (c != '\\') {
      out += static_cast<char>(c);
      continue;
    }
    if (i >= raw.size()) break;  // a lone backslash at the end
    const uint8_t e = static_cast<uint8_t>(raw[i]);
    uint32_t value = 0;  // numeric escapes wrap; only the low 8 bits are kept
    if (e >= '0' && e <= '7') {
      while (i < raw.size() && raw[i] >= '0' && raw[i] <= '7') value = value * 8u + static_cast<uint32_t>(raw[i++] - '0');
      out += static_cast<char>(value & 0xFF);
      continue;
    }
    ++i;
    switch (e) {
      case 'b': case 'B': out += '\b'; break;
      case 'e': case 'E': out += '\x1b'; break;
      case 'n': case 'N': out += '\r'; break;  // "\n" is the editor's line break, CR
      case 'r': case 'R': out += '\n'; break;
      case 's': case 'S': out += ' '; break;
      case 't': case 'T': out += '\t'; break;
      case 'x': case 'X':
        for (int d; i < raw.size() && (d = HexDigit(static_cast<uint8_t>(raw[i]))) >= 0; ++i)
          value = value * 16u + static_cast<uint32_t>(d);
        out += static_cast<char>(value & 0xFF);
        break;
      default: out += static_cast<char>(e); break;
    }
  }
  return out;
}

}  // namespace ql
