#include "services/KeyActions.h"

#include "toolkit/StringTable.h"

namespace ql {
namespace {

constexpr const char* kScriptNames[kScriptActionCount] = {
    "caLEFT", "caRIGHT", "caLINEHOME", "caLINEEND", "caUP", "caDOWN", "caPAGEUP", "caPAGEDOWN",
    "caWORDLEFT", "caWORDRIGHT", "caDOCSTART", "caDOCEND", "caCUT", "caCOPY", "caPASTE", "caDELETE",
    "caBACKSPACE", "caBLOCKIND", "caBLOCKUND", "caINSTOGGLE",
    "caSETBOOKMARK0", "caSETBOOKMARK1", "caSETBOOKMARK2", "caSETBOOKMARK3", "caSETBOOKMARK4",
    "caSETBOOKMARK5", "caSETBOOKMARK6", "caSETBOOKMARK7", "caSETBOOKMARK8", "caSETBOOKMARK9",
    "caGOTOBOOKMARK0", "caGOTOBOOKMARK1", "caGOTOBOOKMARK2", "caGOTOBOOKMARK3", "caGOTOBOOKMARK4",
    "caGOTOBOOKMARK5", "caGOTOBOOKMARK6", "caGOTOBOOKMARK7", "caGOTOBOOKMARK8", "caGOTOBOOKMARK9",
    "caDELETELINE", "caUNDO", "caREDO", "caDELPREVWORD", "caPRINTSEL", "caDELNEXTWORD",
};

}  // namespace

const char* ActionScriptName(int32_t code) {
  return code >= 0 && code < kScriptActionCount ? kScriptNames[code] : nullptr;
}

const std::string& DefaultActionName(int32_t code) {
  static const std::string empty;
  return code >= 0 && code < kActionCount ? LoadStr(sActionNameBase + code) : empty;
}

}  // namespace ql
