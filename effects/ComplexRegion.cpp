#include "effects/ComplexRegion.h"

#include <cstdlib>
#include <new>

#include "platform/raster/RegionApi.h"

namespace corvane {

namespace {
void PutWord(uint8_t* p, int32_t value) {
    uint32_t v = uint32_t(value);
    p[0] = uint8_t(v);
    p[1] = uint8_t(v >> 8);
    p[2] = uint8_t(v >> 16);
    p[3] = uint8_t(v >> 24);
}
constexpr int32_t kHeaderBytes = 32, kRectBytes = 16, kGrowth = 500;
}  // namespace

void TComplexRegion::Clear() {
    FRgnData.reset();
    FNextRect = nullptr;
    FCount = 0;
    FCapacity = 0;
    FBounds = TRect{2147483647, 2147483647, -2147483647, -2147483647};
}

void TComplexRegion::AddRect(int32_t Left, int32_t Top, int32_t Right, int32_t Bottom) {
    if (FCount == FCapacity) {
        int32_t capacity = FCapacity + kGrowth;
        size_t bytes = size_t(36) + size_t(kRectBytes) * size_t(capacity);
        void* grown = std::realloc(FRgnData.get(), bytes);
        if (!grown) throw std::bad_alloc();
        FRgnData.release();
        FRgnData.reset(static_cast<uint8_t*>(grown));
        FCapacity = capacity;
        FNextRect = FRgnData.get() + kHeaderBytes + size_t(kRectBytes) * size_t(FCount);
    }
    PutWord(FNextRect, Left);
    PutWord(FNextRect + 4, Top);
    PutWord(FNextRect + 8, Right);
    PutWord(FNextRect + 12, Bottom);
    FNextRect += kRectBytes;
    ++FCount;
    if (Left < FBounds.Left) FBounds.Left = Left;
    if (Top < FBounds.Top) FBounds.Top = Top;
    if (Right > FBounds.Right) FBounds.Right = Right;
    if (Bottom > FBounds.Bottom) FBounds.Bottom = Bottom;
}

std::optional<Region> TComplexRegion::CreateRegion() {
    if (!FRgnData) return std::nullopt;
    uint8_t* header = FRgnData.get();
    PutWord(header, kHeaderBytes);
    PutWord(header + 4, 1);
    PutWord(header + 8, FCount);
    PutWord(header + 12, kRectBytes);
    PutWord(header + 16, FBounds.Left);
    PutWord(header + 20, FBounds.Top);
    PutWord(header + 24, FBounds.Right);
    PutWord(header + 28, FBounds.Bottom);
    return ExtCreateRegion(header, size_t(36) + size_t(kRectBytes) * size_t(FCount));
}

}  // namespace corvane
