// Reads arbitrary bytes as a key controller stream. A stream that loads must be written back
// byte for byte; one that fails must leave the controller as it was.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "services/KeyDefaults.h"
#include "services/KeyErrors.h"
#include "toolkit/MemoryStream.h"
#include "toolkit/StreamCopy.h"

using namespace ql;

namespace {

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  TKeyboardActionContoller c;
  c.Assign(DefaultKeyTable());
  const std::string before = StreamBytes(c);
  TMemoryStream in(bytes);
  try {
    c.LoadFromStream(in);
  } catch (const Exception&) {
    if (StreamBytes(c) != before) std::abort();
    return 0;
  }
  const std::string once = StreamBytes(c);
  TKeyboardActionContoller copy;
  copy.Assign(c);
  if (StreamBytes(copy) != once) std::abort();
  // The loaded table must match keys without trouble.
  for (uint16_t key : {uint16_t('K'), uint16_t('I'), uint16_t(0x25)}) {
    TShiftState shift = ssCtrl;
    bool handled = false;
    c.ProcessKey(key, shift, handled);
  }
  return 0;
}
