// Checking well-formedness with the XML parser: the first error's place and what passes.
#include <gtest/gtest.h>

#include "app/WellFormedness.h"

namespace ql::test {
namespace {

TEST(WellFormedness, ReportsTheFirstErrorWithItsLineAndColumn) {
  struct TCase {
    const char* text;
    int32_t line, column;
    const char* says;
  } const cases[] = {
      {"<a>\n  <b></a>", 2, 10, "mismatch"},
      {"<a>\n <p:x/></a>", 2, 6, "prefix p"},             // namespaces are checked too
      {"<a x='1' x='2'/>", 1, 15, "redefined"},
      {"<a>&nbsp;</a>", 1, 10, "nbsp"},                   // no DTD declares it
      {"<a/>\n<b/>", 2, 1, "Extra content"},
      {"", 1, 1, "empty"},
      {"<?xml version=\"1.0\"?>\n<!-- only a comment -->\n", 3, 1, "Start tag expected"},
      {"<a>\xe9</a>", 1, 4, "UTF-8"},                     // undeclared encoding means UTF-8
      {"<a>\n<b>\n", 3, 1, "Premature end"},
  };
  for (const TCase& c : cases) {
    const TWellFormedness r = CheckWellFormed(std::string(c.text));
    EXPECT_FALSE(r.WellFormed) << c.text;
    EXPECT_EQ(r.Line, c.line) << c.text;
    EXPECT_EQ(r.Column, c.column) << c.text;
    EXPECT_NE(r.Message.find(c.says), std::string::npos) << c.text << " -> " << r.Message;
    EXPECT_TRUE(r.Message.empty() || r.Message.back() != '\n');
  }
}

TEST(WellFormedness, AcceptsDocumentsWhoseDTDIsElsewhereWithoutFetchingIt) {
  for (const char* text : {
           "<a/>",
           "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><a>\xe9</a>",
           "<!DOCTYPE article PUBLIC \"-//OASIS//DTD DocBook XML V4.5//EN\" "
           "\"http://www.oasis-open.org/docbook/xml/4.5/docbookx.dtd\">\n<article>&nbsp;&copy;</article>",
           "<!DOCTYPE a [<!ENTITY co \"Acme &#38;#38; Co\">]><a>&co;</a>",
           "<a xmlns:p='urn:p'><p:b/></a>\n\n",
       }) {
    const TWellFormedness r = CheckWellFormed(std::string(text));
    EXPECT_TRUE(r.WellFormed) << text << " -> " << r.Message;
  }
}

}  // namespace
}  // namespace ql::test
