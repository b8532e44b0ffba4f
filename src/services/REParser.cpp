#include "services/REParser.h"

#include <algorithm>
#include <cstring>

#include "services/ByteScan.h"
#include "services/ReMatcher.h"
#include "services/ReProgram.h"
#include "services/ReSyntax.h"
#include "services/RowCursor.h"
#include "services/SearchErrors.h"
#include "textmodel/EdStream.h"
#include "textmodel/TextStore.h"

namespace ql {

TREParser::TREParser() = default;
TREParser::~TREParser() = default;

bool TREParser::SetPattern(const std::string& text) {
  if (!text.empty() && text == lastPattern_ && program_ != nullptr) return true;
  lastPattern_ = text;
  ErrorCode = sReNoErrors;
  ErrorPos = 0;
  matcher_.reset();
  program_.reset();
  try {
    program_ = std::make_unique<TReProgram>(CompileRePattern(ParseRePattern(text)));
    matcher_ = std::make_unique<TReMatcher>(*program_);
    return true;
  } catch (const EREParserError& e) {
    ErrorCode = e.Code;
    ErrorPos = e.Position;
    lastPattern_.clear();
    return false;
  }
}

int32_t TREParser::StepPosition(int32_t i) const {
  if (i < 0 || i >= TReMatcher::kMaxSteps) throw EREParserError(sReIndexRange, 0);
  if (i == stepCount_) return matchEnd_;
  return i < stepCount_ ? steps_[i] : -1;
}

bool TREParser::Attempt(int32_t start) {
  if (!matcher_->MatchAt(start)) return false;
  stepCount_ = matcher_->StepCount;
  std::memcpy(steps_, matcher_->Steps, sizeof(int32_t) * static_cast<size_t>(std::min(stepCount_, TReMatcher::kMaxSteps)));
  matchEnd_ = matcher_->End;
  return true;
}

bool TREParser::SearchLiteral(TRowCursor& text, int32_t lo, int32_t hi, bool forward) {
  TLiteralScan scan(program_->Literal, text);
  const int32_t offset = program_->LiteralOffset;
  scan.Start((forward ? lo : hi) + offset, forward);
  for (int32_t found; (found = scan.Next()) >= 0;) {
    const int32_t p = found - offset;
    if (forward ? p > hi : p < lo) break;
    scan.PlaceCursor();
    if (Attempt(p)) return true;
  }
  return false;
}

bool TREParser::SearchFirstBytes(TRowCursor& text, int32_t lo, int32_t hi, bool forward) {
  const TByteTable& first = program_->FirstBytes;
  const bool any = program_->AnyFirst;
  // One or two first bytes are found with the byte scan.
  int members = 0;
  uint8_t a = 0, b = 0;
  for (int c = 0; c < 256; ++c)
    if (first[static_cast<size_t>(c)]) (members++ == 0 ? a : b) = static_cast<uint8_t>(c);
  if (members == 1) b = a;
  const bool scanBytes = !any && members <= 2;

  if (forward) {
    for (int32_t p = lo; p <= hi;) {
      text.Seek(p);
      if (!any) {
        const uint8_t* d = text.Data();
        const int32_t base = text.RowStart();
        const int32_t end = std::min(text.RowEnd(), hi + 1);
        if (scanBytes) {
          const ptrdiff_t k = FindEitherByte(d + (p - base), static_cast<size_t>(end - p), a, b);
          p = k < 0 ? end : p + static_cast<int32_t>(k);
        } else {
          while (p < end && !first[d[p - base]]) ++p;
        }
        if (p == end) continue;
      }
      if (Attempt(p)) return true;
      ++p;
    }
  } else {
    for (int32_t p = hi; p >= lo;) {
      text.Seek(p);
      if (!any) {
        const uint8_t* d = text.Data();
        const int32_t base = text.RowStart();
        const int32_t begin = std::max(base, lo);
        if (scanBytes) {
          const ptrdiff_t k = FindEitherByteBack(d + (begin - base), static_cast<size_t>(p + 1 - begin), a, b);
          p = k < 0 ? begin - 1 : begin + static_cast<int32_t>(k);
        } else {
          while (p >= begin && !first[d[p - base]]) --p;
        }
        if (p < begin) continue;
      }
      if (Attempt(p)) return true;
      --p;
    }
  }
  return false;
}

bool TREParser::Search(TRowCursor& text, int32_t start, bool forward, bool allowEmpty) {
  ErrorCode = sReNoErrors;
  ErrorPos = 0;
  if (program_ == nullptr) {
    ErrorCode = sReInvalidParameter;
    throw EREParserError(sReInvalidParameter, 0);
  }
  const int32_t length = text.TextLength();
  const int32_t lo = forward ? std::max(start, 0) : 0;
  const int32_t hi = forward ? length - 1 : std::min(start, length) - 1;
  if (lo > hi) return false;
  TReLimits limits;
  limits.Work = PerSearchBudget + PerCharacterBudget * (int64_t{hi} - lo + 1);
  limits.AttemptWork = PerAttemptBudget;
  limits.Choices = MaxChoices;
  matcher_->Begin(text, limits, allowEmpty);
  try {
    return program_->Literal.Length() > 0 ? SearchLiteral(text, lo, hi, forward)
                                          : SearchFirstBytes(text, lo, hi, forward);
  } catch (const EREParserError& e) {
    ErrorCode = e.Code;
    ErrorPos = e.Position;
    throw;
  }
}

bool TREParser::SearchStream(TEdStream& stream, bool forward) {
  TTextStore* store = stream.Store();
  if (store == nullptr) {
    TTextStore empty;
    TRowCursor nothing(empty);
    return Search(nothing, 0, forward);  // raises without a pattern, like any search
  }
  TRowCursor text(*store);
  if (stream.Row() != nullptr) text.Place(stream.Row(), stream.CharPos() - stream.OffsetInRow());
  return Search(text, stream.CharPos(), forward);
}

}  // namespace ql
