// The crafted hostile picture files:
//   corvane_crafted_seeds CORPUS-FOLDER        writes them into the fuzz corpus (one folder per
//                                              harness) as seeds, so that every fuzzing run starts
//                                              from them and every build replays them;
//   corvane_crafted_seeds --reported FOLDER    writes them at the sizes of the reports;
//   corvane_crafted_seeds --probe FILE...      loads each file by its extension, draws it at its
//                                              own size and prints what that cost.
#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>
#include <fstream>

#include "imaging/FileFormatsList.h"
#include "imaging/PictureFormats.h"
#include "tests/imaging/CraftedFiles.h"

namespace {

int Write(const std::filesystem::path& root,
          const std::vector<corvane::testing::CraftedSeed>& files) {
    for (const auto& seed : files) {
        const std::filesystem::path folder = root / seed.Folder;
        std::filesystem::create_directories(folder);
        std::ofstream out(folder / seed.Name, std::ios::binary);
        out.write(reinterpret_cast<const char*>(seed.Bytes.data()),
                  std::streamsize(seed.Bytes.size()));
        if (!out) {
            std::fprintf(stderr, "cannot write %s\n", (folder / seed.Name).c_str());
            return 1;
        }
        std::printf("%s/%s: %zu bytes\n", seed.Folder.c_str(), seed.Name.c_str(),
                    seed.Bytes.size());
    }
    return 0;
}

void Probe(const char* fileName) {
    using namespace corvane;
    const std::string extension = std::filesystem::path(fileName).extension().string();
    const TGraphicClass* graphicClass =
        FileFormats().FindExt(extension.empty() ? "" : extension.substr(1));
    if (!graphicClass) {
        std::printf("%s: no class\n", fileName);
        return;
    }
    auto graphic = graphicClass->Create();
    std::string outcome = "drawn";
    try {
        graphic->LoadFromFile(fileName);
        Bitmap32 own(graphic->Width(), graphic->Height());
        graphic->Draw(own, own.Bounds());
    } catch (const std::exception& e) {
        outcome = e.what();
    }
    const TPictureBudget& b = graphic->Budget();
    std::printf("%s: %s; read %llu bytes, allocated %llu bytes, work %lld of %lld, %lld skipped\n",
                fileName, outcome.c_str(), (unsigned long long)b.BytesRead(),
                (unsigned long long)b.BytesAllocated(), (long long)b.Work(),
                (long long)b.WorkLimit(), (long long)b.SkippedSteps());
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 3 && std::strcmp(argv[1], "--probe") == 0) {
        corvane::RegisterPictureFormats();
        for (int i = 2; i < argc; ++i) Probe(argv[i]);
        return 0;
    }
    if (argc == 3 && std::strcmp(argv[1], "--reported") == 0)
        return Write(argv[2], corvane::testing::CraftedReportFiles());
    if (argc == 2) return Write(argv[1], corvane::testing::CraftedSeeds());
    std::fprintf(stderr, "usage: %s CORPUS-FOLDER | --reported FOLDER | --probe FILE...\n",
                 argv[0]);
    return 2;
}
