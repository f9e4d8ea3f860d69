#pragma once
// Rectangles between our pixel geometry and Qt's.

#include <QRect>

#include "platform/raster/Geometry.h"

namespace corvane {

inline QRect ToQRect(const TRect& r) {
    return QRect(r.Left, r.Top, int(r.Width()), int(r.Height()));
}

inline TRect ToTRect(const QRect& r) {
    return TRect{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

}  // namespace corvane
