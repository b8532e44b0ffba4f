#pragma once
// Explicit tab stops: up to 32 0-based display columns in ascending order, the unused entries
// -1. Their text form (control property TabColumns, the script's tabcolumns directive and the
// registry) is the 1-based columns separated by blanks or semicolons.
#include <array>
#include <cstdint>
#include <string>

namespace ql {

constexpr int32_t MaxTabColumns = 32;
using TTabColumns = std::array<int32_t, MaxTabColumns>;

// No explicit stops.
TTabColumns NoTabColumns();

// Reads the text form: any number of blanks and semicolons around the numbers; each number is
// greater than the one before and greater than 1. Raises EInkMemo "Tab stop column value
// expected", "Tab columns must be in order and unique", "Tab column must be > 1" or "Too many
// tab stops - maximum of 32".
TTabColumns ParseTabColumns(const std::string& text);
// The 1-based columns separated by single blanks ("5 9 13"); the list ends at the first
// negative entry.
std::string FormatTabColumns(const TTabColumns& columns);

// The display column of the next tab stop after column: the first explicit stop greater than
// it, else the next multiple of tabWidth. A tabWidth of 0 or less counts as 4.
int32_t NextTabStop(const TTabColumns& columns, int32_t tabWidth, int32_t column);

}  // namespace ql
