#include "services/KeyDefaults.h"

#include <memory>

#include "services/KeyActions.h"
#include "toolkit/VirtualKeys.h"

namespace ql {

void LoadDefaultKeys(TKeyboardActionContoller& c) {
  c.ClearKeys();
  for (int32_t code = 0; code < kActionCount; ++code) c.SetActionName(code, DefaultActionName(code));

  const ShortCutCode ctrlK = 'K' | scCtrl, ctrlQ = 'Q' | scCtrl;
  c.AddKeySequence(VK_BACK | scCtrl, 0, caDELPREVWORD);
  c.AddKeySequence(VK_DELETE | scCtrl, 0, caDELNEXTWORD);
  c.AddKeySequence(VK_LEFT, 0, caLEFT);
  c.AddKeySequence(VK_RIGHT, 0, caRIGHT);
  c.AddKeySequence(VK_HOME, 0, caLINEHOME);
  c.AddKeySequence(VK_END, 0, caLINEEND);
  c.AddKeySequence(VK_UP, 0, caUP);
  c.AddKeySequence(VK_DOWN, 0, caDOWN);
  c.AddKeySequence(VK_PRIOR, 0, caPAGEUP);
  c.AddKeySequence(VK_NEXT, 0, caPAGEDOWN);
  c.AddKeySequence(VK_LEFT | scCtrl, 0, caWORDLEFT);
  c.AddKeySequence(VK_RIGHT | scCtrl, 0, caWORDRIGHT);
  c.AddKeySequence(VK_HOME | scCtrl, 0, caDOCSTART);
  c.AddKeySequence(VK_END | scCtrl, 0, caDOCEND);
  c.AddKeySequence('X' | scCtrl, 0, caCUT);
  c.AddKeySequence('C' | scCtrl, 0, caCOPY);
  c.AddKeySequence('V' | scCtrl, 0, caPASTE);
  c.AddKeySequence(VK_DELETE, 0, caDELETE);
  c.AddKeySequence(VK_BACK, 0, caBACKSPACE);
  c.AddKeySequence(ctrlK, 'I', caBLOCKIND);
  c.AddKeySequence(ctrlK, 'U', caBLOCKUND);
  c.AddKeySequence(VK_INSERT, 0, caINSTOGGLE);
  for (int n = 0; n < 10; ++n) c.AddKeySequence(ctrlK, static_cast<ShortCutCode>('0' + n), caSETBOOKMARK0 + n);
  for (int n = 0; n < 10; ++n) c.AddKeySequence(ctrlQ, static_cast<ShortCutCode>('0' + n), caGOTOBOOKMARK0 + n);
  c.AddKeySequence('Y' | scCtrl, 0, caDELETELINE);
  c.AddKeySequence('Z' | scCtrl, 0, caUNDO);
  c.AddKeySequence('Z' | scShift | scCtrl, 0, caREDO);
  c.AddKeySequence(ctrlK, 'P', caPRINTSEL);
  c.AddKeySequence(VK_UP | scCtrl, 0, caSCROLLLINEUP);
  c.AddKeySequence(VK_DOWN | scCtrl, 0, caSCROLLLINEDOWN);
}

const TKeyboardActionContoller& DefaultKeyTable() {
  static const std::unique_ptr<TKeyboardActionContoller> table = [] {
    auto t = std::make_unique<TKeyboardActionContoller>();
    LoadDefaultKeys(*t);
    return t;
  }();
  return *table;
}

}  // namespace ql
