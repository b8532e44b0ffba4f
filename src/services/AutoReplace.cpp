#include "services/AutoReplace.h"

#include <algorithm>

#include "services/KeyNames.h"
#include "textmodel/InkMemoErrors.h"
#include "textmodel/StringScanner.h"
#include "toolkit/KeyboardLayout.h"
#include "toolkit/StreamEncoding.h"
#include "toolkit/VirtualKeys.h"

namespace ql {
namespace {

uint16_t KeyOfChar(uint8_t c) {
  const int16_t scan = VkKeyScan(static_cast<char>(c));
  return scan == -1 ? 0 : static_cast<uint16_t>(scan);
}

bool IsAsciiLetterOrDigit(uint8_t c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'); }

}  // namespace

TAutoReplace::TAutoReplace() {
  ReportHandled = false;
  IndentLines = false;
  CaretMarker = false;
  ShowPickList = false;
  SetTriggers(DefaultTriggers);
}

void TAutoReplace::ParseTriggers(const std::string& text, std::vector<uint16_t>& keys) {
  auto add = [&keys](uint16_t code) {
    if (std::find(keys.begin(), keys.end(), code) == keys.end()) keys.push_back(code);
  };
  TStringScanner scanner(text);
  while (!scanner.AtEnd()) {
    const uint8_t c = scanner.Current();
    scanner.Advance();
    if (c != '\\') {
      add(KeyOfChar(c));
      continue;
    }
    if (scanner.AtEnd()) {  // a "\" at the very end stands for itself
      add(KeyOfChar(c));
      continue;
    }
    const uint8_t d = scanner.Current();
    scanner.Advance();
    switch (d) {
      case 'n': case 'N': case 'r': case 'R': add(VK_RETURN); break;
      case 's': case 'S': add(VK_SPACE); break;
      case 't': case 'T': add(VK_TAB); break;
      case '{': {
        std::string name;
        while (!scanner.AtEnd() && scanner.Current() != '}') {
          if (IsAsciiLetterOrDigit(scanner.Current())) name.push_back(static_cast<char>(scanner.Current()));
          scanner.Advance();
        }
        if (scanner.AtEnd()) throw EInkMemo("Bad key specifier");
        scanner.Advance();  // the "}"
        add(KeyNameToVirtualKey(name));
        break;
      }
      default: {
        const uint16_t code = KeyOfChar(d);
        add((code & 0xFF00) == 0 ? code : 0);
        break;
      }
    }
  }
}

void TAutoReplace::SetTriggers(const std::string& text) {
  if (text.size() > MaxTriggers) {
    throw EInkMemo(Format("Trigger text longer than %d characters", static_cast<int>(MaxTriggers)));
  }
  // Read the whole text before anything changes: a text that does not parse leaves the keys
  // in force and the text they came from together.
  std::vector<uint16_t> keys;
  ParseTriggers(text, keys);
  triggerKeys_ = std::move(keys);
  triggers_ = text;
}

bool TAutoReplace::IsTrigger(uint16_t key, TShiftState shift) const {
  if (!MacroEnabled || triggers_.empty() || key == 0) return false;
  const uint16_t code = KeyScanCode(key, shift);
  return std::find(triggerKeys_.begin(), triggerKeys_.end(), code) != triggerKeys_.end();
}

void TAutoReplace::Reset() {
  Clear();
  SetTriggers(DefaultTriggers);
}

void TAutoReplace::SaveToStream(TStream& stream) const {
  TCodeTemplates::SaveToStream(stream);
  WriteShortName(stream, triggers_);
}

void TAutoReplace::LoadFromStream(TStream& stream) {
  const TTemplateForm form = ReadTemplateForm(stream);
  const std::string triggers = ReadShortName(stream);
  std::vector<uint16_t> keys;
  try {
    ParseTriggers(triggers, keys);
  } catch (const EInkMemo& e) {
    throw EReadError(e.Message);
  }
  CommitTemplateForm(form);
  triggers_ = triggers;
  triggerKeys_ = std::move(keys);
}

}  // namespace ql
