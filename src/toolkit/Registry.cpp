#include "toolkit/Registry.h"

#include "toolkit/MemoryRegistry.h"

namespace ql {
namespace {

TRegistry* installedRegistry = nullptr;

}  // namespace

std::vector<std::string> SplitRegistryKey(const std::string& key) {
  std::vector<std::string> parts;
  size_t start = 0;
  while (start <= key.size()) {
    size_t end = key.find('\\', start);
    if (end == std::string::npos) end = key.size();
    if (end > start) parts.push_back(key.substr(start, end - start));
    start = end + 1;
  }
  if (parts.empty()) throw ERegistryException("Invalid registry key");
  return parts;
}

TRegistry& DefaultRegistry() {
  static TMemoryRegistry memory;
  return installedRegistry != nullptr ? *installedRegistry : memory;
}

void SetDefaultRegistry(TRegistry* registry) { installedRegistry = registry; }

}  // namespace ql
