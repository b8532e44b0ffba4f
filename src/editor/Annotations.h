#pragma once
// What the editor's annotation operations send with SMM_ANNOTATE: numbered and named
// bookmarks, text marks, breakpoints, the execution point, gutter marks and line tracks all
// change only inside the window procedure.
#include <cstdint>
#include <string>

#include "toolkit/Canvas.h"
#include "toolkit/Geometry.h"

namespace ql {

class TSM_BreakpointData;

enum TAnnotationOp : uint32_t {
  aoSetBookmark,           // A index, B line (-1: the caret's), C column
  aoGotoBookmark,          // A index
  aoAddMark,               // A start, B length, C value; Result the mark
  aoSetMarkStart,          // A mark, B value
  aoSetMarkEnd,            // A mark, B value
  aoRemoveMark,            // A mark
  aoAddCustomBookmark,     // Name, A position (-1: the caret)
  aoRemoveCustomBookmark,  // Name
  aoGotoCustomBookmark,    // Name
  aoToggleBreakpoint,      // A offset (-1: the caret); Result 1 when one was added
  aoAddBreakpoint,         // A offset, B tag, C enabled, D user data, Name text; Breakpoint out
  aoRemoveBreakpoint,      // Breakpoint
  aoSetExecPoint,          // A offset; B 0 switches it off
  aoSetGutterMarks,        // A row index, B the flags
  aoAddTrack,              // A track id
  aoRemoveTrack,           // A track id
};

struct TAnnotationRequest {
  int32_t A = 0;
  int32_t B = 0;
  int32_t C = 0;
  int32_t D = 0;
  std::string Name;
  TSM_BreakpointData* Breakpoint = nullptr;
  int32_t Result = 0;
};

// What OnDrawLine receives for each row before it is drawn.
struct TLineDrawData {
  int32_t Version = 1;
  const char* Text = nullptr;  // the row's characters
  bool Screen = true;
  TCanvas* Canvas = nullptr;
  TRect Rect;                  // from TextLeft over the client width, one row high
  int32_t Offset = 0;          // of the row's first character
  int32_t FirstColumn = 0;     // LeftColumn
  int32_t Columns = 0;         // display columns of the row as drawn
  bool Handled = false;        // set by the handler: the row's text area is not drawn
};

}  // namespace ql
