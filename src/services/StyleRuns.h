#pragma once
// Walking an export range row by row in runs of characters drawn with one style record: the
// part the HTML and RTF writers share.
#include <cstdint>
#include <string_view>

#include "services/ExportInput.h"

namespace ql {

class TStyleRunSink {
public:
  virtual ~TStyleRunSink() = default;
  // A run of whole characters of style record `style`; style is -1 in a row without Styles.
  virtual void Run(int32_t style, std::string_view text) = 0;
  // The part of a row in the range is complete.
  virtual void RowEnd() = 0;
};

// Each row part of the range (from the range start in the first row, up to the range end or the
// row's end, closing CR included) as runs, then RowEnd. Runs break only where a character
// begins, with the style of its first byte, so a UTF-8 character is never split.
void WriteStyleRuns(const TExportInput& input, TStyleRunSink& sink);

}  // namespace ql
