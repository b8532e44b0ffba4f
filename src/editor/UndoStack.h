#pragma once
// TUndoStack: the undo and redo history of a text. Every change of the text is recorded as one
// text step (the selection before, the bytes it replaced, the bytes that replaced them, the
// selection after); undo groups bracket the steps of one command so that one Undo reverts the
// whole command. Entries below the cursor are in effect; those above it were undone and can be
// redone until the next recorded step discards them.
//
// A group costs nothing until its first step: an empty group leaves no trace, so it neither
// discards the redo part nor makes the text Modified. When a group's first step starts from the
// selection the group began with (as typing does), the step itself carries the group's begin,
// and likewise its end: typing one character is one entry.
//
// A long step keeps only the text that is out of the document: the bytes it replaced while it is
// in effect, the bytes it put in once it is undone. The other text is in the document, known to
// the history by its length and checksum; playback takes it from the document, checked against
// them, and hands it to the history as it steps over the step. A long paste thus costs the
// history nothing beyond what it replaced.
//
// The history is shared (std::shared_ptr) by every editor showing its text; it is never freed
// while one of them still uses it.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "editor/TextDigest.h"
#include "toolkit/Messages.h"

namespace ql {

// Undo group ids of the editor's commands (18, templates and auto-replace, is in MacroEditor.h).
constexpr int32_t ugDragDrop = 13, ugTyping = 14, ugDelete = 15, ugPaste = 16, ugCut = 17;
constexpr int32_t ugIndent = 19, ugUnindent = 20, ugDelPrevWord = 21, ugDelNextWord = 22;
constexpr int32_t ugReplace = 23, ugReplaceSel = 24;

// One recorded change, as playback needs it.
struct TUndoStep {
  TSelectionEnds Before;
  TSelectionEnds After;
  std::string_view Removed;   // the bytes the change replaced (line breaks as CR)
  std::string_view Inserted;  // the bytes that replaced them
  // Set for a long step: the text that applying the step takes out of the document (Inserted
  // for an undo, Removed for a redo) is empty here, and this is its digest.
  bool InDocument = false;
  TTextDigest Present = {};
};

class TUndoStack {
public:
  // --- Recording ---

  // Opens group id with the selection at its start; nothing while a group is open (groups do
  // not nest: the outermost command owns the group).
  void BeginGroup(int32_t id, TSelectionEnds selection);
  // Closes the open group when its id is id (any other id is ignored), with the selection at
  // its end. A group that recorded no step leaves nothing behind.
  void EndGroup(int32_t id, TSelectionEnds selection);
  bool GroupOpen() const { return groupOpen_; }
  int32_t GroupId() const { return groupId_; }
  // Texts up to this long are kept inline with their entry; a step with a longer one keeps only
  // the text out of the document, in a block of its own.
  static constexpr size_t kInlineLimit = 0xFFFF;
  // Records a step (discarding the redo part first), copying what it keeps of its texts.
  void Push(const TUndoStep& step);
  // Records a step, taking over the replaced bytes rather than copying them.
  void Push(TSelectionEnds before, TSelectionEnds after, std::string removed, std::string_view inserted);
  // Records a step whose inserted bytes (at least kInlineLimit of them) only the document holds.
  void Push(TSelectionEnds before, TSelectionEnds after, std::string removed, TTextDigest inserted);
  // Discards every entry; an open group stays open, with no step recorded yet.
  void Clear();

  // --- State ---

  bool CanUndo() const { return cursor_ > 0; }
  bool CanRedo() const { return cursor_ < entries_.size(); }
  // Entries in effect (below the cursor).
  size_t Count() const { return cursor_; }
  // Bytes the history holds, entries and texts with their spare room.
  size_t MemoryBytes() const;

  // --- Playback: the editor applies the steps of one unit, one step at a time ---

  // The steps the next Undo reverts, newest first: a whole group, or one step outside groups.
  // Empty when there is nothing to undo.
  std::vector<TUndoStep> UndoUnit() const;
  // The steps the next Redo repeats, oldest first.
  std::vector<TUndoStep> RedoUnit() const;
  // The selection to restore after the unit's steps: the group's first or last selection, or the
  // step's own.
  TSelectionEnds UndoSelection() const;
  TSelectionEnds RedoSelection() const;
  // Moves the cursor over one applied step of the unit (and the group marker next to it), so
  // that a unit stopped halfway leaves the history consistent with the text. For a step given
  // InDocument, taken is the text that applying it took out of the document, which the history
  // keeps from now on; it is ignored for the others.
  void StepBack(std::string taken = {});
  void StepForward(std::string taken = {});

private:
  enum TKind : uint8_t { ekText, ekGroupBegin, ekGroupEnd };
  static constexpr uint8_t efBeginsGroup = 0x01, efEndsGroup = 0x02, efOwnBlock = 0x04;
  // Every this many entries, the payload offset of the entry is kept, so that finding an entry's
  // texts adds up at most this many lengths.
  static constexpr size_t kCheckpointEvery = 64;

  // Invariant: entries below cursor_ are in effect; a group's entries run from its begin (a
  // GroupBegin marker or a text entry with efBeginsGroup) to its end (a GroupEnd marker or a
  // text entry with efEndsGroup), the end missing only for the group still open.
  // An entry's inline texts follow those of the entries before it in payload_; Replace All
  // records an entry per match, so the entry is kept small.
  struct TEntry {
    TSelectionEnds Before;  // markers: the group's selection at that end
    TSelectionEnds After;
    uint16_t RemovedLength = 0;   // inline texts only; 0 with efOwnBlock
    uint16_t InsertedLength = 0;
    TKind Kind = ekText;
    uint8_t Flags = 0;
  };
  // The text of an entry with efOwnBlock that is out of the document (the removed bytes while
  // the entry is in effect, the inserted ones once it is undone), and the digest of the other.
  struct TBlock {
    size_t Entry = 0;
    std::string Absent;
    TTextDigest Present;
  };

  static bool BeginsGroup(const TEntry& e) { return e.Kind == ekGroupBegin || (e.Flags & efBeginsGroup) != 0; }
  static bool EndsGroup(const TEntry& e) { return e.Kind == ekGroupEnd || (e.Flags & efEndsGroup) != 0; }
  static size_t InlineBytes(const TEntry& e) { return size_t{e.RemovedLength} + e.InsertedLength; }
  // The offset in payload_ of the inline texts of entry index.
  size_t PayloadOffset(size_t index) const;
  // The step of entry index, whose inline texts start at offset.
  TUndoStep StepAt(size_t index, size_t offset) const;
  // The text steps of the entries from first to end (exclusive), oldest first.
  std::vector<TUndoStep> StepsBetween(size_t first, size_t end) const;
  // First entry of the unit that ends at end (exclusive); one past the unit starting at start.
  size_t UnitStart(size_t end) const;
  size_t UnitEnd(size_t start) const;
  TBlock& BlockOf(size_t index);
  const TBlock& BlockOf(size_t index) const;
  // After the cursor moved over entry index: a block's texts trade places.
  void Swap(size_t index, std::string taken);
  void PushBlock(TSelectionEnds before, TSelectionEnds after, std::string removed, TTextDigest inserted);
  // Appends an entry and its inline texts, keeping the checkpoints.
  void Append(const TEntry& entry, std::string_view removed = {}, std::string_view inserted = {});
  // Opens the group's record before its first step; returns whether the step carries its begin.
  bool RecordGroupBegin(TSelectionEnds before);
  void Truncate();
  // Gives back the spare room a large group left, once it is closed.
  void Compact();

  std::vector<TEntry> entries_;
  std::string payload_;              // the inline texts of entries_, in entry order
  std::vector<size_t> checkpoints_;  // [k]: PayloadOffset(k * kCheckpointEvery)
  std::vector<TBlock> blocks_;       // by ascending Entry
  size_t blockBytes_ = 0;            // the room of the blocks' texts
  size_t cursor_ = 0;
  bool groupOpen_ = false;
  bool groupRecorded_ = false;  // the open group's begin is in entries_
  int32_t groupId_ = 0;
  TSelectionEnds groupStart_;
  size_t groupFirstEntry_ = 0;    // entries_ and payload_ sizes when the open group began
  size_t groupFirstPayload_ = 0;
};

}  // namespace ql
