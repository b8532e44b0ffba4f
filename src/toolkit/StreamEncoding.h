#pragma once
// The primitive encodings of every stored form: 32-bit little-endian signed integers, bytes,
// 16-bit little-endian words, strings (integer length + characters) and short names (length
// byte + characters). Readers are read-exactly and check lengths against what the stream holds.
#include <cstdint>
#include <string>

#include "toolkit/Stream.h"

namespace ql {

void WriteInteger(TStream& s, int32_t value);
void WriteByte(TStream& s, uint8_t value);
void WriteWord(TStream& s, uint16_t value);
void WriteString(TStream& s, const std::string& value);
// Raises EWriteError for a name longer than 255 characters instead of cutting it.
void WriteShortName(TStream& s, const std::string& value);

int32_t ReadInteger(TStream& s);
uint8_t ReadByte(TStream& s);
uint16_t ReadWord(TStream& s);
// Raises EReadError for a negative length or one beyond the bytes that remain.
std::string ReadString(TStream& s);
std::string ReadShortName(TStream& s);
// Reads exactly count bytes; raises EReadError, before allocating, when fewer remain.
std::string ReadBytes(TStream& s, int64_t count);
// A count read from the data: raises EReadError unless 0 <= count and count * itemSize bytes remain.
int32_t ReadCount(TStream& s, int32_t minItemSize);

}  // namespace ql
