#pragma once
// The editor commands that key sequences can start, by action code. Scripts know codes 0..45
// by their ca names; 46 and 47 have display names but no script names.
#include <cstdint>
#include <string>

namespace ql {

enum TKeyAction : int32_t {
  caLEFT = 0, caRIGHT = 1, caLINEHOME = 2, caLINEEND = 3, caUP = 4, caDOWN = 5,
  caPAGEUP = 6, caPAGEDOWN = 7, caWORDLEFT = 8, caWORDRIGHT = 9, caDOCSTART = 10, caDOCEND = 11,
  caCUT = 12, caCOPY = 13, caPASTE = 14, caDELETE = 15, caBACKSPACE = 16,
  caBLOCKIND = 17, caBLOCKUND = 18, caINSTOGGLE = 19,
  caSETBOOKMARK0 = 20, caSETBOOKMARK9 = 29,  // Set Bookmark n is caSETBOOKMARK0 + n
  caGOTOBOOKMARK0 = 30, caGOTOBOOKMARK9 = 39,  // Goto Bookmark n is caGOTOBOOKMARK0 + n
  caDELETELINE = 40, caUNDO = 41, caREDO = 42, caDELPREVWORD = 43, caPRINTSEL = 44, caDELNEXTWORD = 45,
  caSCROLLLINEUP = 46, caSCROLLLINEDOWN = 47,  // not known to scripts
};

// The number of action codes: 0 .. kActionCount - 1.
constexpr int32_t kActionCount = 48;
// The number of codes with script names: 0 .. kScriptActionCount - 1.
constexpr int32_t kScriptActionCount = 46;

// The script name of code ("caLEFT", "caSETBOOKMARK3"); null for a code scripts do not know.
const char* ActionScriptName(int32_t code);
// The default display name of code, from the string table; empty for an unknown code.
const std::string& DefaultActionName(int32_t code);

}  // namespace ql
