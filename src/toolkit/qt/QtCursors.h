#pragma once
// Mouse cursor shapes on Qt.
#include <QCursor>

#include "toolkit/Cursors.h"

namespace ql {

Qt::CursorShape CursorShapeOf(TCursor cursor);

}  // namespace ql
