#include "services/CodeTemplates.h"

#include "toolkit/StreamCopy.h"
#include "toolkit/StreamEncoding.h"

namespace ql {

void TCodeTemplates::AddTemplate(const std::string& name, const std::string& description, const std::string& expansion) {
  DeleteEntry(IndexOf(name));
  AddEntry(name, description, false, expansion);
}

void TCodeTemplates::RemoveEntry(const std::string& name) { DeleteEntry(IndexOf(name)); }

bool TCodeTemplates::LookupTemplate(const std::string& name, std::string& expansion) const {
  const int32_t index = IndexOf(name);
  if (index < 0) return false;
  expansion = Entry(index).Expansion();
  return true;
}

void TCodeTemplates::Assign(const TObject& source) {
  const auto* templates = dynamic_cast<const TCodeTemplates*>(&source);
  if (templates == nullptr) throw Exception(Format("Cannot assign %s to %s", source.ClassName(), ClassName()));
  CopyThroughStream(*templates, *this);
}

void TCodeTemplates::SaveToStream(TStream& stream) const {
  WriteInteger(stream, Count());
  for (int32_t i = 0; i < Count(); ++i) {
    WriteShortName(stream, Name(i));
    WriteShortName(stream, Entry(i).Description());
    WriteString(stream, Entry(i).Expansion());
  }
  WriteString(stream, ShortCutToText(HotKey));
  WriteInteger(stream, MacroEnabled ? 1 : 0);
}

TCodeTemplates::TTemplateForm TCodeTemplates::ReadTemplateForm(TStream& stream) {
  TTemplateForm form;
  // Each entry takes at least a name byte, a description byte and an expansion length.
  const int32_t n = ReadCount(stream, 1 + 1 + 4);
  form.Entries.reserve(static_cast<size_t>(n));
  for (int32_t i = 0; i < n; ++i) {
    TLoadedEntry e;
    e.Name = ReadShortName(stream);
    e.Description = ReadShortName(stream);
    e.Expansion = ReadString(stream);
    form.Entries.push_back(std::move(e));
  }
  const std::string hotKey = ReadString(stream);
  if (!TryTextToShortCut(hotKey, form.HotKey)) throw EReadError(Format("Invalid hotkey '%s'", hotKey.c_str()));
  form.MacroEnabled = ReadInteger(stream) != 0;
  return form;
}

void TCodeTemplates::CommitTemplateForm(const TTemplateForm& form) {
  // A duplicate or overlong name raises EKeywords, as adding the entries one by one would.
  ReplaceEntries(form.Entries);
  HotKey = form.HotKey;
  MacroEnabled = form.MacroEnabled;
}

void TCodeTemplates::LoadFromStream(TStream& stream) { CommitTemplateForm(ReadTemplateForm(stream)); }

}  // namespace ql
