#pragma once
// The template pick list of an editor whose host shows none: it holds nothing and never opens.
#include "services/MacroEditor.h"

namespace ql {

class TNullPickList : public TMacroPickList {
public:
  void SetEditor(TMacroEditor& editor) override { editor_ = &editor; }
  TMacroEditor* Editor() const override { return editor_; }
  void Open(const std::vector<TPickListItem>&, int32_t) override {}
  void SelectItem(int32_t) override {}
  void Close() override {}

private:
  TMacroEditor* editor_ = nullptr;
};

}  // namespace ql
