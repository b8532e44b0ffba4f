#pragma once
// A registry kept in memory: what tests and programs without a platform registry use.
#include <map>
#include <string>

#include "toolkit/Registry.h"

namespace ql {

class TMemoryRegistry : public TRegistry {
public:
  bool OpenKey(const std::string& key, bool canCreate) override;
  void CloseKey() override { current_ = nullptr; }
  bool HasCurrentKey() const override { return current_ != nullptr; }
  bool KeyExists(const std::string& key) override;

  bool ValueExists(const std::string& name) override;
  TRegDataType GetDataType(const std::string& name) override;
  std::string ReadString(const std::string& name) override;
  void WriteString(const std::string& name, const std::string& value) override;
  std::string ReadBinaryData(const std::string& name) override;
  void WriteBinaryData(const std::string& name, const std::string& bytes) override;
  bool DeleteValue(const std::string& name) override;

  // Removes every key and value.
  void Clear();

private:
  struct TValue {
    TRegDataType Type = TRegDataType::String;
    std::string Data;
  };
  using TKey = std::map<std::string, TValue>;

  TKey& Current();
  const TValue& Value(const std::string& name, TRegDataType type);

  // By the joined components of the key ("A\B\C"); a parent key exists when a child does.
  std::map<std::string, TKey> keys_;
  TKey* current_ = nullptr;  // an entry of keys_ while a key is open
};

}  // namespace ql
