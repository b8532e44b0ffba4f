#include "toolkit/qt/QtClipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace ql {
namespace {

QString MimeName(std::string_view mime) { return QString::fromLatin1(mime.data(), static_cast<qsizetype>(mime.size())); }

QByteArray Bytes(const std::string& data) { return QByteArray(data.data(), static_cast<qsizetype>(data.size())); }

// The bytes of a format, as UTF-8 for plain text and HTML; Qt's UTF-16 copy of a text is gone
// before they are returned.
QByteArray FormatBytes(std::string_view mime) {
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  if (data == nullptr) return {};
  if (mime == mimeText) return data->text().toUtf8();
  if (mime == mimeHtml) return data->html().toUtf8();
  return data->data(MimeName(mime));
}

}  // namespace

bool TQtClipboard::HasFormat(std::string_view mime) const {
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  if (data == nullptr) return false;
  if (mime == mimeText) return data->hasText();
  if (mime == mimeHtml) return data->hasHtml();
  return data->hasFormat(MimeName(mime));
}

std::string TQtClipboard::GetFormat(std::string_view mime) const { return FormatBytes(mime).toStdString(); }

void TQtClipboard::ReadFormat(std::string_view mime, const std::function<void(std::string_view)>& use) const {
  const QByteArray bytes = FormatBytes(mime);
  use(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));
}

void TQtClipboard::SetFormats(const std::vector<TClipFormat>& formats) {
  auto* data = new QMimeData;
  for (const TClipFormat& f : formats) {
    if (f.Mime == mimeText) {
      data->setText(QString::fromUtf8(f.Data.data(), static_cast<qsizetype>(f.Data.size())));
    } else {
      data->setData(MimeName(f.Mime), Bytes(f.Data));
    }
  }
  QGuiApplication::clipboard()->setMimeData(data);  // the clipboard owns it; an empty one empties it
}

}  // namespace ql
