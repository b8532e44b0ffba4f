#pragma once
// The MIME data of a Qt drag as the editor reads it (TDropData): plain text, HTML, and local
// files. Data that carries local files counts as files only, so that a file dragged from a file
// manager (which adds its name as text) reaches whoever takes files, never the text.
#include "editor/DropData.h"

class QMimeData;

namespace ql {

class TQtDropData : public TDropData {
public:
  explicit TQtDropData(const QMimeData* data) : data_(data) {}
  TSourceTypes Kinds() const override;
  std::string Text(TSourceTypes kind) const override;
  std::vector<std::string> Files() const override;

private:
  const QMimeData* data_;  // may be null: offers nothing
};

}  // namespace ql
