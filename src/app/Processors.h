#pragma once
// The XSLT processors a transformation can use. Each is a launcher next to the program that
// accepts one command line,
//   LAUNCHER -o OUT SOURCE STYLESHEET [NAME=VALUE]...
// writes the result to OUT, its messages to standard output or standard error, and passes each
// NAME=VALUE to the stylesheet as a string parameter.
#include <string>
#include <vector>

namespace ql {

struct TProcessor {
  const char* Id;        // kept in the settings file
  const char* Caption;   // the Transform menu's item
  const char* Name;      // in messages: "Unable to locate Saxon processor."
  const char* Launcher;  // the launcher's file name in the program's folder
};

// Saxon-HE first: it is the default.
const std::vector<TProcessor>& Processors();
// The processor of that id; the default one for an id that is not known.
const TProcessor& ProcessorById(const std::string& id);

}  // namespace ql
