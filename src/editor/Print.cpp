// Printing the rows of the selection (or the whole text) on a printer: the job, the printer's
// fonts and metrics while it runs, and the screen's state afterwards whatever happened.
#include <algorithm>
#include <ctime>

#include "editor/CustomInkMemo.h"
#include "editor/PrintPass.h"
#include "services/SM_Settings.h"
#include "textmodel/InkMemoErrors.h"
#include "toolkit/Printer.h"
#include "toolkit/ShortDate.h"

namespace ql {
namespace {

std::string PrintDateText() {
  const std::time_t now = std::time(nullptr);
  char time[64] = "";
  if (const std::tm* local = std::localtime(&now)) std::strftime(time, sizeof time, "%X", local);
  return ShortDateText(now) + " - " + time;
}

}  // namespace

void TCustomInkMemo::PrintSelection() { Perform(SMM_PRINT, 0); }
void TCustomInkMemo::PrintDocument() { Perform(SMM_PRINT, 1); }

void TCustomInkMemo::PrintRows(bool wholeText) {
  TTextStore& store = Store();
  if (store.TextLength == 0 || printing_) return;
  TPrinter* printer = PrinterObject != nullptr ? PrinterObject : DefaultPrinter();
  if (printer == nullptr) throw EPrinter("There is no default printer currently selected");

  int32_t first = 1;
  int32_t last = store.RowCount;
  if (!wholeText) {
    const int32_t s = std::min(SelAnchor(), SelCaret());
    const int32_t e = std::max(SelAnchor(), SelCaret());
    first = store.LocateRow(s).Index + 1;
    const TRowPos end = store.LocateRow(e);
    last = end.Index + (end.Start != e ? 1 : 0);
  }

  printing_ = true;
  settings_->Printing = true;
  bool begun = false;
  try {
    printer->SetTitle(FileName);
    printer->BeginDoc();
    begun = true;
    settings_->MakeFonts();
    MeasureFont();
    TPrintSetup setup;
    setup.Store = &store;
    setup.Settings = settings_;
    setup.Printer = printer;
    setup.Tabs = this;
    setup.Encoding = DisplayEncoding();
    setup.LineHeight = lineHeight_;
    setup.CharWidth = charWidth_;
    setup.MonoPrint = MonoPrint;
    setup.FileName = FileName;
    setup.DateText = PrintDateText();
    if (OnPrintHeaderFooter) {
      setup.HeaderFooter = [this](TCanvas& canvas, TRect& area, bool& transparent) {
        OnPrintHeaderFooter(*this, canvas, area, transparent);
      };
    }
    if (OnDrawLine) setup.DrawLine = [this](TLineDrawData& data) { OnDrawLine(*this, data); };
    TPrintPass(setup).Run(first, last);
  } catch (...) {
    EndPrinting(begun ? printer : nullptr);
    throw;
  }
  EndPrinting(printer);
}

void TCustomInkMemo::EndPrinting(TPrinter* printer) {
  settings_->Printing = false;
  if (printer != nullptr) printer->EndDoc();
  printing_ = false;
  settings_->MakeFonts();
  MeasureFont();
  fullRepaint_ = true;
  scrollBarsDirty_ = true;
}

}  // namespace ql
