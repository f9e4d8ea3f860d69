#pragma once
// The catalogue of the 171 transition effects and the contract of an effect routine.
//
// A routine draws one frame of a transition for one progress value. On entry Screen holds the
// old picture, whole; the routine draws into it the parts of the new picture (Picture, same size,
// read only) that show at this progress. Both bitmaps are W x H, 32 bits per pixel, rows
// bottom-up. X and Y are the progress-scaled width and height (see ProgressExtents). A routine
// keeps no state between frames, removes any clipping it set on Screen before it returns, and
// may draw at any coordinates: what falls outside the bitmap is not drawn.

#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

#include "platform/raster/Bitmap32.h"

namespace corvane {

using TEffectProc = void (*)(Bitmap32& Screen, const Bitmap32& Picture, int32_t W, int32_t H,
                             int32_t X, int32_t Y, int32_t Progress);

// The signature of an effect routine, for the family files.
#define CORVANE_EFFECT(Name)                                                                  \
    void Name([[maybe_unused]] Bitmap32& Screen, [[maybe_unused]] const Bitmap32& Picture,    \
              [[maybe_unused]] int32_t W, [[maybe_unused]] int32_t H,                         \
              [[maybe_unused]] int32_t X, [[maybe_unused]] int32_t Y,                         \
              [[maybe_unused]] int32_t Progress)

struct TEffect {
    const char* Name;
    TEffectProc Proc;
};

// Effect numbers as the player stores them: 0 is "Custom" (no catalogue entry), 1 to 171 the
// entries of the catalogue.
using TShowStyle = uint8_t;

class TEffectCatalog {
public:
    static constexpr int Count = 171;
    // Entry number 1 to Count.
    const TEffect& operator[](int number) const { return FEntries.at(size_t(number - 1)); }
    auto begin() const { return FEntries.begin(); }
    auto end() const { return FEntries.end(); }

    constexpr explicit TEffectCatalog(const std::array<TEffect, Count>& entries)
        : FEntries(entries) {}

private:
    std::array<TEffect, Count> FEntries;
};

extern const TEffectCatalog Effects;

// The effect number of a name as the player's StyleName reads it: "Custom" is 0, otherwise the
// first catalogue entry whose name matches without regard to letter case (so 18 and 25 win over
// 33 and 34, which share their names); -1 when nothing matches.
int EffectNumberOfName(std::string_view name);

}  // namespace corvane
