// Whatever a script holds, compiling it ends in compiled tables or in an error with a message.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "CompilerTesting.h"
#include "SourceRoot.h"

using namespace ql;

namespace {

std::string XmlScriptText() {
  std::ifstream in(ql::test::SourceRoot() / "resources/xml/xml.hls", std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// Compiles script; any exception but the two kinds scripts may raise fails the test.
void ExpectCompilesOrReports(const std::string& script) {
  ql::test::TCompiled c;
  TMemoryView in(script);
  try {
    CompileScript(in, "/nonexistent-include-folder", *c.Tables, *c.Settings);
  } catch (const EInkMemo& e) {  // ESYM_COMP_ERROR included
    EXPECT_FALSE(e.Message.empty());
  } catch (const std::exception& e) {
    ADD_FAILURE() << "unexpected exception \"" << e.what() << "\" for script:\n" << script;
  }
}

TEST(Robustness, MutatedScriptsCompileOrReport) {
  const std::string base = XmlScriptText();
  ASSERT_GT(base.size(), 1000u);
  std::mt19937 random(20240611);
  const std::string pieces[] = {"(", ")", "[", "]", "*", "'", "\\", ",", "|", "=", " match (", "InState 300 (",
                                "%%tokens ", "%%states ", "%%keys ", "push", "pop", "0", "255", "4294967295", "-",
                                "+", "or", "\r", "#ifdef X", "#endif", "%%kwTables forstate [", "hotkey = ("};
  for (int round = 0; round < 600; ++round) {
    std::string script = base;
    const int edits = 1 + static_cast<int>(random() % 6);
    for (int e = 0; e < edits; ++e) {
      const size_t at = random() % (script.size() + 1);
      switch (random() % 4) {
        case 0: script.erase(at, random() % 40); break;
        case 1: script.insert(at, pieces[random() % std::size(pieces)]); break;
        case 2: if (at < script.size()) script[at] = static_cast<char>(random() % 256); break;
        default: script.resize(at); break;
      }
    }
    ExpectCompilesOrReports(script);
  }
}

TEST(Robustness, HostileShapes) {
  const std::string hostile[] = {
      std::string(100000, '('),
      "%%language options = " + std::string(5000, '(') + "1",
      "%%tokens " + std::string(3000, '1') + " 'a' 'b' 'c' 1",
      "%%tokens 1 '[^]' '' '' 1 2 '[]' '' '' 1",
      "%%tokens InState 255 ( 1 '[\\000-\\377]' 10 13 1 ) InState 0 ( 1 '[\\000-\\377]' 10 13 1 )",
      "%%handlers 1 '\\x' '\\' 1 2 '[' '[[[[' 1",
      "%%keys 0 ( 0 ) 1 ( [shift] 0, 0 ) 2 ( [ctrl] 0 ) 47 ( 255, 255 )",
      "%%keys 2147483647 ( 1 ) 'x' 0 - 1 ( 2 ) 'y'",
      "%%templates '' = '' %%autoreplace '' = ''",
      "%%templates '" + std::string(300, 'n') + "' ('" + std::string(300, 'd') + "') = 'x'",
      "%%keys 1 '" + std::string(300, 'n') + "'",
      "%%language name = '" + std::string(100000, 'n') + "' editablestyles ('', 1), ('', 2)",
      "%%language GutterFontName = '' GutterFontSize = 0 - 5 fontsize = 0 - 2147483647 - 1",
      "%%autoreplace actionkeys = '" + std::string(400, ';') + "'",
      "%%words '" + std::string(300, 'w') + "' '' 1",
      "%%kwTables forstate [1] endswith '' ( 1 is '', '" + std::string(300, 'k') + "' )",
      std::string("%%words '\0' '\0' 0", 15),
  };
  for (const std::string& script : hostile) ExpectCompilesOrReports(script);
}

}  // namespace
