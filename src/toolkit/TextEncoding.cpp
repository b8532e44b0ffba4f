#include "toolkit/TextEncoding.h"

#include <algorithm>
#include <cctype>

#include "toolkit/Cp1252.h"

namespace ql {
namespace {

constexpr size_t MaxDeclaration = 256;

bool IsContinuation(uint8_t b) { return (b & 0xC0) == 0x80; }

// Length a lead byte announces (0 for a byte no valid sequence starts with).
int32_t LeadLength(uint8_t b) {
  if (b < 0x80) return 1;
  if (b >= 0xC2 && b <= 0xDF) return 2;
  if (b >= 0xE0 && b <= 0xEF) return 3;
  if (b >= 0xF0 && b <= 0xF4) return 4;
  return 0;
}

// Whether the second byte of a sequence is allowed after lead (no overlong forms, no
// surrogates, nothing above U+10FFFF).
bool SecondByteFits(uint8_t lead, uint8_t second) {
  if (!IsContinuation(second)) return false;
  if (lead == 0xE0) return second >= 0xA0;
  if (lead == 0xED) return second <= 0x9F;
  if (lead == 0xF0) return second >= 0x90;
  if (lead == 0xF4) return second <= 0x8F;
  return true;
}

std::string Lowered(std::string_view s) {
  std::string out(s);
  std::transform(out.begin(), out.end(), out.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return out;
}

}  // namespace

const char* EncodingName(TTextEncoding encoding) {
  return encoding == TTextEncoding::Utf8 ? "UTF-8" : "Windows-1252";
}

int32_t Utf8SequenceLength(const char* text, size_t n) {
  if (n == 0) return 0;
  const auto* s = reinterpret_cast<const uint8_t*>(text);
  const int32_t len = LeadLength(s[0]);
  if (len <= 1) return len;
  if (n < static_cast<size_t>(len) || !SecondByteFits(s[0], s[1])) return 0;
  for (int32_t i = 2; i < len; ++i) {
    if (!IsContinuation(s[i])) return 0;
  }
  return len;
}

char32_t DecodeUtf8(const char* text, int32_t len) {
  const auto* s = reinterpret_cast<const uint8_t*>(text);
  switch (len) {
    case 1: return s[0];
    case 2: return (char32_t{s[0]} & 0x1F) << 6 | (s[1] & 0x3F);
    case 3: return (char32_t{s[0]} & 0x0F) << 12 | (char32_t{s[1]} & 0x3F) << 6 | (s[2] & 0x3F);
    default:
      return (char32_t{s[0]} & 0x07) << 18 | (char32_t{s[1]} & 0x3F) << 12 | (char32_t{s[2]} & 0x3F) << 6 | (s[3] & 0x3F);
  }
}

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

int32_t CharLength(TTextEncoding encoding, const char* text, size_t n) {
  if (encoding == TTextEncoding::Cp1252 || static_cast<uint8_t>(text[0]) < 0x80) return 1;
  const int32_t len = Utf8SequenceLength(text, n);
  return len > 0 ? len : 1;
}

size_t PrevCharStart(TTextEncoding encoding, const char* text, size_t pos) {
  if (encoding == TTextEncoding::Cp1252 || static_cast<uint8_t>(text[pos - 1]) < 0x80) return pos - 1;
  // At most three continuation bytes back to a lead byte whose sequence ends exactly at pos.
  for (size_t back = 2; back <= 4 && back <= pos; ++back) {
    const size_t start = pos - back;
    if (!IsContinuation(static_cast<uint8_t>(text[start]))) {
      return Utf8SequenceLength(text + start, back) == static_cast<int32_t>(back) ? start : pos - 1;
    }
  }
  return pos - 1;
}

char32_t Cp1252Char(uint8_t byte) { return Cp1252ToUnicode(byte); }

bool EncodeChar(TTextEncoding encoding, char32_t cp, std::string& out) {
  if (encoding == TTextEncoding::Cp1252) {
    uint8_t byte = 0;
    if (!UnicodeToCp1252(cp, byte)) return false;
    out += static_cast<char>(byte);
    return true;
  }
  if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
  AppendUtf8(out, cp);
  return true;
}

std::string BytesToUtf8(TTextEncoding encoding, std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 8);
  size_t i = 0;
  while (i < bytes.size()) {
    const auto b = static_cast<uint8_t>(bytes[i]);
    if (b < 0x80) {
      out += static_cast<char>(b);
      ++i;
      continue;
    }
    const int32_t len = encoding == TTextEncoding::Utf8 ? Utf8SequenceLength(bytes.data() + i, bytes.size() - i) : 0;
    if (len > 0) {
      out.append(bytes.data() + i, static_cast<size_t>(len));
      i += static_cast<size_t>(len);
    } else {
      AppendUtf8(out, Cp1252ToUnicode(b));
      ++i;
    }
  }
  return out;
}

std::string Utf8ToBytes(TTextEncoding encoding, std::string_view utf8) {
  if (encoding == TTextEncoding::Utf8) {
    // Valid sequences pass as they are; a stray byte stands for its Windows-1252 character.
    std::string out;
    out.reserve(utf8.size());
    size_t i = 0;
    while (i < utf8.size()) {
      const int32_t len = Utf8SequenceLength(utf8.data() + i, utf8.size() - i);
      if (len > 0) {
        out.append(utf8.data() + i, static_cast<size_t>(len));
        i += static_cast<size_t>(len);
      } else {
        AppendUtf8(out, Cp1252ToUnicode(static_cast<uint8_t>(utf8[i])));
        ++i;
      }
    }
    return out;
  }
  std::string out;
  out.reserve(utf8.size());
  size_t i = 0;
  while (i < utf8.size()) {
    const int32_t len = Utf8SequenceLength(utf8.data() + i, utf8.size() - i);
    if (len > 0) {
      EncodeChar(encoding, DecodeUtf8(utf8.data() + i, len), out);
      i += static_cast<size_t>(len);
    } else {
      out += utf8[i];
      ++i;
    }
  }
  return out;
}

// --- Detection ---

void TEncodingDetector::Feed(const char* bytes, size_t n) {
  if (!headDone_) {
    head_.append(bytes, std::min(n, MaxDeclaration - head_.size()));
    if (head_.size() >= MaxDeclaration || head_.find("?>") != std::string::npos) ReadDeclaration();
  }
  if (!valid_) return;
  size_t i = 0;
  // Complete a sequence cut by the previous piece.
  while (pendingCount_ > 0 && i < n) {
    pending_[pendingCount_++] = bytes[i++];
    const int32_t wanted = LeadLength(static_cast<uint8_t>(pending_[0]));
    if (pendingCount_ < wanted) continue;
    if (Utf8SequenceLength(pending_, static_cast<size_t>(wanted)) != wanted) {
      valid_ = false;
      return;
    }
    pendingCount_ = 0;
  }
  while (i < n) {
    const auto b = static_cast<uint8_t>(bytes[i]);
    if (b < 0x80) {
      ++i;
      continue;
    }
    const int32_t len = Utf8SequenceLength(bytes + i, n - i);
    if (len > 0) {
      i += static_cast<size_t>(len);
      continue;
    }
    const int32_t wanted = LeadLength(b);
    // A sequence the end of this piece cuts off is finished by the next one.
    if (wanted > 1 && n - i < static_cast<size_t>(wanted)) {
      bool soFar = n - i < 2 || SecondByteFits(b, static_cast<uint8_t>(bytes[i + 1]));
      for (size_t k = i + 2; k < n; ++k) soFar = soFar && IsContinuation(static_cast<uint8_t>(bytes[k]));
      if (soFar) {
        pendingCount_ = 0;
        for (size_t k = i; k < n; ++k) pending_[pendingCount_++] = bytes[k];
        return;
      }
    }
    valid_ = false;
    return;
  }
}

void TEncodingDetector::ReadDeclaration() {
  headDone_ = true;
  std::string_view head(head_);
  if (head.substr(0, 3) == "\xEF\xBB\xBF") head.remove_prefix(3);
  if (head.substr(0, 5) != "<?xml") return;
  const size_t end = head.find("?>");
  const std::string decl = Lowered(head.substr(0, end));
  const size_t at = decl.find("encoding");
  if (at == std::string::npos) return;
  size_t p = decl.find_first_of("\"'", at);
  if (p == std::string::npos) return;
  const char quote = decl[p];
  const size_t close = decl.find(quote, p + 1);
  if (close == std::string::npos) return;
  const std::string name = decl.substr(p + 1, close - p - 1);
  declaresCp1252_ = name == "windows-1252" || name == "iso-8859-1" || name == "iso8859-1" || name == "latin1" ||
                    name == "cp1252" || name == "latin-1";
}

TTextEncoding TEncodingDetector::Result() const {
  bool declares = declaresCp1252_;
  if (!headDone_) {
    TEncodingDetector copy = *this;
    copy.ReadDeclaration();
    declares = copy.declaresCp1252_;
  }
  if (declares || !valid_ || pendingCount_ > 0) return TTextEncoding::Cp1252;
  return TTextEncoding::Utf8;
}

}  // namespace ql
