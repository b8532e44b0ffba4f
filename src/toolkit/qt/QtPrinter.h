#pragma once
// The printer of the Qt port: a QPrinter (the system's printer, or a PDF file, which needs no
// printer at all) painted through a QPainter and the port's canvas. Printer fonts are made and
// measured for the QPrinter while a job runs. The program's one is made by InstallQtPrinter;
// QtPrinter().Device() is what the print dialog edits.
#include <QPrinter>
#include <memory>
#include <string>

#include "toolkit/Printer.h"

class QPainter;

namespace ql {

class TQtCanvas;
class TQtFontFactory;

class TQtPrinter : public TPrinter {
public:
  explicit TQtPrinter(TQtFontFactory& fonts);
  ~TQtPrinter() override;

  QPrinter& Device() { return *printer_; }
  // Later jobs go to this PDF file; an empty name goes back to the system's printer.
  void SetPdfFile(const std::string& fileName);

  void SetTitle(const std::string& title) override;
  void BeginDoc() override;
  void EndDoc() override;
  void NewPage() override;
  bool Printing() const override { return painter_ != nullptr; }
  int32_t PageNumber() const override { return page_; }
  int32_t PageWidth() const override;
  int32_t PageHeight() const override;
  TCanvas& Canvas() override;

private:
  TQtFontFactory& fonts_;
  std::unique_ptr<QPrinter> printer_;
  std::unique_ptr<QPainter> painter_;
  std::unique_ptr<TQtCanvas> canvas_;
  int32_t page_ = 0;
};

// The program's printer, made on first use; InstallQtPrinter also makes it the default printer.
TQtPrinter& QtPrinter();
void InstallQtPrinter();

}  // namespace ql
