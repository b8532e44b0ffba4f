// Drives the editor engine with a message sequence taken from the input: typed characters (any
// code point), keys with modifiers, clicks, drags, the wheel, scroll bars, pastes of arbitrary
// bytes, loads of arbitrary bytes, encoding switches, undo and redo, and paints. After every
// message the selection lies in the text and the rows add up to the text length; at the end,
// undoing everything recorded since the last load gives back the text of that load.
// A crash, a sanitizer report, a hang or a broken invariant is a fault; EInkMemo from undo
// ("the text no longer matches") would be one too, since nothing else touches the text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "editor/InkMemo.h"
#include "toolkit/RecordingCanvas.h"
#include "toolkit/VirtualKeys.h"

namespace {

using namespace ql;

class TFuzzHost : public THostWindow {
public:
  bool HasFocus() const override { return true; }
  bool KeyDown(uint16_t vk) const override { return (vk == VK_SHIFT && Shift) || (vk == VK_CONTROL && Ctrl); }
  uint32_t TickCount() const override { return Ticks; }
  bool Shift = false;
  bool Ctrl = false;
  uint32_t Ticks = 0;
};

class TReader {
public:
  TReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  bool More() const { return pos_ < size_; }
  uint8_t Byte() { return pos_ < size_ ? data_[pos_++] : 0; }
  std::string Bytes(size_t n) {
    n = std::min(n, size_ - pos_);
    std::string s(reinterpret_cast<const char*>(data_ + pos_), n);
    pos_ += n;
    return s;
  }

private:
  const uint8_t* data_;
  size_t size_;
  size_t pos_ = 0;
};

void Check(bool ok) {
  if (!ok) std::abort();
}

void CheckInvariants(TInkMemo& memo) {
  const TTextStore& store = memo.Store();
  Check(memo.SelAnchor() >= 0 && memo.SelAnchor() <= store.TextLength);
  Check(memo.SelCaret() >= 0 && memo.SelCaret() <= store.TextLength);
  int64_t total = 0;
  int32_t rows = 0;
  for (const TTextRow* row = store.FirstRow; row != nullptr; row = row->Next) {
    Check(row->Length >= 1 && row->Length <= MaxRowLength);
    total += row->Length;
    ++rows;
  }
  Check(total == store.TextLength && rows == store.RowCount);
}

const uint16_t Keys[] = {VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN, VK_HOME, VK_END, VK_PRIOR, VK_NEXT,
                         VK_BACK, VK_DELETE, VK_INSERT, VK_RETURN, VK_TAB, 'Z', 'Y', 'X', 'C', 'V'};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TReader in(data, size);
  TFuzzHost host;
  TInkMemo memo(&host);
  TRecordingCanvas canvas(memo.Settings().FontFactory());
  memo.Perform(WM_SIZE, 0, MAKELPARAM(400, 200));
  std::string loaded;
  while (in.More()) {
    const uint8_t op = in.Byte();
    const uint8_t arg = in.Byte();
    switch (op % 13) {
      case 0:
      case 1: {
        char32_t code = arg;
        if (op & 0x80) code = static_cast<char32_t>(arg) << 8 | in.Byte();
        if (op & 0x40) code |= static_cast<char32_t>(in.Byte() & 0x1F) << 16;
        memo.Perform(WM_CHAR, code);
        break;
      }
      case 2:
        host.Shift = (op & 0x10) != 0;
        host.Ctrl = (op & 0x20) != 0;
        memo.Perform(WM_KEYDOWN, Keys[arg % (sizeof Keys / sizeof Keys[0])]);
        memo.Perform(WM_KEYUP, 0);
        host.Shift = host.Ctrl = false;
        break;
      case 3: {
        host.Ticks += (op & 0x10) ? 10 : 1000;
        const LPARAM at = MAKELPARAM(arg * 2 - 20, in.Byte() - 20);
        memo.Perform(WM_LBUTTONDOWN, MK_LBUTTON | ((op & 0x20) ? MK_SHIFT : 0), at);
        if (op & 0x40) memo.Perform(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(in.Byte() * 2 - 20, in.Byte() * 2 - 60));
        if (op & 0x80) memo.Perform(WM_TIMER, tmAutoScroll);
        memo.Perform(WM_LBUTTONUP, 0, at);
        break;
      }
      case 4: memo.Perform(WM_MOUSEWHEEL, static_cast<WPARAM>(static_cast<uint16_t>(static_cast<int8_t>(arg) * 40)) << 16); break;
      case 5: memo.Perform(op & 0x10 ? WM_HSCROLL : WM_VSCROLL, MAKELPARAM(arg % 9, in.Byte())); break;
      case 6:
        host.Clipboard().SetText(in.Bytes(arg % 64));
        memo.Perform(WM_PASTE);
        break;
      case 7:
        if (op & 0x10) {
          loaded = in.Bytes(arg);
          memo.SetText(loaded);
          loaded = memo.Store().GetRange(0, memo.Store().TextLength);
        } else {
          memo.Perform(EM_SETSEL, arg, static_cast<LPARAM>(in.Byte()) - 10);
        }
        break;
      case 8: memo.SetDisplayEncoding(op & 0x10 ? TTextEncoding::Cp1252 : TTextEncoding::Utf8); break;
      case 9: memo.Perform(arg & 1 ? SMM_REDO : EM_UNDO); break;
      case 10: {
        TPaintRequest request{&canvas, {0, 0, 400, 200}};
        canvas.Clear();
        memo.Perform(WM_PAINT, 0, reinterpret_cast<LPARAM>(&request));
        break;
      }
      case 11: memo.ExecuteAction(arg % 48, (op & 0x10) != 0); break;
      default: {
        TInkMemoOptions options = memo.GetOptions();
        const auto option = static_cast<TInkMemoOption>(arg % InkMemoOptionCount);
        if (option == smoWordWrap) break;  // wrapping comes later
        if (options.Contains(option)) {
          options.Exclude(option);
        } else {
          options.Include(option);
        }
        memo.SetOptions(options);
        break;
      }
    }
    CheckInvariants(memo);
  }
  while (memo.CanUndo()) memo.Undo();
  Check(memo.Store().GetRange(0, memo.Store().TextLength) == loaded);
  return 0;
}
