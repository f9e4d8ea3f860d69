#include <gtest/gtest.h>

#include <vector>

#include "effects/families/RevealTestSupport.h"

namespace corvane {
namespace {

using test::Frame;
using test::Triangle;

struct TriangleCase {
    int Effect, W, H, X, Y, Progress;
    std::vector<Triangle> Triangles;  // worked out by hand from the entry's row
};

// Every pixel whose centre lies inside a triangle of the entry shows the new picture; every pixel
// whose centre lies outside all of them keeps the old one.
TEST(DiagonalReveals, RevealTheTrianglesOfTheirRows) {
    const TriangleCase cases[] = {
        // 800 x 600 at progress 50: the corner triangles' diagonals pass through the frame's
        // other two corners.
        {110, 800, 600, 400, 300, 50, {{0, 0, 800, 0, 0, 600}}},
        {111, 800, 600, 400, 300, 50, {{800, 0, 0, 0, 800, 600}}},
        {112, 800, 600, 400, 300, 50, {{0, 600, 800, 600, 0, 0}}},
        {113, 800, 600, 400, 300, 50, {{800, 600, 0, 600, 800, 0}}},
        // Odd sizes and extents that are not progress-scaled: vertices beyond the frame.
        {110, 201, 151, 150, 90, 70, {{0, 0, 300, 0, 0, 180}}},
        {113, 201, 151, 30, 100, 20, {{201, 151, 141, 151, 201, -49}}},
        {114, 800, 600, 400, 300, 50, {{0, 600, 0, 0, 400, 600}, {800, 600, 800, 0, 400, 0}}},
        {114, 201, 151, 37, 0, 20, {{0, 151, 0, 0, 37, 151}, {201, 151, 201, 0, 164, 0}}},
        {115, 800, 600, 400, 300, 50, {{800, 0, 0, 0, 800, 300}, {800, 600, 0, 600, 0, 300}}},
        {115, 201, 151, 0, 37, 20, {{201, 0, 0, 0, 201, 37}, {201, 151, 0, 151, 0, 114}}},
        {116,
         800,
         600,
         400,
         300,
         50,
         {{400, 300, 0, 0, 400, 0},
          {400, 300, 0, 600, 0, 300},
          {400, 300, 800, 600, 400, 600},
          {400, 300, 800, 0, 800, 300}}},
        // Odd width: the apex is at W div 2.
        {116,
         801,
         601,
         200,
         150,
         25,
         {{400, 300, 0, 0, 200, 0},
          {400, 300, 0, 601, 0, 451},
          {400, 300, 801, 601, 601, 601},
          {400, 300, 801, 0, 801, 150}}},
        // X = 0 at progress 1 on 30 x 100: only the two blades that depend on Y, hairlines.
        {116,
         30,
         100,
         0,
         1,
         1,
         {{15, 50, 0, 0, 0, 0},
          {15, 50, 0, 100, 0, 99},
          {15, 50, 30, 100, 30, 100},
          {15, 50, 30, 0, 30, 1}}},
    };
    for (const TriangleCase& c : cases) {
        Frame f(c.W, c.H);
        f.Run(c.Effect, c.X, c.Y, c.Progress);
        EXPECT_TRUE(test::MatchesTriangles(f.Screen, c.Triangles))
            << "effect " << c.Effect << " on " << c.W << "x" << c.H << " at X=" << c.X
            << ", Y=" << c.Y;
    }
}

// On 800 x 600 the cells are 81 x 61: five columns centred at 81 ... 729 and six rows centred
// at 61 ... 671, the last below the frame; at progress 50 the half-extents are the cell sizes.
TEST(DiagonalReveals, TriangularShredLattice) {
    const int columns[] = {81, 243, 405, 567, 729};
    const int rows[] = {61, 183, 305, 427, 549, 671};
    struct Case {
        int Progress, Dx, Dy;
    };
    // MulDiv(81, p, 50) and MulDiv(61, p, 50), halves rounded up.
    for (const Case& c : {Case{25, 41, 31}, Case{50, 81, 61}, Case{75, 122, 92}}) {
        std::vector<Triangle> lattice;
        for (int cx : columns)
            for (int cy : rows)
                lattice.push_back({cx - c.Dx, cy - c.Dy, cx, cy + c.Dy, cx + c.Dx, cy - c.Dy});
        Frame f(800, 600);
        f.Run(117, 0, 0, c.Progress);  // the lattice ignores the extents
        EXPECT_TRUE(test::MatchesTriangles(f.Screen, lattice)) << "progress " << c.Progress;
        if (c.Progress == 75) {  // the row centred below the frame reaches into it
            EXPECT_TRUE(test::ShowsNewInPlace(f.Screen, 81, 590));
        }
    }

    // At progress 1 a frame narrower (or lower) than 240 pixels has empty triangles.
    for (auto [W, H] : {std::pair{239, 600}, std::pair{600, 239}}) {
        Frame f(W, H);
        f.Run(117, 0, 0, 1);
        EXPECT_TRUE(test::NothingRevealed(f.Screen)) << W << "x" << H;
    }
    Frame wide(240, 240);
    wide.Run(117, 0, 0, 1);
    EXPECT_FALSE(test::NothingRevealed(wide.Screen));
}

TEST(DiagonalReveals, DegenerateFrames) {
    test::ExpectSoundOnDegenerateFrames({110, 111, 112, 113, 114, 115, 116, 117});
}

// Which extents each entry depends on: with the extent it needs at 0 it draws nothing.
TEST(DiagonalReveals, ZeroExtents) {
    struct Case {
        int Effect;
        bool BothZero, XZero, YZero;  // draws anything with X = Y = 0, X = 0, Y = 0
    };
    const Case cases[] = {
        {110, false, false, false}, {111, false, false, false}, {112, false, false, false},
        {113, false, false, false}, {114, false, false, true},  {115, false, true, false},
        {116, false, true, true},   {117, true, true, true},
    };
    for (const Case& c : cases) {
        const std::pair<std::pair<int, int>, bool> runs[] = {
            {{0, 0}, c.BothZero}, {{0, 75}, c.XZero}, {{100, 0}, c.YZero}};
        for (const auto& [extents, draws] : runs) {
            Frame f(200, 150);
            f.Run(c.Effect, extents.first, extents.second, 50);
            EXPECT_EQ(!test::NothingRevealed(f.Screen), draws)
                << "effect " << c.Effect << " at X=" << extents.first << ", Y=" << extents.second;
        }
    }
}

}  // namespace
}  // namespace corvane
