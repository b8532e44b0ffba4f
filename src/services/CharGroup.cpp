#include "services/CharGroup.h"

#include <algorithm>

#include "toolkit/StreamEncoding.h"

namespace ql {

void TSM_CharGroup::Clear() {
  Members.Clear();
  Negated = false;
  Lowest = 255;
  Highest = 0;
  ExtraRanges.clear();
}

void TSM_CharGroup::AddRange(uint8_t low, uint8_t high) {
  if (low > high) return;
  for (int c = low; c <= high; ++c) Members.Include(static_cast<uint8_t>(c));
  Lowest = std::min(Lowest, low);
  Highest = std::max(Highest, high);
}

void TSM_CharGroup::AddSet(const TByteSet& set) {
  Members |= set;
  Lowest = 0;
  Highest = 255;
}

void TSM_CharGroup::SaveToStream(TStream& stream) const {
  stream.WriteBuffer(Members.Bytes().data(), 32);
  WriteInteger(stream, static_cast<int32_t>(ExtraRanges.size()));
  for (const TCharRange& r : ExtraRanges) {
    WriteWord(stream, r.Low);
    WriteWord(stream, r.High);
  }
  WriteByte(stream, Negated ? 1 : 0);
}

void TSM_CharGroup::LoadFromStream(TStream& stream) {
  TByteSet members;
  stream.ReadBuffer(members.Bytes().data(), 32);
  // Each range takes 4 bytes, and the negated flag 1 more.
  const int32_t count = ReadCount(stream, 4);
  std::vector<TCharRange> ranges(static_cast<size_t>(count));
  for (TCharRange& r : ranges) {
    r.Low = ReadWord(stream);
    r.High = ReadWord(stream);
  }
  const bool negated = ReadByte(stream) != 0;

  Members = members;
  Negated = negated;
  ExtraRanges = std::move(ranges);
  Lowest = 255;
  Highest = 0;
  for (int c = 0; c < 256; ++c) {
    if (Members.Contains(static_cast<uint8_t>(c))) {
      Lowest = std::min<uint8_t>(Lowest, static_cast<uint8_t>(c));
      Highest = static_cast<uint8_t>(c);
    }
  }
}

}  // namespace ql
