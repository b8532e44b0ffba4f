#pragma once
// TCustomInkMemo: the editor control as an engine without a toolkit. It owns (shares) a row
// store and an undo history, draws onto a TCanvas, and talks to the window it lives in through a
// THostWindow.
//
// How a host drives it
//   - Everything goes through Perform(msg, wParam, lParam) (Messages.h), which is the window
//     procedure WndProc: the only place where the editor's state changes. Properties and public
//     operations below are thin wrappers that send messages to the editor itself.
//   - The host sends WM_SIZE (MAKELPARAM(w, h)) first, then WM_SETFOCUS/WM_KILLFOCUS,
//     WM_KEYDOWN (virtual key; modifiers read from THostWindow::KeyDown), WM_CHAR (a Unicode
//     code point), the mouse messages (MK_* flags, client coordinates), WM_MOUSEWHEEL,
//     WM_HSCROLL/WM_VSCROLL (SB_* code, thumb position in the high word), WM_TIMER (ids the
//     editor asked for) and WM_PAINT (lParam: TPaintRequest*; draw every pixel of Rect).
//   - The editor asks the host to repaint (InvalidateRect), sets the scroll bars, places the
//     caret, and reads the clipboard, key state, tick count and focus through THostWindow.
//   - Change reporting happens once per outermost message: re-highlighting, the invalidation of
//     changed rows, scroll bars, caret, then OnTextChange (per changed piece) and OnChange.
//
// What the main window uses: FileName, GetModified, GetText/SetText, LoadFromFile/SaveToFile,
// Clear, Lines() with BeginUpdate/EndUpdate, CaretControl(), Undo/Redo/CanUndo/CanRedo,
// CutToClipboard/CopyToClipboard/PasteFromClipboard, SelectAll, SetFocus, OnChange,
// OnTextChange, DisplayEncoding(); TInkMemo (InkMemo.h) adds the parser slots.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "editor/Annotations.h"
#include "editor/ClipCopyFormats.h"
#include "editor/DropData.h"
#include "editor/LineWrapper.h"
#include "editor/RowLayout.h"
#include "editor/UndoStack.h"
#include "highlight/ParserClient.h"
#include "highlight/ScanText.h"
#include "services/MacroEditor.h"
#include "services/SettingsOptions.h"
#include "services/SourceTypes.h"
#include "textmodel/CaretControl.h"
#include "textmodel/CharClasses.h"
#include "textmodel/EdStream.h"
#include "textmodel/InkMemoStrings.h"
#include "textmodel/TextControl.h"
#include "toolkit/HostWindow.h"
#include "toolkit/Strings.h"
#include "toolkit/WindowTarget.h"

namespace ql {

class TCanvas;
class TCustomInkMemoParser;
class TPrinter;
class TEditorSearch;
class TRescanner;
class TSM_Settings;

// ChangeFlags: what changed since OnChange was last raised.
constexpr uint32_t cfCaret = 0x01, cfText = 0x02, cfSize = 0x04, cfStyle = 0x08, cfScroll = 0x10;
constexpr uint32_t cfInsertMode = 0x20, cfOptions = 0x40, cfCommand = 0x80;

// Which scroll bars the editor shows.
enum TScrollStyle : uint8_t { ssNone, ssHorizontal, ssVertical, ssBoth };

// Timer the editor uses for scrolling while the mouse selects outside the window.
constexpr uint32_t tmAutoScroll = 1;

class TCustomInkMemo : public TTextControl, public TParserClient, public TWindowTarget, public TMacroEditor {
public:
  // host may be null: the editor then has no window (a default THostWindow).
  explicit TCustomInkMemo(THostWindow* host = nullptr);
  ~TCustomInkMemo() override;

  // --- The window ---

  void SetHost(THostWindow* host);
  THostWindow& Host() const { return *host_; }
  // The window procedure: every message goes through here.
  LRESULT Perform(TMsgNum msg, WPARAM wParam = 0, LPARAM lParam = 0) final;

  // --- Selection (reads are direct, writes send SMM_SELECTION) ---

  int32_t GetSelStart() const { return std::min(SelAnchor(), SelCaret()); }
  void SetSelStart(int32_t value);
  // Line breaks count two with SelLineStyle lsCRLF.
  int32_t GetSelLength() const;
  void SetSelLength(int32_t value);
  std::string GetSelText();
  void SetSelText(const std::string& text);
  void SetSelection(int32_t anchor, int32_t caret) override;
  void SelectAll();

  // --- Editing ---

  void ReplaceSelection(const char* text, int32_t len) override;
  using TTextControl::ReplaceSelection;
  bool CanUndo() const override;
  bool CanRedo() const;
  void Undo();
  void Redo();
  void ClearUndo() override;
  void CutToClipboard();
  void CopyToClipboard();
  void PasteFromClipboard();
  void ExecuteAction(int32_t code, bool extend = false);
  // Puts count (0: IndentStep) blanks, or TABs when tabs is set and smoUseTAB is on, in front of
  // every line the selection touches (SMM_INDENT); nothing for an empty selection.
  void BlockIndent(int32_t count, bool tabs);
  // Takes up to count (0: IndentStep) leading blanks, TABs and non-breaking spaces off every line
  // the selection touches (SMM_UNINDENT).
  void BlockUnindent(int32_t count);
  void LoadFromStream(TStream& stream) override;
  void SaveToStream(TStream* stream) override;
  // SaveFormat sfHTML and sfRTF: the whole text, highlighted, through the HTML or RTF writer.
  void ExportText(TSaveFormat format, TStream& stream) override;
  void Clear() override;
  void SetFocus() { host_->SetFocus(); }
  // Switches the display encoding (a repaint; the bytes stay).
  void SetDisplayEncoding(TTextEncoding encoding);

  // --- Properties ---

  // The active settings object: the active parser's, or the editor's own.
  TSM_Settings& Settings() const { return *settings_; }
  TInkMemoOptions GetOptions() const;
  void SetOptions(TInkMemoOptions options);
  bool HasOption(TInkMemoOption option) const;
  int32_t GetGutter() const;
  // Ignored for the current value and for a width the gutter rule refuses (GutterWidth.h).
  void SetGutter(int32_t value);
  int32_t GetRightMargin() const;
  void SetRightMargin(int32_t value);
  int32_t GetTabDefault() const;
  // Raises EInkMemo "=Illegal default tab stop value, must be > 0" for 0.
  void SetTabDefault(int32_t value);
  std::string GetWrapOverride() const;
  void SetWrapOverride(const std::string& text);
  int32_t GetWrapAtColumn() const;
  void SetWrapAtColumn(int32_t value);
  bool GetWordWrap() const { return HasOption(smoWordWrap); }
  void SetWordWrap(bool on);
  // Style 0: the default text colour, background and font style.
  TColor GetDefTextColor() const;
  void SetDefTextColor(TColor color);
  TColor GetDefBackColor() const;
  void SetDefBackColor(TColor color);
  uint8_t GetDefFontStyle() const;
  void SetDefFontStyle(uint8_t fontStyle);
  TColor GetGutterColor() const;
  void SetGutterColor(TColor color);
  const TFontSpec& GetGutterFont() const;
  void SetGutterFont(const TFontSpec& font);
  int32_t GetMargin() const;
  // Ignored when equal to the current value or wider than a character.
  void SetMargin(int32_t value);
  TColor GetMarginColor() const;
  void SetMarginColor(TColor color);
  TColor GetSelTextColor() const;
  void SetSelTextColor(TColor color);
  TColor GetSelTextBack() const;
  void SetSelTextBack(TColor color);
  int32_t GetIndentStep() const;
  // 1..19; other values are ignored.
  void SetIndentStep(int32_t value);
  // Explicit tab stops as 1-based columns ("5 9 13"); a malformed text raises EInkMemo.
  std::string GetTabColumns() const;
  void SetTabColumns(const std::string& text);
  // The editor font: name, size in points and character set (colour and style are style 0's).
  TFontSpec GetFont() const;
  void SetFont(const TFontSpec& font);
  TSelLineStyle GetSelLineStyle() const { return Store().LineStyle; }
  void SetSelLineStyle(TSelLineStyle style) { Store().LineStyle = style; }
  static const char* Version() { return "3.00.39"; }
  bool GetReadOnly() const { return readOnly_; }
  void SetReadOnly(bool on) { Perform(EM_SETREADONLY, on ? 1 : 0); }
  bool InsertMode() const { return insertMode_; }
  bool Modified() const { return CanUndo(); }
  bool HideSelection() const override { return hideSelection_; }
  void SetHideSelection(bool on) override { hideSelection_ = on; }
  TScrollStyle ScrollBars = ssBoth;
  // The forms Copy and Cut place on the clipboard: plain text and RTF.
  TClipCopyFormats ClipCopyFormats{smTEXT, smRTF};
  // The mouse cursor over hyperlink text.
  TCursor HyperCursor = crDefault;
  bool WantReturns = true;
  bool WantTab = true;
  bool Enabled = true;
  bool TabStop = true;
  TCharClasses WordTests;

  // --- View (pixels unless said otherwise) ---

  int32_t TopRowIndex() const;
  int32_t LeftColumn() const { return leftColumn_; }
  int32_t VisibleRows() const { return visibleRows_; }
  int32_t VisibleColumns() const { return visibleColumns_; }
  int32_t LineHeight() const { return lineHeight_; }
  int32_t CharWidth() const { return charWidth_; }
  bool FixedPitch() const { return fixedPitch_; }
  int32_t ClientWidth() const { return clientWidth_; }
  int32_t ClientHeight() const { return clientHeight_; }
  // Where the text area starts: the margin, plus the gutter when it is shown.
  int32_t TextLeft() const;
  int32_t PreferredX() const { return preferredX_; }
  // The mouse: presses counted so far (1..4), whether the mouse is over hyperlink text, and a
  // margin or wrap-column line being dragged (its column).
  int32_t ClickCount() const { return clickCount_; }
  bool OverHyperlink() const { return overHyperlink_; }
  bool LineDragging() const { return lineDrag_.Active; }
  int32_t LineDragColumn() const { return lineDrag_.Column; }
  // Drag and drop: whether the caret shows a drop position, and that position (-1: none).
  bool DropFeedback() const { return dropFeedback_; }
  int32_t DropPosition() const { return dropPosition_; }
  // The point of offset's character (-1, -1 before the top row), and the offset nearest to a point.
  TPoint PointFromChar(int32_t offset);
  int32_t CharFromPoint(int32_t x, int32_t y);
  // Display column of offset in its row (0 on the line after a final line break).
  int32_t ColumnOfOffset(int32_t offset);
  uint32_t ChangeFlags() const { return changeFlags_; }
  // The change flags the OnChange being raised reports.
  uint32_t ReportedChangeFlags() const { return reportedFlags_; }

  // --- Events ---

  std::function<void(TCustomInkMemo& sender)> OnChange;
  // Per changed piece: the offset and the bytes inserted (positive) or removed (negative); (0, 0)
  // when the whole text was deleted. Raised with OnChange, after the message.
  std::function<void(TCustomInkMemo& sender, int32_t start, int32_t extent)> OnTextChange;
  std::function<void(TCustomInkMemo& sender, int32_t& actionCode)> OnCommandRecognised;
  std::function<void(TCustomInkMemo& sender, int32_t lineNo)> OnGutterClick;
  // A third quick click on the row of the second: replaces selecting the row.
  std::function<void(TCustomInkMemo& sender, TPoint clickPos, int32_t charOffset)> OnTripleClick;
  // A click on hyperlink text (a style marked as hotspot): the text of its run and its token value.
  std::function<void(TCustomInkMemo& sender, const std::string& hyperData, int32_t hyperType)> OnHyperlinkClick;
  std::function<void(TCustomInkMemo& sender)> OnHyperlinkHover;
  // While data is dragged over the editor: the handler may change the effect offered.
  std::function<void(TCustomInkMemo& sender, TDropData& data, TPoint atPoint, TDropEffect& effect)> OnOLEDragOver;
  // Files dropped with smoProcessDroppedFiles on; the list the handler leaves is what a drop
  // with srcAsIs inserts.
  std::function<void(TCustomInkMemo& sender, TStringList& fileList, TPoint atPoint)> OnFilesDropped;
  // Makes the visible pick list of the code templates (the host's list box); without it none shows.
  std::function<std::unique_ptr<TMacroPickList>(TCustomInkMemo& sender, TMacroKeywords& table)> OnCreatePickList;
  // Each piece the re-highlighting stores (ScanText.h); the handler may change its value.
  TTokenSeenEvent OnTokenSeen;
  // Before a paste or a drop, with the data kinds offered (SourceTypes.h); the handler may change
  // the kinds and how they are taken, or set srcHandled when it took care of the data itself.
  std::function<void(TCustomInkMemo& sender, TSourceTypes& sourceTypes)> OnDataDrop;
  // Wheel notches; set handled to keep the editor from scrolling.
  std::function<void(TCustomInkMemo& sender, int32_t notches, bool& handled)> OnMouseWheel;

  // --- What the host and the parsers call ---

  // TTextStoreHost
  int32_t VisibleRowCount() const override { return visibleRows_; }
  void TextChanged(int32_t offset, int32_t delta) override;
  void TextEmptied() override;
  // TTabRule: the active settings' tab stops.
  int32_t NextTabStop(int32_t column) const override;
  // TSettingsClient / TParserClient
  void SettingsGutterFontChanged(TSM_Settings& settings) override;
  void ParserChanged(TCustomInkMemoParser& parser) override;
  void ParserSettingsChanged(TCustomInkMemoParser& parser) override;
  void ParserDestroyed(TCustomInkMemoParser& parser) override;

  // TMacroEditor
  int32_t MacroSelAnchor() const override { return SelAnchor(); }
  int32_t MacroSelCaret() const override { return SelCaret(); }
  void MacroSetSelection(int32_t anchor, int32_t caret, bool repaint) override;
  int32_t MacroTextLength() const override { return Store().TextLength; }
  TCustomEdStream& MacroStreamAt(int32_t position) override;
  bool CharStartsWord(uint8_t c) const override { return WordTests.CharStartsWord(c); }
  bool CharIsInWord(uint8_t c) const override { return WordTests.CharIsInWord(c); }
  int32_t DisplayColumnOf(int32_t position) override { return ColumnOfOffset(position); }
  void MacroReplaceSelection(const std::string& text) override;
  void BeginUndoGroup(int32_t group) override;
  void EndUndoGroup(int32_t group) override;
  std::unique_ptr<TMacroPickList> CreatePickList(TMacroKeywords& table) override;

  // --- Bookmarks, marks, breakpoints (Bookmarks.cpp); each change goes through SMM_ANNOTATE ---

  // Sets, moves or switches off bookmark index (0..9) on row line (1-based; -1: the caret's
  // row at the caret's column). Raises EInkMemo "Bookmark index range error" above 9.
  void SetBookmark(int32_t index, int32_t line, int32_t column);
  // Puts the caret on bookmark index and its row in the middle of the window.
  void GotoBookmark(int32_t index);
  // The 1-based row of bookmark index, or 0 when it lies on no row.
  int32_t BookmarkLine(int32_t index) const;
  // Text marks over start..start + length, drawn as a red wavy underline or by OnDrawMark.
  virtual TMarkHandle AddMark(int32_t start, int32_t length, int32_t value);
  virtual bool FindMark(int32_t start, int32_t length, TMarkHandle& mark) const;
  virtual int32_t MarkStart(TMarkHandle mark) const;
  virtual void SetMarkStart(TMarkHandle mark, int32_t value);
  virtual void SetMarkEnd(TMarkHandle mark, int32_t value);
  virtual int32_t MarkEnd(TMarkHandle mark) const;
  void RemoveMark(TMarkHandle mark);
  // Named bookmarks (position -1: the caret).
  void AddCustomBookmark(const std::string& name, int32_t position = -1);
  void RemoveCustomBookmark(const std::string& name);
  void GotoCustomBookmark(const std::string& name);
  // Breakpoints on the line holding offset (-1: the caret's line).
  bool ToggleBreakpoint(int32_t offset = -1);
  TSM_BreakpointData* AddBreakpoint(int32_t offset, int32_t tag = 0, bool enabled = true, const std::string& text = {},
                                    int32_t userData = 0);
  void RemoveBreakpoint(TSM_BreakpointData* breakpoint);
  // The execution point on the line holding offset; SetExecPoint(-1, false) switches it off.
  void SetExecPoint(int32_t offset, bool on = true);
  void SetGutterMarks(int32_t rowIndex, uint16_t flags);
  void AddTrack(int32_t trackId);
  void RemoveTrack(int32_t trackId);
  const std::vector<int32_t>& LineTracks() const { return lineTracks_; }
  // Frames the caret's row with two lines.
  bool ShowFocusLine() const { return showFocusLine_; }
  void SetShowFocusLine(bool on);

  std::function<void(TCustomInkMemo& sender, int32_t index)> OnBookmarkSet;
  std::function<void(TCustomInkMemo& sender, int32_t index)> OnBookmarkClear;
  std::function<void(TCustomInkMemo& sender, const std::string& name)> OnCustomBookmarkFree;
  std::function<void(TCustomInkMemo& sender, TMarkHandle mark)> OnMarkChange;
  std::function<void(TCustomInkMemo& sender, TMarkHandle mark)> OnMarkFree;
  std::function<void(TCustomInkMemo& sender, TCanvas& canvas, const TRect& rect, TMarkHandle mark)> OnDrawMark;
  std::function<void(TCustomInkMemo& sender, TSM_BreakpointData& breakpoint)> OnBreakpointFree;
  std::function<void(TCustomInkMemo& sender, TSM_BreakpointData& breakpoint)> OnBreakpointStateChange;
  std::function<void(TCustomInkMemo& sender, int32_t trackId)> OnTrackAdd;
  std::function<void(TCustomInkMemo& sender, int32_t trackId)> OnTrackFree;
  std::function<void(TCustomInkMemo& sender, TLineDrawData& data)> OnDrawLine;

  // --- Word wrap (WordWrap.cpp) ---

  // Lays out every logical line from the one holding from (null: the first) to the one holding
  // to (null: the last) again.
  void Rewrap(TTextRow* from, TTextRow* to);
  // Lays out the logical line that starts at first; returns its rows.
  TRowSpan WrapLine(TTextRow* first);
  // The break rule of wrapping (WordBreak.h codes): OnWordBreakProc when assigned.
  int32_t WordBreak(const char* text, int32_t position, int32_t count, int32_t code);
  // Pixels a wrapped row must stay below: WrapAtColumn columns, or the text area's width.
  int32_t WrapWidth() const;
  // Replaces the built-in break rule; its result is the row's length (kept within 1..count).
  std::function<int32_t(const char* lpch, int32_t ichCurrent, int32_t cch, int32_t code)> OnWordBreakProc;
  // TTextStoreHost: insertions and deletions lay out the lines they touched.
  bool WordWrapOn() const override;
  void LayoutRows(TTextStore& store, TTextRow* first, TTextRow* last) override;

  // --- Printing (Print.cpp) ---

  // Prints the rows the selection touches; the whole text with PrintDocument. An empty text
  // prints nothing. Raises the printer's EPrinter when no job can be started.
  void PrintSelection();
  void PrintDocument();
  // The printer printed on; null: DefaultPrinter().
  TPrinter* PrinterObject = nullptr;
  // All text black on white.
  bool MonoPrint = true;
  // Draws each page's header and footer instead of the built-in ones (see PrintPass.h).
  std::function<void(TCustomInkMemo& sender, TCanvas& renderCanvas, TRect& renderRect, bool& transparentText)>
      OnPrintHeaderFooter;
  bool Printing() const { return printing_; }

  // --- Search (EditorSearch.h): FindText, the find and replace dialogs, OnSearchFail ---
  TEditorSearch& Search();

  // The history and the parser in use, for tests and benchmarks.
  TUndoStack& History() const { return *history_; }
  TCustomInkMemoParser* ActiveParserObject() const { return parser_; }

protected:
  // The window procedure; derived controls handle their own messages and pass the rest on.
  virtual LRESULT WndProc(TMsgNum msg, WPARAM wParam, LPARAM lParam);
  // Re-highlights from the pending row and raises the change events (once per outermost message).
  virtual void DoChange();
  // The action executor (action codes of KeyActions.h).
  virtual void ExecuteActionCode(int32_t code, bool extend);
  // Makes parser (or none: the editor's own settings) the one the editor highlights with.
  void SelectParser(TCustomInkMemoParser* parser);

  // TTextControl hooks
  void SetRedraw(bool on) override;
  void SetUpdateState(bool updating) override;
  bool Repainting() const override { return redrawEnabled_; }
  void DetachParser() override { parserDetached_ = true; }
  void ReattachParser() override;
  void WholeTextChanged() override;
  void NotifyTextChanged() override { changeFlags_ |= cfText; }
  void EnsureCaretVisible() override;
  int32_t VirtualColumn() const override { return virtualColumn_; }
  bool TitleAsFilename() const override { return HasOption(smoTitleAsFilename); }

private:
  friend class TTransaction;

  // The breakpoint or execution point of a row: its glyph number and row colours.
  struct TRowMarker {
    bool Present = false;
    int32_t Glyph = 0;
    TColor Back = 0;
    TColor Text = 0;
  };

  // -- WndProc.cpp: dispatch and the message table
  LRESULT Dispatch(TMsgNum msg, WPARAM wParam, LPARAM lParam);
  void EndOfMessage();
  LRESULT EditMessage(TMsgNum msg, WPARAM wParam, LPARAM lParam, bool& handled);
  LRESULT OwnMessage(TMsgNum msg, WPARAM wParam, LPARAM lParam, bool& handled);

  // -- Selection.cpp
  void SetSelectionMsg(TSelectionEnds ends, bool quiet);
  void MoveCaret(int32_t caret, bool extend);
  std::string SelectionBytes(TLineBreakForm form);

  // -- Geometry.cpp: offsets, columns and pixels
  const TRowLayout& LayoutOf(const TTextRow& row);
  // The character boundary of row nearest to display column (a byte index in the row).
  int32_t CharOfColumn(const TTextRow& row, int32_t column);
  int32_t ColumnOfPixel(int32_t x) const;
  // The row at client y (null below the last row), with its start offset and index.
  TRowPos RowAtY(int32_t y);
  void MeasureFont();
  void UpdateVisibleSize();

  // -- Scrolling.cpp
  void ScrollTo(int32_t left, int32_t top, bool repaint);
  void SetTopRow(int32_t index);
  void ScrollBarMessage(TScrollBarKind bar, WPARAM wParam);
  void UpdateScrollBars();
  int32_t ScrollScale() const;

  // -- Editing.cpp
  void ReplaceSel(std::string_view text, bool quiet);
  void InsertTyped(std::string_view bytes);
  // Fills from display column from to column to with blanks (or TABs and blanks, by the options).
  void InsertFill(int32_t from, int32_t to);
  // The blanks (or TABs and blanks) InsertFill would insert.
  std::string FillText(int32_t from, int32_t to) const;
  void SmartTab();
  void TypeChar(char32_t code);
  void DeleteChar(bool before);
  void DeleteWord(bool before);
  void DeleteLine();
  void Paste(std::string_view utf8, int32_t group);
  void InsertStream(TStream& stream, bool quiet);
  void ClearHistory();
  void PlayBack(bool undo);
  // Returns the text a long step took out of the document, for the history to keep.
  std::string ApplyStep(const TUndoStep& step, bool undo);

  // -- Actions.cpp
  int32_t NextCharOffset(int32_t offset);
  int32_t PrevCharOffset(int32_t offset);
  int32_t WordLeft(int32_t offset);
  int32_t WordRight(int32_t offset);
  void MoveVertically(int32_t rows, bool extend, bool page);
  int32_t LineEnd(int32_t offset);
  // The end of the text of offset's row, before its line break.
  int32_t RowContentEnd(int32_t offset);
  // The caret may stand beyond the end of its row (smoCaretAfterEOL with a fixed-pitch font).
  bool CaretAfterEOL() const { return HasOption(smoCaretAfterEOL) && fixedPitch_; }
  // Puts the caret at display column column of the row holding offset's row start: beyond the
  // row's end when the row is shorter (caret after EOL only).
  void PlaceAtColumn(int32_t rowStart, const TTextRow& row, int32_t column, bool extend);

  // -- EditorClipboard.cpp
  // Writes [start, end) (either order) as HTML or RTF, after the pending re-highlighting.
  void ExportRange(TSaveFormat format, int32_t start, int32_t end, TStream& stream);
  void CopySelection();
  void PasteClipboard();
  // The selection in an SMM_WRITESEL format (smfPlain..., smfRTF, smfHTML).
  void WriteSelection(WPARAM format, TStream& stream);

  // -- Keys.cpp
  void KeyDown(uint16_t key);
  void KeyPress(char32_t code);
  void BindSettings();
  bool ShiftDown() const;
  bool CtrlDown() const;

  // -- BlockIndent.cpp
  // Start offsets of the lines the selection touches (a line continued over rows counts once);
  // the line the selection ends on is left out when it ends at the line's start.
  std::vector<int32_t> SelectedLineStarts();
  // Records one line's change at offset at: removed replaced by inserted.
  void RecordLineStep(int32_t at, std::string_view removed, std::string_view inserted);
  void IndentLines(int32_t count, bool tabs);
  void UnindentLines(int32_t count);
  // Selects the changed block and requests the repaint.
  void BlockChanged(int32_t selStart, int32_t selEnd);

  // -- Mouse.cpp
  // A right-margin or wrap-column line under the mouse or being dragged.
  struct TLineDrag {
    bool Active = false;
    bool RightMargin = true;  // else the wrap column
    int32_t Column = 0;
  };
  void MouseDown(int32_t x, int32_t y, WPARAM keys, bool doubleClick);
  void MouseMove(int32_t x, int32_t y);
  void MouseUp(int32_t x, int32_t y);
  void MouseWheel(int32_t delta);
  void AutoScrollStep();
  void SelectWordAt(int32_t offset);
  void SingleClick(int32_t x, int32_t y, int32_t f);
  // The selection, the drop position or the dragged line follows the mouse.
  void TrackMouse(int32_t x, int32_t y);
  bool WantsAutoScroll(int32_t x, int32_t y) const;
  // Whether a draggable line is under the point (in empty space past its row's end).
  bool LineUnder(int32_t x, int32_t y, TLineDrag& line);
  // The token value of hyperlink text under the point, or -1.
  int32_t HyperlinkStyleAt(int32_t x, int32_t y);
  // The run of text around offset with the token value value, across rows.
  std::string HyperlinkText(int32_t offset, uint8_t value);
  void UpdateCursor(int32_t x, int32_t y);
  bool InsideSelection(int32_t offset) const;
  int32_t LineDragX() const;
  void InvalidateLineDrag();

  // -- DragDrop.cpp
  // What became of a drag out of this editor that was dropped back onto it.
  enum class TOwnDrop : uint8_t { None, Done, Rejected };
  void DragOut();
  void EndDragOut();
  TDropEffect DropEffectFor(const TDropRequest& request) const;
  void DragEnter(TDropRequest& request);
  void DragOver(TDropRequest& request);
  void DragLeave();
  void Drop(TDropRequest& request);
  void DropText(std::string text, TDropRequest& request, TSourceTypes types);
  void EndDrop();
  void FilesDropped(const TFileDrop& drop);

  // -- Paint.cpp
  void Paint(TCanvas& canvas, const TRect& area);
  void PaintRow(TCanvas& canvas, const TTextRow* row, int32_t rowStart, int32_t lineNo, int32_t y, const TRect& area);
  void PaintGutter(TCanvas& canvas, const TTextRow* row, int32_t rowStart, int32_t lineNo, int32_t y);
  void PaintText(TCanvas& canvas, const TTextRow& row, int32_t rowStart, int32_t y, const TRowMarker& marker);
  TFontHandle StyleFontOf(uint8_t style) const;
  TFontHandle GutterFont();
  void FreeGutterFont();
  void InvalidateChangedRows();
  void InvalidateAll() { fullRepaint_ = true; }
  void UpdateCaret();

  // -- Bookmarks.cpp
  LRESULT Annotate(TAnnotationOp op, TAnnotationRequest& request);
  void DoSetBookmark(int32_t index, int32_t line, int32_t column);
  void DoGotoBookmark(int32_t index);
  // Binds the store's annotation notifications to this editor (or unbinds them).
  void BindAnnotations(bool bind);
  void BindMarks();
  void RepaintAnnotations();

  // The editor's line tracks go with it, each reported through OnTrackFree.
  void FreeLineTracks() noexcept;

  // -- PaintMarks.cpp: glyphs, marks, whitespace marks, the focus line
  TRowMarker RowMarkerAt(int32_t rowStart) const;
  // The row colours of the line row belongs to: a wrapped line's continuation rows too.
  TRowMarker LineMarkerOf(const TTextRow& row, int32_t rowStart) const;
  void PaintGutterGlyphs(TCanvas& canvas, const TTextRow& row, const TRowMarker& marker, int32_t y);
  void PaintRowMarks(TCanvas& canvas, const TTextRow& row, int32_t rowStart, int32_t y);
  // The blanks and TABs of layout characters [first, last) drawn on background back.
  void PaintWhitespace(TCanvas& canvas, const TRowLayout& layout, size_t first, size_t last, int32_t y, TColor back);
  // The line-end or wrap glyph after the row's text.
  void PaintRowEnd(TCanvas& canvas, const TTextRow& row, const TRowLayout& layout, int32_t y, TColor back);
  void PaintFocusLine(TCanvas& canvas, const TRect& area);
  void InvalidateFocusLine();

  // -- Rehighlight.cpp
  void RecreateRescanner();
  void RunRescan();

  // -- Print.cpp
  void PrintRows(bool wholeText);
  void EndPrinting(TPrinter* printer);

  // -- WordWrap.cpp
  TWrapLayout CurrentWrapLayout() const;
  // Lays the whole text out again when what it was laid out for changed (or, with textReplaced,
  // when word wrap is on).
  void UpdateWrapLayout(bool textReplaced = false);

  // -- Settings.cpp
  void ApplySettings(bool fromPropertyWrite);
  // A settings-held property was written: every editor using the settings applies them again.
  void SettingsWritten();
  void SetOptionsWord(uint32_t word, bool quiet);

  THostWindow* host_;
  std::unique_ptr<THostWindow> ownHost_;  // used while no host is given

  // Settings and highlighting.
  std::unique_ptr<TSM_Settings> ownSettings_;
  TSM_Settings* settings_;                  // never null: ownSettings_ or the parser's
  TCustomInkMemoParser* parser_ = nullptr;  // the parser highlighting with, or none
  std::unique_ptr<TRescanner> rescanner_;   // exists exactly while parser_ does
  bool parserDetached_ = false;             // during a load: changes are not reported to it
  bool highlightAll_ = false;               // the whole text must be highlighted again
  TFontHandle gutterFont_ = 0;
  TFontFactory* gutterFonts_ = nullptr;     // the factory gutterFont_ was made by

  // History and recording.
  std::shared_ptr<TUndoStack> history_;  // never null
  bool playback_ = false;                // undo or redo is replaying the history
  bool recording_ = true;                // changes are recorded in the history
  bool transactionOpen_ = false;

  // Message dispatch and change reporting.
  int32_t depth_ = 0;                    // messages being handled (nested Perform calls)
  uint32_t changeFlags_ = 0;
  uint32_t reportedFlags_ = 0;
  std::vector<std::pair<int32_t, int32_t>> textChanges_;  // for OnTextChange, in order
  bool fullRepaint_ = true;
  bool scrollBarsDirty_ = true;
  int32_t rowCountAtStart_ = 0;
  bool reporting_ = false;               // the change events are being raised

  // View state.
  int32_t leftColumn_ = 0;
  int32_t charWidth_ = 8;
  int32_t fixedWidth_ = 8;
  int32_t lineHeight_ = 17;
  bool fixedPitch_ = false;
  bool measured_ = false;
  int32_t visibleColumns_ = 1;
  int32_t visibleRows_ = 1;
  int32_t clientWidth_ = 0;
  int32_t clientHeight_ = 0;
  bool insertMode_ = true;
  bool redrawEnabled_ = true;
  bool paintLocked_ = false;
  bool readOnly_ = false;
  bool hideSelection_ = true;
  int32_t virtualColumn_ = 0;
  int32_t preferredX_ = 0;
  bool keepPreferredX_ = false;
  TScrollInfo lastVBar_{-1, -1, -1, -1}, lastHBar_{-1, -1, -1, -1};  // what the host was told
  bool caretCreated_ = false;
  TPoint caretSize_;

  // Keys.
  std::vector<uint16_t> navigationKeys_;  // virtual keys bound to caret moves (and Backspace)
  bool keyConsumed_ = false;
  bool shiftAtKey_ = false;

  // Mouse.
  bool mouseSelecting_ = false;
  bool dragPending_ = false;
  int32_t pressOffset_ = 0;  // where the press that armed a drag was
  int32_t clickCount_ = 4;   // 1..4: presses in quick succession; the next press counts 1
  TLineDrag lineDrag_;
  bool overHyperlink_ = false;
  TCursor cursor_ = crDefault;  // the shape last given to the host

  // Drag and drop.
  bool dropFeedback_ = false;  // a drag is over the editor, or one from it runs: the caret shows dropPosition_
  int32_t dropPosition_ = -1;  // where a drop would insert; -1: nowhere
  bool dropAccepted_ = false;  // the drag over the editor offers something it takes
  TSourceTypes dropKinds_ = 0; // the kinds it takes of that drag
  bool dragOut_ = false;       // a drag out of this editor runs
  TOwnDrop ownDrop_ = TOwnDrop::None;
  std::string ownDragBytes_;   // the bytes a drag out carries, while it runs
  uint32_t lastClickTime_ = 0;
  int32_t lastClickRow_ = -1;
  TPoint mousePos_;

  // Annotations.
  std::vector<int32_t> lineTracks_;  // TLineTrackManager: the ids of the line tracks
  bool showFocusLine_ = false;
  int32_t focusRow_ = -1;            // the row the focus line was last drawn on

  bool printing_ = false;  // a print job runs: no painting, no scroll bars

  // Word wrap.
  TWrapLayout wrapLayout_;             // what the rows are laid out for
  std::vector<int32_t> wrapLengths_;   // work: the row lengths of one line
  std::string wrapText_;               // work: one line's text

  // Work objects, sized from what they hold.
  TRowLayout layout_;
  std::string runText_;
  std::unique_ptr<TEdStream> macroStream_;  // made anew by each MacroStreamAt
  std::unique_ptr<TEditorSearch> search_;   // made on first use
};

// The transaction of one replacement of the selection: the selection and the replaced bytes are
// taken when it opens, and the step is recorded when it is committed. One that is not committed
// (an exception inside the replacement) is dropped, and the editor is ready for the next edit.
class TTransaction {
public:
  explicit TTransaction(TCustomInkMemo& editor);
  ~TTransaction();
  TTransaction(const TTransaction&) = delete;
  TTransaction& operator=(const TTransaction&) = delete;
  bool Active() const { return active_; }
  void Commit(std::string_view inserted);
  // Commits a long insertion that the history leaves to the document, by its digest.
  void Commit(TTextDigest inserted);

private:
  TCustomInkMemo& editor_;
  bool active_;
  TSelectionEnds before_;
  std::string removed_;
};

}  // namespace ql
