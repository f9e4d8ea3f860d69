#include "effects/PixelRuns.h"

#include "effects/Random.h"

namespace corvane {

namespace {

// Built for the widest vector unit the machine has. Sanitizer builds keep one version: their
// runtime is not yet up when the version is chosen at load time.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__) && \
    !defined(__SANITIZE_THREAD__) && !defined(__SANITIZE_ADDRESS__)
#define CORVANE_WIDEST_VECTORS __attribute__((target_clones("avx2", "default")))
#else
#define CORVANE_WIDEST_VECTORS
#endif

// k draws of the generator at once: the state s becomes s * Mul + Add.
struct Jump {
    uint32_t Mul = 1, Add = 0;
    constexpr Jump Then(const Jump& next) const {
        return Jump{Mul * next.Mul, Add * next.Mul + next.Add};
    }
};
constexpr Jump kOneDraw{RandomRun::Multiplier, 1u};

constexpr Jump JumpOf(size_t draws) {
    Jump result, power = kOneDraw;
    for (; draws; draws >>= 1, power = power.Then(power))
        if (draws & 1) result = result.Then(power);
    return result;
}

// Random(100) < progress exactly when the state after the draw is below this limit, the
// smallest s with s * 100 >= progress * 2^32.
constexpr uint32_t DrawLimit(int32_t progress) {
    return uint32_t(((uint64_t(uint32_t(progress)) << 32) + 99) / 100);
}

// The draws of a block of pixels: pixel j of a block that starts from state s draws
// s * Mul[j] + Add[j], so that the block's draws are independent of each other.
constexpr size_t kBlock = 64;
struct BlockDraws {
    uint32_t Mul[kBlock], Add[kBlock];
};
constexpr BlockDraws MakeBlockDraws() {
    BlockDraws b{};
    Jump j = kOneDraw;
    for (size_t k = 0; k < kBlock; ++k, j = j.Then(kOneDraw)) {
        b.Mul[k] = j.Mul;
        b.Add[k] = j.Add;
    }
    return b;
}
constexpr BlockDraws kBlockDraws = MakeBlockDraws();
constexpr Jump kBlockJump = JumpOf(kBlock);

}  // namespace

CORVANE_WIDEST_VECTORS
void BlendRun(Pixel* __restrict dest, const Pixel* __restrict src, size_t count, int32_t a) {
    // d + floor((s - d) * a / 256) = floor((d * (256 - a) + s * a) / 256), a sum of at most
    // 255 * 256, so blue and red share one multiply in two 16-bit fields and green takes another.
    const uint32_t wa = uint32_t(a), wd = 256u - uint32_t(a);
    for (size_t i = 0; i < count; ++i) {
        const uint32_t d = dest[i], s = src[i];
        const uint32_t redBlue = (((d & 0xFF00FFu) * wd + (s & 0xFF00FFu) * wa) >> 8) & 0xFF00FFu;
        const uint32_t green = (((d & 0xFF00u) * wd + (s & 0xFF00u) * wa) >> 8) & 0xFF00u;
        dest[i] = (d & 0xFF000000u) | redBlue | green;
    }
}

CORVANE_WIDEST_VECTORS
void DissolveRun(Pixel* __restrict dest, const Pixel* __restrict src, size_t count, uint32_t& state,
                 int32_t progress) {
    if (progress >= 100) {  // every number is below 100
        for (size_t i = 0; i < count; ++i) dest[i] = src[i];
        const Jump all = JumpOf(count);
        state = state * all.Mul + all.Add;
        return;
    }
    const uint32_t limit = progress <= 0 ? 0u : DrawLimit(progress);
    size_t i = 0;
    for (; i + kBlock <= count; i += kBlock) {
        for (size_t j = 0; j < kBlock; ++j) {
            const uint32_t draw = state * kBlockDraws.Mul[j] + kBlockDraws.Add[j];
            dest[i + j] = draw < limit ? src[i + j] : dest[i + j];
        }
        state = state * kBlockJump.Mul + kBlockJump.Add;
    }
    for (; i < count; ++i) {
        state = state * kOneDraw.Mul + kOneDraw.Add;
        if (state < limit) dest[i] = src[i];
    }
}

CORVANE_WIDEST_VECTORS
void SelectRun(Pixel* __restrict dest, const Pixel* __restrict src, const Pixel* __restrict mask,
               size_t count) {
    for (size_t i = 0; i < count; ++i) dest[i] = (src[i] & mask[i]) | (dest[i] & ~mask[i]);
}

}  // namespace corvane
