#pragma once
// The main window's own choices, kept in the user's settings file (~/.config/Brevant/Quillon.conf,
// beside the highlighting settings): the processor, and the parameter values of each stylesheet.
#include <QString>
#include <QStringList>
#include <utility>
#include <vector>

namespace ql {

// Parameter values of one stylesheet, in the order the user last saw them.
using TParamValues = std::vector<std::pair<QString, QString>>;

class TWorkbenchSettings {
public:
  QString ProcessorId() const;
  void SetProcessorId(const QString& id);

  // Values by the stylesheet's full file name; empty values are not kept.
  TParamValues ParamValues(const QString& stylesheet) const;
  void SetParamValues(const QString& stylesheet, const TParamValues& values);
};

}  // namespace ql
