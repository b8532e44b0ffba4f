// The command line: options, files, and --help and --version answered without a window.
#include <gtest/gtest.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/wait.h>

#include <string>

#include "WorkbenchFixture.h"
#include "app/ProgramArguments.h"

namespace ql::test {
namespace {

TEST(ProgramArguments, ReadsOptionsAndFullFileNames) {
  const TProgramArguments parsed =
      ParseProgramArguments({"a.xml", "/abs/b.xsl", "--", "--help", "sub/c.xslt", ""}, "/work dir");
  EXPECT_FALSE(parsed.Help);
  EXPECT_TRUE(parsed.Error.empty());
  EXPECT_EQ(parsed.Files, (std::vector<std::string>{"/work dir/a.xml", "/abs/b.xsl", "/work dir/--help", "/work dir/sub/c.xslt"}));

  EXPECT_TRUE(ParseProgramArguments({"x.xml", "--help"}, "/").Help);
  EXPECT_TRUE(ParseProgramArguments({"-v"}, "/").Version);
  EXPECT_EQ(ParseProgramArguments({"--frobnicate", "-x"}, "/").Error, "unknown option '--frobnicate'");
  EXPECT_EQ(ParseProgramArguments({"-"}, "/").Files, std::vector<std::string>{"/-"});
}

// Runs the program with no display at all and returns its standard output and exit status.
std::string RunProgram(const std::string& arguments, int& status) {
  const std::string command = "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM " QUILLON_PROGRAM " " + arguments;
  FILE* pipe = ::popen(command.c_str(), "r");
  std::string out;
  char block[4096];
  size_t n;
  while (pipe && (n = ::fread(block, 1, sizeof block, pipe)) > 0) out.append(block, n);
  status = pipe ? ::pclose(pipe) : -1;
  return out;
}

TEST(ProgramArguments, HelpAndVersionGoToStandardOutputWithoutAWindow) {
  int status = -1;
  const std::string help = RunProgram("--help 2>&1", status);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(help.rfind("Usage: quillon [OPTION]... [FILE]...\n", 0), 0u) << help;
  EXPECT_NE(help.find(".xslt"), std::string::npos);
  EXPECT_EQ(RunProgram("--version 2>&1", status), "Quillon 1.0\n");
  EXPECT_EQ(status, 0);
}

using CommandLineFiles = WorkbenchTest;

TEST_F(CommandLineFiles, OpenByExtensionAsADropDoes) {
  WriteFile(Docs / "a.xml", "<a/>");
  WriteFile(Docs / "s.xslt", "<s/>");
  WriteFile(Docs / "notes.txt", "x");
  const TProgramArguments parsed = ParseProgramArguments({"a.xml", "notes.txt", "s.xslt", "missing.xml"}, Docs.string());
  W().OpenFiles(parsed.Files);
  EXPECT_TRUE(W().XSLTOpen);
  EXPECT_EQ(W().XSLTDoc->FileName, (Docs / "s.xslt").string());
  // The missing file is reported, and the one before it is open all the same.
  ASSERT_EQ(Dialogs.Errors.size(), 1u);
  EXPECT_TRUE(Dialogs.Errors[0].contains("missing.xml"));
  EXPECT_FALSE(W().XMLOpen);  // closed by the failed open of missing.xml
  // The file of no known kind was named in the status bar.
  W().OpenFiles({(Docs / "notes.txt").string()});
  EXPECT_TRUE(W().StatusNote->text().startsWith("notes.txt was not opened")) << W().StatusNote->text().toStdString();
}

}  // namespace
}  // namespace ql::test
