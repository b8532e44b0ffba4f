#pragma once
// The code-template table: named templates that expand on the hotkey (Ctrl+J by default), and
// its stream form, which the settings object and the registry carry.
#include <string>

#include "services/MacroKeywords.h"

namespace ql {

class TCodeTemplates : public TMacroKeywords {
public:
  const char* ClassName() const override { return "TCodeTemplates"; }

  // Adds the template, replacing one of the same name (compared without regard to case).
  void AddTemplate(const std::string& name, const std::string& description, const std::string& expansion);
  // Removes the template of that name (without regard to case); nothing when there is none.
  void RemoveEntry(const std::string& name);
  // True, with its expansion, when a template of exactly that name (without regard to case)
  // exists.
  bool LookupTemplate(const std::string& name, std::string& expansion) const;
  // Empties the table.
  virtual void Reset() { Clear(); }

  // Copies another TCodeTemplates (an auto-replace table included) through its stream form;
  // raises Exception "Cannot assign %s to %s" for any other class.
  void Assign(const TObject& source) override;

  // Stream form (integers 32-bit little-endian): integer n; n times the name as a short name
  // (length byte + characters), the description as a short name and the expansion as an
  // integer length and characters; the hotkey as a string in shortcut text ("Ctrl+J"); an
  // integer 0 or 1 for MacroEnabled. Raises EWriteError for a name over 255 characters.
  void SaveToStream(TStream& stream) const override;
  // Reads the stream form: the entries (added case-insensitive) replace this table's only when
  // the whole form was read and is consistent; otherwise EReadError (also for a duplicate name
  // or a hotkey text that names no key) and the table is as it was.
  void LoadFromStream(TStream& stream) override;

protected:
  // The template part of the stream form, read without changing the table.
  struct TTemplateForm {
    std::vector<TLoadedEntry> Entries;
    ShortCutCode HotKey = 0;
    bool MacroEnabled = true;
  };
  static TTemplateForm ReadTemplateForm(TStream& stream);
  // Puts a form read by ReadTemplateForm in place; raises EReadError when its entries clash.
  void CommitTemplateForm(const TTemplateForm& form);
};

}  // namespace ql
