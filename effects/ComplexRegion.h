#pragma once
// TComplexRegion collects rectangles and turns them into one region at once.
//
// FRgnData is the platform's region-data block: a 32-byte header of eight little-endian 32-bit
// words (structure size 32, kind 1, number of rectangles, size of one rectangle 16, then the
// bounds Left, Top, Right, Bottom) followed by the rectangles in the order they were added, four
// 32-bit words each. The block has room for 36 + 16 * FCapacity bytes and grows by 500 slots;
// FNextRect points at slot FCount. The header is written only when the region is made.

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <optional>

#include "platform/raster/Region.h"

namespace corvane {

class TComplexRegion {
public:
    TComplexRegion() { Clear(); }
    virtual ~TComplexRegion() = default;
    TComplexRegion(const TComplexRegion&) = delete;
    TComplexRegion& operator=(const TComplexRegion&) = delete;

    void Clear();
    void AddRect(int32_t Left, int32_t Top, int32_t Right, int32_t Bottom);
    // The union of every rectangle added so far, or no region if none ever was.
    std::optional<Region> CreateRegion();

    int32_t Count() const { return FCount; }
    int32_t Capacity() const { return FCapacity; }
    TRect Bounds() const { return FBounds; }
    // The block as the platform reads it (header valid after CreateRegion); null before the first
    // rectangle.
    const uint8_t* Data() const { return FRgnData.get(); }

private:
    struct FreeBlock {
        void operator()(uint8_t* p) const { std::free(p); }
    };
    std::unique_ptr<uint8_t, FreeBlock> FRgnData;
    int32_t FCapacity = 0;
    int32_t FCount = 0;
    TRect FBounds{};
    uint8_t* FNextRect = nullptr;
};

}  // namespace corvane
