// Reading the processors' messages: the places they name and the user's names for the copies.
#include <gtest/gtest.h>

#include "app/ProcessorMessages.h"

namespace ql::test {
namespace {

const std::vector<std::string> kDocs = {"/home/me/my docs/books.xml", "/home/me/my docs/titles.xsl"};

TEST(ProcessorMessages, FindsTheFormsOfBothProcessors) {
  struct TCase {
    const char* line;
    int32_t document, lineNo, column;
  } const cases[] = {
      // Saxon: static and dynamic errors, with and without a column, bare and full names.
      {"Error on line 4 column 3 of titles.xsl:", 1, 4, 3},
      {"Syntax error in {foo((} at char 5 in expression in xsl:value-of/@select on line 5 column 35 of titles.xsl:", 1, 5, 35},
      {"  In template rule with match=\"/\" on line 2 of titles.xsl", 1, 2, 0},
      {"Warning at line 12 of /home/me/my docs/titles.xsl", 1, 12, 0},
      {"Error on line 7 column 1 of books.xml:", 0, 7, 1},
      {"org.xml.sax.SAXParseException; systemId: file:/home/me/my%20docs/books.xml; lineNumber: 9; columnNumber: 14; x", 0, 9, 14},
      // xsltproc: "FILE:N:" at the start and "file FILE line N".
      {"/home/me/my docs/titles.xsl:4: parser error : Opening and ending tag mismatch", 1, 4, 0},
      {"runtime error: file /home/me/my docs/titles.xsl line 6 element value-of", 1, 6, 0},
      {"file:///home/me/my%20docs/books.xml:3: namespace error", 0, 3, 0},
  };
  for (const TCase& c : cases) {
    const std::vector<TMessagePlace> places = FindMessagePlaces(c.line, kDocs);
    ASSERT_EQ(places.size(), 1u) << c.line;
    EXPECT_EQ(places[0].Document, c.document) << c.line;
    EXPECT_EQ(places[0].Line, c.lineNo) << c.line;
    EXPECT_EQ(places[0].Column, c.column) << c.line;
  }
}

TEST(ProcessorMessages, IgnoresLinesThatNameNoDocumentOrNoLine) {
  for (const char* line : {
           "Error on line 4 column 3 of other.xsl:",       // a module the window does not hold
           "Error on line x column 3 of titles.xsl:",      // no number
           "Error on line 0 of titles.xsl",                // no such line
           "Error on line 99999999999 of titles.xsl",      // too large
           "titles.xsl: not found",                        // a name without a line
           "outline 4 of titles.xsl",                      // "line" must be a word of its own
           "",
       }) {
    EXPECT_TRUE(FindMessagePlaces(line, kDocs).empty()) << line;
  }
  EXPECT_TRUE(FindMessagePlaces("Error on line 4 of titles.xsl", {}).empty());
}

TEST(ProcessorMessages, GivesEachMessageLineItsRowAndSpan) {
  const std::string text =
      "Static error\r\n"
      "  Error on line 4 column 3 of titles.xsl:\r\n"
      "    XTSE0010: unknown element\n"
      "\n"
      "books.xml:2: parser error\r"
      "last";
  const std::vector<TMessagePlace> places = FindMessagePlaces(text, kDocs);
  ASSERT_EQ(places.size(), 2u);
  EXPECT_EQ(places[0].Row, 1);
  EXPECT_EQ(places[0].Start, 2);
  EXPECT_EQ(places[0].Length, 39);
  EXPECT_EQ(places[1].Row, 4);
  EXPECT_EQ(places[1].Start, 0);
  EXPECT_EQ(places[1].Document, 0);
}

TEST(ProcessorMessages, PutsTheDocumentsNamesWhereTheCopiesAreNamed) {
  const std::vector<TCopyName> copies = {{"/d/my docs/titles__~tmp1.xsl", "/d/my docs/titles.xsl"},
                                         {"/d/Untitled__~tmp.xml", "/d/Untitled.xml"}};
  const std::string said =
      "Error on line 4 column 3 of titles__~tmp1.xsl:\n"
      "systemId: file:/d/my%20docs/titles__~tmp1.xsl; lineNumber: 4;\n"
      "/d/my docs/titles__~tmp1.xsl:4: parser error\n"
      "file:///d/Untitled__~tmp.xml and Untitled__~tmp.xml\n";
  EXPECT_EQ(NameOriginals(said, copies),
            "Error on line 4 column 3 of titles.xsl:\n"
            "systemId: file:/d/my%20docs/titles.xsl; lineNumber: 4;\n"
            "/d/my docs/titles.xsl:4: parser error\n"
            "file:///d/Untitled.xml and Untitled.xml\n");
}

}  // namespace
}  // namespace ql::test
