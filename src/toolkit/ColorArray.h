#pragma once
// TColorArrayClass: a table of colours, XSize columns by YSize rows, indexed from 1 (the
// palette and the custom colours of the colour button). Its stored form is three properties of
// the owning component: "XSize" and "YSize" (integers) and "Colors" (a list of integers, for x
// from 1 to XSize, for y from 1 to YSize, the colour at (x, y)).
#include <cstdint>
#include <string>
#include <vector>

#include "toolkit/Color.h"
#include "toolkit/Exception.h"
#include "toolkit/Object.h"

namespace ql {

class TStream;

class EColorArrayIndexError : public Exception {
public:
  EColorArrayIndexError() : Exception("Array index out of bounds") {}
};

class TColorArrayClass : public TObject {
public:
  // Sizes beyond MaxSize (or below 0) raise EColorArrayIndexError.
  static constexpr int32_t MaxSize = 1024;

  TColorArrayClass(int32_t xSize, int32_t ySize);
  const char* ClassName() const override { return "TColorArrayClass"; }

  int32_t XSize() const { return xSize_; }
  int32_t YSize() const { return ySize_; }
  // A new size replaces the storage: every colour is then 0 (black).
  void SetXSize(int32_t value);
  void SetYSize(int32_t value);
  // x in 1..XSize, y in 1..YSize; otherwise EColorArrayIndexError.
  TColor Color(int32_t x, int32_t y) const;
  void SetColor(int32_t x, int32_t y, TColor color);

  void Assign(const TColorArrayClass& source);
  // Same sizes and colours (true for the object itself, false against null).
  bool Equals(const TColorArrayClass* other) const;
  bool operator==(const TColorArrayClass& other) const { return Equals(&other); }

  // The three properties, always written.
  void WriteProperties(TStream& stream) const;
  // One property by name ("XSize", "YSize", "Colors"), its value at the stream's position;
  // false (nothing read) for another name. A "Colors" list fills the colours in stored order
  // until it ends; values past the last cell are read and dropped. Bad values raise EReadError.
  bool ReadProperty(const std::string& name, TStream& stream);

private:
  size_t Index(int32_t x, int32_t y) const;
  static int32_t CheckedSize(int32_t value);

  int32_t xSize_;
  int32_t ySize_;
  std::vector<TColor> colors_;  // xSize_ * ySize_ cells, column by column
};

}  // namespace ql
