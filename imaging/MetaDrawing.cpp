#include "imaging/MetaDrawing.h"

#include <cmath>

#include "imaging/DibDecoder.h"
#include "imaging/ImagingErrors.h"
#include "platform/raster/Drawing.h"
#include "platform/raster/RegionApi.h"

namespace corvane {

void MetaObjects::Put(uint32_t index, Slot slot) {
    if (index >= MaxSlots) return;
    if (index >= FSlots.size()) FSlots.resize(index + 1);
    FSlots[index] = slot;
}

void MetaObjects::PutFirstFree(Slot slot) {
    for (Slot& s : FSlots)
        if (s.Type == Kind::Empty) {
            s = slot;
            return;
        }
    if (FSlots.size() < MaxSlots) FSlots.push_back(slot);
}

const MetaObjects::Slot* MetaObjects::Get(uint32_t index) const {
    if (index >= FSlots.size() || FSlots[index].Type == Kind::Empty) return nullptr;
    return &FSlots[index];
}

void MetaObjects::Delete(uint32_t index) {
    if (index < FSlots.size()) FSlots[index] = Slot{};
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

void FillPolygonOnTarget(Bitmap32& target, std::vector<PointF> points, bool winding, Pixel color) {
    if (points.size() < 3 || target.Empty()) return;
    for (const PointF& p : points)
        if (!std::isfinite(p.X) || !std::isfinite(p.Y)) return;
    points = ClipToBox(std::move(points), -2, -2, target.Width() + 2.0, target.Height() + 2.0);
    if (points.size() < 3) return;
    std::vector<TPoint> pixels;
    pixels.reserve(points.size());
    for (const PointF& p : points) pixels.push_back(TPoint{RoundCoord(p.X), RoundCoord(p.Y)});
    const Region region = CreatePolygonRgn(pixels, winding ? WINDING : ALTERNATE);
    for (const TRect& r : region.Rects()) FillRect(target, r, color);
}

void DrawDibOnTarget(Bitmap32& target, PointF corner1, PointF corner2, Bytes info,
                     std::optional<Bytes> bits, int32_t srcX, int32_t srcY, int32_t srcW,
                     int32_t srcH, int64_t& pixelBudget) {
    DibImage dib;
    try {
        const DibOptions options{"Metafile is not valid"};
        const DibInfo size = ReadDibInfo(info, options);
        const int64_t pixels = int64_t(size.Width) * size.Height;
        if (pixels > pixelBudget) return;
        pixelBudget -= pixels;
        dib = DecodeDib(info, bits, options);
    } catch (const EInvalidGraphic&) {
        return;  // a record whose bitmap does not decode draws nothing, like any record not played
    }
    const int32_t x1 = RoundCoord(corner1.X), y1 = RoundCoord(corner1.Y);
    const int32_t x2 = RoundCoord(corner2.X), y2 = RoundCoord(corner2.Y);
    if (!dib.TopDown) srcY = ClampCoord(int64_t(dib.Image.Height()) - srcY - srcH);
    StretchBlt(target, x1, y1, ClampCoord(int64_t(x2) - x1), ClampCoord(int64_t(y2) - y1),
               dib.Image, srcX, srcY, srcW, srcH);
}

}  // namespace corvane
