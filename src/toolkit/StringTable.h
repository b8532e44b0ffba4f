#pragma once
// The program's string table: user-visible texts of the editor component looked up by number.
#include <cstdint>
#include <string>

namespace ql {

// Ids of the table's entries. Action names are sActionNameBase + action code.
enum TStringId : int32_t {
  sActionNameBase = 4146,
  // Messages of the regular-expression engine, in this order.
  sReNoErrors = 4246,
  sReNotFound,
  sReInvalidParameter,
  sReOutOfMemory,
  sReTooManySubExpressions,
  sReUnmatchedParenthesis,
  sReInvalidRepeat,
  sReNestedRepeat,
  sReInvalidRange,
  sReUnmatchedBracket,
  sReHexDigitExpected,
  sReUnexpectedEnd,
  sReQuoteExpected,
  sReIndexRange,
  sReInternalError,
  // The two halves of the message of a search that found nothing.
  sSearchString = 4261,
  sSearchNotFound = 4262,
  // A search that ran out of its step budget.
  sReTooComplex = 4263,
  // The question of replace with confirmation: the search text and its replacement.
  sReplaceThisOccurence = 4264,
};

// The text of an entry; the empty string for an id the table does not hold.
const std::string& LoadStr(int32_t id);
// True when the table holds the id.
bool HasStr(int32_t id);

}  // namespace ql
