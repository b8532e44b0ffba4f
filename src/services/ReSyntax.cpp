#include "services/ReSyntax.h"

#include <algorithm>
#include <utility>

#include "services/ReEscapes.h"
#include "services/SearchErrors.h"
#include "toolkit/StringTable.h"

namespace ql {
namespace {

constexpr int32_t kMaxCount = 65535;  // largest count in x{n,m}

TByteTable ClassTable(char cls) {
  TByteTable t{};
  const char lower = static_cast<char>(cls | 0x20);
  for (int c = 0; c < 256; ++c) {
    bool in = false;
    if (lower == 'd') in = c >= '0' && c <= '9';
    else if (lower == 'w') in = (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
    else in = c == '\r' || c == ' ' || c == '\n' || c == '\f' || c == '\t' || c == '\b';
    t[static_cast<size_t>(c)] = (cls == lower) == in;  // upper case: the complement
  }
  return t;
}

class TPatternParser {
public:
  explicit TPatternParser(const std::string& pattern) : p_(pattern) {}

  TReSyntax Parse() {
    if (p_.empty()) throw EREParserError(sReInvalidParameter, 0);
    out_.Root = ParseAlternation(0);
    if (!AtEnd()) FailAt(sReUnmatchedParenthesis, i_);  // a ")" without its "("
    return std::move(out_);
  }

private:
  [[noreturn]] void FailAt(int32_t code, size_t index) {
    throw EREParserError(code, static_cast<int32_t>(index) + 1);
  }
  bool AtEnd() const { return i_ >= p_.size(); }
  bool At(char c) const { return i_ < p_.size() && p_[i_] == c; }
  bool AtDoubleBar() const { return i_ + 1 < p_.size() && p_[i_] == '|' && p_[i_ + 1] == '|'; }
  static bool IsRepeatChar(char c) { return c == '*' || c == '+' || c == '?' || c == '{'; }

  TReNode& Node(int32_t n) { return out_.Nodes[static_cast<size_t>(n)]; }

  int32_t Add(TReNode node) {
    out_.Nodes.push_back(std::move(node));
    return static_cast<int32_t>(out_.Nodes.size()) - 1;
  }

  int32_t Leaf(TReKind kind, bool nullable) {
    TReNode n;
    n.Kind = kind;
    n.Nullable = nullable;
    return Add(std::move(n));
  }

  int32_t SetLeaf(const TByteTable& table) {
    out_.Sets.push_back(table);
    const int32_t n = Leaf(TReKind::Set, false);
    Node(n).Index = static_cast<int32_t>(out_.Sets.size()) - 1;
    return n;
  }

  // Seq or Alt over children.
  int32_t Compound(TReKind kind, std::vector<int32_t> children) {
    TReNode n;
    n.Kind = kind;
    n.Nullable = kind == TReKind::Seq;
    for (int32_t c : children) {
      const TReNode& child = Node(c);
      if (child.Height > n.Height) {
        n.Height = child.Height;
        n.DeepestGroupPos = child.DeepestGroupPos;
      }
      n.Nullable = kind == TReKind::Seq ? n.Nullable && child.Nullable : n.Nullable || child.Nullable;
    }
    n.Children = std::move(children);
    return Add(std::move(n));
  }

  // A group opened at the 1-based position pos (the position of "||" for the groups of the
  // either-order form).
  int32_t Group(int32_t child, int32_t pos) {
    TReNode n;
    n.Kind = TReKind::Group;
    n.Children = {child};
    n.Height = Node(child).Height + 1;
    n.DeepestGroupPos = Node(child).Height > 0 ? Node(child).DeepestGroupPos : pos;
    n.Nullable = Node(child).Nullable;
    return Add(std::move(n));
  }

  // A group inside depth enclosing groups must not nest too deep.
  int32_t CheckDepth(int32_t group, int32_t depth) {
    if (depth + Node(group).Height > kMaxGroupDepth)
      throw EREParserError(sReTooManySubExpressions, Node(group).DeepestGroupPos);
    return group;
  }

  int32_t Repeat(int32_t child, int32_t min, int32_t max) {
    TReNode n;
    n.Kind = TReKind::Repeat;
    n.Children = {child};
    n.Min = min;
    n.Max = max;
    n.Height = Node(child).Height;
    n.DeepestGroupPos = Node(child).DeepestGroupPos;
    n.Nullable = min == 0 || Node(child).Nullable;
    return Add(std::move(n));
  }

  int32_t ParseAlternation(int32_t depth) {
    std::vector<int32_t> alternatives{ParseChain(depth)};
    while (At('|')) {
      ++i_;
      alternatives.push_back(ParseChain(depth));
    }
    return alternatives.size() == 1 ? alternatives[0] : Compound(TReKind::Alt, std::move(alternatives));
  }

  // Sequences joined by "||", from the left: a||b||c is (a||b)||c.
  int32_t ParseChain(int32_t depth) {
    int32_t left = ParseSequence(depth);
    while (AtDoubleBar()) {
      const int32_t pos = static_cast<int32_t>(i_) + 1;
      i_ += 2;
      const int32_t right = ParseSequence(depth);
      left = EitherOrder(left, right, pos, depth);
    }
    return left;
  }

  // r1||r2 is ((t1 t2?)|(t2 t1?)) with each side in a group of its own unless it is one.
  int32_t EitherOrder(int32_t r1, int32_t r2, int32_t pos, int32_t depth) {
    const int32_t t1 = Node(r1).Kind == TReKind::Group ? r1 : Group(r1, pos);
    const int32_t t2 = Node(r2).Kind == TReKind::Group ? r2 : Group(r2, pos);
    const int32_t first = Group(Compound(TReKind::Seq, {t1, Repeat(t2, 0, 1)}), pos);
    const int32_t second = Group(Compound(TReKind::Seq, {t2, Repeat(t1, 0, 1)}), pos);
    return CheckDepth(Group(Compound(TReKind::Alt, {first, second}), pos), depth);
  }

  int32_t ParseSequence(int32_t depth) {
    std::vector<int32_t> items;
    while (!AtEnd() && p_[i_] != '|' && p_[i_] != ')') items.push_back(ParsePiece(depth));
    return items.size() == 1 ? items[0] : Compound(TReKind::Seq, std::move(items));
  }

  int32_t ParsePiece(int32_t depth) {
    int32_t atom = ParseAtom(depth);
    if (AtEnd() || !IsRepeatChar(p_[i_])) return atom;
    const size_t at = i_;
    const char op = p_[i_];
    if (op != '?' && Node(atom).Nullable) FailAt(sReInvalidRepeat, at);
    int32_t min = 0;
    int32_t max = -1;
    if (op == '{') {
      ParseCounts(min, max);
    } else {
      ++i_;
      if (op == '+') min = 1;
      if (op == '?') max = 1;
    }
    if (!AtEnd() && IsRepeatChar(p_[i_])) FailAt(sReNestedRepeat, i_);
    return Repeat(atom, min, max);
  }

  // {n} {n,} {,m} {n,m}, from the "{".
  void ParseCounts(int32_t& min, int32_t& max) {
    ++i_;
    int32_t n = -1;
    int32_t m = -1;
    ReadCount(n);
    const bool comma = At(',');
    if (comma) {
      ++i_;
      ReadCount(m);
    }
    if (!At('}') || (n < 0 && m < 0)) FailAt(sReInvalidRange, i_);
    if (comma) {
      min = std::max(n, 0);
      max = m;
    } else {
      min = max = n;
    }
    if (max >= 0 && max < min) FailAt(sReInvalidRange, i_);
    ++i_;
  }

  void ReadCount(int32_t& value) {
    while (!AtEnd() && p_[i_] >= '0' && p_[i_] <= '9') {
      value = std::max(value, 0) * 10 + (p_[i_] - '0');
      if (value > kMaxCount) FailAt(sReInvalidRange, i_);
      ++i_;
    }
  }

  int32_t ParseAtom(int32_t depth) {
    const size_t at = i_;
    const char c = p_[i_];
    switch (c) {
      case '(': {
        if (depth + 1 > kMaxGroupDepth) FailAt(sReTooManySubExpressions, at);
        ++i_;
        const int32_t child = ParseAlternation(depth + 1);
        if (!At(')')) FailAt(sReUnmatchedParenthesis, p_.size());
        ++i_;
        return CheckDepth(Group(child, static_cast<int32_t>(at) + 1), depth);
      }
      case '[': return ParseSet();
      case '"': return ParseQuoted();
      case '.': {
        ++i_;
        TByteTable t;
        t.fill(1);
        t['\r'] = 0;
        return SetLeaf(t);
      }
      case '^': ++i_; return Leaf(TReKind::LineStart, false);
      case '$': ++i_; return Leaf(TReKind::LineEnd, true);
      case '*': case '+': case '?': case '{': FailAt(sReInvalidRepeat, at);
      case '\\': {
        if (i_ + 1 >= p_.size()) FailAt(sReUnexpectedEnd, p_.size());
        const char e = p_[i_ + 1];
        if (e == 'd' || e == 'w' || e == 's' || e == 'D' || e == 'W' || e == 'S') {
          i_ += 2;
          return SetLeaf(ClassTable(e));
        }
        return CharLeaf(ReadEscape());
      }
      default: ++i_; return CharLeaf(static_cast<uint8_t>(c));
    }
  }

  int32_t CharLeaf(uint8_t c) {
    const int32_t n = Leaf(TReKind::Char, false);
    Node(n).Char = c;
    return n;
  }

  // A backslash escape at the position; leaves the position after it.
  uint8_t ReadEscape() {
    if (i_ + 1 >= p_.size()) FailAt(sReUnexpectedEnd, p_.size());
    const TEscape e = DecodeEscape(p_, i_ + 1, false);
    if (e.Status == TEscape::esHexDigitMissing) FailAt(sReHexDigitExpected, e.Next);
    i_ = e.Next;
    return e.Value;
  }

  // A character of a set or a quoted literal, escapes decoded.
  uint8_t ReadChar() {
    if (p_[i_] == '\\') return ReadEscape();
    return static_cast<uint8_t>(p_[i_++]);
  }

  int32_t ParseSet() {
    ++i_;
    const bool negated = At('^');
    if (negated) ++i_;
    TByteTable t{};
    bool any = false;
    for (;;) {
      if (AtEnd()) FailAt(sReUnmatchedBracket, p_.size());
      if (p_[i_] == ']') {
        if (!any) FailAt(sReUnmatchedBracket, i_);
        ++i_;
        break;
      }
      const uint8_t low = ReadChar();
      uint8_t high = low;
      if (At('-')) {
        ++i_;
        if (AtEnd()) FailAt(sReUnmatchedBracket, p_.size());
        if (p_[i_] == ']') FailAt(sReInvalidRange, i_);
        const size_t endAt = i_;
        high = ReadChar();
        if (high < low) FailAt(sReInvalidRange, endAt);
      }
      for (int c = low; c <= high; ++c) t[static_cast<size_t>(c)] = 1;
      any = true;
    }
    if (negated)
      for (uint8_t& v : t) v = !v;
    return SetLeaf(t);
  }

  int32_t ParseQuoted() {
    ++i_;
    std::string text;
    for (;;) {
      if (AtEnd()) FailAt(sReQuoteExpected, p_.size());
      if (p_[i_] == '"') {
        ++i_;
        break;
      }
      text.push_back(static_cast<char>(ReadChar()));
    }
    out_.Strings.push_back(std::move(text));
    const int32_t n = Leaf(TReKind::Quoted, out_.Strings.back().empty());
    Node(n).Index = static_cast<int32_t>(out_.Strings.size()) - 1;
    return n;
  }

  const std::string& p_;
  size_t i_ = 0;
  TReSyntax out_;
};

}  // namespace

TReSyntax ParseRePattern(const std::string& pattern) { return TPatternParser(pattern).Parse(); }

}  // namespace ql
