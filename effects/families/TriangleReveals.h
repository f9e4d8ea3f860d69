#pragma once
// Shorthand for the families whose routines reveal the new picture through triangles:
// REVEAL_TRIANGLES({x1, y1, x2, y2, x3, y3}, ...) inside a routine where Screen, Picture, W and
// H are in scope. Include only from .cpp files.

#include "effects/Reveal.h"
#include "effects/TriangleRegions.h"

namespace corvane {

inline void RevealTriangles(Bitmap32& Screen, const Bitmap32& Picture, int32_t W, int32_t H,
                            std::span<const TTriangle> triangles) {
    Reveal(Screen, Picture, W, H, TrianglesRegion(triangles));
}

}  // namespace corvane

#define REVEAL_TRIANGLES(...)                                          \
    do {                                                               \
        const ::corvane::TTriangle triangles_[] = {__VA_ARGS__};       \
        ::corvane::RevealTriangles(Screen, Picture, W, H, triangles_); \
    } while (false)
