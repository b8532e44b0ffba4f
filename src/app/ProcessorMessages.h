#pragma once
// Reading what an XSLT processor says about the documents it was given: the places its messages
// name, and the user's file names put back where it names a temporary copy.
//
// The forms understood are Saxon's "on line N column M of FILE:", "at line N of FILE" and
// "systemId: FILE; lineNumber: N; columnNumber: M;", and xsltproc's "FILE:N:" at the start of a
// line and "file FILE line N". FILE may be a full name, a bare file name or a file: URI; only
// the documents the caller names are recognised, so a name with blanks is matched whole.
#include <cstdint>
#include <string>
#include <vector>

namespace ql {

// A temporary copy handed to the processor in place of a document.
struct TCopyName {
  std::string Copy;      // full name of the copy
  std::string Original;  // full name of the document it stands for
};

// Every mention of a copy, as a full name, a file: URI or a bare file name, in the same form
// of the original's name.
std::string NameOriginals(std::string text, const std::vector<TCopyName>& copies);

// A message line that names a place in one of the documents.
struct TMessagePlace {
  int32_t Row = 0;       // line of the message in the text, from 0
  int32_t Start = 0;     // the message in that line: from its first non-blank byte
  int32_t Length = 0;    //   to the end of the line
  int32_t Document = 0;  // index into the documents given
  int32_t Line = 0;      // from 1
  int32_t Column = 0;    // from 1; 0 when the message names no column
};

// The message lines of text (lines end with LF, CR LF or CR) that name a line of one of
// documents (full names), in order; at most one place per line.
std::vector<TMessagePlace> FindMessagePlaces(const std::string& text, const std::vector<std::string>& documents);

// The ways a message may write a file's full name: the name itself, its file: URIs (plain and
// percent-encoded) and its bare file name, longest first.
std::vector<std::string> NameForms(const std::string& fullName);

}  // namespace ql
