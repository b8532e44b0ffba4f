#include "app/WorkbenchSettings.h"

#include <QSettings>
#include <QUrl>

namespace ql {
namespace {

QSettings UserSettings() {
  return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Brevant"), QStringLiteral("Quillon"));
}

// A file name as one key: "/" would open groups.
QString ParamsKey(const QString& stylesheet) {
  return QStringLiteral("Workbench/Parameters/") + QString::fromLatin1(QUrl::toPercentEncoding(stylesheet));
}

}  // namespace

QString TWorkbenchSettings::ProcessorId() const { return UserSettings().value(QStringLiteral("Workbench/Processor")).toString(); }

void TWorkbenchSettings::SetProcessorId(const QString& id) { UserSettings().setValue(QStringLiteral("Workbench/Processor"), id); }

TParamValues TWorkbenchSettings::ParamValues(const QString& stylesheet) const {
  const QStringList stored = UserSettings().value(ParamsKey(stylesheet)).toStringList();
  TParamValues values;
  for (qsizetype i = 0; i + 1 < stored.size(); i += 2) values.emplace_back(stored[i], stored[i + 1]);
  return values;
}

void TWorkbenchSettings::SetParamValues(const QString& stylesheet, const TParamValues& values) {
  QStringList stored;
  for (const auto& [name, value] : values) {
    if (!value.isEmpty()) stored << name << value;
  }
  QSettings settings = UserSettings();
  if (stored.isEmpty()) {
    settings.remove(ParamsKey(stylesheet));
  } else {
    settings.setValue(ParamsKey(stylesheet), stored);
  }
}

}  // namespace ql
