#pragma once
// Helpers of the script reader for whole texts: reading a script or #include file, line
// breaks and include paths.
#include <cstdint>
#include <string>

namespace ql {

class TStream;

// Reads stream from its position to the end into text, with NormalizeScriptLineBreaks applied.
// Returns false, leaving text unspecified, when the stream holds more than limit bytes.
bool ReadScriptText(TStream& stream, int64_t limit, std::string& text);

// Turns every LF that does not follow a CR into a CR, so that a script with LF line ends reads
// like one with CR LF line ends (the reader counts lines at CRs and skips the LF after a CR).
void NormalizeScriptLineBreaks(std::string& text);

// The path of #include <name>: dir and name joined with one "/" (none added when dir already
// ends in one); just name when dir is empty.
std::string JoinIncludePath(const std::string& dir, const std::string& name);

}  // namespace ql
