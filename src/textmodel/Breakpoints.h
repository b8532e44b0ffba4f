#pragma once
// Breakpoints and the execution-point marker: rows painted in their own colours with a glyph in
// the gutter. A breakpoint stands at the start of a line and follows that line through edits; an
// edit that takes the whole line away frees it. The lists live in the row store.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "textmodel/SM_Base.h"
#include "toolkit/Color.h"

namespace ql {

class TTextStore;
class TSM_Breakpoints;

class TSM_BreakpointData : public TObject {
public:
  using TEvent = std::function<void(TSM_BreakpointData& sender, TSM_BreakpointData& data)>;

  TSM_BreakpointData(int32_t tag, bool enabled, std::string text, int32_t userData);
  // Valid becomes false, then OnFreed is called.
  ~TSM_BreakpointData() override;
  const char* ClassName() const override { return "TSM_BreakpointData"; }

  bool Enabled() const { return enabled_; }
  // A change repaints the owner's editor, marks the owner Changed and calls OnStateChange.
  void SetEnabled(bool value);

  int32_t Offset = 0;  // the start of the line it stands on
  bool Valid = true;   // false once destruction has begun
  int32_t UserData = 0;
  int32_t Tag = 0;
  std::string Text;
  TSM_Breakpoints* Owner = nullptr;
  TEvent OnFreed;
  TEvent OnStateChange;

private:
  bool enabled_;
};

class TSM_Breakpoints : public TSM_Base {
public:
  using TEvent = std::function<void(TSM_Breakpoints& sender, TSM_BreakpointData& data)>;

  explicit TSM_Breakpoints(const TTextStore& store);
  // Frees every breakpoint, first to last, each taken out of the list before it goes.
  ~TSM_Breakpoints() override;
  const char* ClassName() const override { return "TSM_Breakpoints"; }

  // A breakpoint on the line holding offset (moved to the line's start); the one already there
  // when there is one, unchanged.
  TSM_BreakpointData& Add(int32_t offset, int32_t tag = 0, bool enabled = true, const std::string& text = {},
                          int32_t userData = 0);
  // Frees the breakpoint (OnFreed reports it); false when it is not in this list.
  bool Remove(const TSM_BreakpointData* data);
  // Adds a breakpoint on the line holding offset, or removes the one there; true when one was added.
  bool Toggle(int32_t offset);
  // Frees every breakpoint.
  void Clear();
  int32_t Count() const { return static_cast<int32_t>(items_.size()); }
  // The i-th breakpoint in order of offset.
  TSM_BreakpointData& Item(int32_t i) const {
    EnsureSorted();
    return *items_[static_cast<size_t>(i)];
  }

  // The breakpoint whose Offset is offset exactly; none when there is none.
  TSM_BreakpointData* FindAt(int32_t offset) const;
  // The breakpoint with the largest Offset at or before offset; none when there is none.
  TSM_BreakpointData* LastAtOrBefore(int32_t offset) const;
  // The glyph number and row colours of a breakpoint at offset; false (outputs untouched) without one.
  virtual bool GetRowMarker(int32_t offset, int32_t& glyph, TColor& back, TColor& text) const;
  // Before the rows change for a deletion of start..end: notes which breakpoints lose their line.
  virtual void PrepareDelete(int32_t start, int32_t end);
  // After the rows changed by delta characters at offset (negative for a deletion).
  virtual void AdjustForEdit(int32_t offset, int32_t delta);
  // The whole text went.
  virtual void TextEmptied() { Clear(); }
  virtual void StateChanged(TSM_BreakpointData& data);

  mutable bool SortPending = false;
  int32_t DisabledGlyph = 12;
  int32_t EnabledGlyph = 11;
  TColor DisabledTextColor = 0x00FFFF;
  TColor DisabledBackColor = 0x008000;
  TColor EnabledTextColor = 0xFFFFFF;
  TColor EnabledBackColor = 0x0000FF;
  bool Changed = false;
  // Repaints the editor that shows the store (the list's Memo); none while no editor is bound.
  std::function<void()> Memo;
  TEvent OnStateChange;
  TEvent OnFreed;

  // Bytes the breakpoints hold.
  int64_t Bytes() const;

protected:
  // The line start offset lands on after an edit of delta characters at offset, given that
  // deletions take the line whole when `lost`; -1 when the line is gone.
  int32_t FollowEdit(int32_t lineStart, int32_t offset, int32_t delta, bool lost) const;
  // True when a deletion of start..end takes the whole line starting at lineStart (its text and
  // its line break, or all of its text up to the end of the text).
  bool LineLost(int32_t lineStart, int32_t start, int32_t end) const;
  void Repaint() const {
    if (Memo) Memo();
  }

  const TTextStore& store_;

private:
  void EnsureSorted() const;
  void FreeAt(size_t index);

  mutable std::vector<std::unique_ptr<TSM_BreakpointData>> items_;  // ascending Offset unless SortPending
  std::vector<const TSM_BreakpointData*> lost_;  // noted by PrepareDelete for the next AdjustForEdit
};

// The execution-point marker: one breakpoint-like mark, switched off rather than freed.
class TSM_CodeBreak : public TSM_Breakpoints {
public:
  explicit TSM_CodeBreak(const TTextStore& store);
  const char* ClassName() const override { return "TSM_CodeBreak"; }

  // Puts the execution point on the line holding offset and switches it on.
  void SetExecPoint(int32_t offset);
  bool GetRowMarker(int32_t offset, int32_t& glyph, TColor& back, TColor& text) const override;
  void PrepareDelete(int32_t start, int32_t end) override;
  void AdjustForEdit(int32_t offset, int32_t delta) override;
  void TextEmptied() override { ExecPoint->SetEnabled(false); }

  std::unique_ptr<TSM_BreakpointData> ExecPoint;
  int32_t Glyph = 12;
  TColor TextColor = 0xFFFFFF;
  TColor BackColor = 0x800000;

private:
  bool lost_ = false;
};

// The start of the line (not the row) holding offset; offset itself past a final line break.
int32_t LineStartOf(const TTextStore& store, int32_t offset);

}  // namespace ql
