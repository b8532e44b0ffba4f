#include "services/RtfExport.h"

#include <array>
#include <cstdio>
#include <vector>

#include "services/AsciiEscapes.h"
#include "services/ExportBuffer.h"
#include "services/SM_Settings.h"
#include "services/StyleRuns.h"
#include "toolkit/Cp1252.h"
#include "toolkit/FontFactory.h"

namespace ql {
namespace {

void AppendHexByte(uint8_t b, std::string& out) {
  static constexpr char kHex[] = "0123456789abcdef";
  out += "\\'";
  out += kHex[b >> 4];
  out += kHex[b & 15];
}

// \uN with N as a signed 16-bit number, as RTF readers take it.
void AppendUnicodeUnit(char32_t unit, std::string& out) {
  char text[16];
  const int n = std::snprintf(text, sizeof text, "\\u%d", static_cast<int>(static_cast<int16_t>(unit)));
  out.append(text, static_cast<size_t>(n));
}

}  // namespace

void RtfEscape(char32_t c, std::string& out) {
  switch (c) {
    case 0: return;
    case '\t': out += "\\tab "; return;
    case '\f': out += "\\page "; return;
    case '\r': out += "\\line "; return;
    case '\'': out += "\\'27"; return;
    case '\\': out += "\\\\"; return;
    case '{': out += "\\{"; return;
    case '}': out += "\\}"; return;
    default: break;
  }
  if (c < 32) {
    AppendHexByte(static_cast<uint8_t>(c), out);
    return;
  }
  if (c < 0x80) {
    out += static_cast<char>(c);
    return;
  }
  if (c > 0xFFFF) {
    // Outside the basic plane: a surrogate pair, each unit with its fallback.
    const char32_t v = c - 0x10000;
    AppendUnicodeUnit(0xD800 + (v >> 10), out);
    out += '?';
    AppendUnicodeUnit(0xDC00 + (v & 0x3FF), out);
    out += '?';
    return;
  }
  AppendUnicodeUnit(c, out);
  uint8_t byte = 0;
  if (UnicodeToCp1252(c, byte)) AppendHexByte(byte, out);
  else out += '?';
}

namespace {

class TRtfWriter : public TStyleRunSink {
public:
  TRtfWriter(const TExportInput& input, TStream& stream) : in_(input), settings_(*input.Settings), out_(stream) {}

  void Write() {
    std::string& o = out_.Out();
    o += "{\\rtf1 \\deff1{\\fonttbl {\\f1 \\fnil\\fcharset" + std::to_string(in_.Font.CharSet) + " ";
    std::string name = in_.Font.Name;
    std::erase(name, ';');  // a ; would end the name early
    AppendEscapedUtf8(name, RtfEscape, o);
    o += ";}}\r\n";
    ColorTable();
    o += "{\\f1\\fs" + std::to_string(2 * in_.Font.Size) + "\\cf0\\cb1 ";
    WriteStyleRuns(in_, *this);
    out_.Append("}}");
    out_.Flush();
  }

  void Run(int32_t style, std::string_view text) override {
    if (style >= 0) Switch(static_cast<uint8_t>(style));
    column_ = ascii_.Append(text, column_, in_.Encoding, settings_, out_.Out());
    out_.Written();
  }

  void RowEnd() override {
    out_.Append("\r\n");
    column_ = 0;
  }

private:
  int32_t IndexOf(TColor color) const {
    for (size_t i = 0; i < colors_.size(); ++i) {
      if (colors_[i] == color) return static_cast<int32_t>(i);
    }
    return -1;
  }

  void AddColor(TColor color) {
    if (colors_.size() < 256 && IndexOf(color) < 0) colors_.push_back(color);
  }

  void ColorTable() {
    colors_ = {ResolvedColor(in_, settings_.TextColorOf(0)), ResolvedColor(in_, settings_.BackColorOf(0))};
    for (int n = 0; n < 256; ++n) {
      const auto style = static_cast<uint8_t>(n);
      if (settings_.GetStyle(style).Defined == 0) continue;
      AddColor(ResolvedColor(in_, settings_.TextColorOf(style)));
      AddColor(ResolvedColor(in_, settings_.BackColorOf(style)));
    }
    for (int n = 0; n < 256; ++n) {
      const auto style = static_cast<uint8_t>(n);
      const int32_t text = IndexOf(ResolvedColor(in_, settings_.TextColorOf(style)));
      const int32_t back = IndexOf(ResolvedColor(in_, settings_.BackColorOf(style)));
      textIndex_[static_cast<size_t>(n)] = text < 0 ? 0 : text;
      backIndex_[static_cast<size_t>(n)] = back < 0 ? 1 : back;
    }
    std::string& o = out_.Out();
    o += "{\\colortbl";
    for (const TColor c : colors_) {
      char entry[48];
      std::snprintf(entry, sizeof entry, "\\red%d\\green%d\\blue%d;", GetRValue(c), GetGValue(c), GetBValue(c));
      o += entry;
    }
    o += "}\r\n";
  }

  void Switch(uint8_t style) {
    static constexpr struct {
      uint8_t Bit;
      const char* On;
      const char* Off;
    } kFontStyles[] = {{fsBold, "\\b1 ", "\\b0 "},
                       {fsItalic, "\\i1 ", "\\i0 "},
                       {fsUnderline, "\\ul1 ", "\\ul0 "},
                       {fsStrikeOut, "\\strike1 ", "\\strike0 "}};
    std::string& o = out_.Out();
    const uint8_t font = settings_.GetStyle(style).FontStyle & (fsBold | fsItalic | fsUnderline | fsStrikeOut);
    for (const auto& f : kFontStyles) {
      if ((font & f.Bit) != (fontStyle_ & f.Bit)) o += (font & f.Bit) ? f.On : f.Off;
    }
    fontStyle_ = font;
    const int32_t text = textIndex_[style];
    if (text != textColor_) {
      o += "\\cf" + std::to_string(text) + " ";
      textColor_ = text;
    }
    const int32_t back = backIndex_[style];
    if (back != backColor_) {
      // \cb for readers that take it, \chcbpat for those that shade characters only by it.
      o += "\\cb" + std::to_string(back) + "\\chcbpat" + std::to_string(back) + " ";
      backColor_ = back;
    }
  }



  const TExportInput& in_;
  const TSM_Settings& settings_;
  TExportBuffer out_;
  std::vector<TColor> colors_;         // the colour table; at most 256 entries
  std::array<int32_t, 256> textIndex_{};  // table index of each style record's text colour
  std::array<int32_t, 256> backIndex_{};  // and of its back colour
  const TAsciiEscapes ascii_{RtfEscape};
  uint8_t fontStyle_ = 0;              // font style bits on now
  int32_t textColor_ = 0;              // table index of the text colour now
  int32_t backColor_ = 1;              // and of the background
  int32_t column_ = 0;                 // display column in the row part being written
};

}  // namespace

void ExportRTF(const TExportInput& input, TStream& stream) { TRtfWriter(input, stream).Write(); }

}  // namespace ql
