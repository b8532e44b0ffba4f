#pragma once
// The system clipboard as the editor uses it. Text crosses it as UTF-8; the editor converts to and
// from its document's bytes. Further formats (rich text, HTML) are named by MIME type.
#include <string>
#include <string_view>

namespace ql {

class TClipboard {
public:
  virtual ~TClipboard() = default;
  virtual bool HasText() const = 0;
  // The clipboard's plain text; empty when it holds none.
  virtual std::string GetText() const = 0;
  // Replaces the clipboard's contents with plain text.
  virtual void SetText(std::string_view utf8) = 0;
};

// A clipboard private to the process: what headless controls and tests use.
class TMemoryClipboard : public TClipboard {
public:
  bool HasText() const override { return hasText_; }
  std::string GetText() const override { return text_; }
  void SetText(std::string_view utf8) override {
    text_.assign(utf8);
    hasText_ = true;
  }

private:
  std::string text_;
  bool hasText_ = false;
};

}  // namespace ql
