#include "app/FileDrag.h"

#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QUrl>

namespace ql {

TFileDrag::TFileDrag(QWidget* owner) : QObject(owner), owner_(owner) {
  if (owner_) {
    owner_->installEventFilter(this);
  } else {
    enableDrop_ = false;
  }
  SetEnableDrop(enableDrop_);
}

TFileDrag::~TFileDrag() {
  if (owner_) {
    owner_->removeEventFilter(this);
    owner_->setAcceptDrops(false);
  }
}

void TFileDrag::SetEnableDrop(bool enable) {
  enableDrop_ = enable && owner_;
  if (owner_) owner_->setAcceptDrops(enableDrop_);
}

bool TFileDrag::CarriesFiles(const QMimeData* data) {
  if (data == nullptr || !data->hasUrls()) return false;
  for (const QUrl& url : data->urls()) {
    if (url.isLocalFile()) return true;
  }
  return false;
}

bool TFileDrag::eventFilter(QObject* watched, QEvent* event) {
  if (watched != owner_ || !enableDrop_) return false;
  switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
      auto* drag = static_cast<QDropEvent*>(event);
      if (!CarriesFiles(drag->mimeData())) return false;
      drag->acceptProposedAction();
      return true;
    }
    case QEvent::Drop: {
      auto* drop = static_cast<QDropEvent*>(event);
      if (!CarriesFiles(drop->mimeData())) return false;
      drop->acceptProposedAction();
      files_.Clear();
      for (const QUrl& url : drop->mimeData()->urls()) {
        if (url.isLocalFile()) files_.Add(QFile::encodeName(url.toLocalFile()).toStdString());
      }
      const QPoint at = drop->position().toPoint();
      if (OnDrop) OnDrop(*this, at.x(), at.y());
      return true;
    }
    default:
      return false;
  }
}

}  // namespace ql
