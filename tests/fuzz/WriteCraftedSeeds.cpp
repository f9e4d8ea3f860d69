// Writes the crafted hostile picture files into the fuzz corpus (one folder per harness), so that
// every fuzzing run starts from them and every build replays them.
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "tests/imaging/CraftedFiles.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s CORPUS-FOLDER\n", argv[0]);
        return 2;
    }
    for (const auto& seed : corvane::testing::CraftedSeeds()) {
        const std::filesystem::path folder = std::filesystem::path(argv[1]) / seed.Folder;
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
