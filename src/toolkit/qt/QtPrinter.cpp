#include "toolkit/qt/QtPrinter.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPalette>

#include "toolkit/qt/QtCanvas.h"
#include "toolkit/qt/QtFontFactory.h"

namespace ql {

TQtPrinter::TQtPrinter(TQtFontFactory& fonts)
    : fonts_(fonts), printer_(std::make_unique<QPrinter>(QPrinter::HighResolution)) {}

TQtPrinter::~TQtPrinter() { EndDoc(); }

void TQtPrinter::SetPdfFile(const std::string& fileName) {
  if (fileName.empty()) {
    printer_->setOutputFileName(QString());
    printer_->setOutputFormat(QPrinter::NativeFormat);
  } else {
    printer_->setOutputFormat(QPrinter::PdfFormat);
    printer_->setOutputFileName(QString::fromStdString(fileName));
  }
}

void TQtPrinter::SetTitle(const std::string& title) { printer_->setDocName(QString::fromUtf8(title.c_str())); }

void TQtPrinter::BeginDoc() {
  if (painter_ != nullptr) throw EPrinter("Printing in progress");
  if (!printer_->isValid()) throw EPrinter("There is no default printer currently selected");
  auto painter = std::make_unique<QPainter>();
  if (!painter->begin(printer_.get())) throw EPrinter("The printer could not start the document");
  painter_ = std::move(painter);
  fonts_.SetPrinterDevice(printer_.get());
  canvas_ = std::make_unique<TQtCanvas>(*painter_, &fonts_, QGuiApplication::palette());
  page_ = 1;
}

void TQtPrinter::EndDoc() {
  if (painter_ == nullptr) return;
  canvas_.reset();
  painter_->end();
  painter_.reset();
  fonts_.SetPrinterDevice(nullptr);
  page_ = 0;
}

void TQtPrinter::NewPage() {
  if (painter_ == nullptr) return;
  printer_->newPage();
  ++page_;
}

int32_t TQtPrinter::PageWidth() const { return printer_->pageLayout().paintRectPixels(printer_->resolution()).width(); }

int32_t TQtPrinter::PageHeight() const {
  return printer_->pageLayout().paintRectPixels(printer_->resolution()).height();
}

TCanvas& TQtPrinter::Canvas() {
  if (canvas_ == nullptr) throw EPrinter("No document is being printed");
  return *canvas_;
}

TQtPrinter& QtPrinter() {
  // Never destroyed: a QPrinter must not outlive the application object, and nothing prints
  // once the program ends.
  static TQtPrinter* printer = new TQtPrinter(QtFontFactory());
  return *printer;
}

void InstallQtPrinter() { SetDefaultPrinter(&QtPrinter()); }

}  // namespace ql
