#pragma once
// Where a transformation finds the processor and where the processor writes its results.
#include <functional>
#include <string>

namespace ql {

struct TTransformPlaces {
  std::string ProgramDir;  // folder of the program's executable; the processor's working folder
  std::string DataDir;     // per-user data folder, for the results when ProgramDir is read-only
  // Whether the program may create files in a folder; unset means the system's answer.
  std::function<bool(const std::string& folder)> FolderWritable;

  // ProgramDir + "saxon".
  std::string ProcessorName() const;
  // ProgramDir + launcher.
  std::string LauncherName(const std::string& launcher) const;
  // ProgramDir + "results.txt", or DataDir + "results.txt" when ProgramDir is not writable.
  std::string ResultsFileName() const;
  // True for either place a results file may have (the next run deletes it).
  bool IsResultsFile(const std::string& fileName) const;
  // ProgramDir + "readme.htm".
  std::string HelpFileName() const;
};

}  // namespace ql
