#include "services/HtmlExport.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "services/AsciiEscapes.h"
#include "services/ExportBuffer.h"
#include "services/SM_Settings.h"
#include "services/StyleRuns.h"
#include "toolkit/FontFactory.h"

namespace ql {

// Written after "TCustomInkMemo - " in the Generator line.
constexpr char kGeneratorContact[] = "Quillon";

void HtmlEscape(char32_t c, std::string& out) {
  switch (c) {
    case '&': out += "&amp;"; return;
    case '<': out += "&lt;"; return;
    case '>': out += "&gt;"; return;
    case '"': out += "&quot;"; return;
    case '\t':
    case 0xA0: out += "&nbsp;"; return;
    default: break;
  }
  if (c < 32) return;
  if (c < 0x80) {
    out += static_cast<char>(c);
    return;
  }
  char reference[16];
  const int n = std::snprintf(reference, sizeof reference, "&#%u;", static_cast<unsigned>(c));
  out.append(reference, static_cast<size_t>(n));
}

std::string HtmlEscapeText(std::string_view text) {
  std::string out;
  AppendEscapedUtf8(text, HtmlEscape, out);
  return out;
}

namespace {

// "#rrggbb" of a plain colour (stored with red in the low byte).
std::string HtmlColor(TColor color) {
  char text[8];
  std::snprintf(text, sizeof text, "#%.6x", GetRValue(color) << 16 | GetGValue(color) << 8 | GetBValue(color));
  return text;
}

// The inline elements around a character: a colour, then B, I, U and S, nested in that order.
struct TInlineState {
  static constexpr int Layers = 5;
  std::array<bool, Layers> On{};  // layer 0: a colour other than the body's
  TColor Color = 0;               // meaningful with On[0]
  std::string OpenColor;          // the start tag of layer 0
};

class THtmlWriter : public TStyleRunSink {
public:
  THtmlWriter(const TExportInput& input, TStream& stream) : in_(input), settings_(*input.Settings), out_(stream) {
    const TColor body = ResolvedColor(input, settings_.TextColorOf(0));
    for (int n = 0; n < 256; ++n) {
      const auto style = static_cast<uint8_t>(n);
      TInlineState& s = styles_[static_cast<size_t>(n)];
      s.Color = ResolvedColor(input, settings_.TextColorOf(style));
      const uint8_t font = settings_.GetStyle(style).FontStyle;
      s.On = {s.Color != body, (font & fsBold) != 0, (font & fsItalic) != 0, (font & fsUnderline) != 0,
              (font & fsStrikeOut) != 0};
      s.OpenColor = "<FONT COLOR=\"" + HtmlColor(s.Color) + "\">";
    }
  }

  void Write() {
    std::string& o = out_.Out();
    o += "<HTML><HEAD>\r\n";
    o += "<META NAME=\"Generator\" CONTENT=\"TCustomInkMemo - ";
    o += kGeneratorContact;
    o += "\">\r\n<TITLE>" + HtmlEscapeText(in_.FileName) + "</TITLE>\r\n";
    o += "<META NAME=\"Date\" CONTENT=\"" + HtmlEscapeText(in_.Date) + "\">\r\n";
    o += "</HEAD>\r\n";
    o += "<BODY TEXT=\"" + HtmlColor(ResolvedColor(in_, settings_.TextColorOf(0))) + "\" BGCOLOR=\"" +
         HtmlColor(ResolvedColor(in_, settings_.BackColorOf(0))) + "\">\r\n";
    // The rows start right after the tags: a line break there would show as an empty first line.
    o += "<PRE><FONT FACE=\"" + HtmlEscapeText(in_.Font.Name) + "\">";
    WriteStyleRuns(in_, *this);
    Switch(TInlineState{});
    out_.Append("</FONT></PRE></BODY></HTML>\r\n");
    out_.Flush();
  }

  void Run(int32_t style, std::string_view text) override {
    if (style >= 0) Switch(styles_[static_cast<size_t>(style)]);
    Characters(text);
    out_.Written();
  }

  void RowEnd() override {
    out_.Append("\r\n");
    column_ = 0;
  }

private:
  static constexpr const char* kOpen[TInlineState::Layers] = {nullptr, "<B>", "<I>", "<U>", "<S>"};
  static constexpr const char* kClose[TInlineState::Layers] = {"</FONT>", "</B>", "</I>", "</U>", "</S>"};

  // Closes the open elements from the innermost down to the first that differs from want, then
  // opens what want has from there on.
  void Switch(const TInlineState& want) {
    int same = 0;
    while (same < TInlineState::Layers && open_.On[static_cast<size_t>(same)] == want.On[static_cast<size_t>(same)] &&
           (same != 0 || !want.On[0] || open_.Color == want.Color)) {
      ++same;
    }
    if (same == TInlineState::Layers) return;
    std::string& o = out_.Out();
    for (int layer = TInlineState::Layers - 1; layer >= same; --layer) {
      if (open_.On[static_cast<size_t>(layer)]) o += kClose[layer];
    }
    for (int layer = same; layer < TInlineState::Layers; ++layer) {
      if (!want.On[static_cast<size_t>(layer)]) continue;
      if (layer == 0) o += want.OpenColor;
      else o += kOpen[layer];
    }
    open_.On = want.On;
    open_.Color = want.Color;
  }

  void Characters(std::string_view text) {
    std::string& o = out_.Out();
    for (;;) {
      const size_t tab = text.find('\t');
      column_ = ascii_.Append(text.substr(0, tab), column_, in_.Encoding, settings_, o);
      if (tab == std::string_view::npos) return;
      // Spaces up to the tab stop the editor moves to.
      const int32_t next = std::max(settings_.NextTabStop(column_), column_ + 1);
      o.append(static_cast<size_t>(next - column_), ' ');
      column_ = next;
      text.remove_prefix(tab + 1);
    }
  }



  const TExportInput& in_;
  const TSM_Settings& settings_;
  TExportBuffer out_;
  std::array<TInlineState, 256> styles_;  // what each style record needs
  const TAsciiEscapes ascii_{HtmlEscape};
  TInlineState open_;                     // the elements open now
  int32_t column_ = 0;                    // display column in the row part being written
};

}  // namespace

void ExportHTML(const TExportInput& input, TStream& stream) { THtmlWriter(input, stream).Write(); }

}  // namespace ql
