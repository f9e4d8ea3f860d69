#include "imaging/WmfPlayer.h"

#include <cstdlib>
#include <vector>

#include "imaging/PictureLimits.h"
#include "platform/MulDiv.h"

namespace corvane {

namespace {

#pragma pack(push, 1)
struct PlaceableHeader {
    uint32_t Key;  // 0x9AC6CDD7
    uint16_t Handle;
    int16_t Left, Top, Right, Bottom;
    uint16_t Inch;
    uint32_t Reserved;
    uint16_t Checksum;
};
struct MetaHeader {
    uint16_t Type;        // 1 in memory, 2 on disk
    uint16_t HeaderSize;  // in words: 9
    uint16_t Version;
    uint32_t Size;
    uint16_t NumObjects;
    uint32_t MaxRecord;
    uint16_t NoParameters;
};
#pragma pack(pop)
static_assert(sizeof(PlaceableHeader) == 22);
static_assert(sizeof(MetaHeader) == 18);

enum : uint16_t {
    META_EOF = 0x0000,
    META_SAVEDC = 0x001E,
    META_SETPOLYFILLMODE = 0x0106,
    META_RESTOREDC = 0x0127,
    META_SELECTOBJECT = 0x012D,
    META_DELETEOBJECT = 0x01F0,
    META_SETWINDOWORG = 0x020B,
    META_SETWINDOWEXT = 0x020C,
    META_POLYGON = 0x0324,
    META_RECTANGLE = 0x041B,
    META_POLYPOLYGON = 0x0538,
    META_PATBLT = 0x061D,
    META_DIBBITBLT = 0x0940,
    META_DIBSTRETCHBLT = 0x0B41,
    META_SETDIBTODEV = 0x0D33,
    META_STRETCHDIB = 0x0F43,
    META_CREATEBRUSHINDIRECT = 0x02FC,
    // Other object-creating records take a slot too.
    META_CREATEPALETTE = 0x00F7,
    META_DIBCREATEPATTERNBRUSH = 0x0142,
    META_CREATEPATTERNBRUSH = 0x01F9,
    META_CREATEPENINDIRECT = 0x02FA,
    META_CREATEFONTINDIRECT = 0x02FB,
    META_CREATEREGION = 0x06FF,
};

// One record: its function and its parameter bytes.
struct Record {
    uint16_t Function;
    Bytes Params;

    size_t Words() const { return Params.size() / 2; }
    int16_t S(size_t word) const { return int16_t(Le16(Params.data() + 2 * word)); }
    uint16_t U(size_t word) const { return Le16(Params.data() + 2 * word); }
    uint32_t U32(size_t word) const { return Le32(Params.data() + 2 * word); }
};

// Calls fn for each record up to the end record; false when a record runs past the data or the
// end record is missing.
template <typename Fn>
bool WalkRecords(Bytes data, size_t start, Fn&& fn) {
    size_t pos = start;
    while (true) {
        if (!InRange(data, pos, 6)) return false;
        const uint64_t bytes = uint64_t(Le32(data.data() + pos)) * 2;
        const uint16_t function = Le16(data.data() + pos + 4);
        if (bytes < 6 || !InRange(data, pos, bytes)) return false;
        if (function == META_EOF) return true;
        fn(Record{function, data.subspan(pos + 6, size_t(bytes - 6))});
        pos += size_t(bytes);
    }
}

struct State {
    double OrgX = 0, OrgY = 0, ExtX = 1, ExtY = 1;
    MetaBrush Brush{true, MakePixel(255, 255, 255)};  // the default brush is solid white
    bool Winding = false;
};

}  // namespace

std::optional<WmfLayout> ReadWmfLayout(Bytes data) {
    WmfLayout layout;
    PlaceableHeader placeable{};
    const bool isPlaceable = ReadStruct(data, 0, placeable) && placeable.Key == 0x9AC6CDD7;
    const size_t headerAt = isPlaceable ? sizeof placeable : 0;
    MetaHeader header{};
    if (!ReadStruct(data, headerAt, header) || (header.Type != 1 && header.Type != 2) ||
        header.HeaderSize != 9)
        return std::nullopt;
    layout.RecordsStart = headerAt + sizeof header;

    std::optional<double> orgX, orgY, extX, extY;
    const bool ok = WalkRecords(data, layout.RecordsStart, [&](const Record& r) {
        if (r.Words() < 2) return;
        if (r.Function == META_SETWINDOWORG && !orgX) orgY = r.S(0), orgX = r.S(1);
        if (r.Function == META_SETWINDOWEXT && !extX) extY = r.S(0), extX = r.S(1);
    });
    if (!ok) return std::nullopt;

    if (isPlaceable) {
        const int32_t w = std::abs(int32_t(placeable.Right) - placeable.Left);
        const int32_t h = std::abs(int32_t(placeable.Bottom) - placeable.Top);
        if (placeable.Inch == 0 || w == 0 || h == 0) return std::nullopt;
        layout.WindowLeft = placeable.Left;
        layout.WindowTop = placeable.Top;
        layout.WindowWidth = int32_t(placeable.Right) - placeable.Left;
        layout.WindowHeight = int32_t(placeable.Bottom) - placeable.Top;
        layout.Width = MulDiv(w, 96, placeable.Inch);
        layout.Height = MulDiv(h, 96, placeable.Inch);
    } else {
        if (!extX || *extX == 0 || *extY == 0) return std::nullopt;
        layout.WindowLeft = orgX.value_or(0);
        layout.WindowTop = orgY.value_or(0);
        layout.WindowWidth = *extX;
        layout.WindowHeight = *extY;
        layout.Width = int32_t(std::abs(*extX));
        layout.Height = int32_t(std::abs(*extY));
    }
    if (layout.Width <= 0 || layout.Height <= 0) return std::nullopt;
    return layout;
}

void PlayWmf(Bytes data, const WmfLayout& layout, Bitmap32& target, const TargetFrame& frame,
             TPictureBudget& budget) {
    State state;
    state.OrgX = layout.WindowLeft;
    state.OrgY = layout.WindowTop;
    state.ExtX = layout.WindowWidth;
    state.ExtY = layout.WindowHeight;
    std::vector<State> saved;
    MetaObjects objects;

    auto map = [&](double x, double y) {
        return PointF{frame.Left + (x - state.OrgX) * frame.Width / state.ExtX,
                      frame.Top + (y - state.OrgY) * frame.Height / state.ExtY};
    };
    auto fillRect = [&](double l, double t, double r, double b, Pixel color) {
        FillPolygonOnTarget(target, {map(l, t), map(r, t), map(r, b), map(l, b)}, false, color,
                            budget);
    };
    // The bitmap of a blit record starts at word `at`; the destination is x, y, w, h in logical
    // units and the source rectangle is in the bitmap's pixels.
    auto blit = [&](const Record& r, size_t at, double x, double y, double w, double h, int32_t sx,
                    int32_t sy, int32_t sw, int32_t sh) {
        if (2 * at > r.Params.size()) return;
        DrawDibOnTarget(target, map(x, y), map(x + w, y + h), r.Params.subspan(2 * at),
                        std::nullopt, sx, sy, sw, sh, budget);
    };

    WalkRecords(data, layout.RecordsStart, [&](const Record& r) {
        const size_t n = r.Words();
        switch (r.Function) {
            case META_SETWINDOWORG:
                if (n >= 2) state.OrgY = r.S(0), state.OrgX = r.S(1);
                break;
            case META_SETWINDOWEXT:
                if (n >= 2 && r.S(0) != 0 && r.S(1) != 0) state.ExtY = r.S(0), state.ExtX = r.S(1);
                break;
            case META_SETPOLYFILLMODE:
                if (n >= 1) state.Winding = r.U(0) == 2;
                break;
            case META_SAVEDC:
                if (saved.size() < 1024) saved.push_back(state);
                break;
            case META_RESTOREDC: {
                const int16_t which = n >= 1 ? r.S(0) : -1;
                const size_t back = which < 0 ? size_t(-int32_t(which)) : 0;
                if (back > 0 && back <= saved.size()) {
                    state = saved[saved.size() - back];
                    saved.resize(saved.size() - back);
                }
                break;
            }
            case META_CREATEBRUSHINDIRECT:
                if (n >= 3) {
                    // BS_SOLID is 0; hollow, hatched and pattern brushes do not fill here.
                    MetaBrush brush{r.U(0) == 0, ColorRefToPixel(r.U32(1))};
                    objects.PutFirstFree({MetaObjects::Kind::Brush, brush});
                }
                break;
            case META_CREATEPALETTE:
            case META_DIBCREATEPATTERNBRUSH:
            case META_CREATEPATTERNBRUSH:
            case META_CREATEPENINDIRECT:
            case META_CREATEFONTINDIRECT:
            case META_CREATEREGION:
                objects.PutFirstFree({MetaObjects::Kind::Other, {}});
                break;
            case META_SELECTOBJECT:
                if (n >= 1)
                    if (const auto* slot = objects.Get(r.U(0));
                        slot && slot->Type == MetaObjects::Kind::Brush)
                        state.Brush = slot->Brush;
                break;
            case META_DELETEOBJECT:
                if (n >= 1) objects.Delete(r.U(0));
                break;
            case META_RECTANGLE:
                if (n >= 4 && state.Brush.Solid)
                    fillRect(r.S(3), r.S(2), r.S(1), r.S(0), state.Brush.Color);
                break;
            case META_POLYGON:
                if (n >= 1 && state.Brush.Solid) {
                    const size_t count = std::min<size_t>(r.U(0), (n - 1) / 2);
                    std::vector<PointF> pts;
                    for (size_t i = 0; i < count; ++i)
                        pts.push_back(map(r.S(1 + 2 * i), r.S(2 + 2 * i)));
                    FillPolygonOnTarget(target, std::move(pts), state.Winding, state.Brush.Color,
                                        budget);
                }
                break;
            case META_POLYPOLYGON:
                if (n >= 1 && state.Brush.Solid) {
                    const size_t polys = r.U(0);
                    if (1 + polys > n) break;
                    size_t at = 1 + polys;
                    for (size_t p = 0; p < polys; ++p) {
                        const size_t count = r.U(1 + p);
                        if (at + 2 * count > n) break;
                        std::vector<PointF> pts;
                        for (size_t i = 0; i < count; ++i)
                            pts.push_back(map(r.S(at + 2 * i), r.S(at + 2 * i + 1)));
                        at += 2 * count;
                        FillPolygonOnTarget(target, std::move(pts), state.Winding,
                                            state.Brush.Color, budget);
                    }
                }
                break;
            case META_PATBLT:
                if (n >= 6) {
                    const uint32_t rop = r.U32(0);
                    const double h = r.S(2), w = r.S(3), y = r.S(4), x = r.S(5);
                    if (rop == PATCOPY && state.Brush.Solid)
                        fillRect(x, y, x + w, y + h, state.Brush.Color);
                    else if (rop == BLACKNESS || rop == WHITENESS)
                        fillRect(x, y, x + w, y + h, rop == BLACKNESS ? 0 : 0xFFFFFF);
                }
                break;
            case META_DIBBITBLT:
                // rop, ySrc, xSrc, height, width, yDest, xDest, bitmap; the form without a bitmap
                // has one more word and paints with the brush, which is not played.
                if (n > 9 && r.U32(0) == SRCCOPY)
                    blit(r, 8, r.S(7), r.S(6), r.S(5), r.S(4), r.S(3), r.S(2), r.S(5), r.S(4));
                break;
            case META_DIBSTRETCHBLT:
                // rop, srcHeight, srcWidth, ySrc, xSrc, destHeight, destWidth, yDest, xDest,
                // bitmap.
                if (n > 11 && r.U32(0) == SRCCOPY)
                    blit(r, 10, r.S(9), r.S(8), r.S(7), r.S(6), r.S(5), r.S(4), r.S(3), r.S(2));
                break;
            case META_STRETCHDIB:
                // rop, usage, srcHeight, srcWidth, ySrc, xSrc, destHeight, destWidth, yDest,
                // xDest, bitmap.
                if (n > 11 && r.U32(0) == SRCCOPY)
                    blit(r, 11, r.S(10), r.S(9), r.S(8), r.S(7), r.S(6), r.S(5), r.S(4), r.S(3));
                break;
            case META_SETDIBTODEV:
                // usage, scanCount, startScan, yDib, xDib, height, width, yDest, xDest, bitmap;
                // drawn unscaled.
                if (n > 9)
                    blit(r, 9, r.S(8), r.S(7), r.S(6), r.S(5), r.S(4), r.S(3), r.S(6), r.S(5));
                break;
            default:
                break;  // records that pictures do not need are skipped
        }
    });
}

}  // namespace corvane
