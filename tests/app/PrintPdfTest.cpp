// Printing a real stylesheet from the window's editor to a PDF file, which needs no printer:
// pages with the header, the footer, line numbers and the style colours.
#include <fstream>
#include <iterator>

#include "WorkbenchFixture.h"
#include "services/SM_Settings.h"
#include "toolkit/qt/QtPrinter.h"

namespace ql::test {
namespace {

using PrintPdf = WorkbenchTest;

std::string Stylesheet() {
  const char* docbook = "/usr/share/xml/docbook/stylesheet/docbook-xsl/html/docbook.xsl";
  std::ifstream in(docbook, std::ios::binary);
  if (in) return docbook;
  return {};
}

TEST_F(PrintPdf, AStylesheetPrintsToPdfWithItsPagesNumbered) {
  std::string source = Stylesheet();
  if (source.empty()) {
    source = (Docs / "sheet.xsl").string();
    std::string text = "<?xml version='1.0'?>\n<xsl:stylesheet version='1.0'>\n";
    for (int i = 0; i < 200; ++i) text += "  <xsl:template match='item" + std::to_string(i) + "'><b>text</b></xsl:template>\n";
    WriteFile(source, text + "</xsl:stylesheet>\n");
  }
  TqlnInkMemo& memo = *W().XSLTDoc;
  memo.LoadFromFile(source);
  TInkMemoOptions options = memo.GetOptions();
  for (const TInkMemoOption option : {smoPrintFilename, smoPrintDate, smoPrintPageNos, smoPrintLineNos, smoPrintWrap}) {
    options.Include(option);
  }
  memo.SetOptions(options);
  memo.MonoPrint = false;

  const std::string pdf = (Docs / "printed.pdf").string();
  TQtPrinter& printer = QtPrinter();
  printer.SetPdfFile(pdf);
  memo.PrinterObject = &printer;
  memo.PrintDocument();
  printer.SetPdfFile({});
  memo.PrinterObject = nullptr;

  std::ifstream in(pdf, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ASSERT_EQ(bytes.rfind("%PDF", 0), 0u);
  size_t pages = 0;
  for (size_t at = bytes.find("/Type /Page\n"); at != std::string::npos; at = bytes.find("/Type /Page\n", at + 1)) ++pages;
  EXPECT_GT(pages, 1u);
  EXPECT_FALSE(memo.Printing());
  EXPECT_FALSE(memo.Settings().Printing);
  if (const char* keep = std::getenv("QUILLON_KEEP_PDF")) std::filesystem::copy_file(pdf, keep, std::filesystem::copy_options::overwrite_existing);
}

}  // namespace
}  // namespace ql::test
