#pragma once
// The text side of an editor control: its row store, selection ends, file name and the
// whole-text operations (load, save, Text, Modified, Clear) built on a few primitives that a
// control provides. The editor control derives from it; on its own it is a control without a
// window, which is what tests and non-visual users need.
#include <cstdint>
#include <exception>
#include <memory>
#include <string>

#include "textmodel/DisplayColumns.h"
#include "textmodel/TextStore.h"
#include "toolkit/TextEncoding.h"

namespace ql {

class TStream;
class TInkMemoStrings;
class TSM_CaretControl;

enum TSaveFormat : uint8_t { sfTEXT = 0, sfRTF = 1, sfHTML = 2, sfUNIX = 3 };

class TTextControl : public TTextStoreHost, public TTabRule {
public:
  TTextControl();
  ~TTextControl() override;
  TTextControl(const TTextControl&) = delete;
  TTextControl& operator=(const TTextControl&) = delete;

  TTextStore& Store() { return *store_; }
  const TTextStore& Store() const { return *store_; }
  // The store, for sharing it with another editor or a stream that must keep it alive.
  const std::shared_ptr<TTextStore>& SharedStore() const { return store_; }
  TInkMemoStrings& Lines() { return *lines_; }
  TSM_CaretControl& CaretControl() { return *caretControl_; }

  // --- Primitives a control provides (the defaults serve a control without a window) ---

  // Selection ends as character offsets; the caret is SelCaret.
  virtual void SetSelection(int32_t anchor, int32_t caret);
  int32_t SelAnchor() const { return selAnchor_; }
  int32_t SelCaret() const { return selCaret_; }
  // Replaces the selection by text as one edit (recorded for undo unless loading) and leaves
  // an empty selection after the inserted text.
  virtual void ReplaceSelection(const char* text, int32_t len);
  void ReplaceSelection(const std::string& text) { ReplaceSelection(text.data(), static_cast<int32_t>(text.size())); }
  virtual void ClearUndo() { undoRecords_ = 0; }
  virtual bool CanUndo() const { return undoRecords_ > 0; }
  // Stops (false) and resumes (true) screen updates.
  virtual void SetRedraw(bool /*on*/) {}
  // Lines.BeginUpdate / EndUpdate: repaint stops, then resumes with a full repaint.
  virtual void SetUpdateState(bool /*updating*/) {}
  virtual bool Repainting() const { return true; }
  // The active parser is detached while the text is loaded, then re-attached and re-applied.
  virtual void DetachParser() {}
  virtual void ReattachParser() {}
  // The whole text changed (after a load); the control repaints and rescans all of it.
  virtual void WholeTextChanged() {}
  // Lines.SetTextStr changed the text.
  virtual void NotifyTextChanged() {}
  virtual void EnsureCaretVisible() {}
  // The caret stands in the free space beyond the end of its row, at VirtualColumn.
  virtual bool BeyondEOL() const { return beyondEOL_; }
  virtual int32_t VirtualColumn() const { return 0; }
  virtual void SetBeyondEOL(bool on) { beyondEOL_ = on; }
  // The display column after a TAB at column col: every 8 columns for a control without settings.
  int32_t NextTabStop(int32_t col) const override { return (col / 8 + 1) * 8; }
  // How the text's bytes show and how typed characters become bytes. A load decides it from the
  // loaded bytes (TEncodingDetector); an empty text is UTF-8.
  TTextEncoding DisplayEncoding() const { return encoding_; }
  // Writes the whole text as RTF or HTML; by default as plain text.
  virtual void ExportText(TSaveFormat format, TStream& stream);
  // True when a loaded or saved file's name becomes the control's FileName.
  virtual bool TitleAsFilename() const { return titleAsFilename_; }
  void SetTitleAsFilename(bool on) { titleAsFilename_ = on; }

  // --- Whole-text operations ---

  virtual void LoadFromStream(TStream& stream);
  // Raises EFileSaveError "Bad TStream instance" without a stream, and "Could not save text to
  // stream" when less than the whole text reached it.
  virtual void SaveToStream(TStream* stream);
  // Raises EFOpenError "File '%s' cannot be opened for reading" when the file does not exist.
  void LoadFromFile(const std::string& fileName);
  // Writes a temporary file beside the target and renames it over the target, so a failed save
  // leaves the old file as it was.
  void SaveToFile(const std::string& fileName);
  std::string GetText();
  int32_t GetTextLength();
  void SetText(const std::string& text);
  bool GetModified() const { return CanUndo(); }
  void SetModified(bool modified);
  // Deletes all text and clears the undo history.
  virtual void Clear();
  // Display column of character index within row (DisplayColumns.h).
  int32_t ColumnOfChar(const TTextRow& row, int32_t index) const;

  std::string FileName;
  TSaveFormat SaveFormat = sfTEXT;

  // TTextStoreHost
  void TextEmptied() override;

protected:
  bool Loading() const { return loading_; }
  void SetSelectionEnds(int32_t anchor, int32_t caret);
  void SetDisplayEncodingValue(TTextEncoding encoding) { encoding_ = encoding; }
  // Makes store the control's text (shared with whoever else holds it); the control becomes its host.
  void UseStore(std::shared_ptr<TTextStore> store);

private:
  TLineBreakForm TextForm() const;
  // The end of a load that cannot fail: bulk mode off, selection at the start, loading over.
  void EndLoadState() noexcept;
  // Reads the stream in blocks into the text (bulk-append mode is on).
  void ReadBlocks(TStream& stream, TEncodingDetector& detector);
  // Leaves the load: its state, then the control's hooks (text changed, parser back, caret shown),
  // every one of them run; returns the first failure among the hooks.
  std::exception_ptr EndLoad(bool bracket, const TEncodingDetector& detector);

  std::shared_ptr<TTextStore> store_;  // never null
  std::unique_ptr<TInkMemoStrings> lines_;
  std::unique_ptr<TSM_CaretControl> caretControl_;
  int32_t selAnchor_ = 0;
  int32_t selCaret_ = 0;
  int32_t undoRecords_ = 0;  // edits since the history was last cleared
  bool beyondEOL_ = false;
  bool loading_ = false;
  bool titleAsFilename_ = false;
  TTextEncoding encoding_ = TTextEncoding::Utf8;
};

}  // namespace ql
