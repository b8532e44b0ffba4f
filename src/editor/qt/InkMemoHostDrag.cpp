// The host's drag and drop: a drag out of the window (QDrag) for the target's DoDragDrop, and
// Qt's drag events over the viewport as the target's drop messages. A drag the target refuses
// is ignored, so that it goes on to the widgets around the editor (the main window takes files).
#include <QDrag>
#include <QDropEvent>
#include <QMimeData>

#include "editor/qt/InkMemoHost.h"
#include "editor/qt/QtDropData.h"

namespace ql {
namespace {

TDropEffect EffectsOf(Qt::DropActions actions) {
  TDropEffect effects = DROPEFFECT_NONE;
  if (actions & Qt::CopyAction) effects |= DROPEFFECT_COPY;
  if (actions & Qt::MoveAction) effects |= DROPEFFECT_MOVE;
  return effects;
}

Qt::DropAction ActionOf(TDropEffect effect) {
  if (effect & DROPEFFECT_MOVE) return Qt::MoveAction;
  if (effect & DROPEFFECT_COPY) return Qt::CopyAction;
  return Qt::IgnoreAction;
}

}  // namespace

TDropEffect TInkMemoHost::DoDragDrop(const std::string& utf8, TDropEffect allowed) {
  auto* data = new QMimeData;
  data->setText(QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())));
  auto* drag = new QDrag(this);
  drag->setMimeData(data);
  Qt::DropActions actions = Qt::CopyAction;
  if (allowed & DROPEFFECT_MOVE) actions |= Qt::MoveAction;
  const Qt::DropAction done = ExecDrag(*drag, actions, (allowed & DROPEFFECT_MOVE) ? Qt::MoveAction : Qt::CopyAction);
  drag->deleteLater();
  return EffectsOf(done) & allowed;
}

Qt::DropAction TInkMemoHost::ExecDrag(QDrag& drag, Qt::DropActions actions, Qt::DropAction preferred) {
  return drag.exec(actions, preferred);
}

LRESULT TInkMemoHost::SendDrop(TMsgNum msg, QDropEvent& e) {
  TQtDropData data(e.mimeData());
  TDropRequest request;
  const QPoint at = e.position().toPoint();
  request.At = {at.x(), at.y()};
  request.CopyKey = (e.modifiers() & Qt::ControlModifier) != 0;
  request.Allowed = EffectsOf(e.possibleActions());
  request.Data = &data;
  Send(msg, 0, reinterpret_cast<LPARAM>(&request));
  const Qt::DropAction action = ActionOf(request.Effect);
  if (action == Qt::IgnoreAction) {
    e.ignore();
  } else {
    e.setDropAction(action);
    e.accept();
  }
  return static_cast<LRESULT>(request.Effect);
}

void TInkMemoHost::dragEnterEvent(QDragEnterEvent* e) { SendDrop(SMM_DRAGENTER, *e); }

void TInkMemoHost::dragMoveEvent(QDragMoveEvent* e) { SendDrop(SMM_DRAGOVER, *e); }

void TInkMemoHost::dragLeaveEvent(QDragLeaveEvent* e) {
  Send(SMM_DRAGLEAVE);
  e->accept();
}

void TInkMemoHost::dropEvent(QDropEvent* e) { SendDrop(SMM_DROP, *e); }

}  // namespace ql
