#pragma once
// What a drag and drop does with its data: the effects a source allows and a target chooses.
#include <cstdint>

namespace ql {

using TDropEffect = uint32_t;
constexpr TDropEffect DROPEFFECT_NONE = 0, DROPEFFECT_COPY = 1, DROPEFFECT_MOVE = 2;

}  // namespace ql
