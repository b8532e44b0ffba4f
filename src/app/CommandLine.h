#pragma once
// The processor's command line as one text, and its splitting into arguments as a POSIX shell
// splits words, so that any name survives the round trip (spaces, quotes, "$", backslashes).
#include <string>
#include <utility>
#include <vector>

namespace ql {

// The text in double quotes, with the characters a shell treats specially inside them escaped.
std::string QuoteArgument(const std::string& text);
// processor -o "results" "source" "stylesheet" ["name=value"]...
std::string BuildTransformCommandLine(const std::string& processor, const std::string& results,
                                      const std::string& source, const std::string& stylesheet,
                                      const std::vector<std::pair<std::string, std::string>>& parameters = {});
// Splits at unquoted blanks; honours '...', "..." (with \ before $ ` " \ and newline) and \ outside
// quotes. Raises Exception when a quote is not closed.
std::vector<std::string> SplitCommandLine(const std::string& commandLine);

}  // namespace ql
