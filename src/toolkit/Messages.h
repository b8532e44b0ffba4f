#pragma once
// Window message numbers: the standard WM_* and EM_* values, and the editor's own SMM_*
// messages from 0x0C00. One table for the whole program; a number is never reused.
#include <cstdint>

#include "toolkit/Geometry.h"

namespace ql {

using TMsgNum = uint32_t;
using WPARAM = uintptr_t;
using LPARAM = intptr_t;
using LRESULT = intptr_t;

// Window messages.
constexpr TMsgNum WM_NULL = 0x0000, WM_CREATE = 0x0001, WM_DESTROY = 0x0002, WM_MOVE = 0x0003;
constexpr TMsgNum WM_SIZE = 0x0005, WM_ACTIVATE = 0x0006, WM_SETFOCUS = 0x0007, WM_KILLFOCUS = 0x0008;
constexpr TMsgNum WM_ENABLE = 0x000A, WM_SETREDRAW = 0x000B, WM_SETTEXT = 0x000C, WM_GETTEXT = 0x000D;
constexpr TMsgNum WM_GETTEXTLENGTH = 0x000E, WM_PAINT = 0x000F, WM_CLOSE = 0x0010, WM_ERASEBKGND = 0x0014;
constexpr TMsgNum WM_SYSCOLORCHANGE = 0x0015, WM_SHOWWINDOW = 0x0018, WM_SETCURSOR = 0x0020;
constexpr TMsgNum WM_SETFONT = 0x0030, WM_GETFONT = 0x0031, WM_WINDOWPOSCHANGED = 0x0047;
constexpr TMsgNum WM_NOTIFY = 0x004E, WM_GETDLGCODE = 0x0087, WM_NCHITTEST = 0x0084;
constexpr TMsgNum WM_KEYDOWN = 0x0100, WM_KEYUP = 0x0101, WM_CHAR = 0x0102, WM_DEADCHAR = 0x0103;
constexpr TMsgNum WM_SYSKEYDOWN = 0x0104, WM_SYSKEYUP = 0x0105, WM_SYSCHAR = 0x0106;
constexpr TMsgNum WM_COMMAND = 0x0111, WM_SYSCOMMAND = 0x0112, WM_TIMER = 0x0113;
constexpr TMsgNum WM_HSCROLL = 0x0114, WM_VSCROLL = 0x0115;
constexpr TMsgNum WM_MOUSEMOVE = 0x0200, WM_LBUTTONDOWN = 0x0201, WM_LBUTTONUP = 0x0202;
constexpr TMsgNum WM_LBUTTONDBLCLK = 0x0203, WM_RBUTTONDOWN = 0x0204, WM_RBUTTONUP = 0x0205;
constexpr TMsgNum WM_RBUTTONDBLCLK = 0x0206, WM_MBUTTONDOWN = 0x0207, WM_MBUTTONUP = 0x0208;
constexpr TMsgNum WM_MBUTTONDBLCLK = 0x0209, WM_MOUSEWHEEL = 0x020A;
constexpr TMsgNum WM_CAPTURECHANGED = 0x0215, WM_DROPFILES = 0x0233;
constexpr TMsgNum WM_CUT = 0x0300, WM_COPY = 0x0301, WM_PASTE = 0x0302, WM_CLEAR = 0x0303, WM_UNDO = 0x0304;
constexpr TMsgNum WM_USER = 0x0400;

// Edit-control messages.
constexpr TMsgNum EM_GETSEL = 0x00B0, EM_SETSEL = 0x00B1, EM_GETRECT = 0x00B2, EM_SETRECT = 0x00B3;
constexpr TMsgNum EM_SETRECTNP = 0x00B4, EM_SCROLL = 0x00B5, EM_LINESCROLL = 0x00B6, EM_SCROLLCARET = 0x00B7;
constexpr TMsgNum EM_GETMODIFY = 0x00B8, EM_SETMODIFY = 0x00B9, EM_GETLINECOUNT = 0x00BA, EM_LINEINDEX = 0x00BB;
constexpr TMsgNum EM_SETHANDLE = 0x00BC, EM_GETHANDLE = 0x00BD, EM_GETTHUMB = 0x00BE, EM_LINELENGTH = 0x00C1;
constexpr TMsgNum EM_REPLACESEL = 0x00C2, EM_GETLINE = 0x00C4, EM_LIMITTEXT = 0x00C5, EM_CANUNDO = 0x00C6;
constexpr TMsgNum EM_UNDO = 0x00C7, EM_FMTLINES = 0x00C8, EM_LINEFROMCHAR = 0x00C9, EM_SETTABSTOPS = 0x00CB;
constexpr TMsgNum EM_SETPASSWORDCHAR = 0x00CC, EM_EMPTYUNDOBUFFER = 0x00CD, EM_GETFIRSTVISIBLELINE = 0x00CE;
constexpr TMsgNum EM_SETREADONLY = 0x00CF, EM_SETWORDBREAKPROC = 0x00D0, EM_GETWORDBREAKPROC = 0x00D1;
constexpr TMsgNum EM_GETPASSWORDCHAR = 0x00D2, EM_SETMARGINS = 0x00D3, EM_GETMARGINS = 0x00D4;
constexpr TMsgNum EM_GETLIMITTEXT = 0x00D5, EM_POSFROMCHAR = 0x00D6, EM_CHARFROMPOS = 0x00D7;
constexpr TMsgNum EM_EXGETSEL = WM_USER + 52, EM_EXSETSEL = WM_USER + 55, EM_GETTEXTRANGE = WM_USER + 75;
constexpr TMsgNum EM_CANREDO = WM_USER + 85, EM_REDO = WM_USER + 84;

// Rich-edit message the editor answers too.
constexpr TMsgNum EM_CANPASTE = WM_USER + 50;

// Component notifications of the toolkit: the control's colour or font property changed.
constexpr TMsgNum CM_BASE = 0xB000;
constexpr TMsgNum CM_COLORCHANGED = CM_BASE + 13, CM_FONTCHANGED = CM_BASE + 14;

// The editor control's own messages. In wParam of the get/set messages bit 0 selects set (1) or
// get (0), and bit 1 suppresses scrolling, painting and change reporting after a set.
constexpr TMsgNum SMM_FIRST = 0x0C00;
constexpr WPARAM smmSet = 0x01, smmNoRedraw = 0x02;
constexpr TMsgNum SMM_SELECTION = 0x0C00;      // lParam: TSelectionEnds*
constexpr TMsgNum SMM_OPTIONS = 0x0C01;        // lParam: the option word
constexpr TMsgNum SMM_REPLACESEL = 0x0C02;     // lParam: NUL-terminated text, or 0 to delete
constexpr TMsgNum SMM_LOCKPAINT = 0x0C05;      // lParam: nonzero = lock
constexpr TMsgNum SMM_INSERTSTREAM = 0x0C06;   // lParam: TStream*, read from its position to its end
constexpr TMsgNum SMM_WRITESEL = 0x0C07;       // wParam: smfPlain...; lParam: TStream*
constexpr TMsgNum SMM_MODIFIED = 0x0C08;       // lParam: value
constexpr TMsgNum SMM_TOPROW = 0x0C09;         // lParam: row index
constexpr TMsgNum SMM_LEFTCOLUMN = 0x0C0A;     // lParam: display column
constexpr TMsgNum SMM_FIND = 0x0C0B;           // wParam: search flags; lParam: TFindRequest* (editor/EditorSearch.h)
constexpr TMsgNum SMM_REPLACEDIALOG = 0x0C0C;  // wParam: search flags
constexpr TMsgNum SMM_GETSELTEXT = 0x0C0D;     // wParam: smfPlain...; lParam: TTextBuffer* or 0
constexpr TMsgNum SMM_CANREDO = 0x0C0E;
constexpr TMsgNum SMM_REDO = 0x0C0F;
constexpr TMsgNum SMM_INDENT = 0x0C10;         // wParam: count (0 = IndentStep); lParam bit 0: TABs allowed
constexpr TMsgNum SMM_UNINDENT = 0x0C11;       // wParam: count (0 = IndentStep)
constexpr TMsgNum SMM_APPLYSETTINGS = 0x0C12;
constexpr TMsgNum SMM_SETSTYLES = 0x0C13;      // wParam: TRowRange* or 0 (all rows); lParam: TByteBuffer*
constexpr TMsgNum SMM_GETSTYLES = 0x0C14;      // as SMM_SETSTYLES
constexpr TMsgNum SMM_UNDOSTACK = 0x0C15;      // lParam: std::shared_ptr<TUndoStack>* (read or written)
constexpr TMsgNum SMM_TEXTSTORE = 0x0C18;      // wParam 0 get, 1 attach; lParam: std::shared_ptr<TTextStore>*
constexpr TMsgNum SMM_RESCANFROM = 0x0C21;     // lParam: row index
constexpr TMsgNum SMM_VERSION = 0x0C40;        // result: const char* "<TInkMemo>:3.00.39"
// Messages of this editor beyond the classic set, from 0x0C80.
constexpr TMsgNum SMM_ENCODING = 0x0C80;       // bits 0, 1; lParam: TTextEncoding
constexpr TMsgNum SMM_REPLACETEXT = 0x0C81;    // bit 1 as SMM_REPLACESEL; lParam: const TTextSpan*
constexpr TMsgNum SMM_LOADSTREAM = 0x0C82;     // lParam: TStream*; replaces the whole text
constexpr TMsgNum SMM_SAVESTREAM = 0x0C83;     // lParam: TStream*; writes the whole text in SaveFormat
constexpr TMsgNum SMM_EXECUTEACTION = 0x0C84;  // wParam: action code; lParam bit 0: extend the selection
constexpr TMsgNum SMM_CLEAR = 0x0C85;          // deletes all text and the undo history
constexpr TMsgNum SMM_PARSER = 0x0C86;         // wParam: slot 1..6 (bit 8: set); lParam: parser*
constexpr TMsgNum SMM_ACTIVEPARSER = 0x0C87;   // bits 0, 1; lParam: slot 1..6
constexpr TMsgNum SMM_SEARCHSTEP = 0x0C88;     // lParam: TSearchStep* (editor/EditorSearch.h)
constexpr TMsgNum SMM_PRINT = 0x0C98;          // wParam: 0 the rows of the selection, 1 the whole text
// Drag and drop onto the editor, from 0x0CA0; lParam: TDropRequest* (editor/DropData.h), whose
// Effect the editor sets.
constexpr TMsgNum SMM_DRAGENTER = 0x0CA0;
constexpr TMsgNum SMM_DRAGOVER = 0x0CA1;
constexpr TMsgNum SMM_DRAGLEAVE = 0x0CA2;
constexpr TMsgNum SMM_DROP = 0x0CA3;
// Annotations (bookmarks, marks, breakpoints), from 0x0CC0.
constexpr TMsgNum SMM_ANNOTATE = 0x0CC0;       // wParam: TAnnotationOp; lParam: TAnnotationRequest* (editor/Annotations.h)

// Formats of SMM_WRITESEL and SMM_GETSELTEXT.
constexpr WPARAM smfPlainCR = 0, smfPlainCRLF = 1, smfRTF = 2, smfHTML = 4, smfPlainLF = 8;

// Parameter records of the pointer-carrying messages.
struct TSelectionEnds {
  int32_t Anchor = 0;
  int32_t Caret = 0;
  bool operator==(const TSelectionEnds&) const = default;
};
// Bytes handed in, with their count (no NUL needed).
struct TTextSpan {
  const char* Data = nullptr;
  int32_t Length = 0;
};
// A caller's buffer: at most Size bytes are written, the last one a NUL.
struct TTextBuffer {
  char* Data = nullptr;
  int32_t Size = 0;
};
struct TByteBuffer {
  uint8_t* Data = nullptr;
  int32_t Size = 0;
};
struct TRowRange {
  int32_t First = 0;
  int32_t Last = 0;
};

// Packing of message parameters, as the window system packs them.
constexpr LPARAM MAKELPARAM(int32_t low, int32_t high) {
  return static_cast<LPARAM>(static_cast<uint32_t>(static_cast<uint16_t>(low)) |
                             static_cast<uint32_t>(static_cast<uint16_t>(high)) << 16);
}
constexpr uint16_t LOWORD(uintptr_t v) { return static_cast<uint16_t>(v & 0xFFFF); }
constexpr uint16_t HIWORD(uintptr_t v) { return static_cast<uint16_t>((v >> 16) & 0xFFFF); }
// Signed client coordinates of a mouse message.
constexpr int32_t GET_X_LPARAM(LPARAM l) { return static_cast<int16_t>(LOWORD(static_cast<uintptr_t>(l))); }
constexpr int32_t GET_Y_LPARAM(LPARAM l) { return static_cast<int16_t>(HIWORD(static_cast<uintptr_t>(l))); }

// Mouse-message key flags (wParam of WM_*BUTTON* and WM_MOUSEMOVE, low word of WM_MOUSEWHEEL).
constexpr WPARAM MK_LBUTTON = 0x0001, MK_RBUTTON = 0x0002, MK_SHIFT = 0x0004, MK_CONTROL = 0x0008;
constexpr WPARAM MK_MBUTTON = 0x0010;
// One notch of the mouse wheel (high word of WM_MOUSEWHEEL's wParam, signed).
constexpr int32_t WHEEL_DELTA = 120;

// Scroll-bar codes (low word of WM_HSCROLL / WM_VSCROLL; the thumb position is the high word).
constexpr uint16_t SB_LINEUP = 0, SB_LINEDOWN = 1, SB_PAGEUP = 2, SB_PAGEDOWN = 3, SB_THUMBPOSITION = 4;
constexpr uint16_t SB_THUMBTRACK = 5, SB_TOP = 6, SB_BOTTOM = 7, SB_ENDSCROLL = 8;
constexpr uint16_t SB_LINELEFT = SB_LINEUP, SB_LINERIGHT = SB_LINEDOWN, SB_PAGELEFT = SB_PAGEUP;
constexpr uint16_t SB_PAGERIGHT = SB_PAGEDOWN, SB_LEFT = SB_TOP, SB_RIGHT = SB_BOTTOM;

// WM_SIZE: lParam = MAKELPARAM(client width, client height).
// WM_KEYDOWN / WM_KEYUP: wParam = virtual-key code; the modifiers are read with KeyDown().
// WM_CHAR: wParam = the typed character as a Unicode code point; the control turns it into the
//   bytes of its document's encoding.
// WM_DROPFILES: lParam points to a TFileDrop (editor/DropData.h).
// WM_PAINT: lParam points to a TPaintRequest; the control draws every pixel of Rect on Canvas.
class TCanvas;
struct TPaintRequest {
  TCanvas* Canvas = nullptr;
  TRect Rect;
};

}  // namespace ql
