#include "app/CommandLine.h"

#include "toolkit/Exception.h"

namespace ql {
namespace {

bool SpecialInDoubleQuotes(char c) { return c == '"' || c == '\\' || c == '$' || c == '`'; }
bool Blank(char c) { return c == ' ' || c == '\t' || c == '\n'; }

}  // namespace

std::string QuoteArgument(const std::string& text) {
  std::string quoted = "\"";
  for (const char c : text) {
    if (SpecialInDoubleQuotes(c)) quoted += '\\';
    quoted += c;
  }
  return quoted + '"';
}

std::string BuildTransformCommandLine(const std::string& processor, const std::string& results,
                                      const std::string& source, const std::string& stylesheet,
                                      const std::vector<std::pair<std::string, std::string>>& parameters) {
  // The processor's path is quoted too: the program may live in a folder whose name has blanks.
  std::string line = QuoteArgument(processor) + " -o " + QuoteArgument(results) + ' ' + QuoteArgument(source) + ' ' +
                     QuoteArgument(stylesheet);
  // Each parameter is one argument, so a value with blanks, quotes or "=" arrives whole.
  for (const auto& [name, value] : parameters) line += ' ' + QuoteArgument(name + '=' + value);
  return line;
}

std::vector<std::string> SplitCommandLine(const std::string& commandLine) {
  std::vector<std::string> words;
  std::string word;
  bool inWord = false;
  const size_t n = commandLine.size();
  for (size_t i = 0; i < n; ++i) {
    const char c = commandLine[i];
    if (Blank(c)) {
      if (inWord) words.push_back(std::move(word));
      word.clear();
      inWord = false;
      continue;
    }
    inWord = true;
    if (c == '\\') {
      if (i + 1 < n && commandLine[i + 1] != '\n') word += commandLine[i + 1];
      ++i;  // a backslash before a newline joins the lines
    } else if (c == '\'') {
      const size_t close = commandLine.find('\'', i + 1);
      if (close == std::string::npos) throw Exception("Unterminated quote in command line");
      word.append(commandLine, i + 1, close - i - 1);
      i = close;
    } else if (c == '"') {
      size_t j = i + 1;
      for (; j < n && commandLine[j] != '"'; ++j) {
        if (commandLine[j] == '\\' && j + 1 < n &&
            (SpecialInDoubleQuotes(commandLine[j + 1]) || commandLine[j + 1] == '\n')) {
          ++j;
          if (commandLine[j] == '\n') continue;
        }
        word += commandLine[j];
      }
      if (j >= n) throw Exception("Unterminated quote in command line");
      i = j;
    } else {
      word += c;
    }
  }
  if (inWord) words.push_back(std::move(word));
  return words;
}

}  // namespace ql
