// corvane-samples: writes the project's own procedural pictures into a folder.
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <string>

#include "tools/common/PictureWriters.h"
#include "tools/samples/Patterns.h"

namespace {
const char kUsage[] =
    "Usage: corvane-samples --out DIR [--count N] [--size WxH] [--format bmp|png|jpg|webp]\n"
    "                       [--photo]\n"
    "Writes N procedural pictures (default 10, 1920x1080, bmp) named NN-pattern.ext into DIR.\n"
    "--photo makes pictures with a photograph's gradients, texture and grain instead\n"
    "(named NN-photo.ext), which compress and decode as camera pictures do.\n";

bool ParseInt(const std::string& s, int& value) {
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    return !s.empty() && ec == std::errc() && end == s.data() + s.size();
}
}  // namespace

int main(int argc, char** argv) {
    std::string out, format = "bmp";
    int count = corvane::PatternCount, width = 1920, height = 1080;
    bool photo = false;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        std::string value = i + 1 < argc ? argv[i + 1] : "";
        bool ok = true;
        if (a == "--out") {
            out = value;
            ++i;
        } else if (a == "--count") {
            ok = ParseInt(value, count) && count > 0 && count <= 10000;
            ++i;
        } else if (a == "--size") {
            auto x = value.find('x');
            ok = x != std::string::npos && ParseInt(value.substr(0, x), width) &&
                 ParseInt(value.substr(x + 1), height) && width > 0 && height > 0 &&
                 int64_t(width) * height <= (int64_t(1) << 28);
            ++i;
        } else if (a == "--format") {
            format = value;
            ok = format == "bmp" || format == "png" || format == "jpg" || format == "webp";
            ++i;
        } else if (a == "--photo") {
            photo = true;
        } else if (a == "--help") {
            std::cout << kUsage;
            return 0;
        } else {
            ok = false;
        }
        if (!ok) {
            std::cerr << "corvane-samples: bad option " << a << " " << value << "\n" << kUsage;
            return 2;
        }
    }
    if (out.empty()) {
        std::cerr << kUsage;
        return 2;
    }
    std::error_code ec;
    std::filesystem::create_directories(out, ec);
    if (ec) {
        std::cerr << "corvane-samples: cannot create " << out << ": " << ec.message() << "\n";
        return 2;
    }
    for (int i = 0; i < count; ++i) {
        char name[64];
        std::snprintf(name, sizeof name, "%02d-%s.%s", i + 1,
                      photo ? "photo" : corvane::PatternName(i).c_str(), format.c_str());
        try {
            const corvane::Bitmap32 picture = photo ? corvane::MakePhotoLike(i, width, height)
                                                    : corvane::MakePattern(i, width, height);
            corvane::WritePictureFile(picture, (std::filesystem::path(out) / name).string());
        } catch (const std::exception& e) {
            std::cerr << "corvane-samples: cannot write " << e.what() << "\n";
            return 2;
        }
    }
    return 0;
}
