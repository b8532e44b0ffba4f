#pragma once
// What the key pair wizard shows, apart from its widgets: the window caption, the step texts,
// and the state of its buttons on each step.
#include <string>

namespace ql {

enum class TKeyWizardMode { kEdit = 0, kAdd = 1 };

inline constexpr const char* kKeyWizardStep1Text =
    "Press the first key combination until the correct key sequence appears then press the NEXT button";
inline constexpr const char* kKeyWizardStep2Text =
    "If the key sequence requires a 2nd key press then enter the key now. Press the FINISH button to accept "
    "changes";

// "Edit key pair for: " or "Add new key pair for: ", then the command's description.
std::string KeyWizardCaption(TKeyWizardMode mode, const std::string& description);

struct TKeyWizardButtons {
  std::string NextCaption;  // "Next >" on step 1, "Finish" on step 2
  bool NextEnabled = false;
  bool BackEnabled = false;
  bool ClearFirstEnabled = false;
  bool ClearSecondEnabled = false;
  bool operator==(const TKeyWizardButtons&) const = default;
};

// The buttons on step (1 or 2) with the key boxes holding text or not.
TKeyWizardButtons KeyWizardButtons(int step, bool firstHasText, bool secondHasText);

}  // namespace ql
