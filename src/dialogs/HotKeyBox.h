#pragma once
// TSM_HotKey: a read-only single-line box that records the key pressed in it, with the modifiers
// held, as a ShortCutCode and shows the code's shortcut text ("Ctrl+K"). Every key is recorded,
// arrows, Enter, Esc and Tab included, so none of them leaves the box or reaches the dialog.
//
// A keyboard user can still leave: a Tab pressed right after a recorded Tab moves the focus on,
// a Shift+Tab right after a recorded Shift+Tab moves it back (the recorded key stays). The
// tooltip says so.
//
// In the system hot-key style (the code template hot key) a key typed without a modifier, or
// with Shift alone, gets Alt added, and Tab and Shift+Tab move the focus as in any other control.
#include <QLineEdit>
#include <functional>

#include "toolkit/ShortCut.h"

namespace ql {

class TSM_HotKey : public QLineEdit {
public:
  enum class TStyle { kAnyKey, kSystemHotKey };

  explicit TSM_HotKey(QWidget* parent = nullptr, TStyle style = TStyle::kAnyKey);

  // The captured key; 0 for none. Setting it shows its text (empty for none) and reports the
  // change when the value differs.
  ShortCutCode Value() const { return value_; }
  void SetValue(ShortCutCode value);
  TStyle Style() const { return style_; }

  // Called after every change of the value.
  std::function<void(TSM_HotKey& sender)> OnChange;

protected:
  bool event(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

private:
  // The code a key press records; 0 for a press that records nothing (a lone modifier key).
  ShortCutCode CodeOf(const QKeyEvent& event) const;

  TStyle style_;
  ShortCutCode value_ = 0;
  // The code of the last key recorded since the box got the focus, 0 when none was.
  ShortCutCode lastRecorded_ = 0;
};

}  // namespace ql
