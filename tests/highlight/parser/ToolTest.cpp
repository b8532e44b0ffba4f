// quillon-hlc as a user runs it: compile, dump, scan and export, with its exit codes and messages.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "ParserTesting.h"
#include "highlight/xmldef/XmlDefinition.h"

namespace {

namespace fs = std::filesystem;

class Tool : public ::testing::Test {
protected:
  void SetUp() override { fs::create_directories(dir); }
  void TearDown() override { fs::remove_all(dir); }

  // Runs the tool with args; its exit status, standard output and standard error.
  int Run(const std::string& args) {
    const std::string command = std::string(QUILLON_HLC) + " " + args + " >" + (dir / "out").string() + " 2>" +
                                (dir / "err").string();
    const int status = std::system(command.c_str());
    out = Slurp(dir / "out");
    err = Slurp(dir / "err");
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  static std::string Slurp(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  std::string Path(const char* name) const { return (dir / name).string(); }
  void Write(const char* name, const std::string& text) const { std::ofstream(dir / name, std::ios::binary) << text; }

  fs::path dir = fs::temp_directory_path() / ("quillon-hlc-" + std::to_string(::getpid()));
  std::string out, err;
};

TEST_F(Tool, CompilesTheShippedScriptToTheEmbeddedBytes) {
  ASSERT_EQ(Run(std::string(ql::test::XmlScriptPath()) + " -o " + Path("xml.qhl")), 0) << err;
  EXPECT_EQ(Slurp(dir / "xml.qhl"), std::string(ql::XmlDefinitionStoredForm()));
  EXPECT_NE(out.find("inner stream"), std::string::npos) << out;
}

TEST_F(Tool, CompileErrorsGoToStandardErrorAndWriteNothing) {
  Write("bad.hls", "%%language\nname = 5\n");
  EXPECT_EQ(Run(Path("bad.hls") + " -o " + Path("bad.qhl")), 1);
  EXPECT_EQ(err, "** ERROR near line 2, Column 8: String value expected\n");
  EXPECT_FALSE(fs::exists(dir / "bad.qhl"));
  // A range error the compiler raises without a position gets where reading stopped.
  Write("range.hls", "%%tokens InState 256 ( )\n");
  EXPECT_EQ(Run(Path("range.hls") + " -o " + Path("bad.qhl")), 1);
  EXPECT_EQ(err.rfind("** ERROR near line 1, Column ", 0), 0u) << err;
  EXPECT_NE(err.find("Range error, value outwith 0 .. 255"), std::string::npos) << err;
}

TEST_F(Tool, DumpsEveryTable) {
  Write("xml.qhl", std::string(ql::XmlDefinitionStoredForm()));
  ASSERT_EQ(Run("--dump " + Path("xml.qhl")), 0) << err;
  for (const char* part : {"[settings]", "[styles]", "[map]", "[words]", "[handlers]", "[token tables]",
                           "[state records]", "[sets]", "[keys]", "[auto-replace]", "[templates]",
                           "name                  'XML'", "'<!--'  value 4  states {0}",
                           "4  [\\000-\\377] *  end [\\-][\\-][>] _use_", "Ctrl+K, P", "hotkey                Ctrl+J"}) {
    EXPECT_NE(out.find(part), std::string::npos) << part;
  }
}

TEST_F(Tool, ScansATextIntoRuns) {
  Write("xml.qhl", std::string(ql::XmlDefinitionStoredForm()));
  Write("doc.xml", "<a>\r\n&amp; a < b<!-- c\r\n-->");
  ASSERT_EQ(Run("--scan " + Path("xml.qhl") + " " + Path("doc.xml")), 0) << err;
  // Line breaks count one character.
  EXPECT_EQ(out, "0 3 1\n3 1 0\n4 5 3\n9 6 0\n15 10 4\n");
}

TEST_F(Tool, WritesAHighlightedTextAsHtmlAndRtf) {
  Write("xml.qhl", std::string(ql::XmlDefinitionStoredForm()));
  Write("doc.xml", "<a>\r\n&amp; \xC3\xA9<!-- c -->");
  ASSERT_EQ(Run("--html " + Path("xml.qhl") + " " + Path("doc.xml")), 0) << err;
  EXPECT_EQ(out.rfind("<HTML><HEAD>\r\n", 0), 0u) << out;
  EXPECT_NE(out.find("<TITLE>doc.xml</TITLE>"), std::string::npos) << out;
  EXPECT_EQ(out.substr(out.find("<BODY")),
            "<BODY TEXT=\"#000000\" BGCOLOR=\"#ffffff\">\r\n<PRE><FONT FACE=\"Courier New\">"
            "<FONT COLOR=\"#800000\">&lt;a&gt;</FONT>\r\n"
            "<B>&amp;amp;</B> &#233;<FONT COLOR=\"#008000\"><I>&lt;!-- c --&gt;\r\n"
            "</I></FONT></FONT></PRE></BODY></HTML>\r\n");

  ASSERT_EQ(Run("--rtf " + Path("xml.qhl") + " " + Path("doc.xml")), 0) << err;
  EXPECT_EQ(out,
            "{\\rtf1 \\deff1{\\fonttbl {\\f1 \\fnil\\fcharset0 Courier New;}}\r\n"
            "{\\colortbl\\red0\\green0\\blue0;\\red255\\green255\\blue255;\\red128\\green0\\blue0;"
            "\\red0\\green0\\blue128;\\red0\\green128\\blue0;}\r\n"
            "{\\f1\\fs20\\cf0\\cb1 \\cf2 <a>\\cf0 \\line \r\n"
            "\\b1 &amp;\\b0  \\u233\\'e9\\i1 \\cf4 <!-- c -->\r\n}}");

  // The text is read before anything is written.
  EXPECT_EQ(Run("--rtf " + Path("xml.qhl") + " " + Path("missing.xml")), 1);
  EXPECT_EQ(out, "");
  EXPECT_NE(err.find("missing.xml"), std::string::npos) << err;
  EXPECT_EQ(Run("--html " + Path("xml.qhl")), 2);
}

TEST_F(Tool, RefusesBadInput) {
  Write("junk", "not a stored parser");
  EXPECT_EQ(Run("--dump " + Path("junk")), 1);
  EXPECT_NE(err.find("junk"), std::string::npos) << err;
  EXPECT_EQ(Run("--dump " + Path("missing")), 1);
  EXPECT_EQ(Run("--scan " + Path("junk") + " " + Path("junk")), 1);
  EXPECT_EQ(Run("--html " + Path("junk") + " " + Path("junk")), 1);
  EXPECT_EQ(Run(""), 2);
  EXPECT_EQ(Run("--dump"), 2);
  EXPECT_NE(err.find("usage:"), std::string::npos);
}

}  // namespace
