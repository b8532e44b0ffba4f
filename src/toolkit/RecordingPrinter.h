#pragma once
// A printer that keeps every page as a recording canvas: what headless tests inspect and what
// benchmarks print on.
#include <memory>
#include <string>
#include <vector>

#include "toolkit/Printer.h"
#include "toolkit/RecordingCanvas.h"

namespace ql {

class TRecordingPrinter : public TPrinter {
public:
  TRecordingPrinter(TFontFactory& fonts, int32_t pageWidth, int32_t pageHeight)
      : fonts_(fonts), width_(pageWidth), height_(pageHeight) {}

  void SetTitle(const std::string& title) override { Title = title; }
  // Raises EPrinter "Printing in progress" inside a job, and FailBegin's text when it is set.
  void BeginDoc() override;
  void EndDoc() override;
  void NewPage() override;
  bool Printing() const override { return printing_; }
  int32_t PageNumber() const override { return static_cast<int32_t>(Pages.size()); }
  int32_t PageWidth() const override { return width_; }
  int32_t PageHeight() const override { return height_; }
  TCanvas& Canvas() override { return *Pages.back(); }

  std::string Title;
  std::string FailBegin;  // when not empty, BeginDoc fails with this message
  bool Record = true;     // false: pages count calls only
  int32_t Jobs = 0;       // jobs begun and ended
  std::vector<std::unique_ptr<TRecordingCanvas>> Pages;  // of the last job

private:
  TFontFactory& fonts_;
  int32_t width_;
  int32_t height_;
  bool printing_ = false;
};

}  // namespace ql
