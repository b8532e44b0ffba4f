#pragma once
// What the program was asked on its command line: quillon [--help | --version] [FILE...].
// Files are opened at start as if they had been dropped on the window; a desktop launcher passes
// the files the user chose this way.
#include <string>
#include <vector>

namespace ql {

struct TProgramArguments {
  bool Help = false;
  bool Version = false;
  std::vector<std::string> Files;  // full names, in the order given
  std::string Error;               // an unknown option; empty when the line was understood
};

// Reads the arguments after the program's name. Relative file names are taken from
// currentFolder; "--" ends the options, so a file may begin with "-".
TProgramArguments ParseProgramArguments(const std::vector<std::string>& arguments, const std::string& currentFolder);

// The text of --help, ending in a line break.
std::string ProgramUsage(const std::string& programName);
// The program's version, as the about box and --version show it.
constexpr const char* QuillonVersion = "1.0";
// The text of --version, ending in a line break.
std::string ProgramVersion();

}  // namespace ql
