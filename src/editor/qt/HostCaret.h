#pragma once
// The caret of a focused window: created with a size (hidden until shown), placed, shown,
// hidden, destroyed. Showing and hiding are plain switches, not counted: the control shows the
// caret after every paint that finds it inside the text area and hides it otherwise. The host
// draws it by inverting its rectangle and blinks it.
#include <QRect>

namespace ql {

class THostCaret {
public:
  void Create(int width, int height) {
    exists_ = true;
    shown_ = false;
    size_ = QSize(width, height);
  }
  void Destroy() { exists_ = shown_ = false; }
  void SetPos(int x, int y) { pos_ = QPoint(x, y); }
  void Show() { shown_ = exists_; }
  void Hide() { shown_ = false; }
  bool Exists() const { return exists_; }
  bool Shown() const { return shown_; }
  QRect Rect() const { return QRect(pos_, size_); }

private:
  bool exists_ = false;
  bool shown_ = false;
  QPoint pos_;
  QSize size_;
};

}  // namespace ql
