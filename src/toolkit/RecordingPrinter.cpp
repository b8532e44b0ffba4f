#include "toolkit/RecordingPrinter.h"

namespace ql {

void TRecordingPrinter::BeginDoc() {
  if (printing_) throw EPrinter("Printing in progress");
  if (!FailBegin.empty()) throw EPrinter(FailBegin);
  Pages.clear();
  printing_ = true;
  NewPage();
}

void TRecordingPrinter::EndDoc() {
  if (!printing_) return;
  printing_ = false;
  ++Jobs;
}

void TRecordingPrinter::NewPage() {
  const TFontHandle font = Pages.empty() ? 0 : Pages.back()->Font();
  Pages.push_back(std::make_unique<TRecordingCanvas>(fonts_));
  Pages.back()->Record = Record;
  Pages.back()->SetFont(font);
}

}  // namespace ql
