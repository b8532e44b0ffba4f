#pragma once
// The main window's three documents; the ordinal is also the index of the document's side bar
// item.
namespace ql {

enum TDocKind { dkXML = 0, dkXSLT = 1, dkResults = 2 };

}  // namespace ql
