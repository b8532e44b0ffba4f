#pragma once
// TRegistry: string and binary values under keys in the current user's part of the registry.
// A key is a path of components separated by "\" ("Software\Brevant\Quillon"); leading,
// trailing and doubled separators are ignored. Value names are taken exactly as given.
//
// Use: OpenKey, then read and write values of the open key, then CloseKey. A value has one type,
// string or binary; reading it as the other type, reading a missing value, or working on values
// while no key is open raises ERegistryException.
//
// The program installs its platform registry with SetDefaultRegistry; until then (and in tests)
// DefaultRegistry is an in-memory one that lives as long as the process.
#include <string>
#include <vector>

#include "toolkit/Exception.h"

namespace ql {

class ERegistryException : public Exception {
public:
  using Exception::Exception;
};

enum class TRegDataType { String, Binary };

class TRegistry {
public:
  virtual ~TRegistry() = default;

  // Opens key. When it does not exist it is created with canCreate, else the result is false
  // and no key is open. Any key open before is closed first.
  virtual bool OpenKey(const std::string& key, bool canCreate) = 0;
  virtual void CloseKey() = 0;
  virtual bool HasCurrentKey() const = 0;
  virtual bool KeyExists(const std::string& key) = 0;

  virtual bool ValueExists(const std::string& name) = 0;
  // The type of an existing value; raises for a missing one.
  virtual TRegDataType GetDataType(const std::string& name) = 0;
  virtual std::string ReadString(const std::string& name) = 0;
  virtual void WriteString(const std::string& name, const std::string& value) = 0;
  // The bytes of a binary value.
  virtual std::string ReadBinaryData(const std::string& name) = 0;
  virtual void WriteBinaryData(const std::string& name, const std::string& bytes) = 0;
  // False when there was no such value.
  virtual bool DeleteValue(const std::string& name) = 0;
};

// The components of a key path; raises ERegistryException "Invalid registry key" when it has none.
std::vector<std::string> SplitRegistryKey(const std::string& key);

TRegistry& DefaultRegistry();
// Installs registry as the default (null goes back to the in-memory one); it must outlive
// every user.
void SetDefaultRegistry(TRegistry* registry);

}  // namespace ql
