#pragma once
// String lists: TStrings is the abstract list of strings with attached objects that controls
// implement over their own storage; TStringList keeps them in memory.
#include <cstdint>
#include <string>
#include <vector>

#include "toolkit/Object.h"

namespace ql {

class TStream;

class TStrings : public TObject {
public:
  const char* ClassName() const override { return "TStrings"; }

  virtual int32_t Count() const = 0;
  virtual std::string Get(int32_t index) const = 0;
  virtual void Put(int32_t index, const std::string& s);
  virtual TObject* GetObject(int32_t index) const;
  virtual void PutObject(int32_t index, TObject* object);
  virtual void Insert(int32_t index, const std::string& s) = 0;
  virtual void Delete(int32_t index) = 0;
  virtual void Clear() = 0;

  int32_t Add(const std::string& s);
  int32_t AddObject(const std::string& s, TObject* object);
  virtual int32_t IndexOf(const std::string& s) const;
  int32_t IndexOfObject(const TObject* object) const;

  // Replaces the contents by those of source (ends in AddStrings).
  virtual void Assign(const TStrings& source);
  // Appends every string and object of list.
  virtual void AddStrings(const TStrings& list);

  // Nested update bracket; SetUpdateState runs on the outermost begin and end.
  void BeginUpdate();
  void EndUpdate();

  // The whole list as text, each string followed by CR LF; setting splits at CR, LF or CR LF.
  virtual std::string GetTextStr() const;
  virtual void SetTextStr(const std::string& text);

  virtual void LoadFromStream(TStream& stream);
  virtual void SaveToStream(TStream& stream) const;
  virtual void LoadFromFile(const std::string& fileName);
  virtual void SaveToFile(const std::string& fileName) const;

protected:
  virtual void SetUpdateState(bool /*updating*/) {}
  int32_t UpdateCount() const { return updateCount_; }

private:
  int32_t updateCount_ = 0;
};

class TStringList : public TStrings {
public:
  TStringList() = default;
  TStringList(std::initializer_list<std::string> items);
  const char* ClassName() const override { return "TStringList"; }

  int32_t Count() const override { return static_cast<int32_t>(items_.size()); }
  std::string Get(int32_t index) const override;
  void Put(int32_t index, const std::string& s) override;
  TObject* GetObject(int32_t index) const override;
  void PutObject(int32_t index, TObject* object) override;
  void Insert(int32_t index, const std::string& s) override;
  void Delete(int32_t index) override;
  void Clear() override { items_.clear(); }

  const std::string& operator[](int32_t index) const;

private:
  struct Item {
    std::string text;
    TObject* object = nullptr;  // not owned
  };
  void Check(int32_t index) const;
  std::vector<Item> items_;
};

}  // namespace ql
