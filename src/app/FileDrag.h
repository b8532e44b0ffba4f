#pragma once
// Lets its owner window accept files dropped from the desktop: an event filter on the owner that
// takes drags carrying local files and, on a drop, keeps the files' full names in the order the
// desktop delivered them and raises OnDrop with the drop point in the owner's coordinates.
// Widgets inside the owner that do not take a drag themselves pass it on to the owner.
#include <QObject>
#include <QPointer>
#include <QWidget>
#include <cstdint>
#include <functional>

#include "toolkit/Strings.h"

class QMimeData;

namespace ql {

class TFileDrag : public QObject {
public:
  // Without an owner widget drops stay disabled.
  explicit TFileDrag(QWidget* owner);
  ~TFileDrag() override;

  const TStringList& Files() const { return files_; }
  int32_t FileCount() const { return files_.Count(); }
  bool EnableDrop() const { return enableDrop_; }
  void SetEnableDrop(bool enable);

  std::function<void(TFileDrag& sender, int32_t x, int32_t y)> OnDrop;

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  static bool CarriesFiles(const QMimeData* data);

  QPointer<QWidget> owner_;
  TStringList files_;
  bool enableDrop_ = true;
};

}  // namespace ql
