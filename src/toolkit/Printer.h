#pragma once
// The printer a control prints on: a job with a title, pages of a size in printer pixels, and a
// canvas for the current page. The Qt port implements it over QPrinter (a system printer or a
// PDF file); tests record the pages.
#include <cstdint>
#include <string>

#include "toolkit/Canvas.h"
#include "toolkit/Exception.h"

namespace ql {

// The printer cannot start or run a job.
class EPrinter : public Exception {
public:
  using Exception::Exception;
};

class TPrinter {
public:
  virtual ~TPrinter() = default;
  virtual void SetTitle(const std::string& title) = 0;
  // Starts a job on its first page; raises EPrinter when there is no usable printer or a job
  // is running already.
  virtual void BeginDoc() = 0;
  virtual void EndDoc() = 0;
  virtual void NewPage() = 0;
  virtual bool Printing() const = 0;
  // 1 on the first page of a job, raised by each NewPage.
  virtual int32_t PageNumber() const = 0;
  virtual int32_t PageWidth() const = 0;
  virtual int32_t PageHeight() const = 0;
  // The current page's canvas (valid between BeginDoc and EndDoc); its fonts are the font
  // factory's printer fonts.
  virtual TCanvas& Canvas() = 0;
};

// The printer controls print on when they are given none; null until the GUI port installs one.
TPrinter* DefaultPrinter();
void SetDefaultPrinter(TPrinter* printer);

}  // namespace ql
