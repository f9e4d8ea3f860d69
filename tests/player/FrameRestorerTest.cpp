// The frame restorer on its own: each frame starts from the old frame, and a copy of the
// picture's pixels leaves out only what the frame still holds of them.

#include "player/FrameRestorer.h"

#include <gtest/gtest.h>

#include <utility>

#include "platform/raster/Drawing.h"
#include "player/PlayerFixtures.h"

namespace corvane {
namespace {

using test::PatternBitmap;
using test::SamePixels;

struct TFrames {
    Bitmap32 Old = PatternBitmap(16, 4, 1), Picture = PatternBitmap(16, 4, 2);
    Bitmap32 Screen = Old;
    TFrameRestorer Restorer;
    TFrames() { Restorer.Reset(4, TRect{}); }

    // One frame: the drawing runs over the screen, which starts from the old frame.
    template <typename Draw>
    TRect Frame(Draw draw) {
        Restorer.Begin(Old, std::nullopt, 16, true);
        Screen.SetAccessHook(&Restorer);
        draw();
        Screen.SetAccessHook(nullptr);
        return Restorer.End(Screen);
    }
    // The same drawing over a fresh copy of the old frame.
    template <typename Draw>
    Bitmap32 Fresh(Draw draw) {
        Bitmap32 expected = Old;
        std::swap(expected, Screen);
        draw();
        std::swap(expected, Screen);
        return expected;
    }
};

TEST(FrameRestorer, CopiesLeaveOutWhatTheFrameHoldsAndAnythingElseForgetsIt) {
    TFrames f;
    auto reveal = [&](int32_t width) { return [&f, width] { BitBlt(f.Screen, 0, 0, width, 4, f.Picture, 0, 0); }; };
    auto revealAndMark = [&](int32_t width) {
        return [&f, width] {
            BitBlt(f.Screen, 0, 0, width, 4, f.Picture, 0, 0);
            f.Screen.RowForUpdate(1, 2, 3)[2] ^= 0xFFFFFF;  // drawn over the copy
        };
    };
    // The second reveal holds the first one's columns already: only the new ones count as
    // changed.
    EXPECT_EQ(f.Frame(reveal(6)), (TRect{0, 0, 6, 4}));
    EXPECT_EQ(f.Frame(reveal(10)), (TRect{6, 0, 10, 4}));
    EXPECT_TRUE(SamePixels(f.Screen, f.Fresh(reveal(10))));
    // A frame that draws over the copy; the next copies that pixel again.
    f.Frame(revealAndMark(10));
    EXPECT_TRUE(SamePixels(f.Screen, f.Fresh(revealAndMark(10))));
    f.Frame(reveal(12));
    EXPECT_TRUE(SamePixels(f.Screen, f.Fresh(reveal(12))));
    // A narrower reveal brings the old frame back beyond it; a wider one copies that again.
    f.Frame(reveal(4));
    EXPECT_TRUE(SamePixels(f.Screen, f.Fresh(reveal(4))));
    f.Frame(reveal(12));
    EXPECT_TRUE(SamePixels(f.Screen, f.Fresh(reveal(12))));
    // A copy from elsewhere in the picture is no copy in place.
    auto shifted = [&f] { BitBlt(f.Screen, 0, 0, 12, 4, f.Picture, 2, 0); };
    f.Frame(shifted);
    EXPECT_TRUE(SamePixels(f.Screen, f.Fresh(shifted)));
    f.Frame(reveal(12));
    EXPECT_TRUE(SamePixels(f.Screen, f.Fresh(reveal(12))));
}

// Several copies in one row: the first use of the row keeps what the later ones copy again, and a
// reader of a held span sees the old frame there.
TEST(FrameRestorer, PiecesOfARowWaitForTheCopiesThatKeepThem) {
    TFrames f;
    auto bars = [&f] {
        BitBlt(f.Screen, 0, 0, 4, 4, f.Picture, 0, 0);
        BitBlt(f.Screen, 8, 0, 4, 4, f.Picture, 8, 0);
    };
    auto readThenBars = [&f] {
        Pixel sum = 0;
        for (int32_t x = 0; x < 16; ++x) sum += std::as_const(f.Screen).Scanline(2)[x];
        f.Screen.RowForWrite(2, 0, 1)[0] = sum;
        BitBlt(f.Screen, 8, 0, 4, 4, f.Picture, 8, 0);
    };
    f.Frame(bars);
    // The same frame again changes nothing.
    EXPECT_TRUE(f.Frame(bars).IsEmpty());
    EXPECT_TRUE(SamePixels(f.Screen, f.Fresh(bars)));
    // Only the second bar: the first goes back to the old frame.
    auto second = [&f] { BitBlt(f.Screen, 8, 0, 4, 4, f.Picture, 8, 0); };
    EXPECT_EQ(f.Frame(second), (TRect{0, 0, 4, 4}));
    EXPECT_TRUE(SamePixels(f.Screen, f.Fresh(second)));
    f.Frame(bars);
    f.Frame(readThenBars);
    EXPECT_TRUE(SamePixels(f.Screen, f.Fresh(readThenBars)));
}

}  // namespace
}  // namespace corvane
