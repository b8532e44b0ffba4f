#include "editor/RowLayout.h"

#include <algorithm>

namespace ql {

void TRowLayout::Build(std::string_view text, TTextEncoding encoding, const TTabRule& tabs) {
  text_ = text;
  chars_.clear();
  int32_t column = 0;
  size_t pos = 0;
  while (pos < text.size()) {
    const TCharStep step = StepChar(text, pos, column, encoding, tabs);
    chars_.push_back({static_cast<int32_t>(pos), column, static_cast<int16_t>(step.Bytes),
                      static_cast<int16_t>(step.Columns), step.Kind, step.Code});
    column += step.Columns;
    pos += static_cast<size_t>(step.Bytes);
  }
  width_ = column;
  contentBytes_ = static_cast<int32_t>(text.size()) - (!text.empty() && text.back() == '\r' ? 1 : 0);
}

size_t TRowLayout::CharAtByte(int32_t byte) const {
  const auto it = std::upper_bound(chars_.begin(), chars_.end(), byte, [](int32_t b, const TChar& c) { return b < c.Byte; });
  if (it == chars_.begin()) return 0;
  const size_t i = static_cast<size_t>(it - chars_.begin()) - 1;
  return byte < chars_[i].Byte + chars_[i].Bytes ? i : chars_.size();
}

int32_t TRowLayout::ColumnOfByte(int32_t byte) const {
  const size_t i = CharAtByte(byte);
  return i < chars_.size() ? chars_[i].Column : width_;
}

size_t TRowLayout::CharAtColumn(int32_t column) const {
  const auto it = std::upper_bound(chars_.begin(), chars_.end(), column,
                                   [](int32_t col, const TChar& c) { return col < c.Column + c.Columns; });
  return static_cast<size_t>(it - chars_.begin());
}

int32_t TRowLayout::ByteNearColumn(int32_t column) const {
  if (column <= 0) return 0;
  if (column >= width_) return contentBytes_;
  const size_t i = CharAtColumn(column);
  if (i >= chars_.size()) return contentBytes_;
  const TChar& c = chars_[i];
  if (column == c.Column) return c.Byte;
  // Inside a character wider than one column: the nearer of its two edges.
  return column - c.Column <= c.Column + c.Columns - column ? c.Byte : c.Byte + c.Bytes;
}

void TRowLayout::AppendText(size_t first, size_t last, std::string& out) const {
  for (size_t i = first; i < last && i < chars_.size(); ++i) {
    const TChar& c = chars_[i];
    if (c.Kind == TCharKind::Tab) {
      out.append(static_cast<size_t>(c.Columns), ' ');
    } else if (c.Kind == TCharKind::Text) {
      if (c.Code < 0x80) {
        out += static_cast<char>(c.Code);
      } else {
        AppendUtf8(out, c.Code);
      }
    }
  }
}

}  // namespace ql
