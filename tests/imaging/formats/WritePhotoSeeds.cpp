// Writes small files of today's formats and EXIF blocks as seeds of the fuzz corpus:
//   corvane_photo_seeds tests/fuzz/corpus
#include <filesystem>
#include <fstream>
#include <iostream>

#include "tests/imaging/formats/PhotoFixtures.h"

using namespace corvane;
using namespace corvane::testing;

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "Usage: corvane_photo_seeds CORPUS_DIR\n";
        return 2;
    }
    const std::filesystem::path corpus = argv[1];
    auto write = [&](const std::string& folder, const std::string& name, const ByteVec& bytes) {
        std::filesystem::create_directories(corpus / folder);
        std::ofstream(corpus / folder / name, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    };
    const Bitmap32 blocks = BlockPicture(3, 2, 4);
    const std::vector<uint8_t> alpha(size_t(blocks.Width()) * blocks.Height(), 100);
    write("png", "rgb.png", EncodePngOf(blocks, {}, {}));
    write("png", "rgba16.png", EncodePngOf(blocks, alpha, {6, 16, {}}));
    write("png", "palette-trns.png", EncodePngOf(blocks, alpha, {3, 8, {}}));
    write("png", "grey2.png", EncodePngOf(blocks, {}, {0, 2, {}}));
    write("png", "exif6.png", EncodePngOf(blocks, {}, {2, 8, 6}));
    WebPOptions lossy;
    lossy.Lossless = false;
    WebPOptions exif;
    exif.Orientation = 8;
    WebPOptions animation;
    animation.AnimationFrames = 2;
    write("webp", "lossless.webp", EncodeWebP(blocks, {}, {}));
    write("webp", "lossy.webp", EncodeWebP(blocks, {}, lossy));
    write("webp", "lossy-alpha.webp", EncodeWebP(blocks, alpha, lossy));
    write("webp", "exif8.webp", EncodeWebP(blocks, {}, exif));
    write("webp", "animation.webp", EncodeWebP(blocks, alpha, animation));
    write("heif", "plain.heic", EncodeHeif(blocks, false));
    write("heif", "turned.heic", EncodeHeif(blocks, false, 6));
    write("avif", "plain.avif", EncodeHeif(blocks, true));
    write("avif", "alpha-mirrored.avif", EncodeHeif(blocks, true, 2, true));
    for (int orientation : {1, 3, 6, 8}) {
        const std::string n = std::to_string(orientation);
        write("orientation", "le" + n + ".exif", ExifBlock(orientation, false, true));
        write("orientation", "be" + n + ".tiff", ExifBlock(orientation, true, false));
    }
    return 0;
}
