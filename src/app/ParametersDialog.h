#pragma once
// Transform > Parameters...: the stylesheet's top-level parameters, each with a box for the value
// to pass to the processor. An empty box leaves the stylesheet's own default.
#include <QDialog>
#include <QVector>

#include "app/StylesheetParams.h"
#include "app/WorkbenchSettings.h"

class QLineEdit;

namespace ql {

class TParametersDialog : public QDialog {
public:
  // values: the ones kept for this stylesheet, by expanded name.
  TParametersDialog(QWidget* owner, const QString& stylesheetName, const TStylesheetParams& params,
                    const TParamValues& values);
  // The boxes' values by expanded name, in the stylesheet's order.
  TParamValues Values() const;
  const QVector<QLineEdit*>& Boxes() const { return boxes_; }

private:
  TStylesheetParams params_;
  QVector<QLineEdit*> boxes_;
};

}  // namespace ql
