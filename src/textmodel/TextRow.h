#pragma once
// One row of the row store: at most 2047 characters once an edit has completed, ending with
// the row's line break (a single CR) when it has one.
#include <cstdint>
#include <memory>
#include <string_view>

namespace ql {

struct TTextRow;

// An object tied to a row; it is told which row holds it whenever it moves to another row.
class TRowAttachment {
public:
  virtual ~TRowAttachment() = default;
  virtual void SetRow(TTextRow* row) { row_ = row; }
  TTextRow* Row() const { return row_; }

private:
  TTextRow* row_ = nullptr;
};

// Row flags: dirty bits that editing sets and painting and re-highlighting clear.
constexpr uint32_t rfRepaint = 0x01;
constexpr uint32_t rfRescan = 0x02;
constexpr uint32_t rfHasTab = 0x04;
constexpr uint32_t rfForceScan = 0x10;

// Mark bits: bookmarks 0..9, and the continuation of the previous row without a line break.
constexpr uint16_t mbBookmarkMask = 0x03FF;
constexpr uint16_t mbContinuation = 0x1000;

constexpr int32_t MaxRowLength = 2047;

struct TTextRow {
  uint16_t Length = 0;                       // characters in Text, closing CR included; >= 1
  std::unique_ptr<char[]> Text;              // Length characters followed by a NUL
  std::unique_ptr<uint8_t[]> Styles;         // one token value per character; null until highlighted
  std::unique_ptr<TRowAttachment> Attachment;
  uint32_t Flags = 0;
  uint16_t MarkBits = 0;
  uint16_t GutterMarks = 0;
  TTextRow* Next = nullptr;
  TTextRow* Prev = nullptr;

  bool EndsWithCR() const { return Length > 0 && Text[Length - 1] == '\r'; }
  // The characters without the closing CR.
  std::string_view Content() const { return {Text.get(), static_cast<size_t>(Length - (EndsWithCR() ? 1 : 0))}; }
  std::string_view All() const { return {Text.get(), Length}; }
};

}  // namespace ql
