#include "toolkit/ColorArray.h"

#include "toolkit/PropertyValues.h"
#include "toolkit/Stream.h"

namespace ql {

TColorArrayClass::TColorArrayClass(int32_t xSize, int32_t ySize)
    : xSize_(CheckedSize(xSize)), ySize_(CheckedSize(ySize)), colors_(static_cast<size_t>(xSize_) * ySize_, 0) {}

int32_t TColorArrayClass::CheckedSize(int32_t value) {
  if (value < 0 || value > MaxSize) throw EColorArrayIndexError();
  return value;
}

void TColorArrayClass::SetXSize(int32_t value) {
  if (CheckedSize(value) == xSize_) return;
  xSize_ = value;
  colors_.assign(static_cast<size_t>(xSize_) * ySize_, 0);
}

void TColorArrayClass::SetYSize(int32_t value) {
  if (CheckedSize(value) == ySize_) return;
  ySize_ = value;
  colors_.assign(static_cast<size_t>(xSize_) * ySize_, 0);
}

size_t TColorArrayClass::Index(int32_t x, int32_t y) const {
  if (x < 1 || x > xSize_ || y < 1 || y > ySize_) throw EColorArrayIndexError();
  return static_cast<size_t>(x - 1) * ySize_ + static_cast<size_t>(y - 1);
}

TColor TColorArrayClass::Color(int32_t x, int32_t y) const { return colors_[Index(x, y)]; }
void TColorArrayClass::SetColor(int32_t x, int32_t y, TColor color) { colors_[Index(x, y)] = color; }

void TColorArrayClass::Assign(const TColorArrayClass& source) {
  if (&source == this) return;
  xSize_ = source.xSize_;
  ySize_ = source.ySize_;
  colors_ = source.colors_;
}

bool TColorArrayClass::Equals(const TColorArrayClass* other) const {
  if (other == this) return true;
  return other != nullptr && other->xSize_ == xSize_ && other->ySize_ == ySize_ && other->colors_ == colors_;
}

void TColorArrayClass::WriteProperties(TStream& stream) const {
  WritePropertyName(stream, "XSize");
  WriteIntegerValue(stream, xSize_);
  WritePropertyName(stream, "YSize");
  WriteIntegerValue(stream, ySize_);
  WritePropertyName(stream, "Colors");
  WriteListBegin(stream);
  for (const TColor color : colors_) WriteIntegerValue(stream, static_cast<int32_t>(color));
  WriteListEnd(stream);
}

bool TColorArrayClass::ReadProperty(const std::string& name, TStream& stream) {
  if (name == "XSize" || name == "YSize") {
    const int32_t value = ReadIntegerValue(stream);
    if (value < 0 || value > MaxSize) throw EReadError("Invalid property value");
    name == "XSize" ? SetXSize(value) : SetYSize(value);
    return true;
  }
  if (name != "Colors") return false;
  ReadListBegin(stream);
  for (size_t i = 0; !ReadListEnd(stream); ++i) {
    const auto color = static_cast<TColor>(ReadIntegerValue(stream));
    if (i < colors_.size()) colors_[i] = color;
  }
  return true;
}

}  // namespace ql
