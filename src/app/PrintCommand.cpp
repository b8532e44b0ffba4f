// File > Print: the print dialog, then the shown document (or its selection) on the printer
// chosen there; a PDF file needs no printer.
#include "app/MainForm.h"
#include "app/QlnInkMemo.h"

namespace ql {

void TMainForm::bbFilePrintClick() {
  if (CurrentEditor == nullptr) return;
  Guard([this] {
    bool selectionOnly = false;
    if (!dialogs_.ExecutePrint(CurrentEditor->SelAnchor() != CurrentEditor->SelCaret(), selectionOnly)) return;
    if (selectionOnly) {
      CurrentEditor->PrintSelection();
    } else {
      CurrentEditor->PrintDocument();
    }
  });
}

}  // namespace ql
