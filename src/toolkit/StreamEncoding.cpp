#include "toolkit/StreamEncoding.h"

namespace ql {

void WriteInteger(TStream& s, int32_t value) {
  const uint32_t v = static_cast<uint32_t>(value);
  const uint8_t bytes[4] = {static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8), static_cast<uint8_t>(v >> 16),
                            static_cast<uint8_t>(v >> 24)};
  s.WriteBuffer(bytes, 4);
}

void WriteByte(TStream& s, uint8_t value) { s.WriteBuffer(&value, 1); }

void WriteWord(TStream& s, uint16_t value) {
  const uint8_t bytes[2] = {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8)};
  s.WriteBuffer(bytes, 2);
}

void WriteString(TStream& s, const std::string& value) {
  WriteInteger(s, static_cast<int32_t>(value.size()));
  s.WriteBuffer(value.data(), static_cast<int32_t>(value.size()));
}

void WriteShortName(TStream& s, const std::string& value) {
  if (value.size() > 255) {
    throw EWriteError(Format("Name too long to store (%d characters, at most 255)", static_cast<int>(value.size())));
  }
  WriteByte(s, static_cast<uint8_t>(value.size()));
  s.WriteBuffer(value.data(), static_cast<int32_t>(value.size()));
}

int32_t ReadInteger(TStream& s) {
  uint8_t b[4];
  s.ReadBuffer(b, 4);
  return static_cast<int32_t>(static_cast<uint32_t>(b[0]) | static_cast<uint32_t>(b[1]) << 8 |
                              static_cast<uint32_t>(b[2]) << 16 | static_cast<uint32_t>(b[3]) << 24);
}

uint8_t ReadByte(TStream& s) {
  uint8_t b;
  s.ReadBuffer(&b, 1);
  return b;
}

uint16_t ReadWord(TStream& s) {
  uint8_t b[2];
  s.ReadBuffer(b, 2);
  return static_cast<uint16_t>(b[0] | b[1] << 8);
}

std::string ReadBytes(TStream& s, int64_t count) {
  if (count < 0 || count > s.Remaining()) throw EReadError();
  std::string out(static_cast<size_t>(count), '\0');
  s.ReadBuffer(out.data(), static_cast<int32_t>(count));
  return out;
}

std::string ReadString(TStream& s) { return ReadBytes(s, ReadInteger(s)); }

std::string ReadShortName(TStream& s) { return ReadBytes(s, ReadByte(s)); }

int32_t ReadCount(TStream& s, int32_t minItemSize) {
  const int32_t count = ReadInteger(s);
  if (count < 0 || static_cast<int64_t>(count) * minItemSize > s.Remaining()) throw EReadError();
  return count;
}

}  // namespace ql
