#include "dialog/Colors.h"

#include "player/SystemColors.h"

namespace corvane {

QColor QColorOf(TColor color, const QPalette& palette) {
    const Pixel p = PixelOfColor(color, palette);
    return QColor(PixelRed(p), PixelGreen(p), PixelBlue(p));
}

TColor TColorOf(const QColor& color) {
    return TColor(color.red()) | TColor(color.green()) << 8 | TColor(color.blue()) << 16;
}

}  // namespace corvane
