#pragma once
// Helpers of the script reader tests: read a script to its tokens or to its first error.
#include <string>

#include "highlight/SYM_Compiler.h"
#include "toolkit/Exception.h"
#include "toolkit/MemoryStream.h"

namespace ql::test {

// Every token of script, separated by blanks: keywords by their spelling, numbers in decimal,
// strings as 'raw text', unknown identifiers as ?name and unknown characters as #$hh.
inline std::string Tokens(const std::string& script, const std::string& includeDir = "") {
  TMemoryView in(script);
  TSYM_Compiler reader(in, includeDir);
  std::string out;
  for (TTokenCode t; (t = reader.NextToken()) != tkEndOfInput;) {
    if (!out.empty()) out += ' ';
    switch (t) {
      case tkNumber: out += std::to_string(reader.NumberValue()); break;
      case tkString: out += "'" + reader.RawString() + "'"; break;
      case tkUnknownIdentifier: out += "?" + reader.UnknownIdentifier(); break;
      case tkUnknownChar: out += Format("#$%.2x", reader.UnknownChar()); break;
      default: out += TokenCodeText(t); break;
    }
  }
  return out;
}

// The message of the first compile error met while reading every token through GetToken, or
// "" when the script reads to its end.
inline std::string FirstError(const std::string& script, const std::string& includeDir = "") {
  TMemoryView in(script);
  try {
    TSYM_Compiler reader(in, includeDir);
    while (reader.GetToken() != tkEndOfInput) {
    }
  } catch (const ESYM_COMP_ERROR& e) {
    return e.Message;
  }
  return "";
}

}  // namespace ql::test
