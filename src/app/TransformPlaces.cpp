#include "app/TransformPlaces.h"

#include <unistd.h>

#include "app/FileNames.h"

namespace ql {
namespace {

const char* const kResults = "results.txt";

}  // namespace

std::string TTransformPlaces::ProcessorName() const { return LauncherName("saxon"); }

std::string TTransformPlaces::LauncherName(const std::string& launcher) const {
  return IncludeTrailingSlash(ProgramDir) + launcher;
}

std::string TTransformPlaces::ResultsFileName() const {
  const bool writable = FolderWritable ? FolderWritable(ProgramDir) : ::access(ProgramDir.c_str(), W_OK) == 0;
  if (writable || DataDir.empty()) return IncludeTrailingSlash(ProgramDir) + kResults;
  return IncludeTrailingSlash(DataDir) + kResults;
}

bool TTransformPlaces::IsResultsFile(const std::string& fileName) const {
  return fileName == IncludeTrailingSlash(ProgramDir) + kResults ||
         (!DataDir.empty() && fileName == IncludeTrailingSlash(DataDir) + kResults);
}

std::string TTransformPlaces::HelpFileName() const { return IncludeTrailingSlash(ProgramDir) + "readme.htm"; }

}  // namespace ql
