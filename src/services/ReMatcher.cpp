#include "services/ReMatcher.h"

#include <algorithm>
#include <climits>
#include <cstring>

#include "services/RowCursor.h"
#include "services/SearchErrors.h"
#include "toolkit/StringTable.h"

namespace ql {

TReMatcher::TReMatcher(const TReProgram& program) : program_(program) {
  counters_.assign(static_cast<size_t>(program.Counters), 0);
}

void TReMatcher::Begin(TRowCursor& text, const TReLimits& limits, bool allowEmpty) {
  text_ = &text;
  allowEmpty_ = allowEmpty;
  length_ = text.TextLength();
  limits_ = limits;
  work_ = 0;
  searchLimit_ = limits.Work;
}

void TReMatcher::TooComplex() { throw EREParserError(sReTooComplex, 0); }

void TReMatcher::Push(const TBacktrack& b) {
  if (stack_.size() >= limits_.Choices) throw EREParserError(sReOutOfMemory, 0);
  stack_.push_back(b);
}

bool TReMatcher::StringAt(const std::string& s, int32_t pos) {
  const int32_t n = static_cast<int32_t>(s.size());
  if (n > length_ - pos) return false;
  if (n == 0) return true;
  TRowCursor& t = *text_;
  if (pos >= t.RowStart() && pos + n <= t.RowEnd())
    return std::memcmp(t.Data() + (pos - t.RowStart()), s.data(), static_cast<size_t>(n)) == 0;
  for (int32_t k = 0; k < n; ++k)
    if (t.At(pos + k) != static_cast<uint8_t>(s[static_cast<size_t>(k)])) return false;
  return true;
}

int32_t TReMatcher::CountRun(const TByteTable& set, int32_t pos, int32_t max) {
  TRowCursor& t = *text_;
  const int32_t stop = static_cast<int32_t>(std::min<int64_t>(length_, int64_t{pos} + max));
  int32_t i = pos;
  while (i < stop) {
    t.Seek(i);
    const uint8_t* d = t.Data();
    const int32_t base = t.RowStart();
    const int32_t end = std::min(stop, t.RowEnd());
    while (i < end && set[d[i - base]]) ++i;
    if (i < end) break;
  }
  work_ += (i - pos) >> 4;
  return i - pos;
}

int32_t TReMatcher::FollowedCount(int32_t pos, int32_t count, int32_t min, int32_t follow) {
  for (; count >= min; --count) {
    ++work_;
    if (pos + count < length_ && text_->At(pos + count) == follow) return count;
  }
  return -1;
}

bool TReMatcher::Backtrack(int32_t& pc, int32_t& pos) {
  while (!stack_.empty()) {
    TBacktrack& b = stack_.back();
    switch (b.Kind) {
      case TChoice::Counter:
        counters_[static_cast<size_t>(b.Pc)] = b.Steps;
        stack_.pop_back();
        continue;
      case TChoice::Alternative:
        pc = b.Pc;
        pos = b.Pos;
        StepCount = b.Steps;
        stack_.pop_back();
        return true;
      case TChoice::Repetition: {
        const TReInstr& in = program_.Code[static_cast<size_t>(b.Pc)];
        int32_t count = b.Count - 1;
        if (in.Follow >= 0) count = FollowedCount(b.Pos, count, in.Min, in.Follow);
        if (count < in.Min) {
          stack_.pop_back();
          continue;
        }
        pc = b.Pc + 1;
        pos = b.Pos + count;
        StepCount = b.Steps;
        if (count > in.Min) b.Count = count;
        else stack_.pop_back();
        return true;
      }
    }
  }
  return false;
}

bool TReMatcher::MatchAt(int32_t start) {
  stack_.clear();
  StepCount = 0;
  limit_ = std::min(searchLimit_, work_ + limits_.AttemptWork);
  int32_t pc = 0;
  int32_t pos = start;
  TRowCursor& t = *text_;
  const TReInstr* code = program_.Code.data();
  for (;;) {
    if (++work_ > limit_) TooComplex();
    const TReInstr& in = code[pc];
    bool ok = true;
    switch (in.Op) {
      case TReOp::Char:
        ok = pos < length_ && t.At(pos) == in.Char;
        if (ok) ++pos, ++pc;
        break;
      case TReOp::String: {
        const std::string& s = program_.Strings[static_cast<size_t>(in.Arg)];
        ok = StringAt(s, pos);
        if (!ok) break;
        if (in.StepEach) {
          for (int32_t k = 0; k < static_cast<int32_t>(s.size()); ++k, ++StepCount)
            if (StepCount < kMaxSteps) Steps[StepCount] = pos + k;
        }
        pos += static_cast<int32_t>(s.size());
        ++pc;
        work_ += static_cast<int64_t>(s.size() >> 4);
        break;
      }
      case TReOp::Set:
        ok = pos < length_ && program_.Sets[static_cast<size_t>(in.Arg)][t.At(pos)];
        if (ok) ++pos, ++pc;
        break;
      case TReOp::LineStart:
        ok = pos < length_ && t.At(pos) == '\r';
        if (ok) ++pos, ++pc;
        break;
      case TReOp::LineEnd:
        ok = pos < length_ && t.At(pos) == '\r';
        if (ok) ++pc;
        break;
      case TReOp::Step:
        if (StepCount < kMaxSteps) Steps[StepCount] = pos;
        if (StepCount == INT32_MAX) TooComplex();
        ++StepCount;
        ++pc;
        break;
      case TReOp::Split:
        Push({TChoice::Alternative, in.Alt, pos, StepCount, 0});
        pc = in.Arg;
        break;
      case TReOp::Jump: pc = in.Arg; break;
      case TReOp::RepeatSet: {
        const int32_t max = in.Max < 0 ? INT32_MAX : in.Max;
        int32_t count = CountRun(program_.Sets[static_cast<size_t>(in.Arg)], pos, max);
        if (in.Follow >= 0 && count >= in.Min) count = FollowedCount(pos, count, in.Min, in.Follow);
        ok = count >= in.Min;
        if (!ok) break;
        if (count > in.Min) Push({TChoice::Repetition, pc, pos, StepCount, count});
        pos += count;
        ++pc;
        break;
      }
      case TReOp::CountReset:
        Push({TChoice::Counter, in.Arg, 0, counters_[static_cast<size_t>(in.Arg)], 0});
        counters_[static_cast<size_t>(in.Arg)] = 0;
        ++pc;
        break;
      case TReOp::CountLoop: {
        const int32_t c = counters_[static_cast<size_t>(in.Arg)];
        if (c < in.Min) {
          ++pc;
        } else if (in.Max < 0 || c < in.Max) {
          Push({TChoice::Alternative, in.Alt, pos, StepCount, 0});
          ++pc;
        } else {
          pc = in.Alt;
        }
        break;
      }
      case TReOp::CountNext: {
        int32_t& c = counters_[static_cast<size_t>(in.Arg)];
        Push({TChoice::Counter, in.Arg, 0, c, 0});
        ++c;
        pc = in.Alt;
        break;
      }
      case TReOp::Match:
        ok = allowEmpty_ || (StepCount > 0 ? Steps[0] : pos) != pos;
        if (ok) {
          End = pos;
          return true;
        }
        break;
    }
    if (!ok && !Backtrack(pc, pos)) return false;
  }
}

}  // namespace ql
