// The rules the scanner runs after a keyword or at a first character: handler runs, token-table
// continuation loops, end sequences and `match` units.
#include "highlight/CustomInkMemoParser.h"
#include "highlight/HandlerCodes.h"
#include "highlight/StandardHandlers.h"
#include "textmodel/EdStream.h"

namespace ql {

// An end sequence with its groups looked up once per run.
struct TCustomInkMemoParser::TEnd {
  const TEndSequence& Seq;
  const TSM_CharGroup* Groups[TEndSequence::MaxGroups] = {};
};

bool TCustomInkMemoParser::RunHandler(const THandlerEntry& h, TEdStream& s, int32_t start, int32_t& value) {
  return RunRounds(h.Start, h.Repeat, h.End, s, start, value);
}

bool TCustomInkMemoParser::RunContinuation(const TTokenEntry& e, TEdStream& s, int32_t start, int32_t& value) {
  // A match continuation gives the piece the value OnCustomParse leaves, 0 when it sets none.
  value = e.Continuation.Kind == ukMatch ? 0 : e.Value;
  return RunRounds(e.Continuation, e.Repeat, e.End, s, start, value);
}

bool TCustomInkMemoParser::RunRounds(const TScanUnit& unit, bool repeat, const TEndSequence& endSeq, TEdStream& s,
                                     int32_t start, int32_t& value) {
  // A standard handler is applied once and completes the piece.
  if (unit.Kind == ukHandler && IsStandardHandlerCode(unit.Code)) return RunStandardHandler(unit.Code, s, start);

  TEnd end{endSeq};
  if (endSeq.Kind == ekGroups) {
    for (int32_t i = 0; i < endSeq.GroupCount && i < TEndSequence::MaxGroups; ++i)
      end.Groups[i] = &tables_->Group(endSeq.Groups[static_cast<size_t>(i)]);
  }
  const TSM_CharGroup* group = unit.Kind == ukGroup ? &tables_->Group(unit.Group) : nullptr;
  const bool hasEnd = endSeq.Kind != ekNone;

  // The end check is armed before the first unit with the repeat flag, else from the second round.
  bool armed = repeat;

  if (group != nullptr && (!hasEnd || (endSeq.Kind == ekGroups && endSeq.GroupCount > 0))) {
    // The common form, a group unit with a group end, looks at each character once: the end
    // test runs only where its first group matches.
    const TSM_CharGroup* endFirst = hasEnd ? end.Groups[0] : nullptr;
    for (;;) {
      if (s.AtEnd()) return true;
      const uint8_t c = s.PeekChar();
      if (armed && endFirst != nullptr && endFirst->Contains(c) && EndFound(end, s, start, value)) return true;
      if (group->Contains(c)) {
        s.NextChar();
        if (!hasEnd) return true;
      } else if (armed || !hasEnd) {
        return false;
      }
      armed = true;
    }
  }

  for (;;) {
    if (s.AtEnd()) return true;  // the piece is what was found up to the end of the text
    if (armed && hasEnd && EndFound(end, s, start, value)) return true;
    const int32_t before = s.CharPos();
    if (ApplyUnit(unit, group, s, start, value)) {
      // Complete after one unit without an end sequence; a unit that consumed nothing would
      // repeat for ever, so it completes the piece too.
      if (!hasEnd || s.CharPos() <= before) return true;
    } else if (armed || !hasEnd) {
      return false;
    }
    armed = true;
  }
}

bool TCustomInkMemoParser::EndFound(const TEnd& end, TEdStream& s, int32_t start, int32_t value) {
  switch (end.Seq.Kind) {
    case ekGroups: {
      const int32_t from = s.CharPos();
      for (int32_t i = 0; i < end.Seq.GroupCount && i < TEndSequence::MaxGroups; ++i) {
        if (s.AtEnd() || !end.Groups[i]->Contains(s.PeekChar())) {
          if (i > 0) s.SetCharPos(from);
          return false;
        }
        s.NextChar();
      }
      if (!end.Seq.Use) s.SetCharPos(from);
      return true;
    }
    case ekHandler: return RunStandardHandler(end.Seq.Code, s, start);
    case ekMatch: return CallMatch(end.Seq.Code, s, start, value);  // the piece keeps its value
    case ekNone: break;
  }
  return false;
}

bool TCustomInkMemoParser::ApplyUnit(const TScanUnit& unit, const TSM_CharGroup* group, TEdStream& s, int32_t start,
                                     int32_t& value) {
  switch (unit.Kind) {
    case ukGroup:
      if (s.AtEnd() || !group->Contains(s.PeekChar())) return false;
      s.NextChar();
      return true;
    case ukHandler: return RunStandardHandler(unit.Code, s, start);
    case ukMatch: return CallMatch(unit.Code, s, start, value);
  }
  return false;
}

bool TCustomInkMemoParser::CallMatch(int32_t id, TEdStream& s, int32_t start, int32_t& value) {
  if (!OnCustomParse || InDesignMode()) return false;
  const int32_t from = s.CharPos();
  int32_t kLength = from - start;
  int32_t kValue = value;
  if (OnCustomParse(*this, id, s, kLength, kValue)) {
    value = static_cast<uint8_t>(kValue);
    return true;
  }
  s.SetCharPos(from);
  return false;
}

}  // namespace ql
