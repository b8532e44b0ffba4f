#include "editor/KeyWizardSteps.h"

namespace ql {

std::string KeyWizardCaption(TKeyWizardMode mode, const std::string& description) {
  return std::string(mode == TKeyWizardMode::kEdit ? "Edit " : "Add new ") + "key pair for: " + description;
}

TKeyWizardButtons KeyWizardButtons(int step, bool firstHasText, bool secondHasText) {
  TKeyWizardButtons b;
  b.NextCaption = step == 2 ? "Finish" : "Next >";
  b.NextEnabled = firstHasText;
  b.BackEnabled = step == 2;
  b.ClearFirstEnabled = b.NextEnabled;
  b.ClearSecondEnabled = secondHasText;
  return b;
}

}  // namespace ql
