#pragma once
// The system clipboard through QClipboard: each format as the MIME data of that name; plain text
// and HTML as Qt's text, so that what other programs offer in other encodings arrives as UTF-8.
#include "toolkit/Clipboard.h"

namespace ql {

class TQtClipboard : public TClipboard {
public:
  bool HasFormat(std::string_view mime) const override;
  std::string GetFormat(std::string_view mime) const override;
  void ReadFormat(std::string_view mime, const std::function<void(std::string_view)>& use) const override;
  void SetFormats(const std::vector<TClipFormat>& formats) override;
};

}  // namespace ql
