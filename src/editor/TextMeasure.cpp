#include "editor/TextMeasure.h"

#include <algorithm>
#include <string>

#include "textmodel/DisplayColumns.h"

namespace ql {
namespace {

// Columns of TAB-free text; a TAB, should one come, counts one column.
class TNoTabs : public TTabRule {
public:
  int32_t NextTabStop(int32_t column) const override { return column + 1; }
};

}  // namespace

int32_t TGridMeasure::Width(std::string_view bytes) {
  static const TNoTabs noTabs;
  int32_t columns = 0;
  for (size_t pos = 0; pos < bytes.size();) {
    const auto c = static_cast<unsigned char>(bytes[pos]);
    if (c >= 0x20 && c < 0x7F) {
      ++columns;
      ++pos;
      continue;
    }
    const TCharStep step = StepChar(bytes, pos, columns, encoding_, noTabs);
    columns += step.Columns;
    pos += static_cast<size_t>(step.Bytes);
  }
  return columns * charWidth_;
}

int32_t TFontMeasure::Width(std::string_view bytes) {
  return std::max(grid_.Width(bytes), fonts_.TextWidth(font_, BytesToUtf8(encoding_, bytes)));
}

int32_t TFontMeasure::BlankWidth(int32_t count) {
  return std::max(grid_.BlankWidth(count), fonts_.TextWidth(font_, std::string(static_cast<size_t>(count), ' ')));
}

}  // namespace ql
