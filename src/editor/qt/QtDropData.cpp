#include "editor/qt/QtDropData.h"

#include <QFile>
#include <QMimeData>
#include <QUrl>

namespace ql {

std::vector<std::string> TQtDropData::Files() const {
  std::vector<std::string> files;
  if (data_ == nullptr || !data_->hasUrls()) return files;
  for (const QUrl& url : data_->urls()) {
    if (url.isLocalFile()) files.push_back(QFile::encodeName(url.toLocalFile()).toStdString());
  }
  return files;
}

TSourceTypes TQtDropData::Kinds() const {
  if (data_ == nullptr) return 0;
  if (!Files().empty()) return srcFiles;
  TSourceTypes kinds = 0;
  if (data_->hasText()) kinds |= srcText | srcUnicodeText;
  if (data_->hasHtml()) kinds |= srcHTML;
  return kinds;
}

std::string TQtDropData::Text(TSourceTypes kind) const {
  if (data_ == nullptr) return {};
  if (kind == srcHTML) return data_->html().toStdString();
  if (kind == srcText || kind == srcUnicodeText) return data_->text().toStdString();
  return {};
}

}  // namespace ql
