#pragma once
// Literal search over the rows in place: the scan looks for the pattern's rarest byte with
// memchr in each row's buffer and compares the pattern around each hit, across row ends when
// the occurrence spans rows.
#include <cstdint>
#include <string>
#include <string_view>

namespace ql {

class TRowCursor;
struct TTextRow;

// A literal prepared for the scan.
class TLiteral {
public:
  TLiteral() = default;
  TLiteral(std::string_view text, bool caseSensitive) { Prepare(text, caseSensitive); }

  // Takes the text and picks the byte the scan looks for. Without case, A to Z and a to z
  // match each other and nothing else does.
  void Prepare(std::string_view text, bool caseSensitive);

  const std::string& Text() const { return text_; }
  bool CaseSensitive() const { return caseSensitive_; }
  int32_t Length() const { return static_cast<int32_t>(text_.size()); }

  // True when the literal occurs at pos, which may be anywhere (the text's ends included).
  bool OccursAt(TRowCursor& text, int32_t pos) const;

private:
  friend class TLiteralScan;

  // Compares the literal with n = Length() characters at p.
  bool EqualsChars(const uint8_t* p) const;

  std::string text_;
  std::string folded_;    // text_ with a to z upper-cased, when case does not count
  bool caseSensitive_ = true;
  int32_t anchor_ = 0;    // index of the byte looked for
  uint8_t anchorA_ = 0;   // the byte looked for, and its other case (or itself again)
  uint8_t anchorB_ = 0;
};

// The occurrences of a literal in a text, nearest first, in one direction. It must not
// outlive the literal or the cursor, and the text must not change while it is used.
class TLiteralScan {
public:
  TLiteralScan(const TLiteral& literal, TRowCursor& text);

  // Forward: occurrences that start at from or after it; backward: at from or before it.
  void Start(int32_t from, bool forward);
  // The start of the next occurrence, or -1 when none is left.
  int32_t Next();
  // Puts the text cursor on the row of the last occurrence's rarest byte.
  void PlaceCursor();

private:
  int32_t NextForward();
  int32_t NextBackward();
  bool SetRowHolding(int32_t pos);
  // True when the occurrence at cand (whose anchor lies in the current row) is one.
  bool Confirm(int32_t cand);

  const TLiteral& literal_;
  TRowCursor& text_;
  bool forward_ = true;
  bool done_ = true;
  int32_t scan_ = 0;        // next anchor position to look at
  int32_t firstAnchor_ = 0; // anchor positions that leave room for the literal
  int32_t lastAnchor_ = 0;
  TTextRow* row_ = nullptr;
  const uint8_t* data_ = nullptr;
  int32_t rowStart_ = 0;
  int32_t rowEnd_ = 0;
};

}  // namespace ql
