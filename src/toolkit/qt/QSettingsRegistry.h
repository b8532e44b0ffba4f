#pragma once
// The registry on QSettings in its native format. A key "Software\Org\App\Sub..." is the file of
// organisation Org and application App (~/.config/Org/App.conf) and, inside it, the group
// Sub/...; without the leading "Software" the first two components name the file all the same.
// A key with a single component is the file ~/.config/Org.conf.
//
// Names stay exact: "%", "/" and "\" in a value name or key component, which QSettings would
// read as group separators, are written as "%25", "%2F" and "%5C". String values are QStrings
// of the bytes read through Windows-1252 (every byte maps to one character and back), binary
// values QByteArrays. A key exists once it holds a value or a key below it does.
#include <QString>
#include <memory>

#include "toolkit/Registry.h"

class QSettings;

namespace ql {

class TQSettingsRegistry : public TRegistry {
public:
  TQSettingsRegistry();
  ~TQSettingsRegistry() override;

  bool OpenKey(const std::string& key, bool canCreate) override;
  void CloseKey() override;
  bool HasCurrentKey() const override { return current_ != nullptr; }
  bool KeyExists(const std::string& key) override;

  bool ValueExists(const std::string& name) override;
  TRegDataType GetDataType(const std::string& name) override;
  std::string ReadString(const std::string& name) override;
  void WriteString(const std::string& name, const std::string& value) override;
  std::string ReadBinaryData(const std::string& name) override;
  void WriteBinaryData(const std::string& name, const std::string& bytes) override;
  bool DeleteValue(const std::string& name) override;

  // The escaped form of a value name or key component.
  static QString EscapedName(const std::string& name);

private:
  QSettings& Current();
  // Writes the file; raises ERegistryException when it could not be written.
  void Sync(const std::string& name);

  std::unique_ptr<QSettings> current_;  // the open key's file, inside the key's group
};

}  // namespace ql
