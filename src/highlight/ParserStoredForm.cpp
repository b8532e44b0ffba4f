#include "highlight/ParserStoredForm.h"

#include "highlight/Compressor.h"
#include "highlight/HandlerCodes.h"
#include "services/SM_Settings.h"
#include "toolkit/MemoryStream.h"
#include "toolkit/StreamEncoding.h"

namespace ql {
namespace {

// Smallest sizes of the repeated items, for checking counts against the bytes that remain.
constexpr int32_t kGroupSize = 32 + 4 + 1;
constexpr int32_t kUnitSize = 1 + kGroupSize + 1;
constexpr int32_t kEndSize = 1 + 1 + 1;
constexpr int32_t kHandlerRecordSize = kUnitSize + kEndSize;
constexpr int32_t kTokenRecordSize = kUnitSize + 32 + kUnitSize + kEndSize + 1;
constexpr int32_t kSetSize = 32;
// Far beyond any definition (every table of every state full is a few megabytes).
constexpr int32_t kMaxInnerSize = 64 << 20;

// Sets the settings object's stream version for the duration of one read or write.
class TStreamVersionScope {
public:
  TStreamVersionScope(TSM_Settings& settings, int32_t version) : settings_(settings), old_(settings.StreamVersion) {
    settings.StreamVersion = version;
  }
  ~TStreamVersionScope() { settings_.StreamVersion = old_; }
  TStreamVersionScope(const TStreamVersionScope&) = delete;
  TStreamVersionScope& operator=(const TStreamVersionScope&) = delete;

private:
  TSM_Settings& settings_;
  int32_t old_;
};

void WriteSet(TStream& s, const TByteSet& set) { s.WriteBuffer(set.Bytes().data(), kSetSize); }

TByteSet ReadSet(TStream& s) {
  TByteSet set;
  s.ReadBuffer(set.Bytes().data(), kSetSize);
  return set;
}

bool ReadFlag(TStream& s) { return ReadByte(s) != 0; }

// --- Writing ---

class TInnerWriter {
public:
  TInnerWriter(TStream& s, const TCompiledTables& tables) : s_(s), tables_(tables) {}

  void Unit(bool lead, const TScanUnit& unit) {
    WriteByte(s_, lead ? 1 : 0);
    tables_.Group(unit.Group).SaveToStream(s_);
    WriteByte(s_, unit.Kind != ukGroup ? 1 : 0);
    if (unit.Kind != ukGroup) {
      WriteByte(s_, unit.Kind == ukMatch ? 1 : 0);
      WriteInteger(s_, unit.Code);
    }
  }

  void End(const TEndSequence& end) {
    WriteByte(s_, end.Use ? 1 : 0);
    const bool code = end.Kind == ekHandler || end.Kind == ekMatch;
    WriteByte(s_, code ? 1 : 0);
    if (code) {
      WriteByte(s_, end.Kind == ekMatch ? 1 : 0);
      WriteInteger(s_, end.Code);
      return;
    }
    const uint8_t count = end.Kind == ekGroups ? end.GroupCount : 0;
    WriteByte(s_, count);
    for (uint8_t i = 0; i < count; ++i) tables_.Group(end.Groups[i]).SaveToStream(s_);
  }

  void Handler(const THandlerEntry& entry) {
    Unit(entry.Repeat, entry.Start);
    End(entry.End);
  }

  void Token(const TTokenEntry& entry) {
    Unit(false, entry.Start);
    WriteSet(s_, entry.States);
    Unit(entry.Repeat, entry.Continuation);
    End(entry.End);
    WriteByte(s_, entry.Value);
  }

  void Table(const TTokenTable& table, bool withRanges) {
    WriteInteger(s_, CountOf(table.Entries));
    for (int c = 0; c < 256; ++c) {
      const auto& entry = table.Entries[static_cast<size_t>(c)];
      if (!entry) continue;
      WriteByte(s_, static_cast<uint8_t>(c));
      Token(*entry);
      if (!withRanges) continue;
      WriteInteger(s_, static_cast<int32_t>(table.Ranges.size()));
      for (const TTokenRange& range : table.Ranges) {
        WriteWord(s_, range.Low);
        WriteWord(s_, range.High);
        Token(range.Entry);
      }
    }
  }

  template <typename T>
  static int32_t CountOf(const std::array<std::optional<T>, 256>& entries) {
    int32_t n = 0;
    for (const auto& e : entries) n += e.has_value();
    return n;
  }

private:
  TStream& s_;
  const TCompiledTables& tables_;
};

// --- Reading ---

class TInnerReader {
public:
  TInnerReader(TStream& s, TCompiledTables& tables) : s_(s), tables_(tables) {}

  // A unit, and its lead flag in lead.
  TScanUnit Unit(bool& lead) {
    lead = ReadFlag(s_);
    TSM_CharGroup group;
    group.LoadFromStream(s_);
    TScanUnit unit;
    unit.Group = tables_.AddGroup(group);
    unitFailed_ = false;
    if (!ReadFlag(s_)) return unit;
    const bool match = ReadFlag(s_);
    const int32_t code = ReadInteger(s_);
    if (match) {
      unit.Kind = ukMatch;
      unit.Code = code;
      tables_.UsesMatch = true;
    } else if (IsHandlerCode(code)) {
      unit.Kind = ukHandler;
      unit.Code = code;
    } else {
      unit = FailingUnit();
      unitFailed_ = true;
    }
    return unit;
  }

  TEndSequence End() {
    TEndSequence end;
    end.Use = ReadFlag(s_);
    if (ReadFlag(s_)) {
      const bool match = ReadFlag(s_);
      const int32_t code = ReadInteger(s_);
      if (match) {
        end.Kind = ekMatch;
        end.Code = code;
        tables_.UsesMatch = true;
      } else if (IsHandlerCode(code)) {
        end.Kind = ekHandler;
        end.Code = code;
      } else {
        // An end that is never found.
        end.Kind = ekGroups;
        end.GroupCount = 1;
        end.Groups[0] = FailingUnit().Group;
      }
      return end;
    }
    const uint8_t count = ReadByte(s_);
    if (count > TEndSequence::MaxGroups) throw EReadError("Invalid end sequence in stored parser");
    end.Kind = count == 0 ? ekNone : ekGroups;
    end.GroupCount = count;
    for (uint8_t i = 0; i < count; ++i) {
      TSM_CharGroup group;
      group.LoadFromStream(s_);
      end.Groups[i] = tables_.AddGroup(group);
    }
    return end;
  }

  THandlerEntry Handler() {
    THandlerEntry entry;
    entry.Start = Unit(entry.Repeat);
    entry.End = End();
    return entry;
  }

  TTokenEntry Token() {
    TTokenEntry entry;
    bool unused = false;
    entry.Start = Unit(unused);
    const bool startFailed = unitFailed_;
    entry.States = ReadSet(s_);
    entry.Continuation = Unit(entry.Repeat);
    entry.End = End();
    entry.Value = ReadByte(s_);
    if (startFailed) {
      // A standard-handler entry whose handler cannot run: it yields the single start
      // character, as a failing handler does.
      entry.Continuation = FailingUnit();
      entry.Repeat = false;
      entry.End = TEndSequence{};
    }
    return entry;
  }

  void Table(TTokenTable& table, bool withRanges) {
    const int32_t count = ReadCount(s_, 1 + kTokenRecordSize + (withRanges ? 4 : 0));
    for (int32_t i = 0; i < count; ++i) {
      const uint8_t c = ReadByte(s_);
      table.Entries[c] = Token();
      if (!withRanges) continue;
      const int32_t ranges = ReadCount(s_, 4 + kTokenRecordSize);
      table.Ranges.clear();
      for (int32_t r = 0; r < ranges; ++r) {
        TTokenRange range;
        range.Low = ReadWord(s_);
        range.High = ReadWord(s_);
        range.Entry = Token();
        table.Ranges.push_back(range);
      }
    }
  }

private:
  // A group unit whose group holds no character (and is not the empty group, which some
  // users read as "no condition"): it never consumes anything.
  TScanUnit FailingUnit() {
    if (failingGroup_ < 0) {
      TSM_CharGroup never;
      never.AddSet(TByteSet::All());
      never.Negated = true;
      failingGroup_ = tables_.AddGroup(never);
    }
    TScanUnit unit;
    unit.Group = failingGroup_;
    return unit;
  }

  TStream& s_;
  TCompiledTables& tables_;
  int32_t failingGroup_ = -1;
  bool unitFailed_ = false;  // the last unit read named a handler that does not exist
};

void CheckKeywordValue(int64_t value) {
  if (value < 0 || value > 255) throw EReadError("Keyword value out of range in stored parser");
}

void ReadTables(TStream& s, TCompiledTables& tables) {
  TInnerReader reader(s, tables);

  tables.Keywords.LoadFromStream(s);
  for (const TSyntaxWord& word : tables.Keywords.Words()) CheckKeywordValue(word.Style.Value);

  const int32_t handlers = ReadCount(s, 1 + kHandlerRecordSize);
  for (int32_t i = 0; i < handlers; ++i) {
    const uint8_t value = ReadByte(s);
    tables.Handlers[value] = reader.Handler();
  }

  reader.Table(tables.DefaultTokens, false);

  const int32_t contexts = ReadCount(s, 1 + kSetSize);
  for (int32_t i = 0; i < contexts; ++i) {
    const uint8_t value = ReadByte(s);
    tables.ContextSets[value] = ReadSet(s);
  }

  const int32_t records = ReadCount(s, 1 + 3 * kSetSize + 3);
  for (int32_t i = 0; i < records; ++i) {
    const uint8_t value = ReadByte(s);
    TStateRecord record;
    record.Valid = ReadSet(s);
    record.Entered = ReadSet(s);
    record.Left = ReadSet(s);
    record.Container = ReadFlag(s);
    record.NoChange = ReadFlag(s);
    record.PushPop = ReadByte(s);
    switch (record.PushPop) {
      case 0:
      case TStateRecord::PushBefore:
      case TStateRecord::PopBefore:
      case TStateRecord::PushAfter:
      case TStateRecord::PopAfter:
        break;
      default:
        throw EReadError("Invalid push/pop code in stored parser");
    }
    tables.StateRecords[value] = record;
  }

  const int32_t states = ReadCount(s, 1 + 4);
  for (int32_t i = 0; i < states; ++i) {
    const uint8_t state = ReadByte(s);
    reader.Table(tables.StateTable(state), true);
  }

  tables.Anchor = ReadSet(s);
  tables.Bound = ReadSet(s);
  tables.StartStates = ReadSet(s);
  if (ReadFlag(s)) tables.UsesMatch = true;

  // Context sets equal to the start-state set are not stored.
  tables.FillContextSets();
  tables.Keywords.ActiveStates = tables.StartStates;
}

}  // namespace

void WriteParserInner(TStream& s, const TCompiledTables& tables, TSM_Settings& settings, int32_t version) {
  {
    TStreamVersionScope scope(settings, version);
    settings.SaveToStream(s);
  }
  tables.Keywords.SaveToStream(s);

  TInnerWriter writer(s, tables);
  WriteInteger(s, TInnerWriter::CountOf(tables.Handlers));
  for (int v = 0; v < 256; ++v) {
    const auto& handler = tables.Handlers[static_cast<size_t>(v)];
    if (!handler) continue;
    WriteByte(s, static_cast<uint8_t>(v));
    writer.Handler(*handler);
  }

  writer.Table(tables.DefaultTokens, false);

  int32_t contexts = 0;
  auto differs = [&](int v) {
    const TByteSet& set = tables.ContextSets[static_cast<size_t>(v)];
    return !set.Empty() && set != tables.StartStates;
  };
  for (int v = 0; v < 256; ++v) contexts += differs(v);
  WriteInteger(s, contexts);
  for (int v = 0; v < 256; ++v) {
    if (!differs(v)) continue;
    WriteByte(s, static_cast<uint8_t>(v));
    WriteSet(s, tables.ContextSets[static_cast<size_t>(v)]);
  }

  WriteInteger(s, TInnerWriter::CountOf(tables.StateRecords));
  for (int v = 0; v < 256; ++v) {
    const auto& record = tables.StateRecords[static_cast<size_t>(v)];
    if (!record) continue;
    WriteByte(s, static_cast<uint8_t>(v));
    WriteSet(s, record->Valid);
    WriteSet(s, record->Entered);
    WriteSet(s, record->Left);
    WriteByte(s, record->Container ? 1 : 0);
    WriteByte(s, record->NoChange ? 1 : 0);
    WriteByte(s, record->PushPop);
  }

  WriteInteger(s, tables.StatesWithTables.Count());
  for (int state = 0; state < 256; ++state) {
    const auto& table = tables.StateTokens[static_cast<size_t>(state)];
    if (!table) continue;
    WriteByte(s, static_cast<uint8_t>(state));
    writer.Table(*table, true);
  }

  WriteSet(s, tables.Anchor);
  WriteSet(s, tables.Bound);
  WriteSet(s, tables.StartStates);
  WriteByte(s, tables.UsesMatch ? 1 : 0);
}

void ReadParserInner(TStream& s, TCompiledTables& tables, TSM_Settings& settings, int32_t version) {
  tables.Clear();
  try {
    // The settings object is shared with the editors: it takes the new language only once
    // the whole stream has been read.
    TSM_Settings loaded;
    loaded.StreamVersion = version;
    loaded.LoadFromStream(s);
    for (int32_t t = 0; t < loaded.KeywordTableCount(); ++t) {
      for (const TKeywordWord& word : loaded.KeywordTable(t).Words) CheckKeywordValue(word.Value);
    }
    ReadTables(s, tables);
    settings.Assign(loaded);
  } catch (...) {
    tables.Clear();
    throw;
  }
}

TParserFormSizes WriteParserForm(TStream& stream, const TCompiledTables& tables, TSM_Settings& settings) {
  TMemoryStream inner;
  WriteParserInner(inner, tables, settings, ParserStreamVersion);
  WriteWord(stream, ParserStreamVersion);
  TParserFormSizes sizes;
  sizes.InnerSize = static_cast<int32_t>(inner.Size());
  WriteInteger(stream, sizes.InnerSize);
  inner.SetPosition(0);
  sizes.CompressedSize = CompressStream(inner, stream, cmCompressorKH);
  return sizes;
}

uint16_t ReadParserFormVersion(TStream& stream) { return ReadWord(stream); }

void ReadParserFormBody(TStream& stream, uint16_t version, TCompiledTables& tables, TSM_Settings& settings) {
  tables.Clear();
  const int32_t innerSize = ReadInteger(stream);
  // The compressed header repeats the size; both are checked before anything is unpacked, so a
  // few hostile bytes cannot make the decompressor produce an unbounded stream.
  const int64_t header = stream.Position();
  const std::string signature = ReadBytes(stream, 4);
  const int32_t originalSize = ReadInteger(stream);
  if (innerSize < 0 || innerSize > kMaxInnerSize || originalSize != innerSize) {
    throw EReadError("Stored parser size does not match its contents");
  }
  stream.SetPosition(header);
  TMemoryStream inner;
  DecompressStream(stream, inner);
  if (inner.Size() != innerSize) throw EReadError("Stored parser size does not match its contents");
  inner.SetPosition(0);
  ReadParserInner(inner, tables, settings, version);
}

}  // namespace ql
