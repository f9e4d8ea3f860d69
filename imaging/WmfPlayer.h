#pragma once
// Windows metafiles (with or without the placeable header): the header, the record walk and the
// player. A record is a 32-bit size in 16-bit words (at least 3), a 16-bit function and its
// parameters; the walk ends at the end record, which a valid file must contain.

#include <functional>
#include <optional>

#include "imaging/MetaDrawing.h"

namespace corvane {

struct WmfLayout {
    size_t RecordsStart = 0;  // offset of the first record
    // The window the picture's frame covers, in logical units.
    double WindowLeft = 0, WindowTop = 0, WindowWidth = 0, WindowHeight = 0;
    // The picture's size in pixels.
    int32_t Width = 0;
    int32_t Height = 0;
};

// Reads and checks the headers and every record's extent. A placeable file takes its size from
// its bounding box and units per inch (at 96 pixels per inch); a plain file from its window
// origin and extent records, one logical unit to a pixel. Nothing for a malformed file.
std::optional<WmfLayout> ReadWmfLayout(Bytes data);

// Plays the records onto the target with the layout's window mapped onto the frame, charging
// each drawing record to the budget's work first.
void PlayWmf(Bytes data, const WmfLayout& layout, Bitmap32& target, const TargetFrame& frame,
             TPictureBudget& budget);

}  // namespace corvane
