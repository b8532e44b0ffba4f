#include "services/ReProgram.h"

#include <algorithm>
#include <climits>

#include "services/ByteScan.h"

namespace ql {
namespace {

// Steps: at the top level (outside every group) each ordinary character, quoted literal, set
// and $ records the position where it matches, and so does each group each time it is
// entered; a repetition of a character, set or quoted literal records once, at its start.
// Steps inside a group are never kept, so none are recorded there.
class TReCompiler {
public:
  TReCompiler(const TReSyntax& syntax, TReProgram& program) : s_(syntax), p_(program) {}

  void Compile() {
    p_.Strings = s_.Strings;
    p_.Sets = s_.Sets;
    Emit(s_.Root, true);
    Add({TReOp::Match});
    SetFollows();
  }

private:
  const TReNode& Node(int32_t n) const { return s_.Nodes[static_cast<size_t>(n)]; }
  int32_t Here() const { return static_cast<int32_t>(p_.Code.size()); }
  int32_t Add(TReInstr in) {
    p_.Code.push_back(in);
    return Here() - 1;
  }
  void Step(bool top) {
    if (top) Add({TReOp::Step});
  }

  int32_t SetOfChar(uint8_t c) {
    TByteTable t{};
    t[c] = 1;
    p_.Sets.push_back(t);
    return static_cast<int32_t>(p_.Sets.size()) - 1;
  }

  void Emit(int32_t n, bool top) {
    const TReNode& node = Node(n);
    switch (node.Kind) {
      case TReKind::Char: {
        Step(top);
        TReInstr in{TReOp::Char};
        in.Char = node.Char;
        Add(in);
        return;
      }
      case TReKind::Quoted: {
        Step(top);
        TReInstr in{TReOp::String};
        in.Arg = node.Index;
        Add(in);
        return;
      }
      case TReKind::Set: {
        Step(top);
        TReInstr in{TReOp::Set};
        in.Arg = node.Index;
        Add(in);
        return;
      }
      case TReKind::LineStart: Add({TReOp::LineStart}); return;
      case TReKind::LineEnd: Step(top); Add({TReOp::LineEnd}); return;
      case TReKind::Group: Step(top); Emit(node.Children[0], false); return;
      case TReKind::Seq: EmitSequence(node, top); return;
      case TReKind::Alt: EmitAlternatives(node, top); return;
      case TReKind::Repeat: EmitRepeat(node, top); return;
    }
  }

  // Runs of ordinary characters become one string.
  void EmitSequence(const TReNode& node, bool top) {
    const auto& items = node.Children;
    for (size_t k = 0; k < items.size();) {
      size_t e = k;
      while (e < items.size() && Node(items[e]).Kind == TReKind::Char) ++e;
      if (e - k >= 2) {
        std::string run;
        for (size_t j = k; j < e; ++j) run.push_back(static_cast<char>(Node(items[j]).Char));
        p_.Strings.push_back(std::move(run));
        TReInstr in{TReOp::String};
        in.Arg = static_cast<int32_t>(p_.Strings.size()) - 1;
        in.StepEach = top;
        Add(in);
        k = e;
      } else {
        Emit(items[k], top);
        ++k;
      }
    }
  }

  void EmitAlternatives(const TReNode& node, bool top) {
    std::vector<int32_t> jumps;
    for (size_t k = 0; k < node.Children.size(); ++k) {
      int32_t split = -1;
      if (k + 1 < node.Children.size()) {
        split = Add({TReOp::Split});
        p_.Code[static_cast<size_t>(split)].Arg = Here();
      }
      Emit(node.Children[k], top);
      if (split >= 0) {
        jumps.push_back(Add({TReOp::Jump}));
        p_.Code[static_cast<size_t>(split)].Alt = Here();
      }
    }
    for (int32_t j : jumps) p_.Code[static_cast<size_t>(j)].Arg = Here();
  }

  void EmitRepeat(const TReNode& node, bool top) {
    const int32_t child = node.Children[0];
    const TReNode& c = Node(child);
    if (node.Min == 1 && node.Max == 1) {
      Emit(child, top);
      return;
    }
    if (c.Kind == TReKind::Char || c.Kind == TReKind::Set || c.Kind == TReKind::LineStart) {
      Step(top && c.Kind != TReKind::LineStart);
      TReInstr in{TReOp::RepeatSet};
      in.Arg = c.Kind == TReKind::Set ? c.Index : SetOfChar(c.Kind == TReKind::Char ? c.Char : '\r');
      in.Min = node.Min;
      in.Max = node.Max;
      Add(in);
      return;
    }
    // A quoted literal records once for the whole repetition; a group each time it is entered.
    const bool once = c.Kind == TReKind::Quoted;
    Step(top && once);
    const bool bodyTop = top && !once;
    if (node.Max == 0) return;
    if (node.Min == 0 && node.Max == 1) {
      const int32_t split = Add({TReOp::Split});
      p_.Code[static_cast<size_t>(split)].Arg = Here();
      Emit(child, bodyTop);
      p_.Code[static_cast<size_t>(split)].Alt = Here();
    } else if (node.Min == 0 && node.Max < 0) {
      const int32_t loop = Add({TReOp::Split});
      p_.Code[static_cast<size_t>(loop)].Arg = Here();
      Emit(child, bodyTop);
      TReInstr back{TReOp::Jump};
      back.Arg = loop;
      Add(back);
      p_.Code[static_cast<size_t>(loop)].Alt = Here();
    } else if (node.Min == 1 && node.Max < 0) {
      const int32_t body = Here();
      Emit(child, bodyTop);
      TReInstr again{TReOp::Split};
      again.Arg = body;
      again.Alt = Here() + 1;
      Add(again);
    } else {
      const int32_t counter = p_.Counters++;
      TReInstr reset{TReOp::CountReset};
      reset.Arg = counter;
      Add(reset);
      TReInstr test{TReOp::CountLoop};
      test.Arg = counter;
      test.Min = node.Min;
      test.Max = node.Max;
      const int32_t loop = Add(test);
      Emit(child, bodyTop);
      TReInstr next{TReOp::CountNext};
      next.Arg = counter;
      next.Alt = loop;
      Add(next);
      p_.Code[static_cast<size_t>(loop)].Alt = Here();
    }
  }

  // A character repetition directly followed by a character or string notes that character.
  void SetFollows() {
    for (size_t pc = 0; pc < p_.Code.size(); ++pc) {
      if (p_.Code[pc].Op != TReOp::RepeatSet) continue;
      size_t next = pc + 1;
      while (next < p_.Code.size() && p_.Code[next].Op == TReOp::Step) ++next;
      const TReInstr& in = p_.Code[next];
      if (in.Op == TReOp::Char) p_.Code[pc].Follow = in.Char;
      if (in.Op == TReOp::String && !p_.Strings[static_cast<size_t>(in.Arg)].empty())
        p_.Code[pc].Follow = static_cast<uint8_t>(p_.Strings[static_cast<size_t>(in.Arg)][0]);
    }
  }

  const TReSyntax& s_;
  TReProgram& p_;
};

// What an attempt's first character can be: the bytes, and whether the node can match without
// looking at the character at all (then the next node's bytes count too).
struct TFirst {
  TByteTable Bytes{};
  bool Transparent = true;
};

class TReAnalyser {
public:
  explicit TReAnalyser(const TReSyntax& syntax) : s_(syntax) {}

  TFirst First(int32_t n) const {
    const TReNode& node = Node(n);
    TFirst f;
    switch (node.Kind) {
      case TReKind::Char: f.Bytes[node.Char] = 1; f.Transparent = false; break;
      case TReKind::Quoted: {
        const std::string& text = s_.Strings[static_cast<size_t>(node.Index)];
        if (!text.empty()) {
          f.Bytes[static_cast<uint8_t>(text[0])] = 1;
          f.Transparent = false;
        }
        break;
      }
      case TReKind::Set: f.Bytes = s_.Sets[static_cast<size_t>(node.Index)]; f.Transparent = false; break;
      case TReKind::LineStart:
      case TReKind::LineEnd: f.Bytes['\r'] = 1; f.Transparent = false; break;
      case TReKind::Group: return First(node.Children[0]);
      case TReKind::Seq:
        for (int32_t item : node.Children) {
          const TFirst g = First(item);
          Merge(f.Bytes, g.Bytes);
          if (!g.Transparent) {
            f.Transparent = false;
            break;
          }
        }
        break;
      case TReKind::Alt:
        f.Transparent = false;
        for (int32_t item : node.Children) {
          const TFirst g = First(item);
          Merge(f.Bytes, g.Bytes);
          f.Transparent = f.Transparent || g.Transparent;
        }
        break;
      case TReKind::Repeat:
        if (node.Max != 0) f = First(node.Children[0]);
        f.Transparent = f.Transparent || node.Min == 0;
        break;
    }
    return f;
  }

  // The number of characters every match of the node takes, or -1 when it varies.
  int64_t Width(int32_t n) const {
    const TReNode& node = Node(n);
    switch (node.Kind) {
      case TReKind::Char:
      case TReKind::Set:
      case TReKind::LineStart: return 1;
      case TReKind::LineEnd: return 0;
      case TReKind::Quoted: return static_cast<int64_t>(s_.Strings[static_cast<size_t>(node.Index)].size());
      case TReKind::Group: return Width(node.Children[0]);
      case TReKind::Seq: {
        int64_t sum = 0;
        for (int32_t item : node.Children) {
          const int64_t w = Width(item);
          if (w < 0) return -1;
          sum += w;
          if (sum > INT32_MAX) return -1;
        }
        return sum;
      }
      case TReKind::Alt: {
        int64_t common = -2;
        for (int32_t item : node.Children) {
          const int64_t w = Width(item);
          if (w < 0 || (common != -2 && w != common)) return -1;
          common = w;
        }
        return common;
      }
      case TReKind::Repeat: {
        if (node.Min != node.Max) return -1;
        const int64_t w = Width(node.Children[0]);
        if (w < 0 || (node.Min != 0 && w > INT32_MAX / node.Min)) return -1;
        return w * node.Min;
      }
    }
    return -1;
  }

  // The best literal at a fixed distance from the attempt's start, from the pattern's leading
  // sequence: the one whose rarest byte is rarest, the longer one on a tie.
  void FindLiteral(std::string& literal, int32_t& offset) const {
    int32_t n = s_.Root;
    while (Node(n).Kind == TReKind::Group) n = Node(n).Children[0];
    const std::vector<int32_t> single{n};
    const std::vector<int32_t>& items = Node(n).Kind == TReKind::Seq ? Node(n).Children : single;

    int bestRank = INT_MAX;
    int64_t at = 0;
    std::string run;
    int64_t runAt = 0;
    auto flush = [&] {
      if (run.empty()) return;
      int rank = INT_MAX;
      for (char c : run) rank = std::min(rank, ByteCommonness(static_cast<uint8_t>(c)));
      if (rank < bestRank || (rank == bestRank && run.size() > literal.size())) {
        bestRank = rank;
        literal = run;
        offset = static_cast<int32_t>(runAt);
      }
      run.clear();
    };
    for (int32_t item : items) {
      const TReNode& node = Node(item);
      if (node.Kind == TReKind::Char || node.Kind == TReKind::Quoted) {
        if (run.empty()) runAt = at;
        if (node.Kind == TReKind::Char) run.push_back(static_cast<char>(node.Char));
        else run += s_.Strings[static_cast<size_t>(node.Index)];
        at = runAt + static_cast<int64_t>(run.size());
        continue;
      }
      flush();
      const int64_t w = Width(item);
      if (w < 0 || at + w > INT32_MAX / 2) break;
      at += w;
    }
    if (at <= INT32_MAX / 2) flush();
  }

private:
  const TReNode& Node(int32_t n) const { return s_.Nodes[static_cast<size_t>(n)]; }
  static void Merge(TByteTable& into, const TByteTable& from) {
    for (size_t c = 0; c < 256; ++c) into[c] = static_cast<uint8_t>(into[c] | from[c]);
  }

  const TReSyntax& s_;
};

}  // namespace

TReProgram CompileRePattern(const TReSyntax& syntax) {
  TReProgram program;
  TReCompiler(syntax, program).Compile();

  const TReAnalyser analyser(syntax);
  std::string literal;
  analyser.FindLiteral(literal, program.LiteralOffset);
  program.Literal.Prepare(literal, true);
  const TFirst first = analyser.First(syntax.Root);
  program.FirstBytes = first.Bytes;
  program.AnyFirst = first.Transparent || std::all_of(first.Bytes.begin(), first.Bytes.end(), [](uint8_t b) { return b != 0; });
  return program;
}

}  // namespace ql
