// Lending a parser component another settings object for a while (TSettingsSwap).
#include <algorithm>

#include "highlight/CustomInkMemoParser.h"
#include "highlight/ParserClient.h"
#include "textmodel/InkMemoErrors.h"

namespace ql {

TCustomInkMemoParser::TSettingsSwap::TSettingsSwap(TCustomInkMemoParser& parser, TSM_Settings& working)
    : parser_(parser) {
  parser_.BeginSettingsSwap(working);
}

TCustomInkMemoParser::TSettingsSwap::~TSettingsSwap() {
  if (parser_.SettingsSwapped()) parser_.EndSettingsSwap();
}

void TCustomInkMemoParser::BeginSettingsSwap(TSM_Settings& working) {
  if (SettingsSwapped()) throw EInkMemo("The parser's settings are lent already");
  heldEditors_ = std::move(editors_);
  editors_.clear();
  settings_ = &working;
  lastEditor_ = nullptr;
}

void TCustomInkMemoParser::EndSettingsSwap() {
  // Editors that joined meanwhile leave the lent settings before they go back.
  const std::vector<TParserClient*> joined = editors_;
  for (TParserClient* editor : joined) RemoveEditor(*editor);
  settings_ = ownSettings_.get();
  editors_ = std::move(heldEditors_);
  heldEditors_.clear();
  lastEditor_ = nullptr;
}

}  // namespace ql
