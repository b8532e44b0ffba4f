#include "textmodel/SM_Base.h"

#include "textmodel/InkMemoErrors.h"
#include "toolkit/StreamCopy.h"

namespace ql {

void TSM_Base::Assign(const TObject& source) {
  const auto* base = dynamic_cast<const TSM_Base*>(&source);
  if (base == nullptr) throw EInkMemo(Format("Cannot assign a %s to %s", source.ClassName(), ClassName()));
  CopyThroughStream(*base, *this);
}

}  // namespace ql
