#pragma once
// Shorthands for the family files, whose routines are written as sequences of block copies from
// the new picture to the frame: COPY(x, y, w, h, sx, sy) and
// STRETCH(x, y, w, h, sx, sy, sw, sh), inside a routine where Screen and Picture are in scope.
// Include only from .cpp files.

#include "effects/Reveal.h"

#define COPY(...) ::corvane::Copy(Screen, Picture, __VA_ARGS__)
#define STRETCH(...) ::corvane::Stretch(Screen, Picture, __VA_ARGS__)
