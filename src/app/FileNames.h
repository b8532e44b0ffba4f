#pragma once
// Rules for the documents' file names: extensions, folders, the "Untitled" marker of a document
// that was never saved, and the names of the temporary copies handed to the processor.
#include <string>

namespace ql {

// The part from the last "." to the end, when no "/" follows that "."; empty otherwise.
std::string ExtractFileExt(const std::string& fileName);
// The part before the last "/", without a trailing "/" unless it is the root; empty when the name
// has no folder.
std::string ExtractFileDir(const std::string& fileName);
// The name with a "/" appended unless it already ends with one (an empty name stays empty).
std::string IncludeTrailingSlash(const std::string& folder);
std::string LowerCase(std::string text);
// A document whose name contains "Untitled" anywhere has never been saved.
bool IsUntitled(const std::string& fileName);
// The name of the n-th candidate for a temporary copy of fileName: "NAME__~tmp.EXT" for n = 0,
// "NAME__~tmpN.EXT" after that, in the folder of fileName.
std::string TempCopyName(const std::string& fileName, int n);
// True when a directory entry of that name exists (a dangling link included).
bool EntryExists(const std::string& name);

}  // namespace ql
