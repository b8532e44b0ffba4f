#include "dialogs/HotKeyBox.h"

#include <QContextMenuEvent>
#include <QKeyEvent>

#include "toolkit/VirtualKeys.h"
#include "toolkit/qt/QtKeys.h"

namespace ql {

namespace {
bool IsModifierKey(int key) {
  switch (key) {
    case Qt::Key_Shift: case Qt::Key_Control: case Qt::Key_Alt: case Qt::Key_AltGr: case Qt::Key_Meta:
    case Qt::Key_Super_L: case Qt::Key_Super_R: case Qt::Key_Hyper_L: case Qt::Key_Hyper_R:
      return true;
    default:
      return false;
  }
}

constexpr ShortCutCode kTab = VK_TAB;
constexpr ShortCutCode kShiftTab = VK_TAB | scShift;
}  // namespace

TSM_HotKey::TSM_HotKey(QWidget* parent, TStyle style) : QLineEdit(parent), style_(style) {
  setReadOnly(true);
  setAttribute(Qt::WA_InputMethodEnabled, false);
  setToolTip(style == TStyle::kAnyKey
                 ? QStringLiteral("Press the key to record: every key counts, Tab and Esc too.\n"
                                  "Press Tab twice to move on (Shift+Tab twice to move back).")
                 : QStringLiteral("Press the hot key: a key without Ctrl or Alt gets Alt added."));
}

void TSM_HotKey::SetValue(ShortCutCode value) {
  const bool changed = value != value_;
  value_ = value;
  setText(QString::fromStdString(ShortCutToText(value)));
  if (changed && OnChange) OnChange(*this);
}

ShortCutCode TSM_HotKey::CodeOf(const QKeyEvent& event) const {
  if (IsModifierKey(event.key())) return 0;
  ShortCutCode code = ShortCutCodeOf(event.key(), event.modifiers(), event.nativeScanCode());
  if (code != 0 && style_ == TStyle::kSystemHotKey && (code & (scCtrl | scAlt)) == 0) code |= scAlt;
  return code;
}

bool TSM_HotKey::event(QEvent* event) {
  switch (event->type()) {
    case QEvent::ShortcutOverride:
      // The box has every key before menu and dialog shortcuts see it.
      if (style_ == TStyle::kAnyKey || !IsModifierKey(static_cast<QKeyEvent*>(event)->key())) event->accept();
      return true;
    case QEvent::KeyPress: {
      // Tab and Shift+Tab arrive here before the focus moves; the box decides.
      auto* key = static_cast<QKeyEvent*>(event);
      const bool focusKey = (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) &&
                            !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
      if (focusKey && style_ == TStyle::kSystemHotKey) return QLineEdit::event(event);
      keyPressEvent(key);
      return true;
    }
    default:
      return QLineEdit::event(event);
  }
}

void TSM_HotKey::keyPressEvent(QKeyEvent* event) {
  event->accept();
  const ShortCutCode code = CodeOf(*event);
  if (code == 0) return;
  if (style_ == TStyle::kAnyKey && (code == kTab || code == kShiftTab) && lastRecorded_ == code) {
    lastRecorded_ = 0;
    focusNextPrevChild(code == kTab);
    return;
  }
  lastRecorded_ = code;
  SetValue(code);
}

void TSM_HotKey::focusInEvent(QFocusEvent* event) {
  lastRecorded_ = 0;
  QLineEdit::focusInEvent(event);
}

void TSM_HotKey::contextMenuEvent(QContextMenuEvent* event) {
  // Nothing to paste or undo in a box that is never typed into.
  event->accept();
}

}  // namespace ql
