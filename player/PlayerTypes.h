#pragma once
// The small value types of the transition player: colours, background modes, thread priorities,
// alignment, and the event handler signatures.

#include <cstdint>
#include <functional>

#include "platform/raster/Bitmap32.h"

namespace corvane {

class TCustomTransitionPlayer;

// A colour 0x00BBGGRR; 0xFF0000nn names system colour nn of the user's palette.
using TColor = uint32_t;
constexpr TColor clBlack = 0x00000000;
constexpr TColor clWhite = 0x00FFFFFF;
constexpr TColor clWindow = 0xFF000005;
constexpr TColor clActiveBorder = 0xFF00000A;
constexpr TColor clBtnFace = 0xFF00000F;

enum TBackgroundMode : uint8_t { bmNone, bmTiled, bmStretched, bmCentered };

enum TThreadPriority : uint8_t {
    tpIdle,
    tpLowest,
    tpLower,
    tpNormal,
    tpHigher,
    tpHighest,
    tpTimeCritical
};

// How the control is aligned in its parent; only the automatic size looks at it.
enum TAlign : uint8_t { alNone, alTop, alBottom, alLeft, alRight, alClient };

using TNotifyEvent = std::function<void(TCustomTransitionPlayer& Sender)>;
using TCustomDrawEvent =
    std::function<void(TCustomTransitionPlayer& Sender, Bitmap32& Picture, Bitmap32& Screen)>;

}  // namespace corvane
