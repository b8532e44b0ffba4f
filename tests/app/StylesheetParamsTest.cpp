// The top-level parameters of a stylesheet, read with a bound.
#include <gtest/gtest.h>

#include "app/StylesheetParams.h"

namespace ql::test {
namespace {

TEST(StylesheetParams, ListsTopLevelParamsOnlyWithTheirDefaults) {
  const QByteArray xsl =
      "<?xml version=\"1.0\"?>\n"
      "<xsl:transform xmlns:xsl=\"http://www.w3.org/1999/XSL/Transform\" xmlns:my=\"urn:my\" version=\"3.0\">\n"
      "  <xsl:param name=\"title\" select=\"'Books'\"/>\n"
      "  <xsl:param name=\"count\">3</xsl:param>\n"
      "  <xsl:param name=\"my:mode\" required=\"yes\"/>\n"
      "  <xsl:variable name=\"v\"/>\n"
      "  <xsl:template name=\"t\"><xsl:param name=\"local\"/></xsl:template>\n"
      "  <other:param xmlns:other=\"urn:other\" name=\"foreign\"/>\n"
      "</xsl:transform>\n";
  const TStylesheetParams params = ReadStylesheetParams(xsl);
  EXPECT_TRUE(params.Problem.isEmpty()) << params.Problem.toStdString();
  ASSERT_EQ(params.Params.size(), 3);
  EXPECT_EQ(params.Params[0].Name, "title");
  EXPECT_EQ(params.Params[0].ExpandedName, "title");
  EXPECT_EQ(params.Params[0].Default, "'Books'");
  EXPECT_EQ(params.Params[1].Default, "3");
  EXPECT_EQ(params.Params[2].Name, "my:mode");
  EXPECT_EQ(params.Params[2].ExpandedName, "{urn:my}mode");
  EXPECT_TRUE(params.Params[2].Required);
}

TEST(StylesheetParams, SaysWhyTheListMayBeIncomplete) {
  const QByteArray head =
      "<xsl:stylesheet xmlns:xsl=\"http://www.w3.org/1999/XSL/Transform\" version=\"1.0\">\n"
      "<xsl:param name=\"first\"/>\n";
  // Broken after the first parameter: what came before is still listed.
  TStylesheetParams broken = ReadStylesheetParams(head + "<xsl:param name=\"second\"></oops>\n");
  ASSERT_EQ(broken.Params.size(), 2);
  EXPECT_TRUE(broken.Problem.contains("line 3")) << broken.Problem.toStdString();

  // Longer than the bound: read up to it and no further.
  QByteArray huge = head;
  huge += QByteArray(4096, ' ');
  huge += "<xsl:param name=\"beyond\"/></xsl:stylesheet>";
  TStylesheetParams cut = ReadStylesheetParams(huge, 1024);
  ASSERT_EQ(cut.Params.size(), 1);
  EXPECT_TRUE(cut.Problem.startsWith("Only the first")) << cut.Problem.toStdString();

  // A simplified stylesheet (a literal result element) and an empty text have none.
  EXPECT_TRUE(ReadStylesheetParams("<html xsl:version=\"1.0\" xmlns:xsl=\"http://www.w3.org/1999/XSL/Transform\"/>").Params.isEmpty());
  EXPECT_TRUE(ReadStylesheetParams("").Params.isEmpty());
}

}  // namespace
}  // namespace ql::test
