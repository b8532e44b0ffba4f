// The clipboard and the highlighted forms of the text: Copy and Cut in the forms ClipCopyFormats
// names, Paste of text or HTML-only data, and the HTML and RTF writers over a range of the text
// (a saved document, SMM_WRITESEL, the rich-text copy).
#include <utility>

#include "editor/CustomInkMemo.h"
#include "services/ExportInput.h"
#include "services/HtmlExport.h"
#include "services/HtmlFragment.h"
#include "services/RtfExport.h"
#include "toolkit/MemoryStream.h"
#include "toolkit/ShortDate.h"

namespace ql {

void TCustomInkMemo::ExportRange(TSaveFormat format, int32_t start, int32_t end, TStream& stream) {
  // Only the pending re-highlighting runs: the rows written then have their values, and a copy
  // from a long text costs what it writes, not what the text holds.
  RunRescan();
  TExportInput input = WholeTextExport(Store(), *settings_);
  input.Start = start;
  input.End = end;
  input.Encoding = DisplayEncoding();
  input.FileName = FileName;
  if (format == sfHTML) {
    input.Date = TodayShortDate();
    ExportHTML(input, stream);
  } else {
    ExportRTF(input, stream);
  }
}

void TCustomInkMemo::ExportText(TSaveFormat format, TStream& stream) {
  if (format != sfHTML && format != sfRTF) {
    TTextControl::ExportText(format, stream);
    return;
  }
  ExportRange(format, 0, Store().TextLength, stream);
}

void TCustomInkMemo::CopySelection() {
  if (SelAnchor() == SelCaret()) return;
  std::vector<TClipFormat> formats;
  if (ClipCopyFormats.Contains(smTEXT)) formats.push_back({std::string(mimeText), BytesToUtf8(DisplayEncoding(), GetSelText())});
  if (ClipCopyFormats.Contains(smRTF)) {
    TMemoryStream rtf;
    ExportRange(sfRTF, SelAnchor(), SelCaret(), rtf);
    formats.push_back({std::string(mimeRtf), rtf.Bytes()});
    formats.push_back({std::string(mimeRtfApp), rtf.Bytes()});
  }
  host_->Clipboard().SetFormats(formats);
}

void TCustomInkMemo::PasteClipboard() {
  if (readOnly_) return;
  TClipboard& clipboard = host_->Clipboard();
  TSourceTypes types = 0;
  if (clipboard.HasFormat(mimeText)) types |= srcText;
  if (clipboard.HasFormat(mimeHtml)) types |= srcHTML;
  if (types == 0) return;
  types |= srcClipboard;
  if (OnDataDrop) OnDataDrop(*this, types);
  if ((types & srcHandled) != 0) return;
  if ((types & srcText) != 0) {
    // Plain text is never taken apart as HTML, whatever else the clipboard offers; it goes in
    // straight from the clipboard's bytes.
    clipboard.ReadFormat(mimeText, [this](std::string_view text) { Paste(text, ugPaste); });
    return;
  }
  if ((types & srcHTML) == 0) return;
  std::string text = clipboard.GetFormat(mimeHtml);
  CutHtmlFragment(text, types);
  Paste(text, ugPaste);
}

}  // namespace ql
