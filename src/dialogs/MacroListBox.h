#pragma once
// The entry lists of the Auto correct and Code templates pages as list boxes: each item is a list
// line (name, TAB, second text) drawn in two columns. Every item is as high as "Wy" plus 2
// pixels; the name starts 2 pixels from the left, the second text 2 pixels right of the point a
// third of the way across, and silver lines (192, 192, 192) run down that third and along each
// item's last pixel row.
#include <QListWidget>
#include <QStyledItemDelegate>

#include "editor/MacroList.h"
#include "toolkit/TextEncoding.h"

namespace ql {

class TMacroListDelegate : public QStyledItemDelegate {
public:
  using QStyledItemDelegate::QStyledItemDelegate;
  // AutoReplBoxDrawItem
  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
  // AutoReplBoxMeasureItem
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

// The texts of the boxes as the pages show them and as the tables store them (bytes read in
// encoding, the way the editors show them).
QString ShownText(TTextEncoding encoding, const std::string& bytes);
std::string TypedBytes(TTextEncoding encoding, const QString& text);

// While it lives, flag says that the dialog itself sets the boxes and lists of the two pages, so
// their change handlers stay quiet.
class TUpdatingBoxes {
public:
  explicit TUpdatingBoxes(bool& flag) : flag_(flag), was_(flag) { flag_ = true; }
  ~TUpdatingBoxes() { flag_ = was_; }
  TUpdatingBoxes(const TUpdatingBoxes&) = delete;
  TUpdatingBoxes& operator=(const TUpdatingBoxes&) = delete;

private:
  bool& flag_;
  bool was_;
};

// A list box that draws its items with a TMacroListDelegate (owned by the box).
QListWidget* NewMacroListBox(const char* name, QWidget* parent);

// Shows list in box, its texts read in encoding, with the entry select selected (-1: none);
// the box's signals are blocked meanwhile.
void ShowMacroList(QListWidget& box, const TMacroList& list, int32_t select, TTextEncoding encoding);

}  // namespace ql
