#pragma once
// A region is a set of pixels held as y-x-banded boxes.
//
// Invariant (the canonical form, so that two regions hold the same pixels exactly when their
// bands and spans are equal):
//   - bands are sorted by Top, do not overlap, and each is non-empty (Top < Bottom);
//   - the spans of a band are sorted by Left, each non-empty, and neither overlap nor touch
//     (the Right of one is strictly less than the Left of the next);
//   - two bands that touch (the Bottom of one is the Top of the next) never hold the same spans:
//     they are coalesced into one band.
// Regions are plain values: copying copies the pixel set, and nothing needs deleting.

#include <cstdint>
#include <span>
#include <vector>

#include "platform/raster/Geometry.h"

namespace corvane {

class Region {
public:
    struct Span {
        int32_t Left;
        int32_t Right;
        friend bool operator==(const Span&, const Span&) = default;
    };
    struct Band {
        int32_t Top;
        int32_t Bottom;
        uint32_t First;  // index of the band's first span
        uint32_t Count;  // number of spans, at least 1
    };

    enum class Op { And = 1, Or = 2, Xor = 3, Diff = 4 };

    Region() = default;
    explicit Region(const TRect& r);

    bool IsEmpty() const { return FBands.empty(); }
    // The smallest rectangle holding every pixel; all zero for an empty region.
    TRect Extents() const { return FExtents; }
    bool Contains(int32_t x, int32_t y) const;
    // The number of pixels, for tests and diagnostics.
    int64_t Area() const;

    std::span<const Band> Bands() const { return FBands; }
    std::span<const Span> SpansOf(const Band& b) const {
        return std::span<const Span>(FSpans).subspan(b.First, b.Count);
    }
    // The region as disjoint rectangles, band by band.
    std::vector<TRect> Rects() const;

    void Offset(int32_t dx, int32_t dy);

    static Region Combine(const Region& a, const Region& b, Op op);
    // The union of many rectangles at once; rectangles that cover nothing add nothing.
    static Region FromRects(std::span<const TRect> rects);

    friend bool operator==(const Region& a, const Region& b);

    // Appends bands in increasing y order, keeping the canonical form. The scan converters and
    // the band walker build their results through it.
    class Builder {
    public:
        // Adds the spans (sorted by Left, possibly touching or empty) over rows [top, bottom).
        // top must not be above the bottom of the last band added.
        void AddBand(int32_t top, int32_t bottom, std::span<const Span> spans);
        Region Finish();

    private:
        std::vector<Band> FBands;
        std::vector<Span> FSpans;
        std::vector<Span> FScratch;
    };

private:
    std::vector<Band> FBands;
    std::vector<Span> FSpans;
    TRect FExtents{};

    void ComputeExtents();
};

}  // namespace corvane
