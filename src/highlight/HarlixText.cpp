#include "highlight/HarlixText.h"

#include <array>
#include <cctype>
#include <cstdint>
#include <cstdlib>

#include "services/SM_Settings.h"
#include "textmodel/InkMemoErrors.h"

namespace ql {
namespace {

constexpr char kStyleError[] = "Invalid data in style string";

[[noreturn]] void StyleError() { throw EInkMemo(kStyleError); }

constexpr std::array<const char*, 24> kTags = {"OPT", "GWD", "GCL", "WRC", "IDS", "WRO", "FON", "FOS",
                                               "STC", "STB", "TBC", "TBD", "EFF", "GDF", "MDF", "SDF",
                                               "BDF", "FOC", "RMG", "LNN", "LNS", "LNC", "LNT", "LNE"};

std::string Signed(int64_t value) { return std::to_string(value); }
std::string ColorText(TColor color) { return Signed(static_cast<int32_t>(color)); }
std::string Flag(bool value) { return value ? "1" : "0"; }

std::string EffectsText(const TSM_Settings& settings) {
  int32_t count = 0;
  for (int n = 0; n < 256; ++n) count += settings.GetStyle(static_cast<uint8_t>(n)).Defined != 0;
  if (count > 255) count = 255;
  std::string text = std::to_string(count);
  if (count > 0) text += ',';
  int32_t written = 0;
  for (int n = 0; n < 256 && written < count; ++n) {
    const TStyleEffect& style = settings.GetStyle(static_cast<uint8_t>(n));
    if (style.Defined == 0) continue;
    ++written;
    text += std::to_string(n) + ',' + ColorText(style.TextColor) + ',' + ColorText(style.BackColor) + ',';
    if (style.DefaultBack) text += 'X';
    if (style.DefaultText) text += 'Y';
    if (style.FontStyle & fsBold) text += 'B';
    if (style.FontStyle & fsItalic) text += 'I';
    if (style.FontStyle & fsUnderline) text += 'U';
    text += ';';
  }
  return text;
}

std::string FontStyleLetters(uint8_t style) {
  std::string letters;
  if (style & fsItalic) letters += 'I';
  if (style & fsBold) letters += 'B';
  if (style & fsUnderline) letters += 'U';
  if (style & fsStrikeOut) letters += 'S';
  return letters;
}

// A cursor over the text form.
class TReader {
public:
  TReader(const std::string& text, size_t position) : text_(text), pos_(position < text.size() ? position : text.size()) {}

  bool AtEnd() const { return pos_ >= text_.size(); }
  char Peek() const { return AtEnd() ? '\0' : text_[pos_]; }
  void Skip() {
    if (!AtEnd()) ++pos_;
  }
  size_t Position() const { return pos_; }
  size_t Remaining() const { return AtEnd() ? 0 : text_.size() - pos_; }

  // count characters; the text must hold them.
  std::string Take(int64_t count) {
    if (count < 0 || static_cast<uint64_t>(count) > Remaining()) StyleError();
    std::string taken = text_.substr(pos_, static_cast<size_t>(count));
    pos_ += static_cast<size_t>(count);
    return taken;
  }

  // Letters and digits.
  std::string Word() {
    std::string word;
    while (!AtEnd() && std::isalnum(static_cast<unsigned char>(Peek()))) word += text_[pos_++];
    return word;
  }

  // One or more decimal digits, within 32 bits.
  int64_t Digits() {
    if (!std::isdigit(static_cast<unsigned char>(Peek()))) StyleError();
    int64_t value = 0;
    while (std::isdigit(static_cast<unsigned char>(Peek()))) {
      value = value * 10 + (text_[pos_++] - '0');
      if (value > UINT32_MAX) StyleError();
    }
    return value;
  }

  // A field of the effect entries and the positional form: unsigned decimal digits followed by
  // one optional ","; an empty field (a "," right away, or any other character, which is not
  // consumed) gives fallback. With allowSign a "-" may lead the digits: colours are written
  // signed, and a system colour must read back as itself.
  int64_t Field(int64_t fallback, bool allowSign = false) {
    int64_t value = fallback;
    bool negative = false;
    if (allowSign && Peek() == '-' && pos_ + 1 < text_.size() && std::isdigit(static_cast<unsigned char>(text_[pos_ + 1]))) {
      negative = true;
      Skip();
    }
    if (std::isdigit(static_cast<unsigned char>(Peek()))) value = negative ? -Digits() : Digits();
    if (Peek() == ',') Skip();
    return value;
  }

private:
  const std::string& text_;
  size_t pos_;
};

// A whole value read as a signed decimal integer within [low, high].
int64_t Number(const std::string& value, int64_t low, int64_t high) {
  size_t i = 0;
  bool negative = false;
  if (i < value.size() && (value[i] == '-' || value[i] == '+')) negative = value[i++] == '-';
  if (i == value.size()) StyleError();
  int64_t n = 0;
  for (; i < value.size(); ++i) {
    if (!std::isdigit(static_cast<unsigned char>(value[i]))) StyleError();
    n = n * 10 + (value[i] - '0');
    if (n > high + 1 - low) StyleError();
  }
  if (negative) n = -n;
  if (n < low || n > high) StyleError();
  return n;
}

int32_t Int(const std::string& value) { return static_cast<int32_t>(Number(value, INT32_MIN, INT32_MAX)); }
// Colours and the option word: 32 bits, written signed or unsigned.
uint32_t Bits(const std::string& value) { return static_cast<uint32_t>(Number(value, INT32_MIN, UINT32_MAX)); }
uint8_t CharSet(const std::string& value) { return static_cast<uint8_t>(Number(value, 0, 255)); }

// One effect entry: style number, foreground, background, letters up to ";".
void ReadEffect(TReader& r, TSM_Settings& settings) {
  const int64_t n = r.Field(0);
  if (n > 255) StyleError();
  const uint8_t index = static_cast<uint8_t>(n);
  TStyleEffect style = settings.GetStyle(index);
  style.TextColor = static_cast<TColor>(static_cast<uint32_t>(r.Field(0, true)));
  style.BackColor = static_cast<TColor>(static_cast<uint32_t>(r.Field(16777215, true)));
  // The text form carries bold, italic and underline; strike-out and the hotspot flag stay.
  style.FontStyle &= fsStrikeOut;
  style.DefaultText = false;
  style.DefaultBack = false;
  if (style.Defined == 0) style.Defined = 1;
  for (;;) {
    const char c = static_cast<char>(std::toupper(static_cast<unsigned char>(r.Peek())));
    if (c == 'B') style.FontStyle |= fsBold;
    else if (c == 'I') style.FontStyle |= fsItalic;
    else if (c == 'U') style.FontStyle |= fsUnderline;
    else if (c == 'X') style.DefaultBack = true;
    else if (c == 'Y') style.DefaultText = true;
    else break;
    r.Skip();
  }
  if (r.Peek() == ';') r.Skip();
  settings.SetStyle(index, style);
}

void ReadEffects(TReader& r, TSM_Settings& settings) {
  const int64_t count = r.Field(0);
  for (int64_t i = 0; i < count; ++i) {
    const size_t before = r.Position();
    ReadEffect(r, settings);
    // An entry that read nothing set style 0 to the defaults, as every further one would.
    if (r.Position() == before) break;
  }
}

void ApplyTag(TSM_Settings& s, const std::string& tag, const std::string& value) {
  TFontSpec gutterFont = s.GutterFont();
  if (tag == "OPT") s.Options = Bits(value);
  else if (tag == "GWD") s.Gutter = Int(value);
  else if (tag == "GCL") s.GutterColor = Bits(value);
  else if (tag == "WRC") s.WrapAtColumn = Int(value);
  else if (tag == "IDS") s.IndentStep = Int(value);
  else if (tag == "WRO") s.WrapOverride = value;
  else if (tag == "FON") s.FontName = value;
  else if (tag == "FOS") s.FontSize = Int(value);
  else if (tag == "STC") s.SelTextColor = Bits(value);
  else if (tag == "STB") s.SelTextBack = Bits(value);
  else if (tag == "TBC") s.SetTabColumnsText(value);
  else if (tag == "TBD") s.TabDefault = Int(value);
  else if (tag == "EFF") {
    TReader r(value, 0);
    ReadEffects(r, s);
  } else if (tag == "GDF") s.UseDefGutterColor = value == "1";
  else if (tag == "MDF") s.UseDefMarginColor = value == "1";
  else if (tag == "SDF") s.UseDefSelTextColor = value == "1";
  else if (tag == "BDF") s.UseDefSelTextBack = value == "1";
  else if (tag == "FOC") s.FontCharSet = CharSet(value);
  else if (tag == "RMG") s.RightMargin = Int(value);
  else if (tag == "LNN") gutterFont.Name = value;
  else if (tag == "LNS") gutterFont.Size = Int(value);
  else if (tag == "LNC") gutterFont.Color = Bits(value);
  else if (tag == "LNT") gutterFont.CharSet = CharSet(value);
  else if (tag == "LNE") {
    gutterFont.Style = 0;
    for (const char c : value) {
      switch (std::toupper(static_cast<unsigned char>(c))) {
        case 'I': gutterFont.Style |= fsItalic; break;
        case 'B': gutterFont.Style |= fsBold; break;
        case 'U': gutterFont.Style |= fsUnderline; break;
        case 'S': gutterFont.Style |= fsStrikeOut; break;
        default: break;
      }
    }
  }
  if (!(gutterFont == s.GutterFont())) s.SetGutterFont(gutterFont);
}

bool IsTag(const std::string& tag) {
  for (const char* known : kTags)
    if (tag == known) return true;
  return false;
}

void ApplyTagged(TReader& r, TSM_Settings& settings) {
  for (;;) {
    std::string tag = r.Word();
    if (tag.size() > 4) tag.resize(4);
    if (!IsTag(tag) || r.Peek() != '#') return;
    r.Skip();
    const int64_t length = r.Digits();
    if (r.Peek() != '#') return;
    r.Skip();
    const std::string value = r.Take(length);
    ApplyTag(settings, tag, value);
  }
}

// A length field and that many characters, then one separator character.
std::string CountedText(TReader& r) {
  const std::string text = r.Take(r.Field(0));
  r.Skip();
  return text;
}

void ApplyPositional(TReader& r, TSM_Settings& s, int version) {
  s.Options = static_cast<uint32_t>(r.Field(DefaultOptionWord));
  s.Gutter = static_cast<int32_t>(r.Field(34));
  s.WrapAtColumn = static_cast<int32_t>(r.Field(0));
  s.IndentStep = static_cast<int32_t>(r.Field(1));
  std::string wrap = CountedText(r);
  if (wrap.size() > 20) wrap.resize(20);
  s.WrapOverride = wrap;
  if (version == 1) {
    s.FontName = "Courier New";
    s.FontSize = 10;
    s.FontCharSet = DEFAULT_CHARSET;
    s.SelTextColor = clHighlightText;
    s.SelTextBack = clHighlight;
  } else {
    s.FontName = CountedText(r);
    s.FontSize = static_cast<int32_t>(r.Field(10));
    if (version >= 3) {
      s.SelTextColor = static_cast<TColor>(static_cast<uint32_t>(r.Field(clHighlightText, true)));
      s.SelTextBack = static_cast<TColor>(static_cast<uint32_t>(r.Field(clHighlight, true)));
    } else {
      s.SelTextColor = clHighlightText;
      s.SelTextBack = clHighlight;
    }
    if (version == 4) {
      s.SetTabColumnsText(CountedText(r));
      s.TabDefault = static_cast<int32_t>(r.Field(4));
    }
  }
  ReadEffects(r, s);
}

}  // namespace

std::string DisplaySettingsText(const TSM_Settings& s) {
  const TFontSpec& gutter = s.GutterFont();
  const std::array<std::string, 24> values = {
      Signed(static_cast<int32_t>(s.Options)), Signed(s.Gutter), ColorText(s.GutterColor), Signed(s.WrapAtColumn),
      Signed(s.IndentStep), s.WrapOverride, s.FontName, Signed(s.FontSize),
      ColorText(s.SelTextColor), ColorText(s.SelTextBack), s.TabColumnsText(), Signed(s.TabDefault),
      EffectsText(s), Flag(s.UseDefGutterColor), Flag(s.UseDefMarginColor), Flag(s.UseDefSelTextColor),
      Flag(s.UseDefSelTextBack), Signed(s.FontCharSet), Signed(s.RightMargin), gutter.Name,
      Signed(gutter.Size), ColorText(gutter.Color), Signed(gutter.CharSet), FontStyleLetters(gutter.Style)};
  std::string text = "Harlix6:";
  for (size_t i = 0; i < kTags.size(); ++i) {
    text += kTags[i];
    text += '#' + std::to_string(values[i].size()) + '#' + values[i];
  }
  return text + "#END#";
}

void ApplyDisplaySettingsText(TSM_Settings& settings, const std::string& text) {
  if (text.size() < 7 || text.compare(0, 6, "Harlix") != 0 || text[6] < '1' || text[6] > '9') StyleError();
  const int version = text[6] - '0';
  // The marker is eight characters; the colon is not checked.
  TReader reader(text, 8);
  if (version >= 5) ApplyTagged(reader, settings);
  else ApplyPositional(reader, settings, version);
}

}  // namespace ql
