#pragma once
// A small highlighted text for the export writers: a row store whose rows carry given token
// values, and settings with a few styles.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "services/ExportInput.h"
#include "services/SM_Settings.h"
#include "textmodel/TextStore.h"
#include "toolkit/MemoryStream.h"

namespace ql::test {

class ExportTest : public ::testing::Test {
protected:
  // Styles with every font style, two with one colour, one with a background, one drawn in the
  // default text colour; each token value n is drawn with style n.
  void SetUp() override {
    Style(1, fsBold, clMaroon);
    Style(2, fsBold | fsItalic, clMaroon);
    Style(3, fsBold, clNavy, clYellow);
    Style(4, fsUnderline | fsStrikeOut, clBlack);
    Style(5, fsItalic, clRed, clWhite, /*defaultText=*/true);
  }

  // text in stored form (CR line breaks); values holds one character per stored character: a
  // digit is the token value, '-' marks a row that has no Styles.
  void Load(const std::string& text, const std::string& values) {
    ASSERT_EQ(text.size(), values.size());
    store.InsertText(0, text);
    size_t at = 0;
    for (TTextRow* row = store.FirstRow; row != nullptr; row = row->Next) {
      if (values[at] != '-') {
        row->Styles = std::make_unique<uint8_t[]>(row->Length);
        for (int i = 0; i < row->Length; ++i) row->Styles[i] = static_cast<uint8_t>(values[at + i] - '0');
      }
      at += row->Length;
    }
  }

  void Style(uint8_t n, uint8_t fontStyle, TColor text, TColor back = clWhite, bool defaultText = false) {
    settings.SetStyle(n, TStyleEffect{fontStyle, text, back, defaultText, false, false, 1});
    settings.SetMap(n, n);
  }

  TExportInput Input() {
    TExportInput in = WholeTextExport(store, settings);
    in.FileName = "t.xsl";
    in.Date = "1/2/25";
    return in;
  }

  template <typename Writer>
  std::string Export(Writer writer, const TExportInput& in) {
    TMemoryStream out;
    writer(in, out);
    return out.Bytes();
  }

  TTextStore store;
  TSM_Settings settings;
};

}  // namespace ql::test
