// Costs of the settings dialog's preview: fitting pictures of several sizes to the preview, and
// a picture click with a large photo, timed as the user interface sees it: from the click to the
// picture on the preview, and the longest the user interface's thread went without handling
// events meanwhile (its stall). Runs on Qt's offscreen platform unless QT_QPA_PLATFORM names
// another.

#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>
#include <filesystem>

#include "dialog/CheckListBox.h"
#include "dialog/FormOptions.h"
#include "dialog/ResampleBitmap.h"
#include "imaging/PictureFormats.h"
#include "settings/NyBase.h"
#include "shell/SlideshowLists.h"
#include "tools/common/PictureWriters.h"
#include "tools/samples/Patterns.h"

namespace corvane {
namespace {

void BM_FitToPreview(benchmark::State& state) {
    const Bitmap32 source = MakePattern(3, int32_t(state.range(0)), int32_t(state.range(1)));
    Bitmap32 target;
    for (auto _ : state) {
        ResampleBitmap(152, 112, source, target);
        benchmark::DoNotOptimize(target.Bits());
    }
}
BENCHMARK(BM_FitToPreview)
    ->Args({640, 480})
    ->Args({1920, 1080})
    ->Args({4000, 3000})
    ->Args({8000, 6000})
    ->Unit(benchmark::kMillisecond);

// A dialog on an installation folder of two large JPEG photos.
class TDialogOnPhotos {
  public:
    explicit TDialogOnPhotos(int32_t width, int32_t height) {
        char pattern[] = "/tmp/corvane-preview-bench-XXXXXX";
        FFolder = mkdtemp(pattern);
        std::filesystem::create_directory(FFolder / "Pics");
        for (int i = 0; i < 2; ++i)
            WritePictureFile(MakePattern(i, width, height),
                             (FFolder / "Pics" / ("photo" + std::to_string(i) + ".jpg")).string());
        AppPath = FFolder.string() + "/";
        InitializeSlideshowLists();
        Form = std::make_unique<TfrmOptions>();
        Form->show();
        WaitForPicture();
    }
    ~TDialogOnPhotos() {
        Form.reset();
        FinalizeSlideshowLists();
        AppPath.clear();
        std::filesystem::remove_all(FFolder);
    }

    // Runs the event loop until the picture is on the preview; returns the longest time between
    // two turns of the loop, in milliseconds.
    double WaitForPicture() {
        QElapsedTimer sinceLast;
        sinceLast.start();
        double longest = 0;
        QTimer tick;
        tick.setInterval(1);
        QObject::connect(&tick, &QTimer::timeout, [&] {
            longest = std::max(longest, double(sinceLast.nsecsElapsed()) / 1e6);
            sinceLast.restart();
        });
        tick.start();
        while (Form->PreviewPending())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        return longest;
    }

    std::unique_ptr<TfrmOptions> Form;

  private:
    std::filesystem::path FFolder;
};

void BM_PictureClickWithALargePhoto(benchmark::State& state) {
    TDialogOnPhotos dialog(int32_t(state.range(0)), int32_t(state.range(1)));
    auto* pictures = dialog.Form->findChild<TCheckListBox*>("clPic");
    double stall = 0;
    int row = 0;
    for (auto _ : state) {
        row = 1 - row;
        pictures->SetItemIndex(row);
        dialog.Form->clPicClick();
        stall = std::max(stall, dialog.WaitForPicture());
    }
    state.counters["longest_stall_ms"] = stall;
}
BENCHMARK(BM_PictureClickWithALargePhoto)
    ->Args({6000, 4000})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(6);

}  // namespace
}  // namespace corvane

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    corvane::RegisterPictureFormats();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    corvane::UnregisterPictureFormats();
    return 0;
}
