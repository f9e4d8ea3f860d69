// Costs of the player at 1920 x 1080: composing a frame, painting it, the paint path chosen
// against Qt's own scaled and mirrored drawing, and the CPU use of a whole threaded transition.
// Runs on Qt's offscreen platform unless QT_QPA_PLATFORM names another.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QEventLoop>
#include <QImage>
#include <QPainter>

#include <ctime>
#include <memory>

#include "imaging/Bitmap.h"
#include "platform/raster/Drawing.h"
#include "player/FrameScaler.h"
#include "player/TransitionPlayer.h"

namespace corvane {
namespace {

constexpr int ScreenW = 1920, ScreenH = 1080;

Bitmap32 Gradient(int32_t w, int32_t h, uint8_t blue) {
    Bitmap32 b(w, h);
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x)
            b.SetPixel(x, y, MakePixel(uint8_t(x * 255 / w), uint8_t(y * 255 / h), blue));
    return b;
}

TPicture PictureOf(const Bitmap32& pixels) {
    auto graphic = std::make_unique<TBitmap>();
    graphic->SetImage(pixels);
    TPicture picture;
    picture.SetGraphic(std::move(graphic));
    return picture;
}

double ProcessCpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

double WallSeconds() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

// A player showing a first 1920 x 1080 picture, in Manual mode with the second one prepared.
struct TManualPlayer {
    TTransitionPlayer Player;
    explicit TManualPlayer(bool shown, int style, int32_t w = ScreenW, int32_t h = ScreenH) {
        Player.resize(ScreenW, ScreenH);
        Player.SetStretch(true);
        if (shown) Player.show();
        Player.SetThreaded(false);
        Player.SetStep(100);
        Player.SetPicture(PictureOf(Gradient(w, h, 40)));
        Player.Execute();
        Player.SetManual(true);
        Player.SetStyle(style);
        Player.SetPicture(PictureOf(Gradient(w, h, 220)));
        Player.Execute();
    }
};

// Composing one frame (old frame copied in, effect drawn) at the picture's size; the player is
// hidden, so nothing is painted.
void BM_ComposeFrame(benchmark::State& state) {
    TManualPlayer m(false, int(state.range(0)));
    int progress = 1;
    for (auto _ : state) {
        m.Player.SetProgress(progress);
        progress = progress % 99 + 1;
    }
    state.SetLabel(std::string(m.Player.StyleName()));
}
BENCHMARK(BM_ComposeFrame)->Arg(51)->Arg(5)->Arg(13)->Arg(53)->Unit(benchmark::kMillisecond);

// Painting the frame after a step: the synchronous repaint of the placement (the fast path),
// frame at 1920 x 1080 (arg 0) or 1280 x 720 scaled up (arg 1).
void BM_PaintFrame(benchmark::State& state) {
    const bool scaled = state.range(0) != 0;
    TManualPlayer m(true, 51, scaled ? 1280 : ScreenW, scaled ? 720 : ScreenH);
    m.Player.SetProgress(50);
    QCoreApplication::processEvents();
    const QRect place = ToQRect(m.Player.PlacementRect());
    for (auto _ : state) m.Player.repaint(place);
}
BENCHMARK(BM_PaintFrame)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The whole control repainted (frame, border, background) through PaintFrame.
void BM_PaintWholeControl(benchmark::State& state) {
    TManualPlayer m(true, 51, 1600, 900);
    m.Player.SetStretch(false);
    m.Player.SetCenter(true);
    m.Player.SetFrameWidth(8);
    m.Player.SetProgress(50);
    QCoreApplication::processEvents();
    for (auto _ : state) m.Player.repaint();
}
BENCHMARK(BM_PaintWholeControl)->Unit(benchmark::kMillisecond);

// The paint path as chosen: our nearest-pixel scaling into a top-down buffer, drawn unscaled.
void BM_PathOwnScaleThenDraw(benchmark::State& state) {
    const int32_t w = int32_t(state.range(0)), h = int32_t(state.range(1));
    const Bitmap32 frame = Gradient(w, h, 90);
    Bitmap32 buffer(ScreenW, ScreenH, 0, Bitmap32::RowOrder::TopDown);
    QImage target(ScreenW, ScreenH, QImage::Format_RGB32);
    const TRect place{0, 0, ScreenW, ScreenH};
    for (auto _ : state) {
        ScaleOpaque(buffer, place, frame, place);
        const QImage image(reinterpret_cast<const uchar*>(buffer.Bits()), ScreenW, ScreenH,
                           ScreenW * 4, QImage::Format_RGB32);
        QPainter painter(&target);
        painter.drawImage(0, 0, image);
    }
}
BENCHMARK(BM_PathOwnScaleThenDraw)
    ->Args({1920, 1080})
    ->Args({1280, 720})
    ->Unit(benchmark::kMillisecond);

// The alternative: Qt draws the bottom-up frame itself, mirrored and scaled by a transform.
void BM_PathQtMirroredScaledDraw(benchmark::State& state) {
    const int32_t w = int32_t(state.range(0)), h = int32_t(state.range(1));
    const Bitmap32 frame = Gradient(w, h, 90);
    QImage target(ScreenW, ScreenH, QImage::Format_RGB32);
    for (auto _ : state) {
        const QImage image(reinterpret_cast<const uchar*>(frame.Bits()), w, h, w * 4,
                           QImage::Format_RGB32);
        QPainter painter(&target);
        painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
        painter.translate(0, ScreenH);
        painter.scale(1, -1);
        painter.drawImage(QRect(0, 0, ScreenW, ScreenH), image);
    }
}
BENCHMARK(BM_PathQtMirroredScaledDraw)
    ->Args({1920, 1080})
    ->Args({1280, 720})
    ->Unit(benchmark::kMillisecond);

// A second alternative: Qt's own mirroring copy, then Qt's scaled draw.
void BM_PathQtMirroredCopyThenDraw(benchmark::State& state) {
    const int32_t w = int32_t(state.range(0)), h = int32_t(state.range(1));
    const Bitmap32 frame = Gradient(w, h, 90);
    QImage target(ScreenW, ScreenH, QImage::Format_RGB32);
    for (auto _ : state) {
        const QImage image(reinterpret_cast<const uchar*>(frame.Bits()), w, h, w * 4,
                           QImage::Format_RGB32);
        const QImage upright = image.mirrored(false, true);
        QPainter painter(&target);
        painter.drawImage(QRect(0, 0, ScreenW, ScreenH), upright);
    }
}
BENCHMARK(BM_PathQtMirroredCopyThenDraw)
    ->Args({1920, 1080})
    ->Args({1280, 720})
    ->Unit(benchmark::kMillisecond);

// One whole transition at Delay 40 and Step 4 on a shown 1920 x 1080 player, threaded (arg 1)
// or on the calling thread (arg 0), of the effect (arg 2) between pictures of the size given by
// args 3 and 4 (the screen's without them): process CPU seconds per second of transition.
void BM_WholeTransition(benchmark::State& state) {
    TTransitionPlayer player;
    player.resize(ScreenW, ScreenH);
    player.show();
    player.SetThreaded(state.range(0) != 0);
    player.SetStyle(int(state.range(1)));
    const int32_t w = state.range(2) ? int32_t(state.range(2)) : ScreenW;
    const int32_t h = state.range(3) ? int32_t(state.range(3)) : ScreenH;
    const TPicture pictures[2] = {PictureOf(Gradient(w, h, 40)), PictureOf(Gradient(w, h, 220))};
    QEventLoop loop;
    player.OnStop = [&](TCustomTransitionPlayer&) { loop.quit(); };
    double cpu = 0, wall = 0;
    int turn = 0;
    for (auto _ : state) {
        player.SetPicture(pictures[turn++ % 2]);
        const double cpu0 = ProcessCpuSeconds(), wall0 = WallSeconds();
        player.Execute();
        if (player.Busy()) loop.exec();
        const double seconds = WallSeconds() - wall0;
        cpu += ProcessCpuSeconds() - cpu0;
        wall += seconds;
        state.SetIterationTime(seconds);
    }
    state.counters["cpu_per_second"] = cpu / wall;
    state.SetLabel(player.StyleName());
}
BENCHMARK(BM_WholeTransition)
    ->Args({1, 51, 0, 0})
    ->Args({1, 5, 0, 0})
    ->Args({0, 51, 0, 0})
    // A 24-megapixel photograph: reveals, bars, shreds, blinds, a slide.
    ->Args({1, 5, 6000, 4000})
    ->Args({1, 84, 6000, 4000})
    ->Args({1, 60, 6000, 4000})
    ->Args({1, 65, 6000, 4000})
    ->Args({1, 136, 6000, 4000})
    ->Args({1, 3, 6000, 4000})
    ->UseManualTime()
    ->Iterations(4)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace corvane

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
