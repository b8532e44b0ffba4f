#pragma once
// The control's Lines: a string list whose entries are the rows of its text. Changes go
// through the control as ordinary, undoable edits.
#include "toolkit/Strings.h"

namespace ql {

class TTextControl;

class TCustomInkMemoStrings : public TStrings {
public:
  const char* ClassName() const override { return "TCustomInkMemoStrings"; }
};

class TInkMemoStrings : public TCustomInkMemoStrings {
public:
  explicit TInkMemoStrings(TTextControl& control) : control_(control) {}
  const char* ClassName() const override { return "TInkMemoStrings"; }

  // Indexes are not checked: one at or past Count addresses the end of the text.
  int32_t Count() const override;
  std::string Get(int32_t index) const override;
  void Put(int32_t index, const std::string& s) override;
  void Insert(int32_t index, const std::string& s) override;
  void Delete(int32_t index) override;
  void Clear() override;
  // The given strings replace the whole text; they are not appended.
  void AddStrings(const TStrings& list) override;
  std::string GetTextStr() const override;
  void SetTextStr(const std::string& text) override;
  void LoadFromStream(TStream& stream) override;
  void SaveToStream(TStream& stream) const override;
  void LoadFromFile(const std::string& fileName) override;
  void SaveToFile(const std::string& fileName) const override;

protected:
  void SetUpdateState(bool updating) override;

private:
  TTextControl& control_;
};

}  // namespace ql
