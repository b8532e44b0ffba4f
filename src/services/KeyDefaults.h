#pragma once
// The process-wide default key table: the display names of the 48 action codes and the key
// sequences a settings object starts with. Built on first use and kept until the program ends.
#include "services/KeyboardActionContoller.h"

namespace ql {

const TKeyboardActionContoller& DefaultKeyTable();

// Fills controller with the default names and sequences (after ClearKeys).
void LoadDefaultKeys(TKeyboardActionContoller& controller);

}  // namespace ql
