#pragma once
// Base of the helper objects that copy themselves through streams: the stream form of each
// class is also its copy operation.
#include "toolkit/Object.h"
#include "toolkit/Stream.h"

namespace ql {

class TSM_Base : public TObject {
public:
  const char* ClassName() const override { return "TSM_Base"; }

  // Copies source by writing it to a memory stream and reading that back. Raises EInkMemo
  // "Cannot assign a %s to %s" when source is not a TSM_Base; this object is then unchanged.
  virtual void Assign(const TObject& source);
  virtual void SaveToStream(TStream& /*stream*/) const {}
  virtual void LoadFromStream(TStream& /*stream*/) {}
};

}  // namespace ql
