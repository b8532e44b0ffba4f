#pragma once
// The system clipboard through QClipboard: plain text as UTF-8.
#include "toolkit/Clipboard.h"

namespace ql {

class TQtClipboard : public TClipboard {
public:
  bool HasText() const override;
  std::string GetText() const override;
  void SetText(std::string_view utf8) override;
};

}  // namespace ql
