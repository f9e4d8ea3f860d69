#include "effects/EffectCatalog.h"

#include <algorithm>
#include <cctype>

#include "effects/families/Bars.h"
#include "effects/families/Blinds.h"
#include "effects/families/CornerTransitions.h"
#include "effects/families/CrossesAndDiamonds.h"
#include "effects/families/CurvedReveals.h"
#include "effects/families/DiagonalReveals.h"
#include "effects/families/EdgeTransitions.h"
#include "effects/families/FadeAndSpeckles.h"
#include "effects/families/GridsAndVReveals.h"
#include "effects/families/PivotsAndPushes.h"
#include "effects/families/PixelateAndDissolve.h"
#include "effects/families/RectangularShredAndSweeps.h"
#include "effects/families/RotatingShapes.h"
#include "effects/families/UnevenShreds.h"

namespace corvane {

// The effect numbers are stored in the settings file's effect playlist: entries are never added,
// removed or reordered. Names are kept exactly as they have always been shown, misspellings
// included.
const TEffectCatalog Effects(std::array<TEffect, TEffectCatalog::Count>{
    TEffect{"Expand from right", edge::ExpandFromRight},  // 1
    TEffect{"Expand from left", edge::ExpandFromLeft},  // 2
    TEffect{"Slide in from right", edge::SlideInFromRight},  // 3
    TEffect{"Slide in from left", edge::SlideInFromLeft},  // 4
    TEffect{"Reveal from left", edge::RevealFromLeft},  // 5
    TEffect{"Reveal from right", edge::RevealFromRight},  // 6
    TEffect{"Expand in from right", edge::ExpandInFromRight},  // 7
    TEffect{"Expand in from left", edge::ExpandInFromLeft},  // 8
    TEffect{"Expand in to middle", edge::ExpandInToMiddle},  // 9
    TEffect{"Expand out from middle", edge::ExpandOutFromMiddle},  // 10
    TEffect{"Reveal out from middle", edge::RevealOutFromMiddle},  // 11
    TEffect{"Reveal in from sides", edge::RevealInFromSides},  // 12
    TEffect{"Expand in from sides", edge::ExpandInFromSides},  // 13
    TEffect{"Unroll from left", edge::UnrollFromLeft},  // 14
    TEffect{"Unroll from right", edge::UnrollFromRight},  // 15
    TEffect{"Build up from right", edge::BuildUpFromRight},  // 16
    TEffect{"Build up from left", edge::BuildUpFromLeft},  // 17
    TEffect{"Expand from bottom", edge::ExpandFromBottom},  // 18
    TEffect{"Expand from top", edge::ExpandFromTop},  // 19
    TEffect{"Slide in from bottom", edge::SlideInFromBottom},  // 20
    TEffect{"Slide in from top", edge::SlideInFromTop},  // 21
    TEffect{"Reveal from top", edge::RevealFromTop},  // 22
    TEffect{"Reveal from bottom", edge::RevealFromBottom},  // 23
    TEffect{"Expand in from bottom", edge::ExpandInFromBottom},  // 24
    TEffect{"Expand in from top", edge::ExpandInFromTop},  // 25
    TEffect{"Expand in to middle (horiz)", edge::ExpandInToMiddleHoriz},  // 26
    TEffect{"Expand out from middle (horiz)", edge::ExpandOutFromMiddleHoriz},  // 27
    TEffect{"Reveal from middle (horiz)", edge::RevealFromMiddleHoriz},  // 28
    TEffect{"Slide in from top / bottom", edge::RevealInFromTopBottom},  // 29
    TEffect{"Expand in from top / bottom", edge::ExpandInFromTopBottom},  // 30
    TEffect{"Unroll from top", edge::UnrollFromTop},  // 31
    TEffect{"Unroll from bottom", edge::UnrollFromBottom},  // 32
    TEffect{"Expand from bottom", edge::BuildUpFromBottom},  // 33
    TEffect{"Expand in from top", edge::BuildUpFromTop},  // 34
    TEffect{"Expand from bottom right", corner::ExpandFromBottomRight},  // 35
    TEffect{"Expand from top right", corner::ExpandFromTopRight},  // 36
    TEffect{"Expand from top left", corner::ExpandFromTopLeft},  // 37
    TEffect{"Expand from bottom left", corner::ExpandFromBottomLeft},  // 38
    TEffect{"Slide in from bottom right", corner::SlideInFromBottomRight},  // 39
    TEffect{"Slide in from top right", corner::SlideInFromTopRight},  // 40
    TEffect{"Slide in from top left", corner::SlideInFromTopLeft},  // 41
    TEffect{"Slide in from bottom left", corner::SlideInFromBottomLeft},  // 42
    TEffect{"Reveal from top left", corner::RevealFromTopLeft},  // 43
    TEffect{"Reveal from bottom left", corner::RevealFromBottomLeft},  // 44
    TEffect{"Reveal from bottom right", corner::RevealFromBottomRight},  // 45
    TEffect{"Reveal from top right", corner::RevealFromTopRight},  // 46
    TEffect{"Appear and Contract to top left", corner::AppearAndContractToTopLeft},  // 47
    TEffect{"Appear and Contract to bottom left", corner::AppearAndContractToBottomLeft},  // 48
    TEffect{"Appear and Contract to bottom right", corner::AppearAndContractToBottomRight},  // 49
    TEffect{"Appear and Contract to top right", corner::AppearAndContractToTopRight},  // 50
    TEffect{"Appear and Contract to middle", corner::AppearAndContractToMiddle},  // 51
    TEffect{"Expand out from centre", corner::ExpandOutFromCentre},  // 52
    TEffect{"Reveal out from centre", corner::RevealOutFromCentre},  // 53
    TEffect{"Reveal in to centre", corner::RevealInToCentre},  // 54
    TEffect{"Quarters Reveal in to middle", corner::QuartersRevealInToMiddle},  // 55
    TEffect{"Quarters Expand to middle", corner::QuartersExpandToMiddle},  // 56
    TEffect{"Quarters Slide in to middle", corner::QuartersSlideInToMiddle},  // 57
    TEffect{"Curved Reveal from left", curved::CurvedRevealFromLeft},  // 58
    TEffect{"Curved Reveal from right", curved::CurvedRevealFromRight},  // 59
    TEffect{"Bars in from right", bars::BarsInFromRight},  // 60
    TEffect{"Bars in from left", bars::BarsInFromLeft},  // 61
    TEffect{"Bars left then right", bars::BarsLeftThenRight},  // 62
    TEffect{"Bars right then left", bars::BarsRightThenLeft},  // 63
    TEffect{"Bars from both sides", bars::BarsFromBothSides},  // 64
    TEffect{"Uneven shred from right", shred::UnevenShredFromRight},  // 65
    TEffect{"Uneven shred from left", shred::UnevenShredFromLeft},  // 66
    TEffect{"Uneven shred out from middle (horiz)", shred::UnevenShredOutFromMiddleHoriz},  // 67
    TEffect{"Uneven shred in to middle (horiz)", shred::UnevenShredInToMiddleHoriz},  // 68
    TEffect{"Curved Reveal from top", curved::CurvedRevealFromTop},  // 69
    TEffect{"Curved Reveal from bottom", curved::CurvedRevealFromBottom},  // 70
    TEffect{"Bars from bottom", bars::BarsFromBottom},  // 71
    TEffect{"Bars from top", bars::BarsFromTop},  // 72
    TEffect{"Bars top then bottom", bars::BarsTopThenBottom},  // 73
    TEffect{"Bars bottom then top", bars::BarsBottomThenTop},  // 74
    TEffect{"Bars from top and bottom", bars::BarsFromTopAndBottom},  // 75
    TEffect{"Unven shred from bottom", shred::UnevenShredFromBottom},  // 76
    TEffect{"Uneven shred from top", shred::UnevenShredFromTop},  // 77
    TEffect{"Uneven shred from horizon", shred::UnevenShredFromHorizon},  // 78
    TEffect{"Uneven shred in to horizon", shred::UnevenShredInToHorizon},  // 79
    TEffect{"Curved reveal from top left", curved::CurvedRevealFromTopLeft},  // 80
    TEffect{"Curved reveal from top right", curved::CurvedRevealFromTopRight},  // 81
    TEffect{"Curved reveal from bottom left", curved::CurvedRevealFromBottomLeft},  // 82
    TEffect{"Curved reveal from bottom right", curved::CurvedRevealFromBottomRight},  // 83
    TEffect{"Elliptic reveal out from centre", curved::EllipticRevealOutFromCentre},  // 84
    TEffect{"Elliptic reveal in to centre", curved::EllipticRevealInToCentre},  // 85
    TEffect{"Criss Cross reveal from bottom right", bars::CrissCrossFromBottomRight},  // 86
    TEffect{"Criss Cross reveal from top right", bars::CrissCrossFromTopRight},  // 87
    TEffect{"Criss Cross reveal from bottom left", bars::CrissCrossFromBottomLeft},  // 88
    TEffect{"Criss Cross reveal from top left", bars::CrissCrossFromTopLeft},  // 89
    TEffect{"Criss Cross reveal bounce from top left", bars::CrissCrossBounceFromTopLeft},  // 90
    TEffect{"Criss Cross reveal bounce from bottom left", bars::CrissCrossBounceFromBottomLeft},  // 91
    TEffect{"Criss Cross reveal bounce from top right", bars::CrissCrossBounceFromTopRight},  // 92
    TEffect{"Criss Cross reveal bounce from bottom right", bars::CrissCrossBounceFromBottomRight},  // 93
    TEffect{"Criss Cross reveal from right top and bottom", bars::CrissCrossFromRightTopAndBottom},  // 94
    TEffect{"Criss Cross reveal from left top and bottom", bars::CrissCrossFromLeftTopAndBottom},  // 95
    TEffect{"Criss Cross reveal from left right and bottom", bars::CrissCrossFromLeftRightAndBottom},  // 96
    TEffect{"Criss Cross reveal from left right and top", bars::CrissCrossFromLeftRightAndTop},  // 97
    TEffect{"Criss Cross reveal from top left right and bottom", bars::CrissCrossFromTopLeftRightAndBottom},  // 98
    TEffect{"Criss Cross reveal from bottom left top right", bars::CrissCrossFromBottomLeftTopRight},  // 99
    TEffect{"Uneven shred from bottom and right", shred::UnevenShredFromBottomAndRight},  // 100
    TEffect{"Uneven shred from top and right", shred::UnevenShredFromTopAndRight},  // 101
    TEffect{"Uneven shred from bottom and left", shred::UnevenShredFromBottomAndLeft},  // 102
    TEffect{"Uneven shred from top and left", shred::UnevenShredFromTopAndLeft},  // 103
    TEffect{"Uneven shred from horiz and right", shred::UnevenShredFromHorizAndRight},  // 104
    TEffect{"Uneven shred from horiz and left", shred::UnevenShredFromHorizAndLeft},  // 105
    TEffect{"Uneven shred from bottom and vert middle", shred::UnevenShredFromBottomAndVertMiddle},  // 106
    TEffect{"Uneven shred from top and vert middle", shred::UnevenShredFromTopAndVertMiddle},  // 107
    TEffect{"Uneven shred from centre", shred::UnevenShredFromCentre},  // 108
    TEffect{"Uneven shred to centre", shred::UnevenShredToCentre},  // 109
    TEffect{"Reveal diagonal from top left", diagonal::RevealDiagonalFromTopLeft},  // 110
    TEffect{"Reveal diagonal from top right", diagonal::RevealDiagonalFromTopRight},  // 111
    TEffect{"Reveal diagonal from bottom left", diagonal::RevealDiagonalFromBottomLeft},  // 112
    TEffect{"Reveal diagonal from bottom right", diagonal::RevealDiagonalFromBottomRight},  // 113
    TEffect{"Diagonal sweep from top left bottom right anticlockwise", diagonal::DiagonalSweepAnticlockwise},  // 114
    TEffect{"Diagonal sweep from top left bottom right clockwise", diagonal::DiagonalSweepClockwise},  // 115
    TEffect{"Starburst clockwise from center", diagonal::StarburstClockwise},  // 116
    TEffect{"Triangular shred", diagonal::TriangularShred},  // 117
    TEffect{"Fade", speckle::Fade},  // 118
    TEffect{"Pivot from top left", push::PivotFromTopLeft},  // 119
    TEffect{"Pivot from bottom left", push::PivotFromBottomLeft},  // 120
    TEffect{"Pivot from top right", push::PivotFromTopRight},  // 121
    TEffect{"Pivot from bottom right", push::PivotFromBottomRight},  // 122
    TEffect{"Speckle appear from right", speckle::SpeckleAppearFromRight},  // 123
    TEffect{"Speckle appear from left", speckle::SpeckleAppearFromLeft},  // 124
    TEffect{"Speckle appear from bottom", speckle::SpeckleAppearFromBottom},  // 125
    TEffect{"Speckle appear from top", speckle::SpeckleAppearFromTop},  // 126
    TEffect{"Random squares appear", speckle::RandomSquaresAppear},  // 127
    TEffect{"Push right", push::PushRight},  // 128
    TEffect{"Push left", push::PushLeft},  // 129
    TEffect{"Push and squeeze right", push::PushAndSqueezeRight},  // 130
    TEffect{"Push and squeeze left", push::PushAndSqueezeLeft},  // 131
    TEffect{"Push down", push::PushDown},  // 132
    TEffect{"Push up", push::PushUp},  // 133
    TEffect{"Push and sqeeze down", push::PushAndSqueezeDown},  // 134
    TEffect{"Push and sqeeze up", push::PushAndSqueezeUp},  // 135
    TEffect{"Blind vertically", blinds::BlindVertically},  // 136
    TEffect{"Blind horizontally", blinds::BlindHorizontally},  // 137
    TEffect{"Uneven blind from left", blinds::UnevenBlindFromLeft},  // 138
    TEffect{"Uneven blind from right", blinds::UnevenBlindFromRight},  // 139
    TEffect{"Uneven blind from top", blinds::UnevenBlindFromTop},  // 140
    TEffect{"Uneven blind from bottom", blinds::UnevenBlindFromBottom},  // 141
    TEffect{"Rectangular shred", sweeps::RectangularShred},  // 142
    TEffect{"Sweep clockwise", sweeps::SweepClockwise},  // 143
    TEffect{"Sweep anticlockwise", sweeps::SweepAnticlockwise},  // 144
    TEffect{"Rectangles apear from left and disapear to right", grids::RectanglesFromLeft},  // 145
    TEffect{"Rectangles apear from right and disapear to left", grids::RectanglesFromRight},  // 146
    TEffect{"Rectangles apear from up and disapear to bottom", grids::RectanglesFromTop},  // 147
    TEffect{"Rectangles apear from bottom and disapear to up", grids::RectanglesFromBottom},  // 148
    TEffect{"Rotational rectangle in center", rotating::RotationalRectangleInCenter},  // 149
    TEffect{"Rotational star in center", rotating::RotationalStarInCenter},  // 150
    TEffect{"Spiral rectangle", rotating::SpiralRectangle},  // 151
    TEffect{"Circular shred", rotating::CircularShred},  // 152
    TEffect{"Reveal V from left", grids::RevealVFromLeft},  // 153
    TEffect{"Reveal V from right", grids::RevealVFromRight},  // 154
    TEffect{"Reveal V from top", grids::RevealVFromTop},  // 155
    TEffect{"Reveal V from bottom", grids::RevealVFromBottom},  // 156
    TEffect{"Bow Tie Horizontal", grids::BowTieHorizontal},  // 157
    TEffect{"Bow Tie Vertical", grids::BowTieVertical},  // 158
    TEffect{"Diagonal Cross In", crosses::DiagonalCrossIn},  // 159
    TEffect{"Diagonal Cross Out", crosses::DiagonalCrossOut},  // 160
    TEffect{"Starburst anticlockwise from center",
            rotating::StarburstAnticlockwiseFromCenter},  // 161
    TEffect{"Zigzag Horizontal", crosses::ZigzagHorizontal},  // 162
    TEffect{"Zigzag Vertical", crosses::ZigzagVertical},  // 163
    TEffect{"Diamond shred", rotating::DiamondShred},  // 164
    TEffect{"Reveal diamond out from centre", crosses::RevealDiamondOutFromCentre},  // 165
    TEffect{"Reveal diamond in to centre", crosses::RevealDiamondInToCentre},  // 166
    TEffect{"Diagonal Box Out", crosses::DiagonalBoxOut},  // 167
    TEffect{"Pixelate", dissolve::Pixelate},  // 168
    TEffect{"Dissolve", dissolve::Dissolve},  // 169
    TEffect{"Random Bars Horizontal", dissolve::RandomBarsHorizontal},  // 170
    TEffect{"Random Bars Vertical", dissolve::RandomBarsVertical},  // 171
});

namespace {
bool SameTextIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}
}  // namespace

int EffectNumberOfName(std::string_view name) {
    if (SameTextIgnoringCase(name, "Custom")) return 0;
    for (int n = 1; n <= TEffectCatalog::Count; ++n)
        if (SameTextIgnoringCase(name, Effects[n].Name)) return n;
    return -1;
}

}  // namespace corvane
