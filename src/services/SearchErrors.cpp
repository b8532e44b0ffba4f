#include "services/SearchErrors.h"

#include "toolkit/StringTable.h"

namespace ql {

EREParserError::EREParserError(int32_t code, int32_t position) : EInkMemo(LoadStr(code)), Code(code), Position(position) {}

}  // namespace ql
