#include "services/SettingsTabColumns.h"

#include <limits>

#include "textmodel/InkMemoErrors.h"

namespace ql {

TTabColumns NoTabColumns() {
  TTabColumns columns;
  columns.fill(-1);
  return columns;
}

TTabColumns ParseTabColumns(const std::string& text) {
  TTabColumns columns = NoTabColumns();
  int32_t count = 0;
  int32_t previous = std::numeric_limits<int32_t>::min();
  size_t i = 0;
  for (;;) {
    while (i < text.size() && (text[i] == ' ' || text[i] == ';')) ++i;
    if (i >= text.size()) break;
    if (count == MaxTabColumns) throw EInkMemo(Format("Too many tab stops - maximum of %d", MaxTabColumns));
    if (text[i] < '0' || text[i] > '9') throw EInkMemo("Tab stop column value expected");
    int32_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
      const int32_t digit = text[i] - '0';
      value = value > (std::numeric_limits<int32_t>::max() - digit) / 10 ? std::numeric_limits<int32_t>::max()
                                                                          : value * 10 + digit;
    }
    if (value <= previous) throw EInkMemo("Tab columns must be in order and unique");
    if (value <= 1) throw EInkMemo("Tab column must be > 1");
    columns[static_cast<size_t>(count++)] = value - 1;
    previous = value;
  }
  return columns;
}

std::string FormatTabColumns(const TTabColumns& columns) {
  std::string text;
  for (const int32_t column : columns) {
    if (column < 0) break;
    if (!text.empty()) text += ' ';
    text += std::to_string(static_cast<int64_t>(column) + 1);
  }
  return text;
}

int32_t NextTabStop(const TTabColumns& columns, int32_t tabWidth, int32_t column) {
  for (const int32_t stop : columns) {
    if (stop < 0) break;
    if (stop > column) return stop;
  }
  const int32_t width = tabWidth > 0 ? tabWidth : 4;
  if (column < 0) column = 0;
  const int64_t next = static_cast<int64_t>(column) + width - column % width;
  return next > std::numeric_limits<int32_t>::max() ? std::numeric_limits<int32_t>::max() : static_cast<int32_t>(next);
}

}  // namespace ql
