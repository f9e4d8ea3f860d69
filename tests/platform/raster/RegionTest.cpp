#include "platform/raster/Region.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "platform/raster/RegionApi.h"

namespace corvane {
namespace {

// A per-pixel oracle over a fixed window that holds every shape of the random cases.
constexpr int kLo = -8, kHi = 72, kSize = kHi - kLo;

struct Mask {
    std::vector<signed char> Bits = std::vector<signed char>(kSize * kSize, 0);  // 1 in, 0 out, -1 don't care
    signed char& At(int x, int y) { return Bits[(y - kLo) * kSize + (x - kLo)]; }
    signed char At(int x, int y) const { return Bits[(y - kLo) * kSize + (x - kLo)]; }
};

Mask RectMask(const TRect& r) {
    Mask m;
    for (int y = kLo; y < kHi; ++y)
        for (int x = kLo; x < kHi; ++x) m.At(x, y) = r.Contains(x, y);
    return m;
}

// Checks the region against the mask over the window, and that it holds nothing outside it.
void ExpectMatches(const Region& region, const Mask& mask, const std::string& what) {
    int mismatches = 0;
    for (int y = kLo; y < kHi && mismatches < 5; ++y)
        for (int x = kLo; x < kHi && mismatches < 5; ++x) {
            signed char want = mask.At(x, y);
            if (want < 0) continue;
            if (region.Contains(x, y) != bool(want)) {
                ADD_FAILURE() << what << ": pixel (" << x << ", " << y << ") should be "
                              << (want ? "in" : "out");
                ++mismatches;
            }
        }
    if (!region.IsEmpty()) {
        TRect e = region.Extents();
        EXPECT_TRUE(e.Left >= kLo && e.Top >= kLo && e.Right <= kHi && e.Bottom <= kHi) << what;
    }
}

// The canonical form: sorted, non-touching spans; bands that touch never hold equal spans.
void ExpectCanonical(const Region& r) {
    const Region::Band* previous = nullptr;
    for (const Region::Band& b : r.Bands()) {
        ASSERT_LT(b.Top, b.Bottom);
        ASSERT_GE(b.Count, 1u);
        auto spans = r.SpansOf(b);
        for (size_t i = 0; i < spans.size(); ++i) {
            ASSERT_LT(spans[i].Left, spans[i].Right);
            if (i) {
                ASSERT_LT(spans[i - 1].Right, spans[i].Left);
            }
        }
        if (previous) {
            ASSERT_LE(previous->Bottom, b.Top);
            auto before = r.SpansOf(*previous);
            bool same = before.size() == spans.size() &&
                        std::equal(before.begin(), before.end(), spans.begin());
            ASSERT_FALSE(previous->Bottom == b.Top && same);
        }
        previous = &b;
    }
}

TRect RandomRect(std::mt19937& rng) {
    std::uniform_int_distribution<int> pos(kLo + 2, kHi - 2);
    int a = pos(rng), b = pos(rng), c = pos(rng), d = pos(rng);
    // Now and then an empty or inverted rectangle.
    if (rng() % 8 == 0) return TRect{a, b, a - 3, d};
    return TRect{std::min(a, b), std::min(c, d), std::max(a, b), std::max(c, d)};
}

TEST(Region, CombinationsOfRectangleSetsMatchThePixelOracle) {
    std::mt19937 rng(12345);
    for (int trial = 0; trial < 300; ++trial) {
        std::vector<TRect> setA(1 + rng() % 12), setB(1 + rng() % 12);
        for (auto& r : setA) r = RandomRect(rng);
        for (auto& r : setB) r = RandomRect(rng);

        // Build A by repeated union and B by one union of many rectangles; both must agree
        // with the oracle and with each other's construction.
        Region a;
        Mask ma;
        for (const TRect& r : setA) {
            a = Region::Combine(a, Region(r), Region::Op::Or);
            Mask m = RectMask(r);
            for (size_t i = 0; i < ma.Bits.size(); ++i) ma.Bits[i] |= m.Bits[i];
        }
        Region b = Region::FromRects(setB);
        Mask mb;
        for (const TRect& r : setB) {
            Mask m = RectMask(r);
            for (size_t i = 0; i < mb.Bits.size(); ++i) mb.Bits[i] |= m.Bits[i];
        }
        ASSERT_EQ(a, Region::FromRects(setA)) << "trial " << trial;
        ExpectCanonical(a);
        ExpectMatches(a, ma, "union A");
        ExpectMatches(b, mb, "union B");

        const struct { Region::Op Op; const char* Name; } ops[] = {
            {Region::Op::And, "and"}, {Region::Op::Or, "or"}, {Region::Op::Xor, "xor"},
            {Region::Op::Diff, "diff"}};
        for (const auto& op : ops) {
            Region r = Region::Combine(a, b, op.Op);
            ExpectCanonical(r);
            Mask m;
            for (size_t i = 0; i < m.Bits.size(); ++i) {
                bool inA = ma.Bits[i], inB = mb.Bits[i];
                m.Bits[i] = op.Op == Region::Op::And ? inA && inB
                            : op.Op == Region::Op::Or ? inA || inB
                            : op.Op == Region::Op::Xor ? inA != inB
                                                       : inA && !inB;
            }
            ExpectMatches(r, m, std::string(op.Name) + " trial " + std::to_string(trial));
            if (::testing::Test::HasFailure()) return;
        }
    }
}

TEST(Region, EmptyResultsAndTrivialCases) {
    Region r(TRect{0, 0, 10, 10});
    EXPECT_TRUE(Region::Combine(r, r, Region::Op::Xor).IsEmpty());
    EXPECT_TRUE(Region::Combine(r, Region(TRect{20, 0, 30, 10}), Region::Op::And).IsEmpty());
    EXPECT_EQ(Region::Combine(r, Region(), Region::Op::Or), r);
    EXPECT_TRUE(Region(TRect{5, 5, 5, 9}).IsEmpty());
    EXPECT_TRUE(Region::FromRects(std::vector<TRect>{{3, 3, 1, 9}, {0, 4, 4, 4}}).IsEmpty());
    // Touching rectangles merge into one.
    Region joined = Region::FromRects(std::vector<TRect>{{0, 0, 5, 5}, {5, 0, 9, 5}, {0, 5, 9, 8}});
    EXPECT_EQ(joined, Region(TRect{0, 0, 9, 8}));
    EXPECT_EQ(joined.Bands().size(), 1u);
    Region d;
    EXPECT_EQ(CombineRgn(d, r, Region(TRect{0, 0, 5, 10}), RGN_DIFF), SIMPLEREGION);
    EXPECT_EQ(d, Region(TRect{5, 0, 10, 10}));
}

// Oracle for polygons: the winding number at a pixel centre, from the crossings strictly to the
// right of it, in exact integer arithmetic (so a centre on a left edge is inside, on a right
// edge outside).
int WindingAt(const std::vector<TPoint>& pts, int x, int y) {
    int w = 0;
    for (size_t i = 0; i < pts.size(); ++i) {
        TPoint p = pts[i], q = pts[(i + 1) % pts.size()];
        if (p.Y == q.Y) continue;
        int dir = p.Y < q.Y ? 1 : -1;
        if (dir < 0) std::swap(p, q);
        // The row centre y + 1/2 must lie within [p.Y, q.Y).
        if (!(2 * p.Y <= 2 * y + 1 && 2 * y + 1 < 2 * q.Y)) continue;
        long long dy = q.Y - p.Y, dx = q.X - p.X;
        long long lhs = 2 * dy * p.X + (2LL * y + 1 - 2LL * p.Y) * dx;  // 2dy * crossing
        if (lhs > (2LL * x + 1) * dy) w += dir;
    }
    return w;
}

TEST(Region, PolygonsFollowTheWindingRuleAndThePixelCentreRule) {
    std::mt19937 rng(777);
    std::uniform_int_distribution<int> pos(kLo + 1, kHi - 1);
    for (int trial = 0; trial < 200; ++trial) {
        std::vector<TPoint> pts(3 + rng() % 7);
        for (auto& p : pts) p = TPoint{pos(rng), pos(rng)};
        for (bool winding : {true, false}) {
            Region r = CreatePolygonRgn(pts, winding ? WINDING : ALTERNATE);
            ExpectCanonical(r);
            Mask m;
            for (int y = kLo; y < kHi; ++y)
                for (int x = kLo; x < kHi; ++x) {
                    int w = WindingAt(pts, x, y);
                    m.At(x, y) = winding ? w != 0 : (w & 1) != 0;
                }
            ExpectMatches(r, m, "polygon trial " + std::to_string(trial));
            if (::testing::Test::HasFailure()) return;
        }
    }
}

TEST(Region, SelfIntersectingStarKeepsItsCentreUnderWinding) {
    // A five-pointed star drawn in one stroke: its pentagon centre winds twice.
    std::vector<TPoint> star{{50, 0}, {79, 90}, {2, 35}, {98, 35}, {21, 90}};
    EXPECT_TRUE(CreatePolygonRgn(star, WINDING).Contains(50, 50));
    EXPECT_FALSE(CreatePolygonRgn(star, ALTERNATE).Contains(50, 50));
    // A right-angled triangle whose hypotenuse runs through pixel centres: those centres lie on
    // a right edge and stay outside, so the rows hold 3, 2 and 1 pixels.
    Region tri = CreatePolygonRgn(std::vector<TPoint>{{0, 0}, {4, 0}, {0, 4}}, WINDING);
    EXPECT_EQ(tri.Area(), 6);
    EXPECT_TRUE(tri.Contains(2, 0));
    EXPECT_FALSE(tri.Contains(3, 0));
}

// Oracle for ellipses and rounded rectangles: the pixel centre inside the shape, with pixels
// whose centre lies too close to the curve left undecided.
Mask RoundRectMask(TRect r, double ew, double eh) {
    Mask m;
    ew = std::min<double>(ew, r.Right - r.Left);
    eh = std::min<double>(eh, r.Bottom - r.Top);
    double a = ew / 2, b = eh / 2;
    for (int y = kLo; y < kHi; ++y)
        for (int x = kLo; x < kHi; ++x) {
            double px = x + 0.5, py = y + 0.5;
            if (!(px >= r.Left && px < r.Right && py >= r.Top && py < r.Bottom)) {
                m.At(x, y) = 0;
                continue;
            }
            double cx = px < r.Left + a ? r.Left + a : px > r.Right - a ? r.Right - a : px;
            double cy = py < r.Top + b ? r.Top + b : py > r.Bottom - b ? r.Bottom - b : py;
            if (a <= 0 || b <= 0 || (cx == px || cy == py)) {
                m.At(x, y) = 1;
                continue;
            }
            double v = (px - cx) * (px - cx) / (a * a) + (py - cy) * (py - cy) / (b * b);
            m.At(x, y) = std::abs(v - 1) < 1e-9 ? -1 : v < 1;
        }
    return m;
}

TEST(Region, EllipsesAndRoundedRectanglesWithTheirLimits) {
    std::mt19937 rng(99);
    for (int trial = 0; trial < 300; ++trial) {
        TRect r = RandomRect(rng);
        int ew = int(rng() % 90), eh = int(rng() % 90);  // often wider than the rectangle
        ExpectMatches(CreateRoundRectRgn(r.Left, r.Top, r.Right, r.Bottom, ew, eh),
                      RoundRectMask(r, ew, eh), "round rect trial " + std::to_string(trial));
        ExpectMatches(CreateEllipticRgn(r.Left, r.Top, r.Right, r.Bottom),
                      RoundRectMask(r, 1e9, 1e9), "ellipse trial " + std::to_string(trial));
        if (::testing::Test::HasFailure()) return;
    }
    // An ellipse limited to the full height but part of the width gives half-elliptic ends.
    Region capsule = CreateRoundRectRgn(0, 0, 60, 20, 20, 500);
    EXPECT_TRUE(capsule.Contains(30, 0));
    EXPECT_TRUE(capsule.Contains(0, 10));
    EXPECT_FALSE(capsule.Contains(0, 0));
    EXPECT_TRUE(CreateEllipticRgn(10, 10, 10, 30).IsEmpty());
}

TEST(Region, ExtCreateRegionReadsTheRectangleBlockAndRejectsBadOnes) {
    std::vector<int32_t> block{32, 1, 3, 16, 0, 0, 30, 30, 0, 0, 10, 10, 20, 20, 30, 30, 5, 5, 5, 9};
    Region r = ExtCreateRegion(block.data(), block.size() * 4);
    EXPECT_EQ(r, Region::FromRects(std::vector<TRect>{{0, 0, 10, 10}, {20, 20, 30, 30}}));
    EXPECT_TRUE(ExtCreateRegion(block.data(), block.size() * 4 - 4).IsEmpty());  // too short
    block[1] = 2;
    EXPECT_TRUE(ExtCreateRegion(block.data(), block.size() * 4).IsEmpty());  // not rectangles
}

}  // namespace
}  // namespace corvane
