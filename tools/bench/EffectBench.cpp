// corvane-bench: the time to compose one frame of each available effect at 1920x1080 and
// 3840x2160, averaged over progress 1 to 99, next to the floor of two plain full-frame copies of
// the same size, and the ratio of the two. Filter by effect number, e.g.
// --benchmark_filter='Effect/14/'.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>

#include "effects/EffectCatalog.h"
#include "effects/FrameComposer.h"
#include "effects/Random.h"
#include "platform/raster/Drawing.h"
#include "tools/samples/Patterns.h"

namespace corvane {
namespace {

struct Size {
    int32_t W, H;
    std::string Name() const { return std::to_string(W) + "x" + std::to_string(H); }
};
const Size kSizes[] = {{1920, 1080}, {3840, 2160}};

// The pictures of one size, made once.
struct Pictures {
    Bitmap32 Old, New, Screen;
};
Pictures& PicturesOf(const Size& s) {
    static std::map<int32_t, Pictures> cache;
    auto it = cache.find(s.W);
    if (it == cache.end())
        it = cache.emplace(s.W, Pictures{MakePattern(0, s.W, s.H), MakePattern(1, s.W, s.H),
                                         Bitmap32(s.W, s.H)})
                 .first;
    return it->second;
}

void ComposeBenchmark(benchmark::State& state, int effect, Size size) {
    Pictures& p = PicturesOf(size);
    SetRandomState(0);
    int progress = 1;
    for (auto _ : state) {
        ComposeFrame(p.Screen, p.Old, p.New, effect, progress);
        benchmark::DoNotOptimize(p.Screen.Bits());
        benchmark::ClobberMemory();
        progress = progress % 99 + 1;
    }
}

void FloorBenchmark(benchmark::State& state, Size size) {
    Pictures& p = PicturesOf(size);
    for (auto _ : state) {
        BitBlt(p.Screen, 0, 0, size.W, size.H, p.Old, 0, 0);
        BitBlt(p.Screen, 0, 0, size.W, size.H, p.New, 0, 0);
        benchmark::DoNotOptimize(p.Screen.Bits());
        benchmark::ClobberMemory();
    }
}

// Prints each effect's ratio to the floor of its size after the usual columns. The floor runs
// first (the filter always lets it through), so its time is known when the effects come.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            const std::string name = run.benchmark_name();
            const std::string size = name.substr(name.rfind('/') + 1);
            const double perFrame = run.GetAdjustedCPUTime();
            if (name.rfind("Floor/", 0) == 0) {
                FFloors[size] = perFrame;
            } else if (FFloors.count(size) && FFloors[size] > 0) {
                std::printf("    ratio to the two-copy floor (%.3f ms): %.2f\n", FFloors[size],
                            perFrame / FFloors[size]);
            }
        }
    }

private:
    std::map<std::string, double> FFloors;  // milliseconds per floor, by size name
};

}  // namespace
}  // namespace corvane

int main(int argc, char** argv) {
    using namespace corvane;
    // The floor always runs, whatever the filter, since every ratio needs it.
    std::vector<std::string> args(argv, argv + argc);
    for (std::string& a : args) {
        const std::string option = "--benchmark_filter=";
        if (a.rfind(option, 0) == 0) a = option + "^Floor/|" + a.substr(option.size());
    }
    std::vector<char*> argvFixed;
    for (std::string& a : args) argvFixed.push_back(a.data());
    int argcFixed = int(argvFixed.size());

    for (const Size& size : kSizes)
        benchmark::RegisterBenchmark(("Floor/" + size.Name()).c_str(), FloorBenchmark, size)
            ->Unit(benchmark::kMillisecond);
    for (int n = 1; n <= TEffectCatalog::Count; ++n) {
        for (const Size& size : kSizes)
            benchmark::RegisterBenchmark(("Effect/" + std::to_string(n) + "/" + size.Name()).c_str(),
                                         ComposeBenchmark, n, size)
                ->Unit(benchmark::kMillisecond);
    }
    benchmark::Initialize(&argcFixed, argvFixed.data());
    if (benchmark::ReportUnrecognizedArguments(argcFixed, argvFixed.data())) return 1;
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
