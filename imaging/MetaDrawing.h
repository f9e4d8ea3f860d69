#pragma once
// What the metafile players share: the graphics state of a playback (the object table with the
// brushes, the selected brush, the fill mode, the saved states) and the drawing operations in
// target pixels (polygon fills with a solid brush, device-independent bitmaps stretched onto a
// rectangle). Shapes are clipped to the target before they are scan-converted, so a record with
// huge coordinates costs no more than one that fits, and each drawing is charged to the
// playback's work budget before it is done; what does not fit is skipped.

#include <optional>
#include <set>
#include <vector>

#include "imaging/ByteReader.h"
#include "imaging/PictureLimits.h"
#include "platform/raster/Bitmap32.h"

namespace corvane {

struct PointF {
    double X = 0;
    double Y = 0;
};

struct MetaBrush {
    bool Solid = false;  // only solid brushes paint; hollow, hatched and pattern brushes do not
    Pixel Color = 0;
};

// The object table of a playback. Index slots hold a brush or some other object (pens, fonts,
// palettes, regions) that fills ignore.
class MetaObjects {
public:
    enum class Kind { Empty, Brush, Other };
    struct Slot {
        Kind Type = Kind::Empty;
        MetaBrush Brush;
    };

    // Puts an object at a given index (enhanced metafiles name their slots); indices beyond the
    // limit are ignored.
    void Put(uint32_t index, Slot slot);
    // Puts an object into the lowest free slot (Windows metafiles).
    void PutFirstFree(Slot slot);
    const Slot* Get(uint32_t index) const;
    void Delete(uint32_t index);

    static constexpr uint32_t MaxSlots = 65536;

private:
    std::vector<Slot> FSlots;
    std::set<uint32_t> FFree;  // the empty slots below FSlots.size(), so that finding one is cheap
};

// Fills the polygon (target pixels) by the winding rule or the even-odd rule. Its cost is the
// box it covers on the target plus its scan conversion (points times rows).
void FillPolygonOnTarget(Bitmap32& target, std::vector<PointF> points, bool winding, Pixel color,
                         TPictureBudget& budget);
// Stretches the source rectangle of the device-independent bitmap (the info block and its bits)
// onto the destination rectangle of the target, given by two opposite corners in target pixels.
// The source's y counts from the bottom row for a bottom-up bitmap, as the records state it. A
// bitmap that does not decode is skipped. Its cost is the bitmap's pixels plus the destination's
// pixels on the target, charged before the bitmap is decoded.
void DrawDibOnTarget(Bitmap32& target, PointF corner1, PointF corner2, Bytes info,
                     std::optional<Bytes> bits, int32_t srcX, int32_t srcY, int32_t srcW,
                     int32_t srcH, TPictureBudget& budget);

// Where the picture's frame lies in target pixels.
struct TargetFrame {
    double Left = 0, Top = 0, Width = 0, Height = 0;
};

// Whether a raster operation is one the players draw: copying the source.
constexpr uint32_t SRCCOPY = 0x00CC0020;
constexpr uint32_t PATCOPY = 0x00F00021;
constexpr uint32_t BLACKNESS = 0x00000042;
constexpr uint32_t WHITENESS = 0x00FF0062;

// The pixel of a colour 0x00BBGGRR.
inline Pixel ColorRefToPixel(uint32_t colorRef) {
    return ColorToPixel(colorRef & 0xFFFFFF);
}

}  // namespace corvane
