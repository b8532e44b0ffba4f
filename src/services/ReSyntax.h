#pragma once
// The syntax tree of a search pattern, and the parser that builds it.
//
// Dialect: ordinary characters; "text" (a quoted literal, escapes allowed); . (any character but
// CR); [set] and [^set] with ranges; \d \w \s \D \W \S; backslash escapes; ^ (consumes a CR);
// $ (before a CR); (groups), at most 9 deep; x* x+ x? x{n} x{n,} x{,m} x{n,m}, greedy;
// r1|r2 alternatives; r1||r2 both in either order, the second optional.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace ql {

// A set of byte values: 1 for a member, 0 otherwise.
using TByteTable = std::array<uint8_t, 256>;

constexpr int32_t kMaxGroupDepth = 9;

enum class TReKind : uint8_t {
  Char,       // one ordinary character
  Quoted,     // a quoted literal: Index into Strings
  Set,        // one character of Sets[Index] (., [..], \d and the like)
  LineStart,  // ^: a CR, consumed
  LineEnd,    // $: before a CR
  Group,      // ( Children[0] )
  Seq,        // Children one after the other (none: the empty string)
  Alt,        // one of Children, tried in order
  Repeat,     // Children[0], Min to Max times (Max < 0: no limit), greedy
};

struct TReNode {
  TReKind Kind = TReKind::Seq;
  uint8_t Char = 0;
  int32_t Index = -1;
  std::vector<int32_t> Children;
  int32_t Min = 1;
  int32_t Max = 1;
  int32_t Height = 0;           // groups nested in this node, its own included
  int32_t DeepestGroupPos = 0;  // 1-based pattern position of the "(" of its deepest group
  bool Nullable = true;         // can match the empty string
};

// Nodes refer to each other by index; a node may be referred to more than once (the either-
// order form uses both sides twice).
struct TReSyntax {
  std::vector<TReNode> Nodes;
  std::vector<std::string> Strings;
  std::vector<TByteTable> Sets;
  int32_t Root = -1;
};

// Parses a pattern. Raises EREParserError with the message id and the 1-based position of the
// error (one past the end for a pattern that ends too soon, 0 for an empty pattern).
TReSyntax ParseRePattern(const std::string& pattern);

}  // namespace ql
