#include "textmodel/TextControl.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <exception>

#include "textmodel/CaretControl.h"
#include "textmodel/InkMemoErrors.h"
#include "textmodel/InkMemoStrings.h"
#include "toolkit/FileStream.h"
#include "toolkit/MemoryStream.h"

namespace ql {
namespace {

constexpr int32_t LoadBlock = 8192;

// Restores a control's selection and screen updates however a save ends.
class TSaveScope {
public:
  explicit TSaveScope(TTextControl& control)
      : control_(control), anchor_(control.SelAnchor()), caret_(control.SelCaret()) {
    control_.SetRedraw(false);
    control_.SetSelection(0, control_.Store().TextLength);
  }
  ~TSaveScope() {
    control_.SetSelection(anchor_, caret_);
    control_.SetRedraw(true);
  }
  TSaveScope(const TSaveScope&) = delete;
  TSaveScope& operator=(const TSaveScope&) = delete;

private:
  TTextControl& control_;
  int32_t anchor_;
  int32_t caret_;
};

// The file a save must replace: the target of a symbolic link, so the link stays a link.
std::string ResolveSaveTarget(const std::string& fileName) {
  char resolved[PATH_MAX];
  if (::realpath(fileName.c_str(), resolved) != nullptr) return resolved;
  return fileName;
}

std::string DirectoryOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

}  // namespace

TTextControl::TTextControl()
    : store_(std::make_shared<TTextStore>(this)), lines_(std::make_unique<TInkMemoStrings>(*this)),
      caretControl_(std::make_unique<TSM_CaretControl>(*this)) {}

TTextControl::~TTextControl() {
  // A store that outlives this control (shared with another) must not report to it any more.
  if (&store_->Host() == this) store_->SetHost(nullptr);
}

void TTextControl::UseStore(std::shared_ptr<TTextStore> store) {
  if (!store || store == store_) return;
  if (&store_->Host() == this) store_->SetHost(nullptr);
  store_ = std::move(store);
  store_->SetHost(this);
  SetSelectionEnds(selAnchor_, selCaret_);
}

void TTextControl::SetSelectionEnds(int32_t anchor, int32_t caret) {
  selAnchor_ = std::clamp(anchor, 0, store_->TextLength);
  selCaret_ = std::clamp(caret, 0, store_->TextLength);
}

void TTextControl::SetSelection(int32_t anchor, int32_t caret) { SetSelectionEnds(anchor, caret); }

void TTextControl::ReplaceSelection(const char* text, int32_t len) {
  const int32_t start = std::min(selAnchor_, selCaret_);
  const int32_t end = std::max(selAnchor_, selCaret_);
  const bool changes = end > start || len > 0;
  store_->DeleteText(start, end);
  const int32_t inserted = store_->InsertText(start, text, len);
  SetSelectionEnds(start + inserted, start + inserted);
  if (changes && !loading_) ++undoRecords_;
}

void TTextControl::ExportText(TSaveFormat, TStream& stream) {
  store_->WritePlainText(0, store_->TextLength, TLineBreakForm::CRLF, stream);
}

void TTextControl::TextEmptied() {
  selAnchor_ = 0;
  selCaret_ = 0;
}

TLineBreakForm TTextControl::TextForm() const {
  return store_->LineStyle == lsCRLF ? TLineBreakForm::CRLF : TLineBreakForm::CR;
}

// --- Load and save ---

void TTextControl::EndLoadState() noexcept {
  store_->EndBulkAppend();
  SetSelectionEnds(0, 0);
  beyondEOL_ = false;
  loading_ = false;
}

void TTextControl::LoadFromStream(TStream& stream) {
  loading_ = true;
  ClearUndo();
  const bool bracket = Repainting();
  if (bracket) lines_->BeginUpdate();
  TEncodingDetector detector;
  try {
    SetSelection(0, store_->TextLength);
    DetachParser();
    store_->BeginBulkAppend();
    ReadBlocks(stream, detector);
  } catch (...) {
    // The text loaded so far stays and the load still ends; the caller hears of the read failure.
    EndLoad(bracket, detector);
    throw;
  }
  if (const std::exception_ptr failure = EndLoad(bracket, detector)) std::rethrow_exception(failure);
}

void TTextControl::ReadBlocks(TStream& stream, TEncodingDetector& detector) {
  int64_t size = stream.Size() - stream.Position();
  if (size <= 0) {
    ReplaceSelection(nullptr, 0);
    return;
  }
  std::string block(LoadBlock, '\0');
  while (size > 0) {
    int32_t n = static_cast<int32_t>(std::min<int64_t>(size, LoadBlock));
    stream.ReadBuffer(block.data(), n);
    if (n == LoadBlock && block[LoadBlock - 1] == '\r') {
      // The CR starts the next block, together with the LF that may follow it.
      n = LoadBlock - 1;
      stream.Seek(-1, soFromCurrent);
    }
    detector.Feed(block.data(), static_cast<size_t>(n));
    ReplaceSelection(block.data(), n);
    size -= n;
  }
}

std::exception_ptr TTextControl::EndLoad(bool bracket, const TEncodingDetector& detector) {
  EndLoadState();
  encoding_ = detector.Result();
  // The control's hooks (re-highlighting, layout, repainting) may fail; every one still runs,
  // so that the control never stays half-way out of a load.
  std::exception_ptr failure;
  const auto step = [&failure](auto&& action) {
    try {
      action();
    } catch (...) {
      if (!failure) failure = std::current_exception();
    }
  };
  step([this] { WholeTextChanged(); });
  step([this] { ReattachParser(); });
  step([this] { EnsureCaretVisible(); });
  if (bracket) step([this] { lines_->EndUpdate(); });
  step([this] { ClearUndo(); });
  return failure;
}

void TTextControl::SaveToStream(TStream* stream) {
  if (stream == nullptr) throw EFileSaveError("Bad TStream instance");
  const int64_t p0 = stream->Position();
  ClearUndo();
  {
    TSaveScope scope(*this);
    switch (SaveFormat) {
      case sfTEXT: store_->WritePlainText(0, store_->TextLength, TextForm(), *stream); break;
      case sfUNIX: store_->WritePlainText(0, store_->TextLength, TLineBreakForm::LF, *stream); break;
      case sfRTF:
      case sfHTML: ExportText(SaveFormat, *stream); break;
    }
  }
  ClearUndo();
  if (store_->TextLength > 0 && stream->Position() - p0 < store_->TextLength) {
    throw EFileSaveError("Could not save text to stream");
  }
}

void TTextControl::LoadFromFile(const std::string& fileName) {
  if (!FileExists(fileName)) {
    throw EFOpenError(Format("File '%s' cannot be opened for reading", fileName.c_str()));
  }
  TFileStream stream(fileName, fmOpenRead);
  LoadFromStream(stream);
  ClearUndo();
  if (TitleAsFilename()) FileName = fileName;
}

void TTextControl::SaveToFile(const std::string& fileName) {
  const std::string target = ResolveSaveTarget(fileName);
  std::string temp = DirectoryOf(target) + "/.quillon-save-XXXXXX";
  const int fd = ::mkstemp(temp.data());
  if (fd < 0) {
    throw EFCreateError(Format("Cannot create file \"%s\". %s", fileName.c_str(), std::strerror(errno)));
  }
  ::close(fd);
  try {
    // The new file keeps the permissions of the one it replaces; a new one gets the usual ones.
    struct stat st {};
    if (::stat(target.c_str(), &st) == 0) {
      ::chmod(temp.c_str(), st.st_mode & 07777);
    } else {
      const mode_t mask = ::umask(0);
      ::umask(mask);
      ::chmod(temp.c_str(), 0666 & ~mask);
    }
    {
      TFileStream stream(temp, fmOpenReadWrite);
      SaveToStream(&stream);
      stream.Flush();
      stream.Close();
    }
    if (::rename(temp.c_str(), target.c_str()) != 0) {
      throw EFileSaveError(Format("Could not save text to stream: %s", std::strerror(errno)));
    }
  } catch (const EFileSaveError&) {
    ::unlink(temp.c_str());
    throw;
  } catch (const Exception& e) {
    ::unlink(temp.c_str());
    throw EFileSaveError(Format("Could not save text to stream: %s", e.Message.c_str()));
  }
  ClearUndo();
  if (TitleAsFilename()) FileName = fileName;
}

// --- Text and state ---

std::string TTextControl::GetText() {
  TMemoryStream stream;
  store_->WritePlainText(0, store_->TextLength, TextForm(), stream);
  return stream.Bytes();
}

int32_t TTextControl::GetTextLength() { return store_->PlainTextLength(0, store_->TextLength, TextForm()); }

void TTextControl::SetText(const std::string& text) {
  TMemoryView stream(text);
  LoadFromStream(stream);
}

void TTextControl::SetModified(bool modified) {
  if (!modified) ClearUndo();
}

void TTextControl::Clear() {
  SetSelection(0, store_->TextLength);
  ReplaceSelection(nullptr, 0);
  ClearUndo();
  encoding_ = TTextEncoding::Utf8;
}

int32_t TTextControl::ColumnOfChar(const TTextRow& row, int32_t index) const {
  return DisplayColumn(row.All(), index, encoding_, *this);
}

}  // namespace ql
