#pragma once
// One row of the row store: at most 2047 characters once an edit has completed, ending with
// the row's line break (a single CR) when it has one.
//
// A row is a 16-byte header in its store's row arena (RowArena.h), followed in the same block by
// its characters, a NUL and room for one token value per character. Next and Prev are 32-bit
// links relative to the row itself, and Text, Styles and Attachment find their row from their
// own address, so a row is never copied or moved: it stays where the store built it until the
// store frees it. Read and write the fields as before (row->Text[i], row->Styles.get(),
// row = row->Next); only a copy of a link or accessor (auto next = row->Next) does not compile:
// name the type (TTextRow* next = row->Next).
#include <cstddef>
#include <cstdint>
#include <cstring>
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

// What the store keeps about a row's storage in TTextRow::StoreBits.
constexpr uint8_t rsMoved = 0x01;      // the characters live in a block of their own
constexpr uint8_t rsStyled = 0x02;     // the row has token values
constexpr uint8_t rsBlockHead = 0x04;  // the row starts a block of the store's index
constexpr uint8_t rsAttached = 0x08;   // the row has an attachment

// A link to a neighbouring row, read and assigned like a TTextRow*. It holds the distance from
// itself to that row in 4-byte units (0: none), so it cannot be copied out of its row.
class TRowLink {
public:
  TRowLink() = default;
  TRowLink(const TRowLink&) = delete;
  TRowLink& operator=(const TRowLink& other) { return *this = other.get(); }
  TRowLink& operator=(TTextRow* row) {
    units_ = row == nullptr ? 0 : static_cast<int32_t>((Address(row) - Address(this)) / 4);
    return *this;
  }
  TTextRow* get() const {
    return units_ == 0 ? nullptr
                       : reinterpret_cast<TTextRow*>(Address(this) + static_cast<intptr_t>(units_) * 4);
  }
  operator TTextRow*() const { return get(); }
  TTextRow* operator->() const { return get(); }

private:
  static intptr_t Address(const void* p) { return reinterpret_cast<intptr_t>(p); }
  int32_t units_ = 0;
};

// row->Text: the row's Length characters followed by a NUL.
class TRowText {
public:
  TRowText() = default;
  TRowText(const TRowText&) = delete;
  TRowText& operator=(const TRowText&) = delete;
  char* get() const;
  char& operator[](size_t i) const { return get()[i]; }
};

// row->Styles: one token value per character, or none (null) while the row is not highlighted,
// the state of every newly built or edited row.
class TRowStyles {
public:
  TRowStyles() = default;
  TRowStyles(const TRowStyles&) = delete;
  TRowStyles& operator=(const TRowStyles&) = delete;
  uint8_t* get() const;
  uint8_t& operator[](size_t i) const { return get()[i]; }
  explicit operator bool() const { return get() != nullptr; }
  friend bool operator==(const TRowStyles& styles, std::nullptr_t) { return styles.get() == nullptr; }
  // The row's values, all 0 when it had none. The room for them is part of the row.
  uint8_t* Ensure();
  // The row has no values any more.
  void reset();
  // Takes the row's Length values from values (none when null) into the row's own room.
  TRowStyles& operator=(std::unique_ptr<uint8_t[]> values);
};

// row->Attachment: the object tied to the row, owned by it, or none.
class TRowAttachmentSlot {
public:
  TRowAttachmentSlot() = default;
  TRowAttachmentSlot(const TRowAttachmentSlot&) = delete;
  TRowAttachmentSlot& operator=(const TRowAttachmentSlot&) = delete;
  TRowAttachment* get() const;
  TRowAttachment* operator->() const { return get(); }
  explicit operator bool() const { return get() != nullptr; }
  friend bool operator==(const TRowAttachmentSlot& slot, std::nullptr_t) { return slot.get() == nullptr; }
  // Replaces the attachment (the old one is freed); it is not told its row.
  TRowAttachmentSlot& operator=(std::unique_ptr<TRowAttachment> attachment);
  // Gives the attachment up to the caller.
  std::unique_ptr<TRowAttachment> Take();
  operator std::unique_ptr<TRowAttachment>() && { return Take(); }
  void reset() { *this = nullptr; }
};

struct TTextRow {
  TRowLink Next;                  // neighbours in the row list; none at the ends
  TRowLink Prev;
  uint16_t Length = 0;            // characters in Text, closing CR included; >= 1
  uint16_t MarkBits = 0;          // bookmarks 0..9, mbContinuation
  uint16_t GutterMarks = 0;
  uint8_t Flags = 0;              // rfRepaint, rfRescan, rfHasTab, rfForceScan
  uint8_t StoreBits = 0;          // rs*: kept by the store
  [[no_unique_address]] TRowText Text;
  [[no_unique_address]] TRowStyles Styles;
  [[no_unique_address]] TRowAttachmentSlot Attachment;

  bool EndsWithCR() const { return Length > 0 && Text[Length - 1u] == '\r'; }
  // The characters without the closing CR.
  std::string_view Content() const { return {Text.get(), static_cast<size_t>(Length - (EndsWithCR() ? 1 : 0))}; }
  std::string_view All() const { return {Text.get(), Length}; }
};

// --- Where a row keeps its characters ---
// The block of a row is the header and an area of RowAreaBytes(Length) bytes: the characters,
// a NUL, and room for the token values. A row that outgrows its area while characters are
// typed into it moves them to a block of their own (rsMoved): the area then holds the distance
// to that block, which starts with its own area size and the row's first area size.
namespace rowstorage {

static_assert(sizeof(TTextRow) == 16, "a row's header is 16 bytes");

// Bytes of the area that holds length characters, their NUL and their token values.
constexpr uint32_t RowAreaBytes(uint32_t length) { return (2 * length + 1 + 3) & ~3u; }
// The longest row an area of the given size holds.
constexpr int32_t AreaCapacity(uint32_t areaBytes) { return static_cast<int32_t>((areaBytes - 1) / 2); }

struct TMovedHeader {
  uint16_t AreaBytes;       // of the characters' own block, after this header
  uint16_t RowAreaBytes;    // of the area inside the row's block
};
constexpr uint32_t MovedHeaderBytes = sizeof(TMovedHeader);

inline char* Area(const TTextRow* row) { return reinterpret_cast<char*>(const_cast<TTextRow*>(row)) + sizeof(TTextRow); }

inline TMovedHeader* MovedBlock(const TTextRow* row) {
  int32_t units;
  std::memcpy(&units, Area(row), sizeof units);
  return reinterpret_cast<TMovedHeader*>(reinterpret_cast<intptr_t>(Area(row)) + static_cast<intptr_t>(units) * 4);
}

inline char* Characters(const TTextRow* row) {
  if ((row->StoreBits & rsMoved) == 0) return Area(row);
  return reinterpret_cast<char*>(MovedBlock(row)) + MovedHeaderBytes;
}

template <typename Member>
const TTextRow* RowOf(const Member* member, size_t offset) {
  return reinterpret_cast<const TTextRow*>(reinterpret_cast<const char*>(member) - offset);
}

}  // namespace rowstorage

inline char* TRowText::get() const { return rowstorage::Characters(rowstorage::RowOf(this, offsetof(TTextRow, Text))); }

inline uint8_t* TRowStyles::get() const {
  const TTextRow* row = rowstorage::RowOf(this, offsetof(TTextRow, Styles));
  if ((row->StoreBits & rsStyled) == 0) return nullptr;
  return reinterpret_cast<uint8_t*>(rowstorage::Characters(row) + row->Length + 1);
}

inline uint8_t* TRowStyles::Ensure() {
  auto* row = const_cast<TTextRow*>(rowstorage::RowOf(this, offsetof(TTextRow, Styles)));
  uint8_t* values = reinterpret_cast<uint8_t*>(rowstorage::Characters(row) + row->Length + 1);
  if ((row->StoreBits & rsStyled) == 0) {
    std::memset(values, 0, row->Length);
    row->StoreBits |= rsStyled;
  }
  return values;
}

inline TRowStyles& TRowStyles::operator=(std::unique_ptr<uint8_t[]> values) {
  if (values == nullptr) {
    reset();
  } else {
    std::memcpy(Ensure(), values.get(), rowstorage::RowOf(this, offsetof(TTextRow, Styles))->Length);
  }
  return *this;
}

inline void TRowStyles::reset() {
  const_cast<TTextRow*>(rowstorage::RowOf(this, offsetof(TTextRow, Styles)))->StoreBits &= ~rsStyled;
}

}  // namespace ql
