#pragma once
// One print job's pass over rows of a store: pages with a header and footer (or what a handler
// draws instead), line numbers, rows cut into pieces at the page width, in black on white or in
// the style colours. The editor control sets it up (PrintSelection) and restores its own state
// afterwards.
#include <cstdint>
#include <functional>
#include <string>

#include "editor/Annotations.h"
#include "services/SettingsOptions.h"
#include "textmodel/DisplayColumns.h"
#include "toolkit/Color.h"
#include "toolkit/Geometry.h"

namespace ql {

class TCanvas;
class TPrinter;
class TSM_Settings;
class TTextStore;
struct TTextRow;

// Draws a page's header and footer instead of the built-in ones; sets renderRect to the area
// left for the text and transparentText to print the text without filling its cells.
using THeaderFooterProc = std::function<void(TCanvas& canvas, TRect& renderRect, bool& transparentText)>;
// Told of every printed piece before it is drawn; setting Handled leaves the piece to it.
using TDrawLineProc = std::function<void(TLineDrawData& data)>;

struct TPrintSetup {
  TTextStore* Store = nullptr;
  TSM_Settings* Settings = nullptr;  // styles, fonts (made for the printer), options
  TPrinter* Printer = nullptr;       // a job begun
  const TTabRule* Tabs = nullptr;
  TTextEncoding Encoding = TTextEncoding::Utf8;
  int32_t LineHeight = 17;           // measured with the printer font
  int32_t CharWidth = 8;
  bool MonoPrint = true;
  std::string FileName;
  std::string DateText;              // the date and time of the header
  THeaderFooterProc HeaderFooter;
  TDrawLineProc DrawLine;
};

class TPrintPass {
public:
  explicit TPrintPass(const TPrintSetup& setup);
  // Prints rows first..last (1-based row numbers, first raised to 1, last clamped to the text).
  void Run(int32_t first, int32_t last);

private:
  bool Option(TInkMemoOption option) const;
  void TopOfPage();
  void BuiltInHeaderFooter();
  void LineNumber();
  // The piece's own drawing; false when the DrawLine handler took it.
  bool OfferPiece(const TTextRow& row, int32_t p, int32_t length, int32_t offset);
  // lastOfText: no row follows the piece (it gets no wrap glyph).
  void DrawPiece(const TTextRow& row, int32_t p, int32_t length, bool lastOfText);
  // With show-all-characters: the line-end glyph after a piece that ends its line, the wrap
  // glyph after others while word wrap is on.
  void PieceEnd(std::string_view piece, int32_t x, bool lastOfText);
  void Text(int32_t x, int32_t y, const std::string& text, TColor fore, TColor back, const TRect* cell);

  TPrintSetup s_;
  TCanvas* canvas_ = nullptr;
  TRect page_;
  int32_t textStart_ = 0;
  int32_t right_ = 0;
  int32_t bottom_ = 0;
  int32_t y_ = 0;
  int32_t pieceWidth_ = 1;
  int32_t nextLine_ = 1;
  bool transparent_ = false;
  std::string run_;
};

}  // namespace ql
