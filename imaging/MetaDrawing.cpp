#include "imaging/MetaDrawing.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "imaging/DibDecoder.h"
#include "imaging/ImagingErrors.h"
#include "platform/raster/Drawing.h"
#include "platform/raster/RegionApi.h"

namespace corvane {

void MetaObjects::Put(uint32_t index, Slot slot) {
    if (index >= MaxSlots) return;
    for (uint32_t i = uint32_t(FSlots.size()); i < index; ++i) FFree.insert(i);
    if (index >= FSlots.size()) FSlots.resize(index + 1);
    FSlots[index] = slot;
    if (slot.Type == Kind::Empty)
        FFree.insert(index);
    else
        FFree.erase(index);
}

void MetaObjects::PutFirstFree(Slot slot) {
    if (!FFree.empty()) {
        FSlots[*FFree.begin()] = slot;
        FFree.erase(FFree.begin());
    } else if (FSlots.size() < MaxSlots) {
        FSlots.push_back(slot);
    }
}

const MetaObjects::Slot* MetaObjects::Get(uint32_t index) const {
    if (index >= FSlots.size() || FSlots[index].Type == Kind::Empty) return nullptr;
    return &FSlots[index];
}

void MetaObjects::Delete(uint32_t index) {
    if (index >= FSlots.size()) return;
    FSlots[index] = Slot{};
    FFree.insert(index);
}

namespace {

// Clips a polygon to one side of an axis-aligned line (Sutherland-Hodgman). Inside points keep
// the winding number they had, so both fill rules give the same pixels inside the box.
template <typename Inside, typename Cut>
std::vector<PointF> ClipSide(const std::vector<PointF>& in, Inside inside, Cut cut) {
    std::vector<PointF> out;
    if (in.empty()) return out;
    PointF prev = in.back();
    bool prevIn = inside(prev);
    for (const PointF& p : in) {
        const bool pIn = inside(p);
        if (pIn != prevIn) out.push_back(cut(prev, p));
        if (pIn) out.push_back(p);
        prev = p;
        prevIn = pIn;
    }
    return out;
}

std::vector<PointF> ClipToBox(std::vector<PointF> pts, double l, double t, double r, double b) {
    auto atX = [](PointF a, PointF c, double x) {
        return PointF{x, a.Y + (c.Y - a.Y) * (x - a.X) / (c.X - a.X)};
    };
    auto atY = [](PointF a, PointF c, double y) {
        return PointF{a.X + (c.X - a.X) * (y - a.Y) / (c.Y - a.Y), y};
    };
    pts = ClipSide(
        pts, [&](PointF p) { return p.X >= l; }, [&](PointF a, PointF c) { return atX(a, c, l); });
    pts = ClipSide(
        pts, [&](PointF p) { return p.X <= r; }, [&](PointF a, PointF c) { return atX(a, c, r); });
    pts = ClipSide(
        pts, [&](PointF p) { return p.Y >= t; }, [&](PointF a, PointF c) { return atY(a, c, t); });
    pts = ClipSide(
        pts, [&](PointF p) { return p.Y <= b; }, [&](PointF a, PointF c) { return atY(a, c, b); });
    return pts;
}

int32_t RoundCoord(double v) {
    if (!(v > -1e9)) return -1000000000;  // also catches NaN
    if (v > 1e9) return 1000000000;
    return int32_t(std::lround(v));
}

}  // namespace

void FillPolygonOnTarget(Bitmap32& target, std::vector<PointF> points, bool winding, Pixel color,
                         TPictureBudget& budget) {
    if (points.size() < 3 || target.Empty()) return;
    for (const PointF& p : points)
        if (!std::isfinite(p.X) || !std::isfinite(p.Y)) return;
    points = ClipToBox(std::move(points), -2, -2, target.Width() + 2.0, target.Height() + 2.0);
    if (points.size() < 3) return;
    std::vector<TPoint> pixels;
    pixels.reserve(points.size());
    TRect box{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
    for (const PointF& p : points) {
        const TPoint pixel{RoundCoord(p.X), RoundCoord(p.Y)};
        pixels.push_back(pixel);
        box = TRect{std::min(box.Left, pixel.X), std::min(box.Top, pixel.Y),
                    std::max(box.Right, pixel.X), std::max(box.Bottom, pixel.Y)};
    }
    box = Intersect(box, target.Bounds());
    const int64_t rows = std::max<int64_t>(box.Height(), 0);
    const int64_t area = box.IsEmpty() ? 0 : box.Width() * box.Height();
    if (!budget.ChargeWork(area + int64_t(pixels.size()) * (rows + 1))) return;
    const Region region = CreatePolygonRgn(pixels, winding ? WINDING : ALTERNATE);
    for (const TRect& r : region.Rects()) FillRect(target, r, color);
}

void DrawDibOnTarget(Bitmap32& target, PointF corner1, PointF corner2, Bytes info,
                     std::optional<Bytes> bits, int32_t srcX, int32_t srcY, int32_t srcW,
                     int32_t srcH, TPictureBudget& budget) {
    const int32_t x1 = RoundCoord(corner1.X), y1 = RoundCoord(corner1.Y);
    const int32_t x2 = RoundCoord(corner2.X), y2 = RoundCoord(corner2.Y);
    const TRect onTarget =
        Intersect(TRect{std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)},
                  target.Bounds());
    const int64_t touched = onTarget.IsEmpty() ? 0 : onTarget.Width() * onTarget.Height();
    DibImage dib;
    try {
        const DibOptions options{"Metafile is not valid"};
        const DibInfo size = ReadDibInfo(info, options);
        if (!budget.ChargeWork(int64_t(size.Width) * size.Height + touched)) return;
        dib = DecodeDib(info, bits, options, budget);
    } catch (const EInvalidGraphic&) {
        return;  // a record whose bitmap does not decode draws nothing, like any record not played
    }
    if (!dib.TopDown) srcY = ClampCoord(int64_t(dib.Image.Height()) - srcY - srcH);
    StretchBlt(target, x1, y1, ClampCoord(int64_t(x2) - x1), ClampCoord(int64_t(y2) - y1),
               dib.Image, srcX, srcY, srcW, srcH);
}

}  // namespace corvane
