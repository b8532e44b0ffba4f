#include "editor/qt/PickListBox.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QStyledItemDelegate>
#include <algorithm>

#include "editor/qt/EventBoundary.h"
#include "editor/qt/QtInkMemo.h"
#include "services/MacroKeywords.h"
#include "toolkit/TextEncoding.h"

namespace ql {
namespace {

constexpr int kNameGap = 24;      // between the widest description and the names
constexpr int kExtraWidth = 48;   // added to the two widest texts
constexpr int kRightGap = 24;     // kept free at the editor's right edge when the list is moved left
constexpr int kMaxRows = 12;      // rows shown before the list scrolls
constexpr int kDescriptionRole = Qt::UserRole;
constexpr int kNameRole = Qt::UserRole + 1;

QFont ListFont() {
  QFont font(QStringLiteral("Tahoma"));
  font.setPointSize(8);
  return font;
}

QFont Bold(QFont font) {
  font.setBold(true);
  return font;
}

// Draws an item as its description and, after the widest description, its name in bold.
class TPickListDelegate : public QStyledItemDelegate {
public:
  explicit TPickListDelegate(TPickListBox& box) : QStyledItemDelegate(&box), box_(box) {}

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QStyleOptionViewItem background = option;
    initStyleOption(&background, index);
    background.text.clear();
    const QWidget* widget = option.widget;
    QStyle* style = widget != nullptr ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &background, painter, widget);

    painter->save();
    const bool selected = (option.state & QStyle::State_Selected) != 0;
    painter->setPen(option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
    const QRect r = option.rect;
    painter->setFont(box_.font());
    painter->drawText(r.adjusted(2, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
                      index.data(kDescriptionRole).toString());
    painter->setFont(Bold(box_.font()));
    painter->drawText(r.adjusted(box_.DescriptionWidth() + kNameGap, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
                      index.data(kNameRole).toString());
    painter->restore();
  }

  QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override {
    return {box_.DescriptionWidth() + box_.NameWidth() + kExtraWidth, box_.ItemHeight()};
  }

private:
  TPickListBox& box_;
};

}  // namespace

// --- The list box ---

TPickListBox::TPickListBox(TQtPickList& owner, QWidget* parent) : QListWidget(parent), owner_(&owner) {
  setObjectName(QStringLiteral("PickList"));
  setFont(ListFont());
  setFrameShape(QFrame::Box);
  setFrameShadow(QFrame::Plain);
  setLineWidth(1);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setUniformItemSizes(true);
  setItemDelegate(new TPickListDelegate(*this));
  setFocusPolicy(Qt::StrongFocus);
  hide();
}

TPickListBox::~TPickListBox() { owner_ = nullptr; }

void TPickListBox::Fill(const QStringList& descriptions, const QStringList& names) {
  clear();
  const QFontMetrics plain(font());
  const QFontMetrics bold(Bold(font()));
  // Sizes first: the items are laid out with them.
  descriptionWidth_ = 0;
  nameWidth_ = 0;
  for (qsizetype i = 0; i < names.size(); ++i) {
    descriptionWidth_ = std::max(descriptionWidth_, plain.horizontalAdvance(descriptions[i]));
    nameWidth_ = std::max(nameWidth_, bold.horizontalAdvance(names[i]));
  }
  itemHeight_ = bold.boundingRect(QStringLiteral("Wy")).height() + 2;
  for (qsizetype i = 0; i < names.size(); ++i) {
    // The item's text is what the list shows for it: the description, a TAB and the name.
    auto* item = new QListWidgetItem(descriptions[i].isEmpty() ? QStringLiteral("\t") + names[i]
                                                               : descriptions[i] + QStringLiteral("\t") + names[i]);
    item->setData(kDescriptionRole, descriptions[i]);
    item->setData(kNameRole, names[i]);
    addItem(item);
  }
}

void TPickListBox::keyPressEvent(QKeyEvent* e) {
  if (owner_ == nullptr) {
    QListWidget::keyPressEvent(e);
    return;
  }
  switch (e->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      owner_->Choose();
      e->accept();
      return;
    case Qt::Key_Escape:
      owner_->Escape();
      e->accept();
      return;
    default: break;
  }
  const QString text = e->text();
  if (text.size() == 1 && text[0].unicode() >= 0x20 && text[0].unicode() < 0x100 && text[0].unicode() != 0x7F &&
      !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
    if (owner_->KeyChar(static_cast<uint8_t>(text[0].unicode()))) {
      e->accept();
      return;
    }
  }
  QListWidget::keyPressEvent(e);
}

void TPickListBox::mouseDoubleClickEvent(QMouseEvent* e) {
  QListWidget::mouseDoubleClickEvent(e);
  if (owner_ != nullptr && currentRow() >= 0) owner_->Choose();
}

void TPickListBox::focusOutEvent(QFocusEvent* e) {
  QListWidget::focusOutEvent(e);
  if (owner_ != nullptr && isVisible()) owner_->LostFocus();
}

// --- The table's pick list ---

TQtPickList::TQtPickList(TMacroKeywords& table, TQtInkMemo& editor)
    : table_(table), editor_(&editor), box_(new TPickListBox(*this, editor.viewport())) {}

TQtPickList::~TQtPickList() {
  if (box_ != nullptr) {
    box_->Detach();
    delete box_.data();
  }
}

TQtInkMemo* TQtPickList::QtEditor() const { return editor_ != nullptr ? dynamic_cast<TQtInkMemo*>(editor_) : nullptr; }

void TQtPickList::SetEditor(TMacroEditor& editor) {
  editor_ = &editor;
  if (box_ == nullptr) return;
  TQtInkMemo* qt = QtEditor();
  if (qt == nullptr) {
    box_->hide();
  } else if (box_->parentWidget() != qt->viewport()) {
    box_->setParent(qt->viewport());  // the list follows the editor that has the focus
    box_->hide();
  }
}

void TQtPickList::Open(const std::vector<TPickListItem>& items, int32_t selected) {
  TQtInkMemo* qt = QtEditor();
  if (box_ == nullptr || qt == nullptr) return;
  const TTextEncoding encoding = qt->DisplayEncoding();
  QStringList descriptions;
  QStringList names;
  for (const TPickListItem& item : items) {
    descriptions << QString::fromStdString(BytesToUtf8(encoding, item.Description));
    names << QString::fromStdString(BytesToUtf8(encoding, item.Name));
  }
  box_->hide();
  box_->Fill(descriptions, names);
  Place(std::min(static_cast<int>(items.size()), kMaxRows));
  SelectItem(selected);
  box_->show();
  box_->raise();
  box_->setFocus(Qt::PopupFocusReason);
}

void TQtPickList::Place(int rows) {
  TQtInkMemo& editor = *QtEditor();
  const int frame = 2 * box_->frameWidth();
  const int clientWidth = editor.viewport()->width();
  const int clientHeight = editor.viewport()->height();
  int width = box_->DescriptionWidth() + box_->NameWidth() + kExtraWidth + frame;
  int height = std::max(rows, 1) * box_->ItemHeight() + frame;
  const TPoint caret = editor.PointFromChar(editor.SelCaret());
  const int caretY = std::max(caret.Y, 0);
  int left = caret.X;
  int top = height + caretY < clientHeight ? caretY + editor.LineHeight() : caretY - height;
  if (left + width > clientWidth) left = clientWidth - width - kRightGap;
  // Inside the client area, even for a list wider or taller than the editor.
  width = std::min(width, clientWidth);
  height = std::min(height, clientHeight);
  left = std::clamp(left, 0, std::max(clientWidth - width, 0));
  top = std::clamp(top, 0, std::max(clientHeight - height, 0));
  box_->setGeometry(left, top, width, height);
}

void TQtPickList::SelectItem(int32_t index) {
  if (box_ == nullptr || index < 0 || index >= box_->count()) return;
  box_->setCurrentRow(index);
  box_->scrollToItem(box_->item(index));
}

void TQtPickList::Close() {
  if (box_ == nullptr) return;
  const bool focused = box_->hasFocus();
  // The focus goes back to the editor before the list hides, so that it goes nowhere else.
  if (TQtInkMemo* qt = QtEditor(); qt != nullptr && focused) qt->SetFocus();
  if (box_ != nullptr) box_->hide();
}

bool TQtPickList::KeyChar(uint8_t c) {
  bool consumed = false;
  RunGuarded([&] { consumed = table_.PickListKeyChar(c); });
  return consumed;
}

void TQtPickList::Choose() {
  const int row = box_ != nullptr ? box_->currentRow() : -1;
  RunGuarded([&] { table_.PickListChoose(row); });
}

void TQtPickList::Escape() {
  if (TQtInkMemo* qt = QtEditor()) qt->SetFocus();
  LostFocus();
}

void TQtPickList::LostFocus() {
  if (box_ != nullptr) box_->hide();
  RunGuarded([&] { table_.PickListClosed(); });
}

}  // namespace ql
