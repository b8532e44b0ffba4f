#pragma once
// TInkMemo: the editor control with six parser slots, one of which (ActiveParser) highlights the
// text and lends the editor its settings object. A parser that is destroyed leaves its slots
// empty, and the editor falls back on its own settings.
#include <array>

#include "editor/CustomInkMemo.h"

namespace ql {

class TInkMemo : public TCustomInkMemo {
public:
  static constexpr int32_t ParserSlots = 6;

  using TCustomInkMemo::TCustomInkMemo;
  ~TInkMemo() override;

  // Slots 1..6; any other slot reads as none and is not written.
  TCustomInkMemoParser* GetParser(int32_t slot) const;
  void SetParser(int32_t slot, TCustomInkMemoParser* parser);
  TCustomInkMemoParser* GetParser1() const { return GetParser(1); }
  void SetParser1(TCustomInkMemoParser* parser) { SetParser(1, parser); }
  int32_t GetActiveParser() const { return active_; }
  // Raises EInkMemo "Parser index out of range" outside 1..6.
  void SetActiveParser(int32_t slot);

  void ParserDestroyed(TCustomInkMemoParser& parser) override;

protected:
  LRESULT WndProc(TMsgNum msg, WPARAM wParam, LPARAM lParam) override;

private:
  void SelectSlot(int32_t slot, TCustomInkMemoParser* parser);

  std::array<TCustomInkMemoParser*, ParserSlots> parsers_{};
  int32_t active_ = 1;
};

}  // namespace ql
