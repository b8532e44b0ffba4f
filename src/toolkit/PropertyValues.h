#pragma once
// Property values in a component's stored form: a property is its name as a short name followed
// by a tagged value; a component's property list ends with an empty name. The tags used here:
// 0 end of a list, 1 list (values up to the end tag), 2 8-bit, 3 16-bit and 4 32-bit integers
// (little-endian; a writer takes the smallest that holds the value).
#include <cstdint>
#include <string>

#include "toolkit/Stream.h"

namespace ql {

enum TValueType : uint8_t { vaNull = 0, vaList = 1, vaInt8 = 2, vaInt16 = 3, vaInt32 = 4 };

void WritePropertyName(TStream& s, const std::string& name);
void WriteIntegerValue(TStream& s, int32_t value);
void WriteListBegin(TStream& s);
void WriteListEnd(TStream& s);
// Ends a component's property list.
void WritePropertyListEnd(TStream& s);

// Raises EReadError for a value of another type and for bytes that end too soon.
int32_t ReadIntegerValue(TStream& s);
void ReadListBegin(TStream& s);
// True (and the end tag read) at the end of a list.
bool ReadListEnd(TStream& s);

}  // namespace ql
