#pragma once
// Enhanced metafiles: the header, the record walk and the player. A record is a 32-bit type and
// a 32-bit size in bytes (at least 8, a multiple of 4); the first record is the header with the
// " EMF" signature, and the walk ends at the end-of-file record, which a valid file must contain.

#include <optional>

#include "imaging/MetaDrawing.h"

namespace corvane {

struct EmfLayout {
    // The picture's frame in reference-device pixels.
    double FrameLeft = 0, FrameTop = 0, FrameWidth = 0, FrameHeight = 0;
    // Reference-device pixels per millimetre, for the metric mapping modes.
    double PixelsPerMMX = 0, PixelsPerMMY = 0;
    // The picture's size in pixels at 96 pixels per inch.
    int32_t Width = 0;
    int32_t Height = 0;
};

// Reads and checks the header and every record's extent. Nothing for a malformed file.
std::optional<EmfLayout> ReadEmfLayout(Bytes data);
bool IsEmf(Bytes data);

// Plays the records onto the target with the picture's frame mapped onto the given frame,
// charging each drawing record to the budget's work first.
void PlayEmf(Bytes data, const EmfLayout& layout, Bitmap32& target, const TargetFrame& frame,
             TPictureBudget& budget);

}  // namespace corvane
