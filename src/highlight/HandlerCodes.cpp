#include "highlight/HandlerCodes.h"

namespace ql {

TByteSet StandardHandlerStartSet(int32_t code) {
  const TByteSet digits = TByteSet::Range('0', '9');
  const TByteSet letters = TByteSet::Range('A', 'Z') | TByteSet::Range('a', 'z');
  switch (code) {
    case hcStdIdentifier: return letters | TByteSet{'_'};
    case hcStdNumberOrFp: return digits | TByteSet{'.'};
    case hcStdPascalString: return TByteSet{'\''};
    case hcStdCString: return TByteSet{'"'};
    case hcStdCChar: return TByteSet{'\''};
    case hcStdCNumberSigned: return digits | TByteSet{'.', '+', '-'};
    case hcStdNumber: return digits;
    case hcStdMailUrl: return digits | letters;
    case hcStdHtmlString: return TByteSet{'"'};
    case hcStdJsLineComment: return TByteSet{'/'};
    case hcStdCStringSq: return TByteSet{'\''};
    default: return TByteSet{};
  }
}

}  // namespace ql
