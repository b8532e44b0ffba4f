#include "app/FileNames.h"

#include <sys/stat.h>

#include <algorithm>

namespace ql {

std::string ExtractFileExt(const std::string& fileName) {
  const size_t dot = fileName.rfind('.');
  if (dot == std::string::npos) return {};
  if (fileName.find('/', dot) != std::string::npos) return {};
  return fileName.substr(dot);
}

std::string ExtractFileDir(const std::string& fileName) {
  const size_t slash = fileName.rfind('/');
  if (slash == std::string::npos) return {};
  if (slash == 0) return "/";
  return fileName.substr(0, slash);
}

std::string IncludeTrailingSlash(const std::string& folder) {
  if (folder.empty() || folder.back() == '/') return folder;
  return folder + '/';
}

std::string LowerCase(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : static_cast<char>(c); });
  return text;
}

bool IsUntitled(const std::string& fileName) { return fileName.find("Untitled") != std::string::npos; }

std::string TempCopyName(const std::string& fileName, int n) {
  const std::string ext = ExtractFileExt(fileName);
  const size_t slash = fileName.rfind('/');
  const size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
  const std::string name = fileName.substr(nameStart, fileName.size() - nameStart - ext.size());
  std::string copy = IncludeTrailingSlash(ExtractFileDir(fileName)) + name + "__~tmp";
  if (n > 0) copy += std::to_string(n);
  return copy + ext;
}

bool EntryExists(const std::string& name) {
  struct stat st {};
  return !name.empty() && ::lstat(name.c_str(), &st) == 0;
}

}  // namespace ql
