#pragma once
// What an editor's search found: nothing, a match (its start and length, and for a regular
// expression the engine whose steps describe it), or a pattern that could not be searched for.
#include <cstdint>

namespace ql {

class TREParser;

struct TFindResult {
  enum TStatus : uint8_t { fsNotFound, fsFound, fsPatternError };

  TStatus Status = fsNotFound;
  int32_t Start = -1;
  int32_t Length = 0;
  const TREParser* Engine = nullptr;  // a regular-expression match: read its steps here

  static TFindResult Found(int32_t start, int32_t length, const TREParser* engine = nullptr) {
    return {fsFound, start, length, engine};
  }
  static TFindResult PatternError(const TREParser* engine) { return {fsPatternError, -1, 0, engine}; }

  explicit operator bool() const { return Status == fsFound; }
};

}  // namespace ql
