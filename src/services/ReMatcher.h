#pragma once
// The backtracking matcher of a compiled pattern. It keeps its choices on a stack of its own
// (no recursion), reads the rows in place through a row cursor, and gives up with an error
// when an attempt or a search takes more steps than its budget or its stack grows too large.
#include <cstdint>
#include <vector>

#include "services/ReProgram.h"

namespace ql {

class TRowCursor;

struct TReLimits {
  int64_t Work = 0;          // instructions and characters the search may spend in all
  int64_t AttemptWork = 0;   // ... in one attempt
  size_t Choices = 0;        // choices the stack may hold
};

class TReMatcher {
public:
  static constexpr int32_t kMaxSteps = 256;

  explicit TReMatcher(const TReProgram& program);

  // Starts a search over text with the given limits; without allowEmpty a match must take at
  // least one character.
  void Begin(TRowCursor& text, const TReLimits& limits, bool allowEmpty);
  // Tries a match starting at start (0 <= start < the text's length). Raises EREParserError
  // ("Expression too complex", "Out of memory") when a limit is passed.
  bool MatchAt(int32_t start);

  // After a match: the first kMaxSteps recorded positions, how many steps were recorded in all,
  // and where the match ends.
  int32_t Steps[kMaxSteps] = {};
  int32_t StepCount = 0;
  int32_t End = 0;

private:
  enum class TChoice : uint8_t { Alternative, Repetition, Counter };
  struct TBacktrack {
    TChoice Kind;
    int32_t Pc;     // Counter: the counter
    int32_t Pos;    // Repetition: where it starts
    int32_t Steps;  // Counter: the value to restore
    int32_t Count;  // Repetition: characters now taken
  };

  bool StringAt(const std::string& s, int32_t pos);
  // Characters of set from pos on, at most max.
  int32_t CountRun(const TByteTable& set, int32_t pos, int32_t max);
  // The largest count in min..count after which follow stands, or -1.
  int32_t FollowedCount(int32_t pos, int32_t count, int32_t min, int32_t follow);
  void Push(const TBacktrack& b);
  // Pops to the latest choice and sets pc and pos from it; false when none is left.
  bool Backtrack(int32_t& pc, int32_t& pos);
  [[noreturn]] void TooComplex();

  const TReProgram& program_;
  TRowCursor* text_ = nullptr;
  int32_t length_ = 0;
  bool allowEmpty_ = true;
  std::vector<TBacktrack> stack_;
  std::vector<int32_t> counters_;
  TReLimits limits_;
  int64_t work_ = 0;
  int64_t searchLimit_ = 0;
  int64_t limit_ = 0;  // the lower of the search's and this attempt's limit
};

}  // namespace ql
