#pragma once
// Root class of the objects that are copied or identified by class at run time.

namespace ql {

class TObject {
public:
  virtual ~TObject() = default;
  // The class name used in messages such as "Cannot assign a %s to %s".
  virtual const char* ClassName() const { return "TObject"; }
};

}  // namespace ql
