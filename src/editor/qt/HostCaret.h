#pragma once
// The caret as the platform keeps one per focused window: created with a size (hidden until
// shown), placed, shown and hidden with a count (each Hide needs a Show), destroyed. The host
// draws it by inverting its rectangle and blinks it.
#include <QRect>

namespace ql {

class THostCaret {
public:
  void Create(int width, int height) {
    exists_ = true;
    size_ = QSize(width, height);
    hideCount_ = 1;
  }
  void Destroy() { exists_ = false; }
  void SetPos(int x, int y) { pos_ = QPoint(x, y); }
  void Show() {
    if (exists_ && hideCount_ > 0) --hideCount_;
  }
  void Hide() {
    if (exists_) ++hideCount_;
  }
  bool Exists() const { return exists_; }
  // Shown: created and every Hide balanced by a Show.
  bool Shown() const { return exists_ && hideCount_ == 0; }
  QRect Rect() const { return QRect(pos_, size_); }

private:
  bool exists_ = false;
  int hideCount_ = 0;
  QPoint pos_;
  QSize size_;
};

}  // namespace ql
