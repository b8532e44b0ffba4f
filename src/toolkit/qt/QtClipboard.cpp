#include "toolkit/qt/QtClipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace ql {

bool TQtClipboard::HasText() const {
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  return data != nullptr && data->hasText();
}

std::string TQtClipboard::GetText() const { return QGuiApplication::clipboard()->text().toStdString(); }

void TQtClipboard::SetText(std::string_view utf8) {
  QGuiApplication::clipboard()->setText(QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())));
}

}  // namespace ql
