#include "effects/StripRegions.h"

#include <algorithm>

#include "effects/ComplexRegion.h"
#include "effects/Random.h"

namespace corvane {

std::optional<Region> BarsRegion(int32_t XExtent, int32_t YExtent, int32_t W, int32_t H,
                                 int32_t HorzMode, int32_t VertMode) {
    const int32_t b = std::min(W, H) / 50 + 1;
    TComplexRegion rgn;

    // Horizontal bars, b rows high, growing along x.
    const bool secondHalfX = XExtent > W;
    for (int32_t y = secondHalfX ? b : 0; y < H + b; y += 2 * b) {
        if (secondHalfX) {
            if (HorzMode == 1 || HorzMode == 4) rgn.AddRect(2 * W - XExtent, y, W, y + b);
            if (HorzMode == 2 || HorzMode == 5) rgn.AddRect(0, y, XExtent - W, y + b);
            rgn.AddRect(0, y - b, W, y);  // the bar above stays whole
        } else if (HorzMode == 1 || HorzMode == 5) {
            rgn.AddRect(W - XExtent, y, W, y + b);
        } else if (HorzMode == 2 || HorzMode == 4) {
            rgn.AddRect(0, y, XExtent, y + b);
        } else if (HorzMode == 3) {
            rgn.AddRect(0, y + b, XExtent, y + 2 * b);
            rgn.AddRect(W - XExtent, y, W, y + b);
        }
    }

    // Vertical bars, b columns wide, growing along y.
    const bool secondHalfY = YExtent > H;
    for (int32_t x = secondHalfY ? b : 0; x < W + b; x += 2 * b) {
        if (secondHalfY) {
            if (VertMode == 1 || VertMode == 4) rgn.AddRect(x, 2 * H - YExtent, x + b, H);
            if (VertMode == 2 || VertMode == 5) rgn.AddRect(x, 0, x + b, YExtent - H);
            rgn.AddRect(x - b, 0, x, H);  // the bar to the left stays whole
        } else if (VertMode == 1 || VertMode == 5) {
            rgn.AddRect(x, H - YExtent, x + b, H);
        } else if (VertMode == 2 || VertMode == 4) {
            rgn.AddRect(x, 0, x + b, YExtent);
        } else if (VertMode == 3) {
            rgn.AddRect(x, H - YExtent, x + b, H);
            rgn.AddRect(x + b, 0, x + 2 * b, YExtent);
        }
    }
    return rgn.CreateRegion();
}

std::optional<Region> ShredRegion(int32_t XExtent, int32_t YExtent, int32_t W, int32_t H,
                                  int32_t HorzMode, int32_t VertMode) {
    const int32_t s = std::min(W, H) / 200 + 1;
    const int32_t rw = W % s, rh = H % s, cx = W / 2, cy = H / 2;
    TComplexRegion rgn;

    if (HorzMode != 0) {
        const int32_t j = XExtent < W ? W / 10 : 0;
        for (int32_t y = 0; y < H; y += s) {
            const int32_t r = XExtent - j + Random(2 * j);
            const int32_t t = y + s + rh;
            if (HorzMode == 1) {
                rgn.AddRect(W - r, y, W, t);
            } else if (HorzMode == 2) {
                rgn.AddRect(0, y, r, t);
            } else if (HorzMode == 3) {
                const int32_t h = r / 2;
                rgn.AddRect(cx - h, y, cx, t);
                rgn.AddRect(cx, y, cx + h, t);
            } else {
                const int32_t h = r / 2;
                rgn.AddRect(W - h, y, W, t);
                rgn.AddRect(0, y, h, t);
            }
        }
    }

    if (VertMode != 0) {
        const int32_t j = YExtent < H ? H / 10 : 0;
        for (int32_t x = 0; x < W; x += s) {
            const int32_t r = YExtent - j + Random(2 * j);
            const int32_t e = x + s + rw;
            if (VertMode == 1) {
                rgn.AddRect(x, H - r, e, H);
            } else if (VertMode == 2) {
                rgn.AddRect(x, 0, e, r);
            } else if (VertMode == 3) {
                const int32_t h = r / 2;
                rgn.AddRect(x, cy - h, e, cy);
                rgn.AddRect(x, cy, e, cy + h);
            } else {
                const int32_t h = r / 2;
                rgn.AddRect(x, H - h, e, H);
                rgn.AddRect(x, 0, e, h);
            }
        }
    }
    return rgn.CreateRegion();
}

namespace {

// The squares ahead of a speckle front: zone depth g gives the square size s, the row step, the
// number n of candidate squares and the threshold t up to which a square is twice as likely.
struct SpeckleZone {
    int32_t Size, Step, Count, Threshold;
    explicit SpeckleZone(int32_t g) {
        Size = std::max(g / 20, 2);
        Step = Size / 2;
        Count = g / Size;
        Threshold = (3 * g) / (4 * Size);
    }
    // Draws whether candidate i (i squares ahead of the front) appears.
    static bool Appears(int32_t i, int32_t threshold) {
        const int32_t q = Random(i);
        return i <= threshold ? q <= 1 : q == 0;
    }
};

}  // namespace

std::optional<Region> SpeckleRegion(int32_t XExtent, int32_t YExtent, int32_t W, int32_t H,
                                    int32_t HorzMode, int32_t VertMode) {
    TComplexRegion rgn;

    if (HorzMode != 0) {
        const SpeckleZone z(XExtent < W ? W / 10 : 0);
        const int32_t s = z.Size;
        for (int32_t y = 0; y < H; y += z.Step) {
            if (HorzMode == 1) {
                rgn.AddRect(W - XExtent, y, W, y + s);
                for (int32_t i = z.Count; i >= 1; --i)
                    if (SpeckleZone::Appears(i, z.Threshold)) {
                        const int32_t L = W - XExtent - i * s;
                        rgn.AddRect(L, y, L + s, y + s);
                    }
            } else {
                rgn.AddRect(0, y, XExtent, y + s);
                for (int32_t i = z.Count; i >= 1; --i)
                    if (SpeckleZone::Appears(i, z.Threshold)) {
                        const int32_t R = XExtent + i * s;
                        rgn.AddRect(R - s, y, R, y + s);
                    }
            }
        }
    }

    if (VertMode != 0) {
        const SpeckleZone z(YExtent < H ? H / 10 : 0);
        const int32_t s = z.Size;
        for (int32_t x = 0; x < W; x += z.Step) {
            if (VertMode == 1) {
                rgn.AddRect(x, H - YExtent, x + s, H);
                for (int32_t i = z.Count; i >= 1; --i)
                    if (SpeckleZone::Appears(i, z.Threshold)) {
                        const int32_t T = H - YExtent - i * s;
                        rgn.AddRect(x, T, x + s, T + s);
                    }
            } else {
                rgn.AddRect(x, 0, x + s, YExtent);
                for (int32_t i = z.Count; i >= 1; --i)
                    if (SpeckleZone::Appears(i, z.Threshold)) {
                        const int32_t B = YExtent + i * s;
                        rgn.AddRect(x, B - s, x + s, B);
                    }
            }
        }
    }
    return rgn.CreateRegion();
}

}  // namespace corvane
