// Reads arbitrary bytes as the stored properties of a colour table (names until an empty one).
// A table that reads must write a form that reads back to an equal table; a failure must be a
// read error.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "toolkit/ColorArray.h"
#include "toolkit/MemoryStream.h"
#include "toolkit/Stream.h"
#include "toolkit/StreamEncoding.h"
#include "toolkit/PropertyValues.h"

using namespace ql;

namespace {

void ReadAll(TColorArrayClass& colors, TStream& s) {
  for (std::string name = ReadShortName(s); !name.empty(); name = ReadShortName(s)) {
    if (!colors.ReadProperty(name, s)) throw EReadError("unknown property");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TMemoryStream in;
  in.Write(data, static_cast<int32_t>(size));
  in.SetPosition(0);
  TColorArrayClass colors(4, 5);
  try {
    ReadAll(colors, in);
  } catch (const EReadError&) {
    return 0;
  }
  TMemoryStream out;
  colors.WriteProperties(out);
  WritePropertyListEnd(out);
  out.SetPosition(0);
  TColorArrayClass back(1, 1);
  ReadAll(back, out);
  if (!(back == colors)) std::abort();
  return 0;
}
