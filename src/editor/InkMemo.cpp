#include "editor/InkMemo.h"

#include <algorithm>

#include "highlight/CustomInkMemoParser.h"
#include "textmodel/InkMemoErrors.h"

namespace ql {

TInkMemo::~TInkMemo() {
  // Leave every parser the slots hold, so none keeps a pointer to this editor.
  for (TCustomInkMemoParser*& parser : parsers_) {
    if (parser != nullptr && parser != ActiveParserObject()) parser->RemoveEditor(*this);
    parser = nullptr;
  }
}

TCustomInkMemoParser* TInkMemo::GetParser(int32_t slot) const {
  return slot >= 1 && slot <= ParserSlots ? parsers_[static_cast<size_t>(slot - 1)] : nullptr;
}

void TInkMemo::SetParser(int32_t slot, TCustomInkMemoParser* parser) {
  if (slot < 1 || slot > ParserSlots) return;
  Perform(SMM_PARSER, static_cast<WPARAM>(slot) | 0x100, reinterpret_cast<LPARAM>(parser));
}

void TInkMemo::SetActiveParser(int32_t slot) {
  if (slot < 1 || slot > ParserSlots) throw EInkMemo("Parser index out of range");
  Perform(SMM_ACTIVEPARSER, smmSet, slot);
}

LRESULT TInkMemo::WndProc(TMsgNum msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case SMM_PARSER: {
      const int32_t slot = static_cast<int32_t>(wParam & 0xFF);
      if (slot < 1 || slot > ParserSlots) return 0;
      if (wParam & 0x100) SelectSlot(slot, reinterpret_cast<TCustomInkMemoParser*>(lParam));
      return reinterpret_cast<LRESULT>(GetParser(slot));
    }
    case SMM_ACTIVEPARSER:
      if ((wParam & smmSet) != 0) {
        const auto slot = static_cast<int32_t>(lParam);
        if (slot < 1 || slot > ParserSlots) throw EInkMemo("Parser index out of range");
        active_ = slot;
        SelectParser(GetParser(slot));
      }
      return active_;
    default: return TCustomInkMemo::WndProc(msg, wParam, lParam);
  }
}

void TInkMemo::SelectSlot(int32_t slot, TCustomInkMemoParser* parser) {
  TCustomInkMemoParser*& held = parsers_[static_cast<size_t>(slot - 1)];
  TCustomInkMemoParser* old = held;
  if (old == parser) return;
  held = parser;
  // Every slot's parser knows this editor, so that it can clear the slot when it goes.
  if (parser != nullptr) parser->AddEditor(*this);
  if (slot == active_) SelectParser(parser);
  if (old != nullptr && std::find(parsers_.begin(), parsers_.end(), old) == parsers_.end() &&
      old != ActiveParserObject()) {
    old->RemoveEditor(*this);
  }
}

void TInkMemo::ParserDestroyed(TCustomInkMemoParser& parser) {
  for (TCustomInkMemoParser*& held : parsers_) {
    if (held == &parser) held = nullptr;
  }
  TCustomInkMemo::ParserDestroyed(parser);
}

}  // namespace ql
