#include "toolkit/StringTable.h"

#include <unordered_map>

namespace ql {
namespace {

struct TStringEntry {
  int32_t id;
  const char* text;
};

// Entries in ascending id order, grouped by the part of the program that shows them.
constexpr TStringEntry kStrings[] = {
    // Names of the keyboard action codes 0..47.
    {sActionNameBase + 0, "Cursor left"},
    {sActionNameBase + 1, "Cursor right"},
    {sActionNameBase + 2, "Line start"},
    {sActionNameBase + 3, "Line end"},
    {sActionNameBase + 4, "Up one line"},
    {sActionNameBase + 5, "Down one line"},
    {sActionNameBase + 6, "Up one page"},
    {sActionNameBase + 7, "Down one page"},
    {sActionNameBase + 8, "Move to word before"},
    {sActionNameBase + 9, "Move to word after"},
    {sActionNameBase + 10, "Document start"},
    {sActionNameBase + 11, "Document end"},
    {sActionNameBase + 12, "Cut to clipboard"},
    {sActionNameBase + 13, "Copy to clipboard"},
    {sActionNameBase + 14, "Paste from clipboard"},
    {sActionNameBase + 15, "Delete character at cursor"},
    {sActionNameBase + 16, "Delete character before caret"},
    {sActionNameBase + 17, "Indent selected block"},
    {sActionNameBase + 18, "Un-indent selected block"},
    {sActionNameBase + 19, "Toggle insert/overwrite mode"},
    {sActionNameBase + 20, "Set Bookmark 0"},
    {sActionNameBase + 21, "Set Bookmark 1"},
    {sActionNameBase + 22, "Set Bookmark 2"},
    {sActionNameBase + 23, "Set Bookmark 3"},
    {sActionNameBase + 24, "Set Bookmark 4"},
    {sActionNameBase + 25, "Set Bookmark 5"},
    {sActionNameBase + 26, "Set Bookmark 6"},
    {sActionNameBase + 27, "Set Bookmark 7"},
    {sActionNameBase + 28, "Set Bookmark 8"},
    {sActionNameBase + 29, "Set Bookmark 9"},
    {sActionNameBase + 30, "Goto Bookmark 0"},
    {sActionNameBase + 31, "Goto Bookmark 1"},
    {sActionNameBase + 32, "Goto Bookmark 2"},
    {sActionNameBase + 33, "Goto Bookmark 3"},
    {sActionNameBase + 34, "Goto Bookmark 4"},
    {sActionNameBase + 35, "Goto Bookmark 5"},
    {sActionNameBase + 36, "Goto Bookmark 6"},
    {sActionNameBase + 37, "Goto Bookmark 7"},
    {sActionNameBase + 38, "Goto Bookmark 8"},
    {sActionNameBase + 39, "Goto Bookmark 9"},
    {sActionNameBase + 40, "Delete current line"},
    {sActionNameBase + 41, "Undo"},
    {sActionNameBase + 42, "Redo"},
    {sActionNameBase + 43, "Delete previous word"},
    {sActionNameBase + 44, "Print selection"},
    {sActionNameBase + 45, "Delete next word"},
    {sActionNameBase + 46, "Scroll display up one line"},
    {sActionNameBase + 47, "Scroll display down one line"},
    // Search.
    {sReNoErrors, "No errors detected"},
    {sReNotFound, "Expression not found"},
    {sReInvalidParameter, "Invalid parameter"},
    {sReOutOfMemory, "Out of memory"},
    {sReTooManySubExpressions, "Too many sub-expressions"},
    {sReUnmatchedParenthesis, "Unmatched parenthesis"},
    {sReInvalidRepeat, "Invalid repeat"},
    {sReNestedRepeat, "Nested repeat"},
    {sReInvalidRange, "Invalid range"},
    {sReUnmatchedBracket, "Unmatched bracket"},
    {sReHexDigitExpected, "Hex digit expected"},
    {sReUnexpectedEnd, "Unexpected end of input"},
    {sReQuoteExpected, "' expected"},
    {sReIndexRange, "Index range error"},
    {sReInternalError, "Internal error"},
    {sSearchString, "Search string"},
    {sSearchNotFound, "not found."},
    {sReTooComplex, "Expression too complex: the search gave up"},
    {sReplaceThisOccurence, "Replace this occurence of '%s' with '%s' ?"},
};

const std::unordered_map<int32_t, std::string>& Table() {
  static const std::unordered_map<int32_t, std::string> table = [] {
    std::unordered_map<int32_t, std::string> t;
    for (const auto& e : kStrings) t.emplace(e.id, e.text);
    return t;
  }();
  return table;
}

}  // namespace

const std::string& LoadStr(int32_t id) {
  static const std::string empty;
  auto it = Table().find(id);
  return it == Table().end() ? empty : it->second;
}

bool HasStr(int32_t id) { return Table().count(id) != 0; }

}  // namespace ql
