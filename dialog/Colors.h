#pragma once
// Colours of the 0x00BBGGRR convention and Qt's colours.

#include <QColor>
#include <QPalette>

#include "player/PlayerTypes.h"

namespace corvane {

// The colour as Qt's; system colours (0xFF0000nn) come from the palette.
QColor QColorOf(TColor color, const QPalette& palette);
// Qt's colour in the 0x00BBGGRR convention.
TColor TColorOf(const QColor& color);

}  // namespace corvane
