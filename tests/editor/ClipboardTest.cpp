// Copy, Cut and Paste with their clipboard formats, and the highlighted forms of the text the
// editor writes (saving as HTML or RTF, SMM_WRITESEL, SMM_GETSELTEXT).
#include "EditorTesting.h"
#include "services/HtmlFragment.h"
#include "toolkit/MemoryStream.h"

namespace ql::test {
namespace {

class Clipboard : public EditorTest {
protected:
  TMemoryClipboard& Clip() { return static_cast<TMemoryClipboard&>(host.Clipboard()); }
};

TEST_F(Clipboard, CopyPlacesTextAndRtfAsClipCopyFormatsAsks) {
  Load("ab\rc{d}");
  memo.SetSelection(1, 7);
  memo.CopyToClipboard();
  EXPECT_EQ(Clip().GetText(), "b\r\nc{d}");
  const std::string rtf = Clip().GetFormat(mimeRtf);
  EXPECT_EQ(rtf.rfind("{\\rtf1", 0), 0u);
  EXPECT_NE(rtf.find("b\\line \r\nc\\{d\\}\r\n}}"), std::string::npos) << rtf;  // the selection only
  EXPECT_EQ(rtf.find('a', rtf.find("\\cb1 ")), std::string::npos);
  EXPECT_EQ(Clip().GetFormat(mimeRtfApp), rtf);

  memo.ClipCopyFormats = {smTEXT};
  memo.CopyToClipboard();
  EXPECT_TRUE(Clip().HasText());
  EXPECT_FALSE(Clip().HasFormat(mimeRtf));

  // No format chosen: the clipboard is emptied, not left with the last copy.
  memo.ClipCopyFormats = {};
  memo.CopyToClipboard();
  EXPECT_TRUE(Clip().Empty());

  // Cut copies in the chosen forms, then deletes, as one undo step.
  memo.ClipCopyFormats = {smRTF};
  memo.CutToClipboard();
  EXPECT_EQ(Text(), "a");
  EXPECT_FALSE(Clip().HasText());
  EXPECT_TRUE(Clip().HasFormat(mimeRtf));
  memo.Undo();
  EXPECT_EQ(Text(), "ab\rc{d}");
}

TEST_F(Clipboard, RtfCopyIsHighlightedWithoutScanningTheTextAgain) {
  auto parser = XmlParser();
  memo.SetParser1(parser.get());
  Load("<a>x</a>\r<b/>");
  memo.Perform(WM_NULL);  // the load's highlighting runs after a message
  int32_t tokens = 0;
  memo.OnTokenSeen = [&](int32_t&, int32_t, int32_t) { ++tokens; };
  memo.SetSelection(0, 8);
  memo.CopyToClipboard();
  EXPECT_EQ(tokens, 0);
  const std::string rtf = Clip().GetFormat(mimeRtf);
  // The tags are written in their own colour: a colour switch before "<a>".
  EXPECT_NE(rtf.find("\\cf2 <a>"), std::string::npos) << rtf;
  EXPECT_EQ(rtf.find("<b/>"), std::string::npos);
  memo.SetParser1(nullptr);
}

TEST_F(Clipboard, PasteTakesTextOrHtmlOnlyDataAsOnDataDropChooses) {
  // The clipboard's description header gives the fragment's byte offsets.
  const std::string html = "Version:0.9\r\nStartFragment:0000000095\r\nEndFragment:0000000096\r\n"
                           "<html><body><!--StartFragment-->Q<!--EndFragment--></body></html>";
  ASSERT_EQ(html.substr(95, 1), "Q");
  std::string stored = html;  // as the text keeps it: every line break one CR
  for (size_t at; (at = stored.find("\r\n")) != std::string::npos;) stored.erase(at + 1, 1);
  struct Case {
    const char* name;
    bool text;                // the clipboard offers plain text too
    TSourceTypes add;         // what the handler adds
    TSourceTypes remove;      // and takes away
    std::string expected;
  } cases[] = {
      {"text wins over HTML", true, 0, 0, "T"},
      {"HTML-only data comes whole", false, 0, 0, stored},
      {"the fragment on request", false, srcHTMLFragment, 0, "Q"},
      {"from the first tag on request", false, srcHTMLFromTag, 0, html.substr(html.find('<'))},
      {"as it is, whatever is asked", false, srcHTMLFragment | srcAsIs, 0, stored},
      {"text taken away: the HTML", true, srcHTMLFragment, srcText, "Q"},
      {"plain text is never cut as HTML", true, srcHTMLFromTag, 0, "T"},
      {"handled by the handler", true, srcHandled, 0, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Load("");
    std::vector<TClipFormat> formats{{std::string(mimeHtml), html}};
    if (c.text) formats.push_back({std::string(mimeText), "T"});
    Clip().SetFormats(formats);
    TSourceTypes seen = 0;
    memo.OnDataDrop = [&](TCustomInkMemo&, TSourceTypes& types) {
      seen = types;
      types = static_cast<TSourceTypes>((types | c.add) & ~c.remove);
    };
    memo.PasteFromClipboard();
    EXPECT_EQ(seen, (c.text ? srcText : 0) | srcHTML | srcClipboard);
    EXPECT_EQ(Text(), c.expected);
  }
}

TEST_F(Clipboard, PasteOfMalformedFragmentInsertsNothing) {
  Load("z");
  Clip().SetFormats({{std::string(mimeHtml), "Version:0.9\r\nStartFragment:0000009999\r\nEndFragment:1\r\n<b>"}});
  memo.OnDataDrop = [](TCustomInkMemo&, TSourceTypes& types) { types |= srcHTMLFragment; };
  memo.PasteFromClipboard();
  EXPECT_EQ(Text(), "z");
  EXPECT_FALSE(memo.CanUndo());
}

TEST_F(Clipboard, SavesAndWritesTheSelectionAsHtmlOrRtf) {
  Load("a<b\r\t&");
  memo.FileName = "doc.xml";
  memo.SaveFormat = sfHTML;
  TMemoryStream html;
  memo.SaveToStream(&html);
  EXPECT_NE(html.Bytes().find("<TITLE>doc.xml</TITLE>"), std::string::npos);
  EXPECT_NE(html.Bytes().find("a&lt;b\r\n    &amp;\r\n</FONT></PRE>"), std::string::npos) << html.Bytes();
  memo.SaveFormat = sfRTF;
  TMemoryStream rtf;
  memo.SaveToStream(&rtf);
  EXPECT_NE(rtf.Bytes().find("a<b\\line \r\n\\tab &\r\n}}"), std::string::npos) << rtf.Bytes();

  // The selection through the messages, in either order of its ends.
  memo.SetSelection(3, 1);
  TMemoryStream sel;
  EXPECT_EQ(memo.Perform(SMM_WRITESEL, smfRTF, reinterpret_cast<LPARAM>(&sel)), 1);
  EXPECT_NE(sel.Bytes().find(" <b\r\n}}"), std::string::npos) << sel.Bytes();
  const auto size = memo.Perform(SMM_GETSELTEXT, smfHTML, 0);
  std::string buffer(8, '#');
  TTextBuffer into{buffer.data(), 5};
  EXPECT_EQ(memo.Perform(SMM_GETSELTEXT, smfHTML, reinterpret_cast<LPARAM>(&into)), size);
  EXPECT_EQ(buffer, std::string("<HTM\0###", 8));  // bounded by the buffer, NUL included
  EXPECT_EQ(memo.Perform(SMM_WRITESEL, 3, reinterpret_cast<LPARAM>(&sel)), 0);  // no such format
}

}  // namespace
}  // namespace ql::test
