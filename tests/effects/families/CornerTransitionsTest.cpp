#include <gtest/gtest.h>

#include "effects/EffectTestSupport.h"

namespace corvane {
namespace {

using test::Frame;
using test::Pos;

TEST(CornerTransitions, SlideFromTopLeftShowsTheFarCorner) {
    Frame f(800, 600);
    f.Run(41, 200, 150);
    EXPECT_EQ(f.At(0, 0), Pos(600, 450));
    EXPECT_EQ(f.At(199, 149), Pos(799, 599));
    EXPECT_EQ(f.At(200, 0), "old");
    EXPECT_EQ(f.At(0, 150), "old");
}

TEST(CornerTransitions, AppearAndContractToMiddleMagnifiesTheCentre) {
    Frame f(800, 600);
    f.Run(51, 400, 300);
    EXPECT_EQ(f.At(0, 0), Pos(300, 225));
    EXPECT_EQ(f.At(3, 3), Pos(300, 225));
    EXPECT_EQ(f.At(4, 4), Pos(301, 226));
    EXPECT_EQ(f.At(799, 599), Pos(499, 374));
}

TEST(CornerTransitions, RevealInToCentreFillsABorderAndRemovesTheClip) {
    Frame f(800, 600);
    f.Run(54, 200, 150);
    EXPECT_EQ(f.At(99, 300), Pos(99, 300));
    EXPECT_EQ(f.At(100, 75), "old");
    EXPECT_EQ(f.At(699, 524), "old");
    EXPECT_EQ(f.At(700, 524), Pos(700, 524));
    EXPECT_EQ(f.At(400, 74), Pos(400, 74));
    EXPECT_EQ(f.At(400, 525), Pos(400, 525));
    EXPECT_FALSE(f.Screen.Surface().ClipRegion().has_value());
}

TEST(CornerTransitions, Quarters) {
    Frame reveal(100, 80);
    reveal.Run(55, 1, 1);  // x2 = 0: nothing shows although X > 0
    EXPECT_EQ(reveal.At(0, 0), "old");
    EXPECT_EQ(reveal.At(99, 79), "old");

    Frame expand(100, 80);
    expand.Run(56, 50, 40);  // each quarter halved into a 25 x 20 corner, odd pixels kept
    EXPECT_EQ(expand.At(0, 0), Pos(1, 1));
    EXPECT_EQ(expand.At(24, 19), Pos(49, 39));
    EXPECT_EQ(expand.At(75, 60), Pos(51, 41));
    EXPECT_EQ(expand.At(50, 40), "old");

    // Odd width: quarters are 400 wide, so column 800 keeps the old picture in the top half.
    Frame slide(801, 600);
    slide.Run(57, 400, 300);
    EXPECT_EQ(slide.At(800, 10), "old");
    EXPECT_EQ(slide.At(0, 0), Pos(200, 0));    // top left, from the left
    EXPECT_EQ(slide.At(400, 0), Pos(400, 150));  // top right, from the top
    EXPECT_EQ(slide.At(601, 300), Pos(400, 300));  // bottom right, from the right
    EXPECT_EQ(slide.At(0, 450), Pos(0, 300));  // bottom left, from the bottom

    // Y = 0: only the left and right quarters can show.
    Frame flat(800, 600);
    flat.Run(57, 400, 0);
    EXPECT_EQ(flat.At(600, 100), "old");
    EXPECT_EQ(flat.At(100, 500), "old");
    EXPECT_EQ(flat.At(0, 0), Pos(200, 0));
    EXPECT_EQ(flat.At(700, 400), Pos(500, 400));
}

}  // namespace
}  // namespace corvane
