#pragma once
// What the HTML and RTF writers are given: a range of a row store whose rows are highlighted
// (each row's Styles filled, or none for rows written without styles), the settings that turn
// token values into style records, and what the document's header names. The writers know no
// editor: an editor fills this in for saving, for SMM_WRITESEL and for copying, and tools fill
// it in for a text of their own.
#include <cstdint>
#include <functional>
#include <string>

#include "toolkit/Color.h"
#include "toolkit/FontFactory.h"
#include "toolkit/TextEncoding.h"

namespace ql {

class TSM_Settings;
class TTextStore;

// The editor font as the documents name it.
struct TExportFont {
  std::string Name = "Courier New";
  int32_t Size = 10;  // points
  uint8_t CharSet = DEFAULT_CHARSET;
};

struct TExportInput {
  TTextStore* Store = nullptr;
  int32_t Start = 0;  // the range; in either order, clamped to the text
  int32_t End = 0;
  const TSM_Settings* Settings = nullptr;
  TExportFont Font;
  TTextEncoding Encoding = TTextEncoding::Utf8;  // how the text's bytes are shown
  std::string FileName;                          // for the HTML title; may be empty
  std::string Date;                              // for the HTML header; see ShortDate.h
  // Turns system colours into plain ones; ResolveStandardColor when empty.
  std::function<TColor(TColor)> ResolveColor;
};

// An input over the whole text of store, with the settings' font and colours resolved by the
// standard scheme.
TExportInput WholeTextExport(TTextStore& store, const TSM_Settings& settings);

// A plain colour for color, by the input's resolver (ResolveStandardColor when it has none).
TColor ResolvedColor(const TExportInput& input, TColor color);

}  // namespace ql
