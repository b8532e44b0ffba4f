#pragma once
// The compiled form of a search pattern: a program for the backtracking matcher, and what a
// search can skip by: a literal that every match holds at a fixed distance from where the
// attempt starts, or the bytes an attempt can start on.
#include <cstdint>
#include <string>
#include <vector>

#include "services/LiteralScan.h"
#include "services/ReSyntax.h"

namespace ql {

enum class TReOp : uint8_t {
  Char,        // the character Char
  String,      // Strings[Arg]; with StepEach a step at each of its characters
  Set,         // a character of Sets[Arg]
  LineStart,   // a CR
  LineEnd,     // the position before a CR
  Step,        // records the position as the next step
  Split,       // goes on at Arg; on failure at Alt
  Jump,        // goes on at Arg
  RepeatSet,   // Min to Max (< 0: no limit) characters of Sets[Arg], greedy; with Follow >= 0
               // only counts after which that character follows are tried
  CountReset,  // counter Arg := 0
  CountLoop,   // counter Arg below Min: into the body; below Max: into the body, on failure
               // at Alt; otherwise at Alt
  CountNext,   // counter Arg + 1, then at Alt (the CountLoop)
  Match,       // the end of a match
};

struct TReInstr {
  TReOp Op = TReOp::Match;
  bool StepEach = false;
  uint8_t Char = 0;
  int16_t Follow = -1;
  int32_t Arg = 0;
  int32_t Alt = 0;
  int32_t Min = 0;
  int32_t Max = 0;
};

struct TReProgram {
  std::vector<TReInstr> Code;
  std::vector<std::string> Strings;
  std::vector<TByteTable> Sets;
  int32_t Counters = 0;

  // When not empty: every match attempted at p holds Literal at p + LiteralOffset.
  TLiteral Literal;
  int32_t LiteralOffset = 0;
  // Attempts can only succeed where the character is one of FirstBytes, unless AnyFirst.
  TByteTable FirstBytes{};
  bool AnyFirst = true;
};

TReProgram CompileRePattern(const TReSyntax& syntax);

}  // namespace ql
