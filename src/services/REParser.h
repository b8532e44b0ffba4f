#pragma once
// The regular-expression engine of an editor's search: compiles a pattern of the search
// dialect (see ReSyntax.h) and searches a row store for it, reading the rows in place. A match
// records step positions; its bounds and the %N references of replacements come from them.
#include <cstdint>
#include <memory>
#include <string>

#include "toolkit/StringTable.h"

namespace ql {

class TEdStream;
class TRowCursor;
class TReMatcher;
struct TReProgram;

class TREParser {
public:
  TREParser();
  ~TREParser();
  TREParser(const TREParser&) = delete;
  TREParser& operator=(const TREParser&) = delete;

  // True at once when text is the pattern compiled last and not empty. Otherwise compiles text:
  // on success it becomes the last pattern; on failure ErrorCode and ErrorPos tell why and
  // where, the last pattern is emptied, no pattern is left compiled, and the result is false.
  bool SetPattern(const std::string& text);
  const std::string& LastPattern() const { return lastPattern_; }

  // Searches for the compiled pattern from start. Forward, attempts run from start to the last
  // character of the text; backward, from the character before start down to the first. The
  // nearest start at which the pattern matches gives the match; true when there is one. Without
  // allowEmpty, matches of no characters are passed over as if the pattern failed there.
  // Raises EREParserError (its code also in ErrorCode): "Invalid parameter" without a compiled
  // pattern, "Expression too complex" when the search runs out of its budget of steps, "Out of
  // memory" when it holds too many choices at once.
  bool Search(TRowCursor& text, int32_t start, bool forward, bool allowEmpty = true);
  // The same from a character stream's position in its store; the stream is not moved.
  bool SearchStream(TEdStream& stream, bool forward);

  // Position i of the last match (0 its start), -1 where nothing was recorded, and the end of
  // the match at i = StepCount(). Raises EREParserError "Index range error" for i outside 0..255.
  int32_t StepPosition(int32_t i) const;
  // Steps recorded by the last match, its end not counted (may exceed 255 for long patterns;
  // only the first 256 positions are kept).
  int32_t StepCount() const { return stepCount_; }
  int32_t MatchStart() const { return StepPosition(0); }
  int32_t MatchEnd() const { return matchEnd_; }

  int32_t ErrorCode = sReNoErrors;
  int32_t ErrorPos = 0;

  // The work a search may spend: instructions run plus characters scanned, in all
  // (PerSearch + PerCharacter for each position the search may cover) and in one attempt.
  int64_t PerSearchBudget = 16'000'000;
  int64_t PerCharacterBudget = 64;
  int64_t PerAttemptBudget = 8'000'000;
  // Choices the matcher may hold at once (each of a few words).
  size_t MaxChoices = size_t{1} << 21;

private:
  bool Attempt(int32_t start);
  bool SearchLiteral(TRowCursor& text, int32_t lo, int32_t hi, bool forward);
  bool SearchFirstBytes(TRowCursor& text, int32_t lo, int32_t hi, bool forward);

  std::string lastPattern_;
  std::unique_ptr<TReProgram> program_;
  std::unique_ptr<TReMatcher> matcher_;
  int32_t steps_[256];
  int32_t stepCount_ = 0;
  int32_t matchEnd_ = -1;
};

}  // namespace ql
