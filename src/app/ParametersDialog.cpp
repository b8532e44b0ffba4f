#include "app/ParametersDialog.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QVBoxLayout>

namespace ql {

TParametersDialog::TParametersDialog(QWidget* owner, const QString& stylesheetName, const TStylesheetParams& params,
                                     const TParamValues& values)
    : QDialog(owner), params_(params) {
  setObjectName(QStringLiteral("ParametersDialog"));
  setWindowTitle(QStringLiteral("Stylesheet Parameters"));
  auto* layout = new QVBoxLayout(this);

  auto* intro = new QLabel(this);
  intro->setWordWrap(true);
  intro->setTextFormat(Qt::PlainText);
  const QString name = QFileInfo(stylesheetName).fileName();
  intro->setText(params.Params.isEmpty()
                     ? QStringLiteral("%1 declares no top-level parameters (xsl:param).").arg(name)
                     : QStringLiteral("Values passed to %1 when it is transformed, each as a string (type Books, "
                                      "not 'Books'). An empty box keeps the stylesheet's default.")
                           .arg(name));
  layout->addWidget(intro);

  auto* form = new QWidget(this);
  auto* rows = new QFormLayout(form);
  for (const TStylesheetParam& param : params.Params) {
    auto* box = new QLineEdit(form);
    box->setObjectName(param.ExpandedName);
    for (const auto& [kept, value] : values) {
      if (kept == param.ExpandedName) box->setText(value);
    }
    box->setPlaceholderText(param.Required ? QStringLiteral("(required)")
                            : param.Default.isEmpty() ? QStringLiteral("(no default)")
                                                      : QStringLiteral("default: %1").arg(param.Default));
    rows->addRow(param.Name + QLatin1Char(':'), box);
    boxes_.append(box);
  }
  auto* scroll = new QScrollArea(this);
  scroll->setWidgetResizable(true);
  scroll->setFrameShape(QFrame::NoFrame);
  scroll->setWidget(form);
  scroll->setVisible(!params.Params.isEmpty());
  layout->addWidget(scroll, 1);

  if (!params.Problem.isEmpty()) {
    auto* problem = new QLabel(params.Problem, this);
    problem->setObjectName(QStringLiteral("ParametersProblem"));
    problem->setWordWrap(true);
    problem->setTextFormat(Qt::PlainText);
    layout->addWidget(problem);
  }

  auto* buttons = new QDialogButtonBox(
      params.Params.isEmpty() ? QDialogButtonBox::Close : QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
  resize(460, std::min(160 + 32 * static_cast<int>(params.Params.size()), 560));
}

TParamValues TParametersDialog::Values() const {
  TParamValues values;
  for (qsizetype i = 0; i < boxes_.size(); ++i) values.emplace_back(params_.Params[i].ExpandedName, boxes_[i]->text());
  return values;
}

}  // namespace ql
