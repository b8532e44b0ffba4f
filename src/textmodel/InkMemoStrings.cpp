#include "textmodel/InkMemoStrings.h"

#include "textmodel/TextControl.h"
#include "toolkit/MemoryStream.h"

namespace ql {
namespace {

constexpr size_t MaxFetched = 4096;

// CR, LF, CR LF and LF CR each become CR LF.
std::string WithCRLF(const std::string& text) {
  std::string out;
  out.reserve(text.size() + text.size() / 16);
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r' || c == '\n') {
      out += "\r\n";
      const char partner = c == '\r' ? '\n' : '\r';
      if (i + 1 < text.size() && text[i + 1] == partner) ++i;
    } else {
      out += c;
    }
  }
  return out;
}

}  // namespace

int32_t TInkMemoStrings::Count() const { return control_.Store().RowCount; }

std::string TInkMemoStrings::Get(int32_t index) const {
  std::string s = control_.Store().RowText(index);
  if (s.size() > MaxFetched) s.resize(MaxFetched);
  return s;
}

void TInkMemoStrings::Put(int32_t index, const std::string& s) {
  TTextStore& store = control_.Store();
  if (index < 0) return;
  const int32_t start = store.RowStart(index);
  const int32_t length = index < store.RowCount ? static_cast<int32_t>(store.RowByIndex(index).Row->Content().size()) : 0;
  control_.SetSelection(start, start + length);
  control_.ReplaceSelection(s);
}

void TInkMemoStrings::Insert(int32_t index, const std::string& s) {
  if (index < 0) return;
  TTextStore& store = control_.Store();
  const int32_t start = store.RowStart(index);
  std::string text = s + "\r";
  // At the end of a text whose last line has no break, the new line starts on a line of its own.
  if (index >= store.RowCount && store.RowCount > 0 && !store.LastRow()->EndsWithCR()) text = "\r" + text;
  control_.SetSelection(start, start);
  control_.ReplaceSelection(text);
}

void TInkMemoStrings::Delete(int32_t index) {
  if (index < 0) return;
  TTextStore& store = control_.Store();
  control_.SetSelection(store.RowStart(index), store.RowStart(index + 1));
  control_.ReplaceSelection(nullptr, 0);
}

void TInkMemoStrings::Clear() { control_.Clear(); }

void TInkMemoStrings::SetUpdateState(bool updating) { control_.SetUpdateState(updating); }

void TInkMemoStrings::AddStrings(const TStrings& list) {
  TMemoryStream stream;
  for (int32_t i = 0; i < list.Count(); ++i) {
    const std::string s = list.Get(i);
    stream.WriteBuffer(s.data(), static_cast<int32_t>(s.size()));
    stream.WriteBuffer("\r\n", 2);
  }
  stream.SetPosition(0);
  control_.LoadFromStream(stream);
}

std::string TInkMemoStrings::GetTextStr() const { return control_.GetText(); }

void TInkMemoStrings::SetTextStr(const std::string& text) {
  const std::string converted = WithCRLF(text);
  if (static_cast<int32_t>(converted.size()) == control_.GetTextLength() && converted == control_.GetText()) return;
  control_.SetText(converted);
  control_.NotifyTextChanged();
}

void TInkMemoStrings::LoadFromStream(TStream& stream) { control_.LoadFromStream(stream); }
void TInkMemoStrings::SaveToStream(TStream& stream) const { control_.SaveToStream(&stream); }
void TInkMemoStrings::LoadFromFile(const std::string& fileName) { control_.LoadFromFile(fileName); }
void TInkMemoStrings::SaveToFile(const std::string& fileName) const { control_.SaveToFile(fileName); }

}  // namespace ql
