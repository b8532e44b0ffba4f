#pragma once
// TSpinButton: an up button above a down button (TTimerSpeedButton), drawn with our own arrow
// pictures. A button clicks once when pressed, again after 400 ms and then every 100 ms while it
// is held down under the mouse. The control takes the arrow keys: Up and Down focus and click
// their button, Space clicks the focused one.
#include <QAbstractButton>
#include <QTimer>
#include <QWidget>
#include <functional>

namespace ql {

class TTimerSpeedButton : public QAbstractButton {
public:
  static constexpr int FirstDelay = 400;
  static constexpr int RepeatInterval = 100;

  TTimerSpeedButton(bool up, QWidget* parent);
  bool AllowRepeat = false;
  bool DrawFocusRect = false;
  std::function<void()> OnClick;
  // Clicks the button (OnClick); an error is reported, and stops a repeat.
  bool Click();
  bool Repeating() const { return timer_ != nullptr && timer_->isActive(); }
  int RepeatDelay() const { return timer_ != nullptr ? timer_->interval() : 0; }

protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

private:
  void Tick();

  bool up_;
  bool held_ = false;
  QTimer* timer_ = nullptr;  // made on first use
};

class TSpinButton : public QWidget {
public:
  explicit TSpinButton(QWidget* parent = nullptr);

  TTimerSpeedButton* UpButton() const { return up_; }
  TTimerSpeedButton* DownButton() const { return down_; }
  TTimerSpeedButton* FocusedButton() const { return focused_; }
  // Takes the focus when one of the buttons is pressed (when it accepts it).
  QWidget* FocusControl = nullptr;
  int Tag = 0;
  std::function<void(TSpinButton& sender)> OnUpClick;
  std::function<void(TSpinButton& sender)> OnDownClick;

protected:
  void resizeEvent(QResizeEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

private:
  void Pressed(TTimerSpeedButton* button);
  void SetFocusedButton(TTimerSpeedButton* button);

  TTimerSpeedButton* up_;
  TTimerSpeedButton* down_;
  TTimerSpeedButton* focused_;
};

}  // namespace ql
