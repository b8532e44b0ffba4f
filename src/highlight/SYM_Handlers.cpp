// %%handlers: the rule run for a token value after a keyword (or any character, for 0).
#include "highlight/ScriptMessages.h"
#include "highlight/SYM_ScriptCompiler.h"

namespace ql {

// Entry: value start-unit [*] [end-sequence use]
// The end sequence, when the start is no match, is match (id) or a string of groups; any
// other token leaves the entry without one.
void TSYM_ScriptCompiler::HandlersSection() {
  GetToken();
  while (IsTermStart()) {
    const TPos at = Here();
    const uint8_t value = ByteValue();
    THandlerEntry handler;
    handler.Start = Unit();
    if (Token() == tkStar) {
      handler.Repeat = true;
      GetToken();
    }
    if (handler.Start.Kind != ukMatch && (Token() == tkMatch || Token() == tkString)) handler.End = EndSequence(false);
    if (tables_.Handlers[value]) ErrorAt(at, msgDuplicateHandler);
    tables_.Handlers[value] = handler;
  }
}

}  // namespace ql
