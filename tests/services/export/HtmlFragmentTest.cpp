#include <gtest/gtest.h>

#include <string>

#include "services/HtmlFragment.h"

namespace ql {
namespace {

constexpr TSourceTypes kFragment = srcHTML | srcHTMLFragment;
constexpr TSourceTypes kFromTag = srcHTML | srcHTMLFromTag;

// Clipboard HTML with its description header; the offsets are computed from the parts.
std::string WithHeader(const std::string& before, const std::string& fragment, const std::string& after) {
  const auto header = [](size_t start, size_t end) {
    char text[160];
    std::snprintf(text, sizeof text,
                  "Version:0.9\r\nStartHTML:%010zu\r\nEndHTML:%010zu\r\nStartFragment:%010zu\r\nEndFragment:%010zu\r\n",
                  size_t{0}, size_t{0}, start, end);
    return std::string(text);
  };
  const size_t headerSize = header(0, 0).size();
  const size_t start = headerSize + before.size();
  return header(start, start + fragment.size()) + before + fragment + after;
}

TEST(CutHtmlFragment, KeepsWhatTheRequestAsksFor) {
  const std::string page = "junk <html><body><!--StartFragment--><b>x</b> &amp; y<!--EndFragment--></body></html>";
  struct Case {
    std::string text;
    TSourceTypes types;
    std::string kept;
  } cases[] = {
      // Only HTML that is not wanted as it is, and only on request.
      {page, srcText | srcHTMLFragment, page},
      {page, kFragment | srcAsIs, page},
      {page, srcHTML, page},
      {page, kFromTag, "<html><body><!--StartFragment--><b>x</b> &amp; y<!--EndFragment--></body></html>"},
      {page, kFragment, "<b>x</b> &amp; y"},
      {page, kFragment | srcHTMLFromTag | srcClipboard, "<b>x</b> &amp; y"},
      // Without markers the whole page from its first tag.
      {"\r\n<p>text</p>", kFragment, "<p>text</p>"},
      // The end marker that counts is the first one after the start marker.
      {"<!--EndFragment--><!--StartFragment-->a<!--EndFragment-->b<!--EndFragment-->", kFragment, "a"},
      {"<!--StartFragment--><!--EndFragment-->", kFragment, ""},
      // The description header's offsets.
      {WithHeader("<html><body><!--StartFragment-->", "<i>frag</i>", "<!--EndFragment--></body></html>"), kFragment,
       "<i>frag</i>"},
      {WithHeader("<html><body>", "<i>no markers</i>", "</body></html>"), kFragment, "<i>no markers</i>"},
      {WithHeader("<html>", "<i>f</i>", "</html>"), kFromTag, "<html><i>f</i></html>"},
  };
  for (const Case& c : cases) {
    std::string text = c.text;
    CutHtmlFragment(text, c.types);
    EXPECT_EQ(text, c.kept) << c.text << " / " << std::hex << c.types;
  }
}

TEST(CutHtmlFragment, MalformedDataLeavesNothing) {
  const std::string header = "Version:0.9\r\nStartHTML:0000000097\r\nEndHTML:0000000130\r\n";
  const std::string html = "<html><!--StartFragment-->abc<!--EndFragment--></html>";
  struct Case {
    std::string text;
    TSourceTypes types;
  } cases[] = {
      {"no tag at all", kFromTag},
      {"no tag at all", kFragment},
      {"", kFragment},
      {"<p><!--StartFragment-->abc", kFragment},  // one marker without the other
      {"<p>abc<!--EndFragment-->", kFragment},
      // Offsets missing, not numbers, reversed, past the end, negative, inside the header, huge.
      {header + html, kFragment},
      {header + "StartFragment:0000000120\r\n" + html, kFragment},
      {header + "StartFragment:12x\r\nEndFragment:0000000130\r\n" + html, kFragment},
      {header + "StartFragment:\r\nEndFragment:0000000130\r\n" + html, kFragment},
      {header + "StartFragment:0000000140\r\nEndFragment:0000000130\r\n" + html, kFragment},
      {header + "StartFragment:0000000140\r\nEndFragment:0000099999\r\n" + html, kFragment},
      {header + "StartFragment:-0000000001\r\nEndFragment:0000000130\r\n" + html, kFragment},
      {header + "StartFragment:0000000000\r\nEndFragment:0000000010\r\n" + html, kFragment},
      {header + "StartFragment:99999999999999999999\r\nEndFragment:99999999999999999999\r\n" + html, kFragment},
      {"Version:0.9\r\nStartFragment:0000000040\r\nEndFragment:0000000050", kFragment},
  };
  for (const Case& c : cases) {
    std::string text = c.text;
    CutHtmlFragment(text, c.types);
    EXPECT_EQ(text, "") << c.text;
  }
}

}  // namespace
}  // namespace ql
