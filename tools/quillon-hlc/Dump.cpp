#include "Dump.h"

#include <cstdio>
#include <string>

#include "highlight/CompiledTables.h"
#include "services/SM_Settings.h"
#include "toolkit/ShortCut.h"

namespace ql {
namespace {

// A byte as it is written in scripts: printable characters as themselves (with \ before the
// characters that mean something in a group), others as \ooo.
std::string CharText(int c) {
  if (c >= 33 && c <= 126) {
    std::string s;
    if (c == '\\' || c == '-' || c == ']' || c == '^' || c == '[' || c == '\'') s += '\\';
    return s + static_cast<char>(c);
  }
  char buffer[8];
  std::snprintf(buffer, sizeof buffer, "\\%03o", c);
  return buffer;
}

// A group in bracket notation, ranges joined: [#0-9A-Za-z], [^\000-\037].
std::string GroupText(const TSM_CharGroup& group) {
  std::string s = group.Negated ? "[^" : "[";
  for (int c = 0; c < 256;) {
    if (!group.Members.Contains(static_cast<uint8_t>(c))) {
      ++c;
      continue;
    }
    int last = c;
    while (last < 255 && group.Members.Contains(static_cast<uint8_t>(last + 1))) ++last;
    s += CharText(c);
    if (last > c + 1) s += '-';
    if (last > c) s += CharText(last);
    c = last + 1;
  }
  for (const TCharRange& r : group.ExtraRanges) {
    s += ' ';
    s += std::to_string(r.Low);
    s += "..";
    s += std::to_string(r.High);
  }
  return s + "]";
}

// A set of byte values: {0, 3, 10-20}.
std::string SetText(const TByteSet& set) {
  std::string s = "{";
  bool first = true;
  for (int v = 0; v < 256;) {
    if (!set.Contains(static_cast<uint8_t>(v))) {
      ++v;
      continue;
    }
    int last = v;
    while (last < 255 && set.Contains(static_cast<uint8_t>(last + 1))) ++last;
    if (!first) s += ", ";
    first = false;
    s += std::to_string(v);
    if (last > v) {
      s += '-';
      s += std::to_string(last);
    }
    v = last + 1;
  }
  return s + "}";
}

// A text in single quotes, with the script's escapes for control characters.
std::string Quoted(const std::string& text) {
  std::string s = "'";
  for (const char ch : text) {
    const auto c = static_cast<unsigned char>(ch);
    if (c == '\r') s += "\\n";
    else if (c == '\t') s += "\\t";
    else if (c == '\'' || c == '\\') s += std::string("\\") + ch;
    else if (c < 32 || c == 127) {
      char buffer[8];
      std::snprintf(buffer, sizeof buffer, "\\%03o", c);
      s += buffer;
    } else s += ch;
  }
  return s + "'";
}

std::string ColorText(TColor color) {
  char buffer[16];
  if (color & clSystemColor) std::snprintf(buffer, sizeof buffer, "sys(%u)", color & 0xFF);
  else std::snprintf(buffer, sizeof buffer, "$%06X", color);
  return buffer;
}

std::string FontStyleText(uint8_t style) {
  std::string s;
  if (style & fsBold) s += "B";
  if (style & fsItalic) s += "I";
  if (style & fsUnderline) s += "U";
  if (style & fsStrikeOut) s += "S";
  return s.empty() ? "-" : s;
}

std::string KeyText(ShortCutCode code) { return code == 0 ? "" : ShortCutToText(code); }

class TDumper {
public:
  TDumper(std::ostream& out, const TCompiledTables& t, const TSM_Settings& s) : out_(out), t_(t), s_(s) {}

  void All() {
    Settings();
    Styles();
    Map();
    Words();
    Handlers();
    TokenTables();
    StateRecords();
    Sets();
    KeywordLists();
    Keys();
    AutoReplace();
    Templates();
  }

private:
  void Heading(const char* title) { out_ << "\n[" << title << "]\n"; }
  void Row(const std::string& name, const std::string& value) {
    out_ << "  " << name << std::string(name.size() < 22 ? 22 - name.size() : 1, ' ') << value << "\n";
  }

  std::string Unit(const TScanUnit& u) const {
    switch (u.Kind) {
      case ukGroup: return GroupText(t_.Group(u.Group));
      case ukHandler: return "handler " + std::to_string(u.Code);
      case ukMatch: return "match (" + std::to_string(u.Code) + ")";
    }
    return "?";
  }

  std::string End(const TEndSequence& e) const {
    std::string s;
    switch (e.Kind) {
      case ekNone: return "no end";
      case ekGroups:
        s = "end ";
        for (uint8_t i = 0; i < e.GroupCount; ++i) s += GroupText(t_.Group(e.Groups[i]));
        break;
      case ekHandler: s = "end handler " + std::to_string(e.Code); break;
      case ekMatch: s = "end match (" + std::to_string(e.Code) + ")"; break;
    }
    return s + (e.Use ? " _use_" : " _discard_");
  }

  void Settings() {
    Heading("settings");
    Row("name", Quoted(s_.LanguageName));
    Row("case", t_.Keywords.CaseSensitive() ? "sensitive" : "insensitive");
    Row("options", std::to_string(s_.Options));
    Row("example text", Quoted(s_.ExampleText));
    Row("wrap override", Quoted(s_.WrapOverride));
    Row("margin width", std::to_string(s_.Margin));
    Row("right margin", std::to_string(s_.RightMargin));
    Row("word-wrap column", std::to_string(s_.WrapAtColumn));
    Row("gutter", std::to_string(s_.Gutter));
    Row("indent step", std::to_string(s_.IndentStep));
    Row("tab default", std::to_string(s_.TabDefault));
    Row("tab columns", Quoted(s_.TabColumnsText()));
    Row("margin colour", ColorText(s_.MarginColor) + (s_.UseDefMarginColor ? " (default)" : ""));
    Row("gutter colour", ColorText(s_.GutterColor) + (s_.UseDefGutterColor ? " (default)" : ""));
    Row("selected text", ColorText(s_.SelTextColor) + (s_.UseDefSelTextColor ? " (default)" : ""));
    Row("selected background", ColorText(s_.SelTextBack) + (s_.UseDefSelTextBack ? " (default)" : ""));
    Row("font", Quoted(s_.FontName) + ", size " + std::to_string(s_.FontSize) + ", charset " +
                    std::to_string(s_.FontCharSet));
    const TFontSpec& g = s_.GutterFont();
    Row("gutter font", Quoted(g.Name) + ", size " + std::to_string(g.Size) + ", charset " + std::to_string(g.CharSet) +
                           ", colour " + ColorText(g.Color) + ", style " + FontStyleText(g.Style));
    for (int32_t i = 1; i <= TSM_Settings::MaxEditableStyles; ++i) {
      const TEditableStyle& e = s_.GetEditableStyle(i);
      if (e.Name.empty()) break;
      Row(i == 1 ? "editable styles" : "", Quoted(e.Name) + " -> style " + std::to_string(e.Style));
    }
  }

  void Styles() {
    Heading("styles");
    out_ << "  style  font  foreground      background      flags\n";
    for (int n = 0; n < 256; ++n) {
      const TStyleEffect& e = s_.GetStyle(static_cast<uint8_t>(n));
      if (e.Defined == 0) continue;
      char line[128];
      std::snprintf(line, sizeof line, "  %5d  %-4s  %-14s  %-14s  %s\n", n, FontStyleText(e.FontStyle).c_str(),
                    (ColorText(e.TextColor) + (e.DefaultText ? " *" : "")).c_str(),
                    (ColorText(e.BackColor) + (e.DefaultBack ? " *" : "")).c_str(), e.Hotspot ? "hotspot" : "");
      out_ << line;
    }
    out_ << "  (* the default colour is used)\n";
  }

  void Map() {
    Heading("map");
    bool any = false;
    for (int v = 0; v < 256; ++v) {
      if (s_.GetMap(static_cast<uint8_t>(v)) == 0) continue;
      out_ << "  value " << v << " -> style " << int(s_.GetMap(static_cast<uint8_t>(v))) << "\n";
      any = true;
    }
    if (!any) out_ << "  every value -> style 0\n";
  }

  void Words() {
    Heading("words");
    for (const TSyntaxWord& w : t_.Keywords.Words()) {
      out_ << "  " << Quoted(w.Word) << "  value " << w.Style.Value << "  states " << SetText(w.Style.States);
      if (!w.Style.EndGroup.IsEmpty()) out_ << "  followed by " << GroupText(w.Style.EndGroup);
      out_ << "\n";
    }
  }

  void Handlers() {
    Heading("handlers");
    for (int v = 0; v < 256; ++v) {
      const auto& h = t_.Handlers[static_cast<size_t>(v)];
      if (!h) continue;
      out_ << "  " << v << "  " << Unit(h->Start) << (h->Repeat ? " *" : "") << "  " << End(h->End) << "\n";
    }
  }

  void Table(const TTokenTable& table) {
    for (int c = 0; c < 256; ++c) {
      const auto& e = table.Entries[static_cast<size_t>(c)];
      if (!e) continue;
      out_ << "    " << CharText(c) << "  value " << int(e->Value) << "  states " << SetText(e->States) << "  ";
      if (e->Start.Kind == ukHandler) {
        out_ << "handler " << e->Start.Code << "\n";
        continue;
      }
      out_ << "start " << GroupText(t_.Group(e->Start.Group)) << "  then " << Unit(e->Continuation)
           << (e->Repeat ? " *" : "") << "  " << End(e->End) << "\n";
    }
    for (const TTokenRange& r : table.Ranges) {
      out_ << "    range " << r.Low << ".." << r.High << "  value " << int(r.Entry.Value) << "\n";
    }
  }

  void TokenTables() {
    Heading("token tables");
    out_ << "  default table\n";
    Table(t_.DefaultTokens);
    for (int state = 0; state < 256; ++state) {
      const auto& table = t_.StateTokens[static_cast<size_t>(state)];
      if (!table) continue;
      out_ << "  state " << state << "\n";
      Table(*table);
    }
  }

  void StateRecords() {
    Heading("state records");
    for (int v = 0; v < 256; ++v) {
      const auto& r = t_.StateRecords[static_cast<size_t>(v)];
      if (!r) continue;
      out_ << "  " << v << "  valid " << SetText(r->Valid);
      if (!r->NoChange) out_ << "  enters " << SetText(r->Entered) << "  leaves " << SetText(r->Left);
      if (r->Container) out_ << "  container";
      switch (r->PushPop) {
        case TStateRecord::PushBefore: out_ << "  push before"; break;
        case TStateRecord::PopBefore: out_ << "  pop before"; break;
        case TStateRecord::PushAfter: out_ << "  push after"; break;
        case TStateRecord::PopAfter: out_ << "  pop after"; break;
        default: break;
      }
      out_ << "\n";
    }
  }

  void Sets() {
    Heading("sets");
    Row("start states", SetText(t_.StartStates));
    Row("anchor", SetText(t_.Anchor));
    Row("bound states", SetText(t_.Bound));
    Row("states with tables", SetText(t_.StatesWithTables));
    Row("uses match", t_.UsesMatch ? "yes" : "no");
    for (int v = 0; v < 256; ++v) {
      const TByteSet& context = t_.ContextSets[static_cast<size_t>(v)];
      if (context.Empty() || context == t_.StartStates) continue;
      out_ << "  context of value " << v << "  " << SetText(context) << "\n";
    }
  }

  void KeywordLists() {
    Heading("keyword lists");
    for (int32_t i = 0; i < s_.KeywordTableCount(); ++i) {
      const TKeywordDefinitions& k = s_.KeywordTable(i);
      out_ << "  states " << SetText(k.States) << "  ends with " << Quoted(k.WordChars)
           << (k.CaseSensitive ? "  case sensitive" : "") << "\n";
      for (const TKeywordWord& w : k.Words) out_ << "    " << Quoted(w.Word) << "  value " << w.Value << "\n";
    }
  }

  void Keys() {
    Heading("keys");
    const TKeyboardActionContoller& keys = s_.KeyController();
    for (const TKeySequence& seq : keys.KeyStore().Sequences()) {
      std::string text = KeyText(seq.First);
      if (seq.Second != 0) text += ", " + KeyText(seq.Second);
      char line[160];
      std::snprintf(line, sizeof line, "  %3d  %-22s %s\n", seq.Action, text.c_str(),
                    Quoted(keys.GetActionName(seq.Action)).c_str());
      out_ << line;
    }
  }

  void AutoReplace() {
    Heading("auto-replace");
    const TAutoReplace& a = s_.AutoReplace();
    Row("triggers", Quoted(a.Triggers()));
    for (int32_t i = 0; i < a.Count(); ++i) out_ << "  " << Quoted(a.Name(i)) << " = " << Quoted(a.Entry(i).Expansion()) << "\n";
  }

  void Templates() {
    Heading("templates");
    const TCodeTemplates& t = s_.Templates();
    Row("hotkey", KeyText(t.HotKey));
    for (int32_t i = 0; i < t.Count(); ++i) {
      out_ << "  " << Quoted(t.Name(i));
      if (!t.Entry(i).Description().empty()) out_ << " (" << Quoted(t.Entry(i).Description()) << ")";
      out_ << " = " << Quoted(t.Entry(i).Expansion()) << "\n";
    }
  }

  std::ostream& out_;
  const TCompiledTables& t_;
  const TSM_Settings& s_;
};

}  // namespace

void DumpDefinition(std::ostream& out, const TCompiledTables& tables, const TSM_Settings& settings) {
  TDumper(out, tables, settings).All();
}

}  // namespace ql
