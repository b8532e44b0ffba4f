#pragma once
// Data dragged over or dropped onto the editor, as its window hands it on: the kinds it offers
// and their contents, read only when the data is dropped. The messages SMM_DRAGENTER,
// SMM_DRAGOVER, SMM_DRAGLEAVE and SMM_DROP carry a TDropRequest.
#include <string>
#include <vector>

#include "services/SourceTypes.h"
#include "toolkit/DropEffect.h"
#include "toolkit/Geometry.h"

namespace ql {

class TDropData {
public:
  virtual ~TDropData() = default;
  // The kinds offered: srcText, srcUnicodeText, srcHTML, srcFiles.
  virtual TSourceTypes Kinds() const = 0;
  // The text of srcText, srcUnicodeText or srcHTML, as UTF-8; empty when it cannot be had.
  virtual std::string Text(TSourceTypes kind) const = 0;
  // The full names of the dropped files (srcFiles), in the order the source gave them.
  virtual std::vector<std::string> Files() const = 0;
};

struct TDropRequest {
  TPoint At;                                            // client coordinates
  bool CopyKey = false;                                 // Ctrl is held: copy rather than move
  TDropEffect Allowed = DROPEFFECT_COPY | DROPEFFECT_MOVE;  // what the source allows
  TDropData* Data = nullptr;
  TDropEffect Effect = DROPEFFECT_NONE;                 // out: what the editor does
};

// Files dropped on the window (WM_DROPFILES): their names and the point, (-1, -1) outside.
struct TFileDrop {
  std::vector<std::string> Files;
  TPoint At{-1, -1};
};

}  // namespace ql
