#include "effects/families/DiagonalReveals.h"

#include <vector>

#include "effects/families/TriangleReveals.h"
#include "platform/MulDiv.h"

// Each routine lists its triangles, vertices in the order they are passed, and reveals their
// union. The corner triangles reach twice the extents, so that their diagonal edge passes
// through (X, Y); what lies beyond the frame is cut off.

namespace corvane::diagonal {

CORVANE_EFFECT(RevealDiagonalFromTopLeft) {
    REVEAL_TRIANGLES({0, 0, 2 * X, 0, 0, 2 * Y});
}
CORVANE_EFFECT(RevealDiagonalFromTopRight) {
    REVEAL_TRIANGLES({W, 0, W - 2 * X, 0, W, 2 * Y});
}

CORVANE_EFFECT(RevealDiagonalFromBottomLeft) {
    REVEAL_TRIANGLES({0, H, 2 * X, H, 0, H - 2 * Y});
}

CORVANE_EFFECT(RevealDiagonalFromBottomRight) {
    REVEAL_TRIANGLES({W, H, W - 2 * X, H, W, H - 2 * Y});
}

CORVANE_EFFECT(DiagonalSweepAnticlockwise) {
    REVEAL_TRIANGLES({0, H, 0, 0, X, H},       // hinged at the top-left corner
                     {W, H, W, 0, W - X, 0});  // hinged at the bottom-right corner
}

CORVANE_EFFECT(DiagonalSweepClockwise) {
    REVEAL_TRIANGLES({W, 0, 0, 0, W, Y},       // free edge from the top-left corner
                     {W, H, 0, H, 0, H - Y});  // free edge from the bottom-right corner
}

CORVANE_EFFECT(StarburstClockwise) {
    const int32_t mx = W / 2, my = H / 2;
    REVEAL_TRIANGLES({mx, my, 0, 0, X, 0},      // along the top, from the left
                     {mx, my, 0, H, 0, H - Y},  // along the left, from the bottom
                     {mx, my, W, H, W - X, H},  // along the bottom, from the right
                     {mx, my, W, 0, W, Y});     // along the right, from the top
}

CORVANE_EFFECT(TriangularShred) {
    // Downward-pointing triangles on a lattice of cells a tenth of the frame; at progress 50
    // each spans its whole cell pair. The last row's centres may lie below the frame.
    const int32_t cw = W / 10 + 1, ch = H / 10 + 1;
    const int32_t dx = MulDiv(cw, Progress, 50), dy = MulDiv(ch, Progress, 50);
    std::vector<TTriangle> triangles;
    for (int32_t i = 0; 2 * i * cw < W; ++i) {
        const int32_t cx = (2 * i + 1) * cw;
        for (int32_t j = 0; 2 * j * ch < H + ch; ++j) {
            const int32_t cy = (2 * j + 1) * ch;
            triangles.push_back({cx - dx, cy - dy, cx, cy + dy, cx + dx, cy - dy});
        }
    }
    if (triangles.empty()) return;  // no triangle, nothing to reveal
    RevealTriangles(Screen, Picture, W, H, triangles);
}

}  // namespace corvane::diagonal
