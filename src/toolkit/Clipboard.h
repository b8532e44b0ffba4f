#pragma once
// The system clipboard as the editor uses it: formats named by MIME type, each a string of
// bytes. Plain text crosses it as UTF-8 ("text/plain"); the editor converts to and from its
// document's bytes. Rich text goes as "text/rtf" and "application/rtf" (the two names other
// programs look for "Rich Text Format" under), HTML as "text/html".
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace ql {

inline constexpr std::string_view mimeText = "text/plain";
inline constexpr std::string_view mimeRtf = "text/rtf";
inline constexpr std::string_view mimeRtfApp = "application/rtf";
inline constexpr std::string_view mimeHtml = "text/html";

// One format of a clipboard's contents.
struct TClipFormat {
  std::string Mime;
  std::string Data;
};

class TClipboard {
public:
  virtual ~TClipboard() = default;
  virtual bool HasFormat(std::string_view mime) const = 0;
  // The bytes of a format; empty when the clipboard holds none of it. HTML comes as UTF-8.
  virtual std::string GetFormat(std::string_view mime) const = 0;
  // Lends the bytes of a format (empty when there are none) to use, without copying them where
  // the clipboard holds them as they are. The clipboard must not change while use runs.
  virtual void ReadFormat(std::string_view mime, const std::function<void(std::string_view)>& use) const {
    const std::string bytes = GetFormat(mime);
    use(bytes);
  }
  // Empties the clipboard and places these formats together (none: it stays empty).
  virtual void SetFormats(const std::vector<TClipFormat>& formats) = 0;

  bool HasText() const { return HasFormat(mimeText); }
  // The clipboard's plain text; empty when it holds none.
  std::string GetText() const { return GetFormat(mimeText); }
  // Replaces the clipboard's contents with plain text.
  void SetText(std::string_view utf8) { SetFormats({{std::string(mimeText), std::string(utf8)}}); }
};

// A clipboard private to the process: what headless controls and tests use.
class TMemoryClipboard : public TClipboard {
public:
  bool HasFormat(std::string_view mime) const override { return formats_.find(std::string(mime)) != formats_.end(); }
  std::string GetFormat(std::string_view mime) const override {
    const auto at = formats_.find(std::string(mime));
    return at != formats_.end() ? at->second : std::string();
  }
  void ReadFormat(std::string_view mime, const std::function<void(std::string_view)>& use) const override {
    const auto at = formats_.find(std::string(mime));
    use(at != formats_.end() ? std::string_view(at->second) : std::string_view());
  }
  void SetFormats(const std::vector<TClipFormat>& formats) override {
    formats_.clear();
    for (const TClipFormat& f : formats) formats_[f.Mime] = f.Data;
  }
  bool Empty() const { return formats_.empty(); }

private:
  std::map<std::string, std::string> formats_;
};

}  // namespace ql
