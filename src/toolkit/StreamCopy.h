#pragma once
// Objects whose stream form is also their copy: SaveToStream(TStream&) const writes it and
// LoadFromStream(TStream&) reads it back.
#include <string>

#include "toolkit/MemoryStream.h"

namespace ql {

// The bytes `object` writes.
template <class T>
std::string StreamBytes(const T& object) {
  TMemoryStream stream;
  object.SaveToStream(stream);
  return stream.Bytes();
}

// Makes `target` a copy of `source` by writing the one and reading that into the other.
template <class Source, class Target>
void CopyThroughStream(const Source& source, Target& target) {
  TMemoryStream stream;
  source.SaveToStream(stream);
  stream.SetPosition(0);
  target.LoadFromStream(stream);
}

}  // namespace ql
