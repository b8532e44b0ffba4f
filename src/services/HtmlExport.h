#pragma once
// The HTML form of a highlighted text: a page with the text in a <PRE> block, each row one
// line, coloured and styled as the editor draws it.
//
// The page: the head (Generator, TITLE with the file name, Date), BODY with style 0's colours,
// then <PRE><FONT FACE="editor font"> and the rows, each followed by CR LF. Inside, text of a
// style whose colour differs from style 0's is wrapped in <FONT COLOR="#rrggbb">, and bold,
// italic, underline and strike-out in <B>, <I>, <U>, <S>, nested in that order; tags are closed
// innermost first when the style changes and at the end, so that the page is well formed.
// Characters are written as the document's encoding shows them: markup characters and
// everything outside ASCII as character references, TABs as the spaces up to the next tab stop.
#include <string>
#include <string_view>

#include "services/ExportInput.h"

namespace ql {

class TStream;

// Appends the HTML form of one character: & < > " as &amp; &lt; &gt; &quot;, TAB and U+00A0 as
// &nbsp;, other control characters (CR included) as nothing, characters from U+0080 on as
// &#N;, the rest as themselves.
void HtmlEscape(char32_t c, std::string& out);
// A platform string (UTF-8) as HTML character data, attribute values included.
std::string HtmlEscapeText(std::string_view text);

// Writes the range of input as an HTML page.
void ExportHTML(const TExportInput& input, TStream& stream);

}  // namespace ql
