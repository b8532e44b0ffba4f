#include "dialogs/MacroListBox.h"

#include <QPainter>
#include <QSignalBlocker>

namespace ql {

namespace {
const QColor kSilver(192, 192, 192);

int ItemHeight(const QFontMetrics& metrics) { return metrics.boundingRect(QStringLiteral("Wy")).height() + 2; }
}  // namespace

void TMacroListDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
  const QRect r = option.rect;
  const bool selected = (option.state & QStyle::State_Selected) != 0;
  painter->save();
  painter->fillRect(r, option.palette.brush(selected ? QPalette::Highlight : QPalette::Base));
  painter->setFont(option.font);
  painter->setPen(option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
  const QString line = index.data(Qt::DisplayRole).toString();
  const qsizetype tab = line.indexOf(QLatin1Char('\t'));
  const QString name = tab < 0 ? line : line.left(tab);
  const QString second = tab < 0 ? QString() : line.mid(tab + 1);
  const int third = r.left() + r.width() / 3;
  // Each text keeps to its column, cut short with an ellipsis when it is too wide.
  const QRect nameRect(r.left() + 2, r.top(), third - r.left() - 4, r.height() - 1);
  const QRect secondRect(third + 2, r.top(), r.right() - third - 3, r.height() - 1);
  const QFontMetrics& metrics = option.fontMetrics;
  painter->drawText(nameRect, Qt::AlignLeft | Qt::AlignVCenter, metrics.elidedText(name, Qt::ElideRight, nameRect.width()));
  painter->drawText(secondRect, Qt::AlignLeft | Qt::AlignVCenter,
                    metrics.elidedText(second, Qt::ElideRight, secondRect.width()));
  painter->setPen(kSilver);
  painter->drawLine(third, r.top(), third, r.bottom());
  painter->drawLine(r.left(), r.bottom(), r.right(), r.bottom());
  if ((option.state & QStyle::State_HasFocus) != 0 && selected) {
    painter->setPen(QPen(option.palette.color(QPalette::HighlightedText), 1, Qt::DotLine));
    painter->drawRect(r.adjusted(0, 0, -1, -1));
  }
  painter->restore();
}

QSize TMacroListDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const {
  return {option.rect.width() > 0 ? option.rect.width() : 100, ItemHeight(option.fontMetrics)};
}

QString ShownText(TTextEncoding encoding, const std::string& bytes) {
  return QString::fromStdString(BytesToUtf8(encoding, bytes));
}

std::string TypedBytes(TTextEncoding encoding, const QString& text) { return Utf8ToBytes(encoding, text.toStdString()); }

QListWidget* NewMacroListBox(const char* name, QWidget* parent) {
  auto* box = new QListWidget(parent);
  box->setObjectName(name);
  box->setItemDelegate(new TMacroListDelegate(box));
  box->setUniformItemSizes(true);
  box->setSelectionMode(QAbstractItemView::SingleSelection);
  return box;
}

void ShowMacroList(QListWidget& box, const TMacroList& list, int32_t select, TTextEncoding encoding) {
  const QSignalBlocker blocker(box);
  QStringList lines;
  lines.reserve(list.Count());
  for (const TMacroListEntry& entry : list.Entries())
    lines.push_back(ShownText(encoding, entry.Line()));
  box.clear();
  box.addItems(lines);
  box.setCurrentRow(select);
  if (select >= 0) box.scrollToItem(box.item(select));
}

}  // namespace ql
