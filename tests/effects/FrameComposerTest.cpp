#include "effects/FrameComposer.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "effects/EffectTestSupport.h"
#include "platform/raster/Drawing.h"

namespace corvane {
namespace {

using test::Code;
using test::Coded;

TEST(ProgressExtents, TheLongerSideFollowsTheProgress) {
    const struct { int W, H, P, X, Y; } cases[] = {
        {1024, 768, 33, 338, 254},  // 253.5 rounds up
        {600, 800, 50, 300, 400},   // portrait: Y first
        {40, 30, 1, 0, 0},          // narrow pictures start with zero extents
        {500, 500, 100, 500, 500},
        {1920, 1080, 0, 0, 0},
    };
    for (const auto& c : cases) {
        TExtents e = ProgressExtents(c.W, c.H, c.P);
        EXPECT_EQ(e.X, c.X) << c.W << "x" << c.H << " at " << c.P;
        EXPECT_EQ(e.Y, c.Y) << c.W << "x" << c.H << " at " << c.P;
    }
}

TEST(NextProgress, TheLastFrameIsAlwaysExactlyTheEnd) {
    auto run = [](int step, bool reverse) {
        std::vector<int> frames;
        int p = reverse ? 100 : 0;
        do {
            p = NextProgress(p, step, reverse);
            frames.push_back(p);
        } while (p != (reverse ? 0 : 100));
        return frames;
    };
    EXPECT_EQ(run(4, false).size(), 25u);
    auto three = run(3, false);
    EXPECT_EQ(three.size(), 34u);
    EXPECT_EQ(three[32], 99);
    EXPECT_EQ(three.back(), 100);
    EXPECT_EQ(run(100, false), std::vector<int>{100});
    auto back = run(4, true);
    EXPECT_EQ(back.front(), 96);
    EXPECT_EQ(back.back(), 0);
    EXPECT_EQ(back.size(), 25u);
}

TEST(ComposeFrame, ProgressZeroHundredCustomAndEffect) {
    const Bitmap32 oldFrame = Coded(64, 48, 1), picture = Coded(64, 48, 2);
    Bitmap32 screen;
    std::vector<std::string> events;
    TFrameHooks hooks{[&] { events.push_back("before"); }, [&] { events.push_back("custom"); },
                      [&] { events.push_back("after"); }};

    ComposeFrame(screen, oldFrame, picture, 5, 0, hooks);
    EXPECT_EQ(screen.GetPixel(10, 10), Code(10, 10, 1));
    ComposeFrame(screen, oldFrame, picture, 5, 100, hooks);
    EXPECT_EQ(screen.GetPixel(63, 47), Code(63, 47, 2));
    ComposeFrame(screen, oldFrame, picture, 0, 50, hooks);
    EXPECT_EQ(screen.GetPixel(10, 10), Code(10, 10, 1));
    EXPECT_EQ(events, (std::vector<std::string>{"before", "after", "before", "after", "before",
                                                "custom", "after"}));

    // Entry 5 reveals from the left: at 50 percent the left half is new, with the stretch mode
    // set to colour-on-colour.
    ComposeFrame(screen, oldFrame, picture, 5, 50);
    EXPECT_EQ(screen.GetPixel(31, 0), Code(31, 0, 2));
    EXPECT_EQ(screen.GetPixel(32, 0), Code(32, 0, 1));
    EXPECT_EQ(screen.Surface().StretchMode(), COLORONCOLOR);
}

TEST(ComposeFrame, RefusesStylesOutsideTheCatalogue) {
    const Bitmap32 oldFrame = Coded(8, 8, 1), picture = Coded(8, 8, 2);
    Bitmap32 screen;
    EXPECT_THROW(ComposeFrame(screen, oldFrame, picture, 172, 40), std::out_of_range);
}

// Players on several screens compose at once. The random bars set the shared generator to a state
// of their own for each frame, draw one number per row and put the state back; taking turns,
// each frame is what it is alone.
TEST(ComposeFrame, FramesComposedAtOnceOnTwoThreadsAreEachTheirOwn) {
    struct TShow {
        Bitmap32 Old, New, Screen;
        std::vector<std::vector<Pixel>> Expected;
        int Wrong = 0;
        void Frame(int progress) {
            ComposeFrame(Screen, Old, New, 170, progress);
        }
        std::vector<Pixel> Pixels() const {
            return {Screen.Bits(), Screen.Bits() + Screen.Width() * Screen.Height()};
        }
        void Play(int rounds) {
            for (int r = 0; r < rounds; ++r)
                for (int p = 0; p < 10; ++p) {
                    Frame(5 + 10 * p);
                    Wrong += Pixels() != Expected[size_t(p)];
                }
        }
    };
    // Two sizes of one pixel count: seeded differently (by width plus height), drawn equally long.
    TShow a{Coded(4, 300, 1), Coded(4, 300, 2), {}, {}};
    TShow b{Coded(6, 200, 3), Coded(6, 200, 4), {}, {}};
    for (TShow* show : {&a, &b})
        for (int p = 0; p < 10; ++p) {
            show->Frame(5 + 10 * p);
            show->Expected.push_back(show->Pixels());
        }
    std::thread other([&] { b.Play(2000); });
    a.Play(2000);
    other.join();
    EXPECT_EQ(a.Wrong, 0);
    EXPECT_EQ(b.Wrong, 0);
}

}  // namespace
}  // namespace corvane
