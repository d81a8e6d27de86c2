#pragma once

// Colour-vision deficiencies: how a colour looks with each, and which colours of a palette then
// look alike.

#include <array>
#include <cstdint>
#include <vector>

#include "core/ColourSpaces.h"
#include "core/ColourValue.h"

/// The deficiencies simulated: the three dichromacies (Machado, Oliveira and Fernandes 2009,
/// severity 1.0, in linear sRGB) and achromatopsia (the grey of the relative luminance).
enum class ColourVision { Protanopia, Deuteranopia, Tritanopia, Achromatopsia };
inline constexpr std::int16_t intColourVisionCount = 4;

/// Two simulated colours closer than this deltaEOK are hard to tell apart.
inline constexpr double dblLookAlikeDeltaEOK = 0.05;

/// Returns the linear sRGB a colour is seen as with a deficiency, unclipped (it may leave 0..1).
ColourTriple SimulatedLinearSrgb(ColourVision enmVision, const typColour& typValue);

/// Returns the 8-bit colour a colour is seen as with a deficiency: the simulated linear sRGB
/// clipped to 0..1 in linear light, then sRGB-encoded, halves rounded up.
typColour SimulatedColour(ColourVision enmVision, const typColour& typValue);

/// Two colours of a palette by index (intFirst < intSecond), and the deltaEOK of their
/// simulated 8-bit colours.
struct typLookAlikePair {
    std::int16_t intFirst = 0;
    std::int16_t intSecond = 0;
    double dblDeltaEOK = 0;
};

/// Returns the pairs of colours whose simulated 8-bit colours lie closer than
/// dblLookAlikeDeltaEOK, in index order.
std::vector<typLookAlikePair> LookAlikePairs(ColourVision enmVision,
                                             const std::vector<typColour>& arrColours);

/// Every simulation of a palette: the simulated colour of each colour and the look-alike pairs,
/// both by ColourVision.
struct typPaletteVision {
    std::array<std::vector<typColour>, intColourVisionCount> arrSimulated;
    std::array<std::vector<typLookAlikePair>, intColourVisionCount> arrLookAlike;
};

/// Returns the simulations of a palette under every deficiency.
typPaletteVision PaletteVision(const std::vector<typColour>& arrColours);
