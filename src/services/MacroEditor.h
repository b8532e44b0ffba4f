#pragma once
// What the code-template and auto-replace tables need of an editor: the selection, a
// character stream over the text, the word tests, replacing the selection inside an undo group,
// and a pick list shown under the caret. The editor control implements TMacroEditor; tests use
// a fake. The pick list is a hook as well: the editor side makes the visible list box, the
// tables decide what it holds and what choosing an item does.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "textmodel/CustomEdStream.h"

namespace ql {

class TMacroEditor;
class TMacroKeywords;

// Undo group numbers of the commands in this folder.
constexpr int32_t ugTemplates = 18;  // template and auto-replace expansions

// Brackets the changes of one command in BeginUndoGroup/EndUndoGroup, so that no path (an
// exception included) leaves a group open. Works with any host that has both calls.
template <class THost>
class TUndoGroup {
public:
  TUndoGroup(THost& host, int32_t group) : host_(host), group_(group) { host_.BeginUndoGroup(group_); }
  ~TUndoGroup() { host_.EndUndoGroup(group_); }
  TUndoGroup(const TUndoGroup&) = delete;
  TUndoGroup& operator=(const TUndoGroup&) = delete;

private:
  THost& host_;
  int32_t group_;
};

// OnTemplateEvent (Sender, TemplateName, var Replacement): a template is about to be expanded;
// the handler may change the text that replaces it.
using TMacroFireEvent = std::function<void(TMacroEditor& sender, const std::string& templateName, std::string& replacement)>;
// OnAutoReplace (Sender, IStream, ReplaceItem, var ReplaceWith, var CanReplace): an
// auto-replace entry is about to replace the typed name; IStream stands at the start of that
// name. The handler may change the replacement or veto it.
using TAutoReplaceEvent = std::function<void(TMacroEditor& sender, TCustomEdStream& stream, const std::string& replaceItem,
                                             std::string& replaceWith, bool& canReplace)>;

// One line of the pick list: shown as the description, a TAB and the name (in bold).
struct TPickListItem {
  std::string Description;
  std::string Name;
  bool operator==(const TPickListItem&) const = default;
};

// The visible pick list: a list box that is a child of its editor. The table that owns it
// tells it what to show; it reports back through the table's PickList* calls:
//   - a typed character:          TMacroKeywords::PickListKeyChar (true: consumed)
//   - Return or a double click:   TMacroKeywords::PickListChoose (the selected index)
//   - Escape:                     give the focus back to the editor
//   - losing the focus:           TMacroKeywords::PickListClosed, after hiding itself
class TMacroPickList {
public:
  virtual ~TMacroPickList() = default;
  // The editor the list belongs to now (the list is handed to the editor that has the focus).
  virtual void SetEditor(TMacroEditor& editor) = 0;
  virtual TMacroEditor* Editor() const = 0;
  // Fills the list (hidden while it is filled), measures the widest description and the
  // widest name, places it under the caret, selects item `selected`, shows it, brings it to
  // the front and focuses it.
  virtual void Open(const std::vector<TPickListItem>& items, int32_t selected) = 0;
  // Selects an item while the list is open (the list's incremental search).
  virtual void SelectItem(int32_t index) = 0;
  // Hides the list and gives the focus back to its editor.
  virtual void Close() = 0;
};

class TMacroEditor {
public:
  virtual ~TMacroEditor() = default;

  // Selection ends as character offsets; the caret is the moving end.
  virtual int32_t MacroSelAnchor() const = 0;
  virtual int32_t MacroSelCaret() const = 0;
  // Selects anchor .. caret; without repaint when repaint is false.
  virtual void MacroSetSelection(int32_t anchor, int32_t caret, bool repaint) = 0;
  virtual int32_t MacroTextLength() const = 0;
  // A character stream over the text placed at position; valid until the text changes.
  virtual TCustomEdStream& MacroStreamAt(int32_t position) = 0;
  virtual bool CharStartsWord(uint8_t c) const = 0;
  virtual bool CharIsInWord(uint8_t c) const = 0;
  // Display column (TABs expanded) of the character position; 0 on the virtual line after a
  // final line break.
  virtual int32_t DisplayColumnOf(int32_t position) = 0;
  // Replaces the selection by text (normalised, recorded for undo); the caret ends after it.
  virtual void MacroReplaceSelection(const std::string& text) = 0;
  virtual void BeginUndoGroup(int32_t group) = 0;
  virtual void EndUndoGroup(int32_t group) = 0;
  virtual bool HideSelection() const = 0;
  virtual void SetHideSelection(bool on) = 0;
  // Makes a pick list, a child of this editor, that reports to table.
  virtual std::unique_ptr<TMacroPickList> CreatePickList(TMacroKeywords& table) = 0;

  TMacroFireEvent OnTemplateEvent;
  TAutoReplaceEvent OnAutoReplace;
};

// The editor's reaction to a table's OnMacro: replaces the name before the caret (or, for an
// empty name, the selection) by expansion, raising OnTemplateEvent or OnAutoReplace first.
// Lines of the expansion are indented to the column where it starts (IndentLines), and the
// first "|" marks where the caret goes (CaretMarker).
void ApplyMacro(TMacroEditor& editor, TMacroKeywords& table, const std::string& name, std::string& expansion);

}  // namespace ql
