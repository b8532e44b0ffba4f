#include "services/HtmlFragment.h"

#include <cstdint>
#include <optional>
#include <string_view>
#include <utility>

namespace ql {
namespace {

constexpr std::string_view kStartMarker = "<!--StartFragment-->";
constexpr std::string_view kEndMarker = "<!--EndFragment-->";

// The description header in front of clipboard HTML: "Name:value" lines.
struct THtmlHeader {
  size_t End = 0;  // where the first line that is not a header line begins
  std::optional<std::string_view> StartFragment;
  std::optional<std::string_view> EndFragment;
};

bool IsHeaderName(std::string_view name) {
  if (name.empty()) return false;
  for (const char c : name) {
    if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))) return false;
  }
  return true;
}

THtmlHeader ReadHeader(std::string_view text) {
  THtmlHeader header;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t eol = text.find_first_of("\r\n", pos);
    if (eol == std::string_view::npos) eol = text.size();
    const std::string_view line = text.substr(pos, eol - pos);
    const size_t colon = line.find(':');
    if (colon == std::string_view::npos || !IsHeaderName(line.substr(0, colon))) break;
    const std::string_view name = line.substr(0, colon);
    const std::string_view value = line.substr(colon + 1);
    if (name == "StartFragment") header.StartFragment = value;
    else if (name == "EndFragment") header.EndFragment = value;
    pos = eol;
    while (pos < text.size() && (text[pos] == '\r' || text[pos] == '\n')) ++pos;
  }
  header.End = pos;
  return header;
}

// A byte offset written as decimal digits; nothing for anything else or a value past limit.
std::optional<size_t> Offset(std::optional<std::string_view> value, size_t limit) {
  if (!value || value->empty() || value->size() > 12) return std::nullopt;
  uint64_t n = 0;
  for (const char c : *value) {
    if (c < '0' || c > '9') return std::nullopt;
    n = n * 10 + static_cast<uint64_t>(c - '0');
  }
  if (n > limit) return std::nullopt;
  return static_cast<size_t>(n);
}

// The fragment by the description header's offsets; empty when they do not describe one.
std::string FragmentByHeader(const std::string& text) {
  const THtmlHeader header = ReadHeader(text);
  const std::optional<size_t> start = Offset(header.StartFragment, text.size());
  const std::optional<size_t> end = Offset(header.EndFragment, text.size());
  if (!start || !end || *start < header.End || *end < *start) return {};
  return text.substr(*start, *end - *start);
}

// The fragment between the markers of HTML that starts at its first tag.
std::string FragmentByMarkers(std::string html) {
  const size_t start = html.find(kStartMarker);
  if (start == std::string::npos) {
    if (html.find(kEndMarker) != std::string::npos) return {};
    return html;
  }
  const size_t from = start + kStartMarker.size();
  const size_t end = html.find(kEndMarker, from);
  if (end == std::string::npos) return {};
  return html.substr(from, end - from);
}

}  // namespace

void CutHtmlFragment(std::string& text, TSourceTypes sourceTypes) {
  if ((sourceTypes & srcHTML) == 0 || (sourceTypes & srcAsIs) != 0) return;
  const bool fragment = (sourceTypes & srcHTMLFragment) != 0;
  if (!fragment && (sourceTypes & srcHTMLFromTag) == 0) return;

  if (fragment && text.starts_with("Version:")) {
    text = FragmentByHeader(text);
    return;
  }
  const size_t tag = text.find('<');
  if (tag == std::string::npos) {
    text.clear();
    return;
  }
  text.erase(0, tag);
  if (fragment) text = FragmentByMarkers(std::move(text));
}

}  // namespace ql
