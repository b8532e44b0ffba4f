#include "toolkit/MemoryRegistry.h"

namespace ql {
namespace {

std::string JoinedKey(const std::string& key) {
  std::string joined;
  for (const std::string& part : SplitRegistryKey(key)) {
    if (!joined.empty()) joined += '\\';
    joined += part;
  }
  return joined;
}

}  // namespace

bool TMemoryRegistry::OpenKey(const std::string& key, bool canCreate) {
  CloseKey();
  const std::string joined = JoinedKey(key);
  auto it = keys_.find(joined);
  if (it == keys_.end()) {
    if (!KeyExists(joined) && !canCreate) return false;
    it = keys_.emplace(joined, TKey{}).first;
  }
  current_ = &it->second;
  return true;
}

bool TMemoryRegistry::KeyExists(const std::string& key) {
  const std::string joined = JoinedKey(key);
  if (keys_.count(joined) != 0) return true;
  // A key below it: the first key not before "joined\" starts with it.
  const std::string prefix = joined + '\\';
  auto it = keys_.lower_bound(prefix);
  return it != keys_.end() && it->first.compare(0, prefix.size(), prefix) == 0;
}

TMemoryRegistry::TKey& TMemoryRegistry::Current() {
  if (current_ == nullptr) throw ERegistryException("No registry key is open");
  return *current_;
}

const TMemoryRegistry::TValue& TMemoryRegistry::Value(const std::string& name, TRegDataType type) {
  TKey& key = Current();
  auto it = key.find(name);
  if (it == key.end()) throw ERegistryException("Registry value '" + name + "' does not exist");
  if (it->second.Type != type) throw ERegistryException("Invalid data type for '" + name + "'");
  return it->second;
}

bool TMemoryRegistry::ValueExists(const std::string& name) { return Current().count(name) != 0; }

TRegDataType TMemoryRegistry::GetDataType(const std::string& name) {
  TKey& key = Current();
  auto it = key.find(name);
  if (it == key.end()) throw ERegistryException("Registry value '" + name + "' does not exist");
  return it->second.Type;
}

std::string TMemoryRegistry::ReadString(const std::string& name) { return Value(name, TRegDataType::String).Data; }

void TMemoryRegistry::WriteString(const std::string& name, const std::string& value) {
  Current()[name] = TValue{TRegDataType::String, value};
}

std::string TMemoryRegistry::ReadBinaryData(const std::string& name) { return Value(name, TRegDataType::Binary).Data; }

void TMemoryRegistry::WriteBinaryData(const std::string& name, const std::string& bytes) {
  Current()[name] = TValue{TRegDataType::Binary, bytes};
}

bool TMemoryRegistry::DeleteValue(const std::string& name) { return Current().erase(name) != 0; }

void TMemoryRegistry::Clear() {
  current_ = nullptr;
  keys_.clear();
}

}  // namespace ql
