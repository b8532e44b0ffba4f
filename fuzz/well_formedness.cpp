// Feeds arbitrary bytes to the well-formedness check. A document found not well-formed must say
// where and why; the check must never fail on its own.
#include <cstdint>
#include <cstdlib>

#include "app/WellFormedness.h"

using namespace ql;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const TWellFormedness result = CheckWellFormed(reinterpret_cast<const char*>(data), size);
  if (!result.WellFormed && (result.Line <= 0 || result.Message.empty())) std::abort();
  if (result.WellFormed && size == 0) std::abort();
  return 0;
}
