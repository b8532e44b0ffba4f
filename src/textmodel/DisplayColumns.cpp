#include "textmodel/DisplayColumns.h"

namespace ql {
namespace {

// Characters that show nothing of their own: the C0 and C1 controls and DEL.
bool IsControl(char32_t c) { return c < 0x20 || (c >= 0x7F && c <= 0x9F); }

}  // namespace

int32_t CharColumns(char32_t c) {
  if (c < 0x1100) return 1;
  const bool wide = (c <= 0x115F) || (c >= 0x2E80 && c <= 0x303E) || (c >= 0x3041 && c <= 0x33FF) ||
                    (c >= 0x3400 && c <= 0x4DBF) || (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0xA000 && c <= 0xA4CF) ||
                    (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFE30 && c <= 0xFE4F) ||
                    (c >= 0xFF00 && c <= 0xFF60) || (c >= 0xFFE0 && c <= 0xFFE6) || (c >= 0x1F300 && c <= 0x1F64F) ||
                    (c >= 0x1F900 && c <= 0x1F9FF) || (c >= 0x20000 && c <= 0x3FFFD);
  return wide ? 2 : 1;
}

TCharStep StepChar(std::string_view text, size_t pos, int32_t column, TTextEncoding encoding, const TTabRule& tabs) {
  const auto b = static_cast<uint8_t>(text[pos]);
  TCharStep step;
  if (b == '\t') {
    step.Kind = TCharKind::Tab;
    step.Code = '\t';
    step.Columns = tabs.NextTabStop(column) - column;
    return step;
  }
  if (b == '\r') {
    step.Kind = TCharKind::Break;
    step.Code = '\r';
    step.Columns = 0;
    return step;
  }
  if (b < 0x80) {
    step.Code = b;
  } else if (encoding == TTextEncoding::Cp1252) {
    step.Code = Cp1252Char(b);
  } else {
    const int32_t len = Utf8SequenceLength(text.data() + pos, text.size() - pos);
    if (len == 0) {
      step.Kind = TCharKind::Hex;
      step.Code = b;
      step.Columns = 2;
      return step;
    }
    step.Bytes = len;
    step.Code = DecodeUtf8(text.data() + pos, len);
  }
  // Controls that survive in the text (DEL, C1 controls, the five bytes Windows-1252 leaves
  // undefined) would show nothing: they show as hex boxes.
  if (IsControl(step.Code)) {
    step.Kind = TCharKind::Hex;
    step.Columns = 2;
    return step;
  }
  step.Columns = CharColumns(step.Code);
  return step;
}

int32_t DisplayColumn(std::string_view text, int32_t index, TTextEncoding encoding, const TTabRule& tabs) {
  int32_t column = 0;
  size_t pos = 0;
  const size_t end = index < 0 ? 0 : static_cast<size_t>(index);
  while (pos < text.size()) {
    const TCharStep step = StepChar(text, pos, column, encoding, tabs);
    if (pos + static_cast<size_t>(step.Bytes) > end) break;
    column += step.Columns;
    pos += static_cast<size_t>(step.Bytes);
  }
  return column;
}

}  // namespace ql
