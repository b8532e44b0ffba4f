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
// The history is shared (std::shared_ptr) by every editor showing its text; it is never freed
// while one of them still uses it.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

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
  // Records a step (discarding the redo part first).
  void Push(const TUndoStep& step);
  // Discards every entry; an open group stays open, with no step recorded yet.
  void Clear();

  // --- State ---

  bool CanUndo() const { return cursor_ > 0; }
  bool CanRedo() const { return cursor_ < entries_.size(); }
  // Entries in effect (below the cursor).
  size_t Count() const { return cursor_; }
  // Bytes the history holds, entries and texts with their spare room.
  size_t MemoryBytes() const { return entries_.capacity() * sizeof(TEntry) + payload_.capacity(); }

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
  // that a unit stopped halfway leaves the history consistent with the text.
  void StepBack();
  void StepForward();

private:
  enum TKind : uint8_t { ekText, ekGroupBegin, ekGroupEnd };
  static constexpr uint8_t efBeginsGroup = 0x01, efEndsGroup = 0x02;

  // Invariant: entries below cursor_ are in effect; a group's entries run from its begin (a
  // GroupBegin marker or a text entry with efBeginsGroup) to its end (a GroupEnd marker or a
  // text entry with efEndsGroup), the end missing only for the group still open.
  struct TEntry {
    TKind Kind = ekText;
    uint8_t Flags = 0;
    uint16_t Group = 0;
    TSelectionEnds Before;  // markers: the group's selection at that end
    TSelectionEnds After;
    uint32_t RemovedLength = 0;
    uint32_t InsertedLength = 0;
    uint64_t Payload = 0;   // offset in payload_ of the removed bytes, the inserted ones follow
  };

  bool BeginsGroup(const TEntry& e) const { return e.Kind == ekGroupBegin || (e.Flags & efBeginsGroup) != 0; }
  bool EndsGroup(const TEntry& e) const { return e.Kind == ekGroupEnd || (e.Flags & efEndsGroup) != 0; }
  TUndoStep StepOf(const TEntry& e) const;
  // First entry of the unit that ends at end (exclusive); one past the unit starting at start.
  size_t UnitStart(size_t end) const;
  size_t UnitEnd(size_t start) const;
  void Truncate();

  std::vector<TEntry> entries_;
  std::string payload_;  // the texts of entries_, in entry order
  size_t cursor_ = 0;
  bool groupOpen_ = false;
  bool groupRecorded_ = false;  // the open group's begin is in entries_
  int32_t groupId_ = 0;
  TSelectionEnds groupStart_;
};

}  // namespace ql
