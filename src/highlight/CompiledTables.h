#pragma once
// TCompiledTables: everything a highlighting script compiles into besides the settings object,
// in the form the scanner runs on and the parser's stored form writes and reads. The parser
// component owns one; the script compiler fills it, the stored-form reader rebuilds it.
//
// Character groups are kept once each in Groups and referred to by index from the handler and
// token-table entries. The stored form writes each group by value where it is used; a reader
// adds them back with AddGroup.
//
// How the records below map onto the stored form:
//   - a unit is written as: lead flag, the group (group stream form), code flag (Kind is not
//     ukGroup), and when set the match flag (Kind is ukMatch) and Code;
//   - an end part as: lead flag (Use), code flag (Kind is ekHandler or ekMatch), then either the
//     match flag and Code, or GroupCount and the groups;
//   - the lead flag of a handler's start unit is THandlerEntry::Repeat, that of a token entry's
//     continuation unit TTokenEntry::Repeat; a token entry's start unit has no lead flag of its
//     own (write 0, ignore on reading).
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "services/CharGroupManager.h"
#include "services/SyntaxKeywords.h"
#include "toolkit/ByteSet.h"

namespace ql {

// The parser's keyword table. Its case rule is the script's `case` rule, also when the script
// adds no words (the scanner uses it for the settings object's keyword tree too).
class TParserKeywords : public TSyntaxKeywords {
public:
  using TKeywords::SetCaseSensitive;
  void Clear() override {
    TSyntaxKeywords::Clear();
    SetCaseSensitive(false);
  }
};

enum TUnitKind : uint8_t {
  ukGroup,    // consumes one character of Group
  ukHandler,  // runs handler Code
  ukMatch,    // calls OnCustomParse with ParseID Code
};

// One scanning unit: the start of a handler or of a token-table entry, or a continuation.
struct TScanUnit {
  TUnitKind Kind = ukGroup;
  int32_t Group = 0;  // index into TCompiledTables::Groups, always valid; 0 (the empty group) unless set
  int32_t Code = 0;   // ukHandler: a handler code (IsHandlerCode); ukMatch: the match id; else 0
  bool operator==(const TScanUnit&) const = default;
};

enum TEndKind : uint8_t {
  ekNone,     // no end sequence
  ekGroups,   // GroupCount characters, each of its group in turn
  ekHandler,  // handler Code must succeed
  ekMatch,    // OnCustomParse with ParseID Code must succeed
};

// The end sequence of a handler or token-table entry.
struct TEndSequence {
  static constexpr int32_t MaxGroups = 4;
  TEndKind Kind = ekNone;
  bool Use = false;                        // the end sequence becomes part of the piece
  uint8_t GroupCount = 0;                  // 1..MaxGroups with ekGroups, else 0
  std::array<int32_t, MaxGroups> Groups{}; // the first GroupCount are indexes into Groups; the rest 0
  int32_t Code = 0;                        // ekHandler: a handler code; ekMatch: the match id; else 0
  bool operator==(const TEndSequence&) const = default;
};

// The rule run after a keyword (or any character, for token value 0) yields its token value.
struct THandlerEntry {
  bool Repeat = false;  // `*`: the end sequence is looked for before the first unit too
  TScanUnit Start;      // any kind
  TEndSequence End;     // ekNone whenever Start is ukMatch
  bool operator==(const THandlerEntry&) const = default;
};

// A first-character rule of a token table.
struct TTokenEntry {
  // ukGroup: the start group; ukHandler: a standard handler (10..20) whose start set is Group.
  TScanUnit Start;
  TByteSet States;          // states in which the entry applies; never empty
  TScanUnit Continuation;   // with a ukGroup start; left at its default for a standard handler
  bool Repeat = false;      // the end check is armed before the first continuation unit too
  TEndSequence End;         // ekNone for a standard handler or a ukMatch continuation
  uint8_t Value = 0;        // the token value returned
  bool operator==(const TTokenEntry&) const = default;
};

// Entries for characters beyond 8 bits (from a group's extra ranges). Nothing produces them;
// the stored form carries the list of each state table.
struct TTokenRange {
  uint16_t Low = 0;
  uint16_t High = 0;
  TTokenEntry Entry;
  bool operator==(const TTokenRange&) const = default;
};

// A 256-entry first-character table.
struct TTokenTable {
  std::array<std::optional<TTokenEntry>, 256> Entries;  // Entries[c]: the rule for first character c
  std::vector<TTokenRange> Ranges;                      // empty in practice
  bool operator==(const TTokenTable&) const = default;
};

// What a token does to the active states.
struct TStateRecord {
  // Push/pop codes.
  static constexpr uint8_t PushBefore = 1, PopBefore = 2, PushAfter = 4, PopAfter = 8;

  TByteSet Valid{0};      // the token is accepted only while one of these is active
  TByteSet Entered;       // added after the token (unless NoChange)
  TByteSet Left;          // removed after the token (unless NoChange)
  bool Container = false; // the token's text is scanned again with the changed states
  bool NoChange = true;   // Entered and Left are both empty
  uint8_t PushPop = 0;    // 0 or one of the codes above; with PopAfter, Entered and Left are empty
  bool operator==(const TStateRecord&) const = default;
};

class TCompiledTables {
public:
  TCompiledTables();
  TCompiledTables(const TCompiledTables&) = delete;
  TCompiledTables& operator=(const TCompiledTables&) = delete;

  // Empties every table: no words, handlers, token entries, state tables or records; context
  // sets empty; anchor and start-state sets {0}; bound set empty; Groups holds only the empty group.
  void Clear();

  // The index of group in Groups (added when it is new).
  int32_t AddGroup(const TSM_CharGroup& group) { return Groups.Add(group); }
  const TSM_CharGroup& Group(int32_t index) const { return Groups.Get(index); }

  // The token table of state, created (and the state noted in StatesWithTables) when missing.
  TTokenTable& StateTable(uint8_t state);
  // Whether any state owns a token table; the scanner then chooses tables by state.
  bool HasStateTables() const { return !StatesWithTables.Empty(); }
  // The state record of value, created with the given valid set when missing.
  TStateRecord& StateRecord(uint8_t value, const TByteSet& validWhenNew);

  // The context set of value as the scanner uses it: the start-state set when it is empty.
  const TByteSet& ContextOf(uint8_t value) const {
    return ContextSets[value].Empty() ? StartStates : ContextSets[value];
  }
  // Gives every empty context set the start-state set.
  void FillContextSets();

  TParserKeywords Keywords;                               // %%words; ActiveStates = the scanner's states
  TSM_CharGroupManager Groups;                            // Count() >= 1; group 0 is the empty group
  std::array<std::optional<THandlerEntry>, 256> Handlers; // by token value
  TTokenTable DefaultTokens;                              // used while no state table applies
  std::array<std::unique_ptr<TTokenTable>, 256> StateTokens; // non-null exactly for StatesWithTables
  TByteSet StatesWithTables;                              // the states that own a token table
  std::array<std::optional<TStateRecord>, 256> StateRecords; // by token value
  std::array<TByteSet, 256> ContextSets;                  // by token value; empty: the start-state set
  TByteSet Anchor{0};                                     // token values where rescanning may restart
  TByteSet Bound;                                         // states that keep the editor rescanning
  TByteSet StartStates{0};                                // states active at the start of the text
  bool UsesMatch = false;                                 // some unit or end sequence is ukMatch/ekMatch
};

}  // namespace ql
