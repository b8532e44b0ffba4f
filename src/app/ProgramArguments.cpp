#include "app/ProgramArguments.h"

#include "app/FileNames.h"

namespace ql {

TProgramArguments ParseProgramArguments(const std::vector<std::string>& arguments, const std::string& currentFolder) {
  TProgramArguments parsed;
  bool options = true;
  for (const std::string& argument : arguments) {
    if (options && argument == "--") {
      options = false;
    } else if (options && (argument == "--help" || argument == "-h")) {
      parsed.Help = true;
    } else if (options && (argument == "--version" || argument == "-v")) {
      parsed.Version = true;
    } else if (options && argument.size() > 1 && argument[0] == '-') {
      // Qt's own options (-platform, -style ...) were taken out before; anything left is a mistake.
      if (parsed.Error.empty()) parsed.Error = "unknown option '" + argument + "'";
    } else if (!argument.empty()) {
      parsed.Files.push_back(argument[0] == '/' ? argument : IncludeTrailingSlash(currentFolder) + argument);
    }
  }
  return parsed;
}

std::string ProgramUsage(const std::string& programName) {
  return "Usage: " + programName + " [OPTION]... [FILE]...\n"
         "Quillon, an editor and learning tool for XSLT: an XML document and an XSLT stylesheet\n"
         "side by side, transformed with one button, the outcome in Results.\n"
         "\n"
         "Files ending in .xml open as the XML source; files ending in .xsl or .xslt open as\n"
         "the stylesheet. Other files are not opened.\n"
         "\n"
         "  -h, --help      show this help and exit\n"
         "  -v, --version   show the version and exit\n"
         "\n"
         "Settings are kept in ~/.config/Brevant/Quillon.conf.\n";
}

std::string ProgramVersion() { return std::string("Quillon ") + QuillonVersion + "\n"; }

}  // namespace ql
