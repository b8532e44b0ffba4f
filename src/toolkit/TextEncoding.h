#pragma once
// The display encoding of a document: how its bytes become the characters the user sees. The
// engine stores and counts bytes; the encoding matters only where characters leave it for
// something that reads characters (the screen, HTML and RTF).
#include <cstdint>
#include <string_view>

namespace ql {

enum class TTextEncoding : uint8_t {
  Utf8,    // valid UTF-8 files, new documents; an invalid byte is a character of its own
  Cp1252,  // every byte is one Windows-1252 character
};

// One character of a document.
struct TDecodedChar {
  char32_t Code = 0;   // U+FFFD for a byte that is not part of a valid UTF-8 sequence
  int32_t Length = 1;  // bytes it takes: 1 to 4
  bool Valid = true;   // false for such a byte
};

// The character starting at bytes[0] (bytes must not be empty). A UTF-8 sequence is taken only
// when it is complete within bytes, shortest-form and not a surrogate or above U+10FFFF.
TDecodedChar DecodeChar(TTextEncoding encoding, std::string_view bytes);

// Length of a well-formed UTF-8 sequence at the start of bytes (not empty); 0 when the first
// byte does not start one.
int32_t Utf8SequenceLength(std::string_view bytes);

// The encoding a loaded file is shown in: Windows-1252 when its bytes are not valid UTF-8 or
// its XML declaration names windows-1252 or iso-8859-1, UTF-8 otherwise.
TTextEncoding DetectTextEncoding(std::string_view bytes);

}  // namespace ql
