#pragma once
// The editor's options as a set of TInkMemoOption members, and their mapping onto the bits of
// the settings object's option word (the word travels with the settings and the scripts write
// it as a number, so its bit numbers are fixed).
#include <cstdint>
#include <initializer_list>

namespace ql {

enum TInkMemoOption : uint8_t {
  smoSyntaxHighlight,
  smoPrintWrap,
  smoPrintLineNos,
  smoPrintFilename,
  smoPrintDate,
  smoPrintPageNos,
  smoWordWrap,
  smoAutoIndent,
  smoTabToColumn,
  smoWrapOverride,
  smoWordSelect,
  smoShowRMargin,
  smoShowGutter,
  smoShowWrapColumn,
  smoTitleAsFilename,
  smoProcessDroppedFiles,
  smoBlockOverwriteCursor,
  smoShowWrapGlyph,
  smoColumnTrack,
  smoUseTAB,
  smoSmartFill,
  smoOLEDragSource,
  smoCaretAfterEOL,
  smoLineNumbers,
  smoShowAllChars,
  smoBlockCursorPersistent,
};
constexpr int32_t InkMemoOptionCount = 26;

// A set of options (bit i for member i, not the option word).
class TInkMemoOptions {
public:
  constexpr TInkMemoOptions() = default;
  constexpr TInkMemoOptions(std::initializer_list<TInkMemoOption> members) {
    for (TInkMemoOption m : members) Include(m);
  }
  constexpr bool Contains(TInkMemoOption m) const { return (bits_ >> m) & 1u; }
  constexpr void Include(TInkMemoOption m) { bits_ |= 1u << m; }
  constexpr void Exclude(TInkMemoOption m) { bits_ &= ~(1u << m); }
  constexpr int32_t Count() const {
    int32_t n = 0;
    for (int32_t i = 0; i < InkMemoOptionCount; ++i) n += (bits_ >> i) & 1u;
    return n;
  }
  constexpr bool operator==(const TInkMemoOptions&) const = default;

private:
  uint32_t bits_ = 0;
};

// The option word of a new settings object.
constexpr uint32_t DefaultOptionWord = 0x03FFDBF0;

// The bit of the option word that holds member m.
uint32_t OptionWordBit(TInkMemoOption m);
// The members whose bits are set; bits of no member are ignored.
TInkMemoOptions OptionsFromWord(uint32_t word);
// The word holding exactly the members' bits.
uint32_t OptionsToWord(TInkMemoOptions options);

}  // namespace ql
