#pragma once
// The symbols every highlighting script starts with: macros whose values are the decimal
// numbers of handlers, options, colours, character sets, keys and editor actions.
namespace ql {

class TWordStore;

// Fills the symbol table with the predefined symbols.
void FillPredefinedSymbols(TWordStore& symbols);

}  // namespace ql
