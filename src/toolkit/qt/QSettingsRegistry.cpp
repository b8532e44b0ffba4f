#include "toolkit/qt/QSettingsRegistry.h"

#include <QByteArray>
#include <QSettings>
#include <QStringList>
#include <QVariant>

#include "toolkit/qt/Cp1252String.h"

namespace ql {
namespace {

// A QSettings on the file of the key, and the group path inside it.
std::unique_ptr<QSettings> SettingsFor(const std::string& key, QString& group) {
  std::vector<std::string> parts = SplitRegistryKey(key);
  if (parts.size() > 1 && QString::fromLatin1(parts.front().c_str()).compare(QLatin1String("Software"), Qt::CaseInsensitive) == 0) {
    parts.erase(parts.begin());
  }
  const QString organisation = TQSettingsRegistry::EscapedName(parts[0]);
  const QString application = parts.size() > 1 ? TQSettingsRegistry::EscapedName(parts[1]) : QString();
  QStringList groups;
  for (size_t i = 2; i < parts.size(); ++i) groups << TQSettingsRegistry::EscapedName(parts[i]);
  group = groups.join(QLatin1Char('/'));
  return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, organisation, application);
}

// The file or group holds at least one value.
bool HoldsValues(QSettings& settings, const QString& group) {
  if (!group.isEmpty()) settings.beginGroup(group);
  const bool any = !settings.allKeys().isEmpty();
  if (!group.isEmpty()) settings.endGroup();
  return any;
}

bool IsBinary(const QVariant& value) { return value.typeId() == QMetaType::QByteArray; }

}  // namespace

TQSettingsRegistry::TQSettingsRegistry() = default;
TQSettingsRegistry::~TQSettingsRegistry() = default;

QString TQSettingsRegistry::EscapedName(const std::string& name) {
  QString escaped = Cp1252ToQString(name);
  escaped.replace(QLatin1Char('%'), QLatin1String("%25"));
  escaped.replace(QLatin1Char('/'), QLatin1String("%2F"));
  escaped.replace(QLatin1Char('\\'), QLatin1String("%5C"));
  return escaped;
}

bool TQSettingsRegistry::OpenKey(const std::string& key, bool canCreate) {
  CloseKey();
  QString group;
  std::unique_ptr<QSettings> settings = SettingsFor(key, group);
  if (!canCreate && !HoldsValues(*settings, group)) return false;
  if (!group.isEmpty()) settings->beginGroup(group);
  current_ = std::move(settings);
  return true;
}

void TQSettingsRegistry::CloseKey() { current_.reset(); }

bool TQSettingsRegistry::KeyExists(const std::string& key) {
  QString group;
  std::unique_ptr<QSettings> settings = SettingsFor(key, group);
  return HoldsValues(*settings, group);
}

QSettings& TQSettingsRegistry::Current() {
  if (current_ == nullptr) throw ERegistryException("No registry key is open");
  return *current_;
}

void TQSettingsRegistry::Sync(const std::string& name) {
  current_->sync();
  if (current_->status() != QSettings::NoError) {
    throw ERegistryException("Failed to write registry value '" + name + "'");
  }
}

bool TQSettingsRegistry::ValueExists(const std::string& name) { return Current().contains(EscapedName(name)); }

TRegDataType TQSettingsRegistry::GetDataType(const std::string& name) {
  const QVariant value = Current().value(EscapedName(name));
  if (!value.isValid()) throw ERegistryException("Registry value '" + name + "' does not exist");
  return IsBinary(value) ? TRegDataType::Binary : TRegDataType::String;
}

std::string TQSettingsRegistry::ReadString(const std::string& name) {
  const QVariant value = Current().value(EscapedName(name));
  if (!value.isValid()) throw ERegistryException("Registry value '" + name + "' does not exist");
  if (IsBinary(value)) throw ERegistryException("Invalid data type for '" + name + "'");
  // A hand-edited file may hold a list where a string was written.
  if (value.typeId() == QMetaType::QStringList) return QStringToCp1252(value.toStringList().join(QLatin1String(", ")));
  return QStringToCp1252(value.toString());
}

void TQSettingsRegistry::WriteString(const std::string& name, const std::string& value) {
  Current().setValue(EscapedName(name), Cp1252ToQString(value));
  Sync(name);
}

std::string TQSettingsRegistry::ReadBinaryData(const std::string& name) {
  const QVariant value = Current().value(EscapedName(name));
  if (!value.isValid()) throw ERegistryException("Registry value '" + name + "' does not exist");
  if (!IsBinary(value)) throw ERegistryException("Invalid data type for '" + name + "'");
  return value.toByteArray().toStdString();
}

void TQSettingsRegistry::WriteBinaryData(const std::string& name, const std::string& bytes) {
  Current().setValue(EscapedName(name), QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
  Sync(name);
}

bool TQSettingsRegistry::DeleteValue(const std::string& name) {
  QSettings& settings = Current();
  const QString escaped = EscapedName(name);
  if (!settings.contains(escaped)) return false;
  settings.remove(escaped);
  Sync(name);
  return true;
}

}  // namespace ql
