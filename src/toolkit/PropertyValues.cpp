#include "toolkit/PropertyValues.h"

#include "toolkit/StreamEncoding.h"

namespace ql {

void WritePropertyName(TStream& s, const std::string& name) { WriteShortName(s, name); }

void WriteIntegerValue(TStream& s, int32_t value) {
  if (value >= INT8_MIN && value <= INT8_MAX) {
    WriteByte(s, vaInt8);
    WriteByte(s, static_cast<uint8_t>(static_cast<int8_t>(value)));
  } else if (value >= INT16_MIN && value <= INT16_MAX) {
    WriteByte(s, vaInt16);
    WriteWord(s, static_cast<uint16_t>(static_cast<int16_t>(value)));
  } else {
    WriteByte(s, vaInt32);
    WriteInteger(s, value);
  }
}

void WriteListBegin(TStream& s) { WriteByte(s, vaList); }
void WriteListEnd(TStream& s) { WriteByte(s, vaNull); }
void WritePropertyListEnd(TStream& s) { WriteByte(s, 0); }

int32_t ReadIntegerValue(TStream& s) {
  switch (ReadByte(s)) {
    case vaInt8: return static_cast<int8_t>(ReadByte(s));
    case vaInt16: return static_cast<int16_t>(ReadWord(s));
    case vaInt32: return ReadInteger(s);
    default: throw EReadError("Invalid property value");
  }
}

void ReadListBegin(TStream& s) {
  if (ReadByte(s) != vaList) throw EReadError("Invalid property value");
}

bool ReadListEnd(TStream& s) {
  if (ReadByte(s) == vaNull) return true;
  s.Seek(-1, soFromCurrent);
  return false;
}

}  // namespace ql
