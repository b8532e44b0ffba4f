#pragma once
// How a document's bytes are shown and typed: as UTF-8 or as Windows-1252. The text itself stays
// bytes (offsets, rows and stored forms count bytes); the encoding decides which bytes form one
// character on screen and how typed or pasted characters become bytes.
//
// In UTF-8 a valid multi-byte sequence is one character. A byte that starts no valid sequence
// (a stray continuation byte, an overlong form, a surrogate, a cut-off sequence) is a character
// of its own, shown as its hex value and kept unchanged in the text.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace ql {

enum class TTextEncoding : uint8_t { Utf8, Cp1252 };

// The name the status bar shows: "UTF-8" or "Windows-1252".
const char* EncodingName(TTextEncoding encoding);

// Length (2..4, or 1 for ASCII) of the valid UTF-8 sequence at the start of text (n bytes
// available); 0 when the bytes there start no valid sequence.
int32_t Utf8SequenceLength(const char* text, size_t n);
// The code point of a valid sequence of length len.
char32_t DecodeUtf8(const char* text, int32_t len);
// Appends the UTF-8 form of code point cp (which must be at most 0x10FFFF and no surrogate).
void AppendUtf8(std::string& out, char32_t cp);

// Bytes of the character at the start of text (n > 0 bytes available): 1 in Windows-1252 and for
// a byte that starts no valid UTF-8 sequence.
int32_t CharLength(TTextEncoding encoding, const char* text, size_t n);
// Start of the character that ends at pos (0 < pos <= n of text): the start of the valid UTF-8
// sequence ending exactly at pos, else pos - 1.
size_t PrevCharStart(TTextEncoding encoding, const char* text, size_t pos);
// The character a byte shows as in Windows-1252.
char32_t Cp1252Char(uint8_t byte);

// The document bytes of a typed character; false (out unchanged) when the encoding cannot hold it.
bool EncodeChar(TTextEncoding encoding, char32_t cp, std::string& out);
// Document bytes as UTF-8 text for the clipboard: in UTF-8 the valid sequences stay and a byte
// that starts none goes through the Windows-1252 table; in Windows-1252 every byte does.
std::string BytesToUtf8(TTextEncoding encoding, std::string_view bytes);
// UTF-8 text (from the clipboard or a drop) as document bytes. Characters Windows-1252 cannot hold
// are dropped; bytes of the input that are not valid UTF-8 are read as Windows-1252.
std::string Utf8ToBytes(TTextEncoding encoding, std::string_view utf8);

// Decides a loaded document's encoding from its bytes, fed in pieces: UTF-8 when they are valid
// UTF-8 (an empty document included), unless an XML declaration at the start names windows-1252
// or ISO-8859-1; Windows-1252 otherwise.
class TEncodingDetector {
public:
  void Feed(const char* bytes, size_t n);
  TTextEncoding Result() const;

private:
  void ReadDeclaration();

  std::string head_;        // the first bytes, until the declaration is read
  bool headDone_ = false;
  bool declaresCp1252_ = false;
  bool valid_ = true;
  char pending_[4] = {};    // bytes of a sequence cut by the end of the last piece
  int32_t pendingCount_ = 0;
};

}  // namespace ql
