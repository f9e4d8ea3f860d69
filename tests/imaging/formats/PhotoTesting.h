#pragma once
// What the tests of today's formats share: loading bytes into a class, the picture drawn at its
// own size over a background, and the message of a refused load.

#include <memory>
#include <string>

#include "imaging/Graphic.h"
#include "imaging/ImagingErrors.h"
#include "imaging/Stream.h"
#include "tests/imaging/ImagingFixtures.h"

namespace corvane::testing {

template <typename T>
std::unique_ptr<T> LoadAs(const ByteVec& bytes) {
    TMemoryStream stream(bytes);
    auto graphic = std::make_unique<T>();
    graphic->LoadFromStream(stream);
    return graphic;
}

template <typename T>
std::string LoadErrorOf(const ByteVec& bytes) {
    try {
        LoadAs<T>(bytes);
    } catch (const EInvalidGraphic& e) {
        return e.what();
    }
    return "loaded";
}

inline Bitmap32 DrawnOver(const TGraphic& graphic, Pixel background = 0) {
    Bitmap32 out(graphic.Width(), graphic.Height(), background);
    graphic.Draw(out, TRect{0, 0, graphic.Width(), graphic.Height()});
    return out;
}

// The bytes with the middle third replaced by a run of 0x5A: the headers stay, the data is
// damaged.
inline ByteVec Damaged(ByteVec bytes) {
    for (size_t i = bytes.size() / 3; i < 2 * bytes.size() / 3; ++i) bytes[i] = 0x5A;
    return bytes;
}

}  // namespace corvane::testing
