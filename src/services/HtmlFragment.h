#pragma once
// Taking HTML data apart for paste and drop: what the receiver inserts of the "HTML Format" it
// was given.
#include <string>

#include "services/SourceTypes.h"

namespace ql {

// Changes text only for HTML data (srcHTML) that is not wanted as it is (no srcAsIs), and only
// when srcHTMLFromTag or srcHTMLFragment asks:
//   - srcHTMLFromTag: everything before the first "<" goes (all of it when there is none).
//   - srcHTMLFragment: only the fragment stays. Data that begins with the clipboard's
//     description header ("Version:..." lines) gives it by the header's StartFragment and
//     EndFragment byte offsets. Other data keeps what lies between "<!--StartFragment-->" and
//     the next "<!--EndFragment-->" after it, or everything from the first "<" when it has
//     neither marker.
// Malformed data leaves nothing to insert (text becomes empty): offsets missing, not numbers,
// reversed or outside the data or inside the header; one marker without the other; no "<".
void CutHtmlFragment(std::string& text, TSourceTypes sourceTypes);

}  // namespace ql
