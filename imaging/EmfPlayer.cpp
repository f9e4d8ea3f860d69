#include "imaging/EmfPlayer.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "imaging/PictureLimits.h"
#include "platform/MulDiv.h"

namespace corvane {

namespace {

#pragma pack(push, 1)
struct RectL {
    int32_t Left, Top, Right, Bottom;
};
struct EmrHeader {
    uint32_t Type;  // 1
    uint32_t Size;
    RectL Bounds;
    RectL Frame;  // in 0.01 mm, inclusive
    uint32_t Signature;
    uint32_t Version;
    uint32_t Bytes;
    uint32_t Records;
    uint16_t Handles;
    uint16_t Reserved;
    uint32_t DescriptionLength;
    uint32_t DescriptionOffset;
    uint32_t PaletteEntries;
    int32_t DeviceWidth, DeviceHeight;  // pixels
    int32_t DeviceWidthMM, DeviceHeightMM;
};
#pragma pack(pop)
static_assert(sizeof(EmrHeader) == 88);

constexpr uint32_t EmfSignature = 0x464D4520;  // " EMF"

enum : uint32_t {
    EMR_HEADER = 1,
    EMR_POLYGON = 3,
    EMR_POLYPOLYGON = 8,
    EMR_SETWINDOWEXTEX = 9,
    EMR_SETWINDOWORGEX = 10,
    EMR_SETVIEWPORTEXTEX = 11,
    EMR_SETVIEWPORTORGEX = 12,
    EMR_EOF = 14,
    EMR_SETMAPMODE = 17,
    EMR_SETPOLYFILLMODE = 19,
    EMR_SAVEDC = 33,
    EMR_RESTOREDC = 34,
    EMR_SETWORLDTRANSFORM = 35,
    EMR_MODIFYWORLDTRANSFORM = 36,
    EMR_SELECTOBJECT = 37,
    EMR_CREATEPEN = 38,
    EMR_CREATEBRUSHINDIRECT = 39,
    EMR_DELETEOBJECT = 40,
    EMR_RECTANGLE = 43,
    EMR_CREATEPALETTE = 49,
    EMR_BITBLT = 76,
    EMR_STRETCHBLT = 77,
    EMR_SETDIBITSTODEVICE = 80,
    EMR_STRETCHDIBITS = 81,
    EMR_EXTCREATEFONTINDIRECTW = 82,
    EMR_POLYGON16 = 86,
    EMR_POLYPOLYGON16 = 91,
    EMR_CREATEMONOBRUSH = 93,
    EMR_CREATEDIBPATTERNBRUSHPT = 94,
    EMR_EXTCREATEPEN = 95,
};

enum MapMode {
    MM_TEXT = 1,
    MM_LOMETRIC = 2,
    MM_HIMETRIC = 3,
    MM_LOENGLISH = 4,
    MM_HIENGLISH = 5,
    MM_TWIPS = 6,
    MM_ISOTROPIC = 7,
    MM_ANISOTROPIC = 8,
};

struct Record {
    uint32_t Type;
    Bytes Data;  // the whole record, header included

    size_t Size() const { return Data.size(); }
    bool Has(size_t offset, size_t count) const { return InRange(Data, offset, count); }
    uint32_t U(size_t offset) const { return Le32(Data.data() + offset); }
    int32_t S(size_t offset) const { return int32_t(Le32(Data.data() + offset)); }
    int16_t S16(size_t offset) const { return int16_t(Le16(Data.data() + offset)); }
    float F(size_t offset) const {
        float f;
        std::memcpy(&f, Data.data() + offset, 4);
        return f;
    }
};

template <typename Fn>
bool WalkRecords(Bytes data, Fn&& fn) {
    size_t pos = 0;
    while (true) {
        if (!InRange(data, pos, 8)) return false;
        const uint32_t type = Le32(data.data() + pos), size = Le32(data.data() + pos + 4);
        if (size < 8 || size % 4 != 0 || !InRange(data, pos, size)) return false;
        fn(Record{type, data.subspan(pos, size)});
        if (type == EMR_EOF) return true;
        pos += size;
    }
}

// x' = x M11 + y M21 + Dx, y' = x M12 + y M22 + Dy.
struct XForm {
    double M11 = 1, M12 = 0, M21 = 0, M22 = 1, Dx = 0, Dy = 0;

    PointF Apply(double x, double y) const {
        return PointF{x * M11 + y * M21 + Dx, x * M12 + y * M22 + Dy};
    }
    // The transform that applies a first, then b.
    static XForm Then(const XForm& a, const XForm& b) {
        return XForm{a.M11 * b.M11 + a.M12 * b.M21,      a.M11 * b.M12 + a.M12 * b.M22,
                     a.M21 * b.M11 + a.M22 * b.M21,      a.M21 * b.M12 + a.M22 * b.M22,
                     a.Dx * b.M11 + a.Dy * b.M21 + b.Dx, a.Dx * b.M12 + a.Dy * b.M22 + b.Dy};
    }
    bool Finite() const {
        return std::isfinite(M11) && std::isfinite(M12) && std::isfinite(M21) &&
               std::isfinite(M22) && std::isfinite(Dx) && std::isfinite(Dy);
    }
};

struct State {
    int MapMode = MM_TEXT;
    double WinOrgX = 0, WinOrgY = 0, WinExtX = 1, WinExtY = 1;
    double VpOrgX = 0, VpOrgY = 0, VpExtX = 1, VpExtY = 1;
    XForm World;
    MetaBrush Brush{true, MakePixel(255, 255, 255)};  // the default brush is solid white
    bool Winding = false;
};

}  // namespace

bool IsEmf(Bytes data) {
    EmrHeader header{};
    return ReadStruct(data, 0, header) && header.Type == EMR_HEADER &&
           header.Signature == EmfSignature;
}

std::optional<EmfLayout> ReadEmfLayout(Bytes data) {
    EmrHeader h{};
    if (!ReadStruct(data, 0, h) || h.Type != EMR_HEADER || h.Signature != EmfSignature ||
        h.Size < sizeof h)
        return std::nullopt;
    if (!WalkRecords(data, [](const Record&) {})) return std::nullopt;
    if (h.DeviceWidth <= 0 || h.DeviceHeight <= 0 || h.DeviceWidthMM <= 0 || h.DeviceHeightMM <= 0)
        return std::nullopt;
    EmfLayout layout;
    layout.PixelsPerMMX = double(h.DeviceWidth) / h.DeviceWidthMM;
    layout.PixelsPerMMY = double(h.DeviceHeight) / h.DeviceHeightMM;
    const int64_t frameW = int64_t(h.Frame.Right) - h.Frame.Left;
    const int64_t frameH = int64_t(h.Frame.Bottom) - h.Frame.Top;
    if (frameW <= 0 || frameH <= 0 || frameW > INT32_MAX || frameH > INT32_MAX) return std::nullopt;
    layout.FrameLeft = h.Frame.Left * layout.PixelsPerMMX / 100;
    layout.FrameTop = h.Frame.Top * layout.PixelsPerMMY / 100;
    layout.FrameWidth = double(frameW) * layout.PixelsPerMMX / 100;
    layout.FrameHeight = double(frameH) * layout.PixelsPerMMY / 100;
    // The frame is in hundredths of a millimetre; the screen counts 96 pixels to the inch.
    layout.Width = MulDiv(int32_t(frameW), 96, 2540);
    layout.Height = MulDiv(int32_t(frameH), 96, 2540);
    if (layout.Width <= 0 || layout.Height <= 0) return std::nullopt;
    return layout;
}

void PlayEmf(Bytes data, const EmfLayout& layout, Bitmap32& target, const TargetFrame& frame,
             TPictureBudget& budget) {
    State state;
    std::vector<State> saved;
    MetaObjects objects;

    // Logical units -> world transform -> page mapping -> reference device -> target.
    auto map = [&](double x, double y) {
        PointF p = state.World.Apply(x, y);
        double dx = p.X - state.WinOrgX, dy = p.Y - state.WinOrgY;
        switch (state.MapMode) {
            case MM_ISOTROPIC: {
                const double sx = state.VpExtX / state.WinExtX, sy = state.VpExtY / state.WinExtY;
                const double s = std::min(std::fabs(sx), std::fabs(sy));
                dx *= std::copysign(s, sx);
                dy *= std::copysign(s, sy);
                break;
            }
            case MM_ANISOTROPIC:
                dx = dx * state.VpExtX / state.WinExtX;
                dy = dy * state.VpExtY / state.WinExtY;
                break;
            case MM_LOMETRIC:
            case MM_HIMETRIC:
            case MM_LOENGLISH:
            case MM_HIENGLISH:
            case MM_TWIPS: {
                static const double mmPerUnit[] = {0, 0, 0.1, 0.01, 0.254, 0.0254, 25.4 / 1440};
                dx *= mmPerUnit[state.MapMode] * layout.PixelsPerMMX;
                dy *= -mmPerUnit[state.MapMode] * layout.PixelsPerMMY;  // y grows upward
                break;
            }
            default:
                break;
        }
        const double devX = dx + state.VpOrgX, devY = dy + state.VpOrgY;
        return PointF{frame.Left + (devX - layout.FrameLeft) * frame.Width / layout.FrameWidth,
                      frame.Top + (devY - layout.FrameTop) * frame.Height / layout.FrameHeight};
    };
    auto fillRect = [&](double l, double t, double r, double b, Pixel color) {
        FillPolygonOnTarget(target, {map(l, t), map(r, t), map(r, b), map(l, b)}, false, color,
                            budget);
    };
    // The source bitmap of a blit record: header at offBmi (cbBmi bytes), bits at offBits.
    auto blit = [&](const Record& r, size_t offsetsAt, double x, double y, double w, double h,
                    int32_t sx, int32_t sy, int32_t sw, int32_t sh) {
        const uint32_t offBmi = r.U(offsetsAt), cbBmi = r.U(offsetsAt + 4);
        const uint32_t offBits = r.U(offsetsAt + 8), cbBits = r.U(offsetsAt + 12);
        if (!r.Has(offBmi, cbBmi) || !r.Has(offBits, cbBits) || cbBmi == 0) return;
        DrawDibOnTarget(target, map(x, y), map(x + w, y + h), r.Data.subspan(offBmi, cbBmi),
                        r.Data.subspan(offBits, cbBits), sx, sy, sw, sh, budget);
    };
    auto polygon = [&](const Record& r, size_t countAt, size_t pointsAt, bool small) {
        const uint32_t count = r.U(countAt);
        const size_t pointSize = small ? 4 : 8;
        if (!r.Has(pointsAt, uint64_t(count) * pointSize)) return;
        std::vector<PointF> pts;
        for (uint32_t i = 0; i < count; ++i) {
            const size_t at = pointsAt + i * pointSize;
            pts.push_back(small ? map(r.S16(at), r.S16(at + 2)) : map(r.S(at), r.S(at + 4)));
        }
        FillPolygonOnTarget(target, std::move(pts), state.Winding, state.Brush.Color, budget);
    };
    auto polyPolygon = [&](const Record& r, bool small) {
        // bounds, number of polygons, total points, the counts, the points
        const uint32_t polys = r.U(24), total = r.U(28);
        const size_t pointSize = small ? 4 : 8;
        if (!r.Has(32, uint64_t(polys) * 4 + uint64_t(total) * pointSize)) return;
        size_t at = 32 + size_t(polys) * 4;
        uint64_t used = 0;
        for (uint32_t p = 0; p < polys; ++p) {
            const uint32_t count = r.U(32 + size_t(p) * 4);
            if (used + count > total) return;
            std::vector<PointF> pts;
            for (uint32_t i = 0; i < count; ++i, at += pointSize)
                pts.push_back(small ? map(r.S16(at), r.S16(at + 2)) : map(r.S(at), r.S(at + 4)));
            used += count;
            FillPolygonOnTarget(target, std::move(pts), state.Winding, state.Brush.Color, budget);
        }
    };
    auto setExtent = [](double& ex, double& ey, int32_t x, int32_t y) {
        if (x != 0 && y != 0) ex = x, ey = y;
    };

    WalkRecords(data, [&](const Record& r) {
        const size_t n = r.Size();
        switch (r.Type) {
            case EMR_SETWINDOWEXTEX:
                if (n >= 16) setExtent(state.WinExtX, state.WinExtY, r.S(8), r.S(12));
                break;
            case EMR_SETWINDOWORGEX:
                if (n >= 16) state.WinOrgX = r.S(8), state.WinOrgY = r.S(12);
                break;
            case EMR_SETVIEWPORTEXTEX:
                if (n >= 16) setExtent(state.VpExtX, state.VpExtY, r.S(8), r.S(12));
                break;
            case EMR_SETVIEWPORTORGEX:
                if (n >= 16) state.VpOrgX = r.S(8), state.VpOrgY = r.S(12);
                break;
            case EMR_SETMAPMODE:
                if (n >= 12 && r.U(8) >= MM_TEXT && r.U(8) <= MM_ANISOTROPIC)
                    state.MapMode = int(r.U(8));
                break;
            case EMR_SETPOLYFILLMODE:
                if (n >= 12) state.Winding = r.U(8) == 2;
                break;
            case EMR_SAVEDC:
                if (saved.size() < 1024) saved.push_back(state);
                break;
            case EMR_RESTOREDC:
                if (n >= 12) {
                    const int32_t which = r.S(8);
                    const size_t back = which < 0 ? size_t(-int64_t(which)) : 0;
                    if (back > 0 && back <= saved.size()) {
                        state = saved[saved.size() - back];
                        saved.resize(saved.size() - back);
                    }
                }
                break;
            case EMR_SETWORLDTRANSFORM:
            case EMR_MODIFYWORLDTRANSFORM:
                if (n >= 32) {
                    XForm x{r.F(8), r.F(12), r.F(16), r.F(20), r.F(24), r.F(28)};
                    const uint32_t mode =
                        r.Type == EMR_SETWORLDTRANSFORM ? 4 : (n >= 36 ? r.U(32) : 0);
                    XForm next = state.World;
                    if (mode == 1)
                        next = XForm{};  // identity
                    else if (mode == 2)
                        next = XForm::Then(x, state.World);  // left multiply
                    else if (mode == 3)
                        next = XForm::Then(state.World, x);  // right multiply
                    else if (mode == 4)
                        next = x;
                    if (next.Finite()) state.World = next;
                }
                break;
            case EMR_CREATEBRUSHINDIRECT:
                // index, then the brush: style (0 solid), colour, hatch
                if (n >= 24) {
                    MetaBrush brush{r.U(12) == 0, ColorRefToPixel(r.U(16))};
                    objects.Put(r.U(8), {MetaObjects::Kind::Brush, brush});
                }
                break;
            case EMR_CREATEPEN:
            case EMR_CREATEPALETTE:
            case EMR_EXTCREATEFONTINDIRECTW:
            case EMR_CREATEMONOBRUSH:
            case EMR_CREATEDIBPATTERNBRUSHPT:
            case EMR_EXTCREATEPEN:
                if (n >= 12) {
                    // Pattern brushes are brushes that do not fill here.
                    const bool brush =
                        r.Type == EMR_CREATEMONOBRUSH || r.Type == EMR_CREATEDIBPATTERNBRUSHPT;
                    objects.Put(r.U(8),
                                {brush ? MetaObjects::Kind::Brush : MetaObjects::Kind::Other,
                                 MetaBrush{false, 0}});
                }
                break;
            case EMR_SELECTOBJECT:
                if (n >= 12) {
                    const uint32_t index = r.U(8);
                    if (index & 0x80000000u) {
                        // Stock objects: the white, grey and black brushes and the null brush.
                        static const uint8_t grey[] = {255, 192, 128, 64, 0};
                        const uint32_t stock = index & 0x7FFFFFFFu;
                        if (stock <= 4)
                            state.Brush =
                                MetaBrush{true, MakePixel(grey[stock], grey[stock], grey[stock])};
                        if (stock == 5) state.Brush = MetaBrush{false, 0};
                    } else if (const auto* slot = objects.Get(index);
                               slot && slot->Type == MetaObjects::Kind::Brush) {
                        state.Brush = slot->Brush;
                    }
                }
                break;
            case EMR_DELETEOBJECT:
                if (n >= 12) objects.Delete(r.U(8));
                break;
            case EMR_RECTANGLE:
                if (n >= 24 && state.Brush.Solid)
                    fillRect(r.S(8), r.S(12), r.S(16), r.S(20), state.Brush.Color);
                break;
            case EMR_POLYGON:
                if (n >= 28 && state.Brush.Solid) polygon(r, 24, 28, false);
                break;
            case EMR_POLYGON16:
                if (n >= 28 && state.Brush.Solid) polygon(r, 24, 28, true);
                break;
            case EMR_POLYPOLYGON:
            case EMR_POLYPOLYGON16:
                if (n >= 32 && state.Brush.Solid) polyPolygon(r, r.Type == EMR_POLYPOLYGON16);
                break;
            case EMR_BITBLT:
            case EMR_STRETCHBLT: {
                // bounds, xDest, yDest, cxDest, cyDest, rop, xSrc, ySrc, source transform,
                // background colour, usage, offBmi, cbBmi, offBits, cbBits[, cxSrc, cySrc]
                const bool stretch = r.Type == EMR_STRETCHBLT;
                if (n < (stretch ? 108u : 100u)) break;
                const double x = r.S(24), y = r.S(28), w = r.S(32), h = r.S(36);
                const uint32_t rop = r.U(40);
                if (r.U(88) == 0) {  // no source bitmap: a pattern fill
                    if (rop == PATCOPY && state.Brush.Solid)
                        fillRect(x, y, x + w, y + h, state.Brush.Color);
                    else if (rop == BLACKNESS || rop == WHITENESS)
                        fillRect(x, y, x + w, y + h, rop == BLACKNESS ? 0 : 0xFFFFFF);
                } else if (rop == SRCCOPY) {
                    const int32_t sw = stretch ? r.S(100) : int32_t(w);
                    const int32_t sh = stretch ? r.S(104) : int32_t(h);
                    blit(r, 84, x, y, w, h, r.S(44), r.S(48), sw, sh);
                }
                break;
            }
            case EMR_SETDIBITSTODEVICE:
                // bounds, xDest, yDest, xSrc, ySrc, cxSrc, cySrc, offBmi, cbBmi, offBits, cbBits
                if (n >= 76)
                    blit(r, 48, r.S(24), r.S(28), r.S(40), r.S(44), r.S(32), r.S(36), r.S(40),
                         r.S(44));
                break;
            case EMR_STRETCHDIBITS:
                // bounds, xDest, yDest, xSrc, ySrc, cxSrc, cySrc, offBmi, cbBmi, offBits, cbBits,
                // usage, rop, cxDest, cyDest
                if (n >= 80 && r.U(68) == SRCCOPY)
                    blit(r, 48, r.S(24), r.S(28), r.S(72), r.S(76), r.S(32), r.S(36), r.S(40),
                         r.S(44));
                break;
            default:
                break;  // records that pictures do not need are skipped
        }
    });
}

}  // namespace corvane
