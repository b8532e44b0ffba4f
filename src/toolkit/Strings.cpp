#include "toolkit/Strings.h"

#include "toolkit/Exception.h"
#include "toolkit/FileStream.h"
#include "toolkit/MemoryStream.h"

namespace ql {

void TStrings::Put(int32_t index, const std::string& s) {
  TObject* object = GetObject(index);
  Delete(index);
  Insert(index, s);
  PutObject(index, object);
}

TObject* TStrings::GetObject(int32_t) const { return nullptr; }
void TStrings::PutObject(int32_t, TObject*) {}

int32_t TStrings::Add(const std::string& s) {
  const int32_t index = Count();
  Insert(index, s);
  return index;
}

int32_t TStrings::AddObject(const std::string& s, TObject* object) {
  const int32_t index = Add(s);
  PutObject(index, object);
  return index;
}

int32_t TStrings::IndexOf(const std::string& s) const {
  for (int32_t i = 0; i < Count(); ++i)
    if (Get(i) == s) return i;
  return -1;
}

int32_t TStrings::IndexOfObject(const TObject* object) const {
  for (int32_t i = 0; i < Count(); ++i)
    if (GetObject(i) == object) return i;
  return -1;
}

void TStrings::Assign(const TStrings& source) {
  if (&source == this) return;
  BeginUpdate();
  try {
    Clear();
    AddStrings(source);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TStrings::AddStrings(const TStrings& list) {
  for (int32_t i = 0; i < list.Count(); ++i) AddObject(list.Get(i), list.GetObject(i));
}

void TStrings::BeginUpdate() {
  if (updateCount_++ == 0) SetUpdateState(true);
}

void TStrings::EndUpdate() {
  if (updateCount_ > 0 && --updateCount_ == 0) SetUpdateState(false);
}

std::string TStrings::GetTextStr() const {
  std::string out;
  for (int32_t i = 0; i < Count(); ++i) {
    out += Get(i);
    out += "\r\n";
  }
  return out;
}

void TStrings::SetTextStr(const std::string& text) {
  BeginUpdate();
  Clear();
  size_t i = 0;
  while (i < text.size()) {
    size_t j = i;
    while (j < text.size() && text[j] != '\r' && text[j] != '\n') ++j;
    Add(text.substr(i, j - i));
    if (j < text.size() && text[j] == '\r') ++j;
    if (j < text.size() && text[j] == '\n') ++j;
    i = j;
  }
  EndUpdate();
}

void TStrings::LoadFromStream(TStream& stream) {
  const int64_t size = stream.Size() - stream.Position();
  std::string text(static_cast<size_t>(size > 0 ? size : 0), '\0');
  stream.ReadBuffer(text.data(), static_cast<int32_t>(text.size()));
  SetTextStr(text);
}

void TStrings::SaveToStream(TStream& stream) const {
  const std::string text = GetTextStr();
  stream.WriteBuffer(text.data(), static_cast<int32_t>(text.size()));
}

void TStrings::LoadFromFile(const std::string& fileName) {
  TFileStream stream(fileName, fmOpenRead);
  LoadFromStream(stream);
}

void TStrings::SaveToFile(const std::string& fileName) const {
  TFileStream stream(fileName, fmCreate);
  SaveToStream(stream);
}

TStringList::TStringList(std::initializer_list<std::string> items) {
  for (const auto& s : items) Add(s);
}

void TStringList::Check(int32_t index) const {
  if (index < 0 || index >= Count()) throw EListError(Format("List index out of bounds (%d)", index));
}

std::string TStringList::Get(int32_t index) const {
  Check(index);
  return items_[static_cast<size_t>(index)].text;
}

const std::string& TStringList::operator[](int32_t index) const {
  Check(index);
  return items_[static_cast<size_t>(index)].text;
}

void TStringList::Put(int32_t index, const std::string& s) {
  Check(index);
  items_[static_cast<size_t>(index)].text = s;
}

TObject* TStringList::GetObject(int32_t index) const {
  Check(index);
  return items_[static_cast<size_t>(index)].object;
}

void TStringList::PutObject(int32_t index, TObject* object) {
  Check(index);
  items_[static_cast<size_t>(index)].object = object;
}

void TStringList::Insert(int32_t index, const std::string& s) {
  if (index < 0 || index > Count()) throw EListError(Format("List index out of bounds (%d)", index));
  items_.insert(items_.begin() + index, Item{s, nullptr});
}

void TStringList::Delete(int32_t index) {
  Check(index);
  items_.erase(items_.begin() + index);
}

}  // namespace ql
