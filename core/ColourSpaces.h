#pragma once

// Colour spaces: 8-bit sRGB and the spaces of CSS colour text, gamut mapping into sRGB and the
// OKLab colour difference. Every component is a double.

#include <array>
#include <cstdint>

#include "core/ColourValue.h"

/// The three components of a colour in one space.
using ColourTriple = std::array<double, 3>;

/// The spaces a colour converts between, with the units of their components:
/// the RGB spaces 0..1 in gamut (sRGB gamma-encoded, SrgbLinear linear light); XYZ with Y 0..1;
/// Lab L 0..100 and a, b; LCH L 0..100, chroma and hue in degrees (D50, as CSS uses them);
/// OKLab L 0..1 and a, b; OKLCH L 0..1, chroma and hue in degrees; HSL hue in degrees, saturation
/// and lightness 0..1; HWB hue in degrees, whiteness and blackness 0..1 (HSL and HWB over sRGB).
enum class ColourSpace {
    Srgb,
    SrgbLinear,
    DisplayP3,
    A98Rgb,
    ProphotoRgb,
    Rec2020,
    XyzD50,
    XyzD65,
    Lab,
    Lch,
    Oklab,
    Oklch,
    Hsl,
    Hwb
};

/// Returns a colour converted from one space to another; hues come out in 0 <= H < 360.
ColourTriple ConvertColour(ColourSpace enmFrom, ColourSpace enmTo, const ColourTriple& arrValue);

/// Returns the 8-bit sRGB colour (0..255 each) in a space.
ColourTriple ColourFromBytes(ColourSpace enmTo, std::int16_t intRed, std::int16_t intGreen,
                             std::int16_t intBlue);

/// The transfer functions of sRGB (and display-p3), extended to negative values by symmetry.
double LinearFromSrgbComponent(double dblValue);
double SrgbFromLinearComponent(double dblValue);

/// Bradford adaptation between the D65 and D50 whites.
ColourTriple XyzD50FromXyzD65(const ColourTriple& arrXyz);
ColourTriple XyzD65FromXyzD50(const ColourTriple& arrXyz);

/// CIE Lab (D50) and its polar form.
ColourTriple LabFromXyzD50(const ColourTriple& arrXyz);
ColourTriple XyzD50FromLab(const ColourTriple& arrLab);

/// OKLab (from and to XYZ D65) and its polar form OKLCH.
ColourTriple OklabFromXyzD65(const ColourTriple& arrXyz);
ColourTriple XyzD65FromOklab(const ColourTriple& arrOklab);
ColourTriple OklchFromOklab(const ColourTriple& arrOklab);
ColourTriple OklabFromOklch(const ColourTriple& arrOklch);

/// Returns the OKLab of an 8-bit sRGB colour.
ColourTriple OklabFromBytes(std::int16_t intRed, std::int16_t intGreen, std::int16_t intBlue);

/// Returns the colour difference deltaEOK of two OKLab colours (straight-line distance).
double DeltaEOK(const ColourTriple& arrOklab1, const ColourTriple& arrOklab2);

/// Returns the chroma below which a hue means nothing: 0.0015 for LCH, 0.000004 for OKLCH.
inline constexpr double dblLchPowerlessChroma = 0.0015;
inline constexpr double dblOklchPowerlessChroma = 0.000004;

/// Returns the sRGB colour (0..1) of a colour brought into sRGB by binary search on OKLCH
/// chroma at constant lightness and hue, deltaEOK against the clipped colour within 0.02, then
/// clipping. A colour already in sRGB comes back unchanged.
ColourTriple GamutMapToSrgb(ColourSpace enmFrom, const ColourTriple& arrValue);

/// The nearest 8-bit colour of a colour in any space, and whether it lay outside sRGB.
struct typSrgbBytes {
    typColour typValue;
    bool blnMapped = false;  // outside sRGB by more than half an 8-bit step, so gamut-mapped
};

/// Returns the nearest 8-bit sRGB colour (halves rounded up) of a gamut-mapped colour. With
/// blnMapOutside false a colour outside sRGB is clipped instead, which is quicker, for callers
/// that only want to know whether it lies outside.
typSrgbBytes NearestSrgbBytes(ColourSpace enmFrom, const ColourTriple& arrValue,
                              bool blnMapOutside = true);

/// Returns a component 0..1 as 0..255, clipped, halves rounded up; 0 for NaN.
std::int16_t ByteOfUnit(double dblValue);
