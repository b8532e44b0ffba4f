#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "ExportTesting.h"
#include "services/HtmlExport.h"

namespace ql::test {
namespace {

class HtmlExport : public ExportTest {
protected:
  std::string Html(const TExportInput& in) { return Export(ExportHTML, in); }
};

constexpr char kHead[] =
    "<HTML><HEAD>\r\n"
    "<META NAME=\"Generator\" CONTENT=\"TCustomInkMemo - Quillon\">\r\n"
    "<TITLE>t.xsl</TITLE>\r\n"
    "<META NAME=\"Date\" CONTENT=\"1/2/25\">\r\n"
    "</HEAD>\r\n"
    "<BODY TEXT=\"#000000\" BGCOLOR=\"#ffffff\">\r\n"
    "<PRE><FONT FACE=\"Courier New\">";
constexpr char kTail[] = "</FONT></PRE></BODY></HTML>\r\n";

TEST_F(HtmlExport, WritesStylesAsNestedElementsAndEscapesTheText) {
  // A styled row, a row without Styles, and a UTF-8 character whose second byte has another value.
  Load("<x a=\"&\">\tz\rp<q{\\}'\r\xC3\xA9w",
       "112223331040" "--------" "500");
  EXPECT_EQ(Html(Input()),
            std::string(kHead) +
                // The colour changes while <B> is open: both close and open again, innermost first.
                "<FONT COLOR=\"#800000\"><B>&lt;x<I> a=</I></B></FONT><FONT COLOR=\"#000080\"><B>&quot;&amp;&quot;"
                "</B></FONT><FONT COLOR=\"#800000\"><B>&gt;</B></FONT>   <U><S>z</S></U>\r\n"
                "p&lt;q{\\}'\r\n"
                // A style with the default text colour is drawn in the body's colour.
                "<I>&#233;</I>w\r\n" +
                kTail);
}

TEST_F(HtmlExport, EmptyTextAndRanges) {
  EXPECT_EQ(Html(Input()), std::string(kHead) + kTail);

  Load("ab\tc\rdef\rgh", "11000000000");
  TExportInput in = Input();
  // In either order; each row part ends its line; a tab counts from the first character written.
  in.Start = 10;
  in.End = 1;
  EXPECT_EQ(Html(in), std::string(kHead) + "<FONT COLOR=\"#800000\"><B>b</B></FONT>   c\r\ndef\r\ng\r\n" + kTail);
  in.Start = in.End = 4;
  EXPECT_EQ(Html(in), std::string(kHead) + kTail);
}

TEST_F(HtmlExport, NamesAndColoursAreWrittenAsTheEditorShowsThem) {
  Load("x", "0");
  // Style 0 in the system's window colours; the caller's resolver turns them into plain ones.
  settings.SetStyle(0, TStyleEffect{0, clBlack, clWhite, true, true, false, 1});
  TExportInput in = Input();
  in.FileName = "a&b<\"c\".xsl";
  in.Font.Name = "Mono \"X\"";
  in.ResolveColor = [](TColor c) { return c == clWindowText ? RGB(1, 2, 3) : c == clWindow ? RGB(0xAA, 0xBB, 0xCC) : c; };
  const std::string html = Html(in);
  EXPECT_NE(html.find("<TITLE>a&amp;b&lt;&quot;c&quot;.xsl</TITLE>"), std::string::npos) << html;
  EXPECT_NE(html.find("<BODY TEXT=\"#010203\" BGCOLOR=\"#aabbcc\">"), std::string::npos) << html;
  EXPECT_NE(html.find("<FONT FACE=\"Mono &quot;X&quot;\">x\r\n"), std::string::npos) << html;
  // Without a resolver the standard scheme: black on white.
  in.ResolveColor = nullptr;
  EXPECT_NE(Html(in).find("<BODY TEXT=\"#000000\" BGCOLOR=\"#ffffff\">"), std::string::npos);
}

TEST_F(HtmlExport, CharactersOfBothEncodingsAndTabStops) {
  struct Case {
    TTextEncoding encoding;
    const char* text;
    const char* html;
  } cases[] = {
      {TTextEncoding::Utf8, "\xE2\x82\xAC \xF0\x9F\x98\x80 \xC2\xA0", "&#8364; &#128512; &nbsp;"},
      // Bytes that are no UTF-8 character: their Windows-1252 characters, as copied text has them.
      {TTextEncoding::Utf8, "\xE9\x80 \xC3", "&#233;&#8364; &#195;"},
      {TTextEncoding::Cp1252, "\x80\xE9\xA0\x81", "&#8364;&#233;&nbsp;&#129;"},
      // Tab stops as the editor places them: a character takes one column, a wide one two.
      {TTextEncoding::Utf8, "\t|\xC3\xA9\t|\xE4\xB8\xAD\t|", "    |&#233;  |&#20013; |"},
  };
  for (const Case& c : cases) {
    TTextStore text;
    text.InsertText(0, c.text);
    TExportInput in = WholeTextExport(text, settings);
    in.Encoding = c.encoding;
    const std::string html = Html(in);
    const size_t body = html.find("\">", html.find("<FONT FACE")) + 2;
    EXPECT_EQ(html.substr(body, html.size() - body - std::string(kTail).size()), std::string(c.html) + "\r\n") << c.text;
  }
  // Explicit tab stops win over the default width.
  settings.SetTabColumnsText("3 10");
  store.InsertText(0, "\ta\tb");
  EXPECT_NE(Html(Input()).find("  a      b\r\n"), std::string::npos);
}

TEST(HtmlEscapeTable, EveryClassOfCharacter) {
  struct Case {
    char32_t c;
    const char* written;
  } cases[] = {{'&', "&amp;"}, {'<', "&lt;"}, {'>', "&gt;"}, {'"', "&quot;"},  {'\t', "&nbsp;"}, {0xA0, "&nbsp;"},
               {'\r', ""},     {1, ""},        {31, ""},      {'a', "a"},        {'\'', "'"},       {233, "&#233;"},
               {0x20AC, "&#8364;"}};
  for (const Case& c : cases) {
    std::string out;
    HtmlEscape(c.c, out);
    EXPECT_EQ(out, c.written) << static_cast<uint32_t>(c.c);
  }
}

// Removes the tags of html, checking that every closing tag closes the element opened last and
// that none stays open, and turns the character references back into characters.
std::string CheckNestingAndStrip(const std::string& html) {
  std::vector<std::string> open;
  std::string text;
  for (size_t i = 0; i < html.size();) {
    if (html[i] == '<') {
      const size_t close = html.find('>', i);
      std::string tag = html.substr(i + 1, close - i - 1);
      i = close + 1;
      if (tag[0] == '/') {
        EXPECT_FALSE(open.empty()) << tag;
        if (open.empty()) return {};
        EXPECT_EQ("/" + open.back(), tag);
        open.pop_back();
      } else {
        tag = tag.substr(0, tag.find(' '));
        if (tag != "META") open.push_back(tag);
      }
    } else if (html[i] == '&') {
      const size_t semi = html.find(';', i);
      const std::string name = html.substr(i + 1, semi - i - 1);
      text += name == "amp" ? "&" : name == "lt" ? "<" : name == "gt" ? ">" : name == "quot" ? "\"" : "?";
      i = semi + 1;
    } else {
      text += html[i++];
    }
  }
  EXPECT_TRUE(open.empty());
  return text;
}

TEST_F(HtmlExport, RandomStylesGiveWellFormedPagesThatKeepTheText) {
  std::mt19937 random(14);
  const std::string alphabet = "ab <>&\"'\r";
  for (int round = 0; round < 50; ++round) {
    std::string text, values;
    const int length = 1 + static_cast<int>(random() % 200);
    for (int i = 0; i < length; ++i) {
      text += alphabet[random() % alphabet.size()];
      values += static_cast<char>('0' + random() % 6);
    }
    store.DeleteText(0, store.TextLength);
    Load(text, values);
    std::string rows;
    for (const char c : text) rows += c == '\r' ? std::string("\r\n") : std::string(1, c);
    if (text.back() != '\r') rows += "\r\n";
    // The line breaks of the head around the title, then the rows.
    EXPECT_EQ(CheckNestingAndStrip(Html(Input())), "\r\n\r\nt.xsl\r\n\r\n\r\n\r\n" + rows + "\r\n") << text;
  }
}

}  // namespace
}  // namespace ql::test
