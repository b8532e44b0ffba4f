#pragma once
// The RTF form of a highlighted text: one group in the editor font, the rows separated by \line,
// with the colours and font styles the editor draws them in. It is what Copy places on the
// clipboard as "Rich Text Format" and what a document saved as RTF holds.
//
// The colour table starts with style 0's text and back colours, then the text and back colours
// of the defined style records in order, each colour once, at most 256 entries. Bold, italic,
// underline and strike-out are switched with \b, \i, \ul, \strike, the colours with \cf and with
// \cb and \chcbpat together (word processors show a character background only by the latter).
// Characters outside ASCII are written as \uN followed by their Windows-1252 byte (or "?") for
// readers without Unicode, so that every reader sees the characters the editor shows.
#include <string>

#include "services/ExportInput.h"

namespace ql {

class TStream;

// Appends the RTF form of one character: NUL as nothing, TAB as "\tab ", form feed as "\page ",
// CR as "\line ", ' \ { } and other control characters as \'hh (\\, \{, \} for the three
// markup characters), characters from U+0080 on as \uN with a one-character fallback, the rest
// as themselves.
void RtfEscape(char32_t c, std::string& out);

// Writes the range of input as an RTF document.
void ExportRTF(const TExportInput& input, TStream& stream);

}  // namespace ql
