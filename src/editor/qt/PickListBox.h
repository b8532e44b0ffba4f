#pragma once
// The visible pick list of the code templates: a small list box, a child of the editor's client
// area, that shows each template as its description and its name in bold, opens under the caret
// (above it near the bottom edge), searches as the user types, expands the chosen template on
// Return or a double click, and closes on Escape or when it loses the focus.
//
// Ownership: the template table owns the TQtPickList (TMacroKeywords keeps it); the list box is
// a Qt child of the editor it belongs to. Whichever goes first, the box is deleted once:
//   - the table (or TQtPickList) goes first: TQtPickList deletes the box, if it still exists;
//   - the editor goes first: the engine's destructor tells the table (EditorDestroying), which
//     frees the TQtPickList and with it the box, before Qt deletes the editor's children; a box
//     Qt deleted anyway is only forgotten (QPointer).
// The box reports to its table through TQtPickList, which it never outlives.
#include <QListWidget>
#include <QPointer>
#include <cstdint>
#include <vector>

#include "services/MacroEditor.h"

namespace ql {

class TMacroKeywords;
class TQtInkMemo;
class TQtPickList;

// The Qt list box itself.
class TPickListBox : public QListWidget {
public:
  TPickListBox(TQtPickList& owner, QWidget* parent);
  ~TPickListBox() override;

  // Forgets the owner: nothing is reported any more (the owner is going away).
  void Detach() { owner_ = nullptr; }
  // Widest description and widest (bold) name of the items shown, in pixels.
  int DescriptionWidth() const { return descriptionWidth_; }
  int NameWidth() const { return nameWidth_; }
  int ItemHeight() const { return itemHeight_; }
  // Shows one item per name, measuring the widest description and name.
  void Fill(const QStringList& descriptions, const QStringList& names);

protected:
  void keyPressEvent(QKeyEvent* e) override;
  void mouseDoubleClickEvent(QMouseEvent* e) override;
  void focusOutEvent(QFocusEvent* e) override;

private:
  TQtPickList* owner_;
  int descriptionWidth_ = 0;
  int nameWidth_ = 0;
  int itemHeight_ = 0;
};

// The TMacroPickList the template table holds, made by a TQtInkMemo for it.
class TQtPickList : public TMacroPickList {
public:
  TQtPickList(TMacroKeywords& table, TQtInkMemo& editor);
  ~TQtPickList() override;
  TQtPickList(const TQtPickList&) = delete;
  TQtPickList& operator=(const TQtPickList&) = delete;

  // TMacroPickList
  void SetEditor(TMacroEditor& editor) override;
  TMacroEditor* Editor() const override { return editor_; }
  void Open(const std::vector<TPickListItem>& items, int32_t selected) override;
  void SelectItem(int32_t index) override;
  void Close() override;

  // The list box, while it exists (for tests and screenshots).
  TPickListBox* Box() const { return box_.data(); }

  // What the box reports (each guarded: no failure crosses into Qt's event loop).
  bool KeyChar(uint8_t c);
  void Choose();
  void Escape();
  void LostFocus();

private:
  // The Qt editor the list shows in; null when its editor has no Qt window.
  TQtInkMemo* QtEditor() const;
  // Puts the box under the caret (above it near the bottom edge), inside the editor's client area.
  void Place(int rows);

  TMacroKeywords& table_;
  TMacroEditor* editor_;
  QPointer<TPickListBox> box_;
};

}  // namespace ql
