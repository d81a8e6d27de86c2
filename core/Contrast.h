#pragma once

// Contrast of a text colour on a background colour: the WCAG 2 contrast ratio and its levels,
// APCA lightness contrast, and the nearest colour of a text colour's hue that passes a level.

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "core/ColourValue.h"

/// The levels a pair is checked against. The first four make the text ladder; non-text (the
/// parts of an interface and graphics that must be seen) is a level of its own, outside it.
enum class ContrastLevel { AaText, AaLargeText, AaaText, AaaLargeText, NonText };
inline constexpr std::int16_t intContrastLevelCount = 5;

/// Returns the ratio a level asks for: 4.5, 3, 7, 4.5 and 3.
double ContrastLevelRatio(ContrastLevel enmLevel);

/// Returns the relative luminance 0..1 of an 8-bit colour (sRGB transfer, Rec. 709 weights).
double RelativeLuminance(const typColour& typValue);

/// Returns the contrast ratio 1..21 of two colours; the order does not matter.
double ContrastRatio(const typColour& typText, const typColour& typBackground);

/// Returns whether an unrounded contrast ratio reaches a level.
bool PassesContrastLevel(double dblRatio, ContrastLevel enmLevel);

/// Returns a contrast ratio cut (not rounded) to two decimals: "4.49" for 4.4999, "21.00".
std::string ContrastRatioText(double dblRatio);

/// Returns the best text level a ratio reaches: "AAA", "AA", "AA large" or "fails".
/// Non-text contrast is not part of this ladder; ask PassesContrastLevel for it.
std::string ContrastGradeText(double dblRatio);

/// Returns the APCA lightness contrast Lc of text on a background (APCA-W3 0.0.98G-4g):
/// positive for dark text on a light background, negative for light on dark, 0 when too low.
double ApcaContrast(const typColour& typText, const typColour& typBackground);

/// Returns an Lc value rounded to one decimal, halves away from zero: "63.1", "-68.5", "0.0".
std::string ApcaContrastText(double dblLc);

/// What a pair of colours shows: the ratio and its text, the best text level, each level's
/// pass or fail (by ContrastLevel) and the APCA value and its text.
struct typContrastReport {
    double dblRatio = 1;
    std::string strRatio;
    std::string strGrade;
    std::array<bool, intContrastLevelCount> arrPasses{};
    double dblApca = 0;
    std::string strApca;
};

/// Returns the contrast report of text on a background.
typContrastReport ContrastReport(const typColour& typText, const typColour& typBackground);

/// Returns the colour nearest to the text colour that passes a level on the background: on the
/// OKLCH line of the text's hue and chroma (chroma reduced only as far as sRGB demands), the
/// lightness closest to the text's that passes once rounded to 8 bits, darker and lighter; the
/// one with the smaller deltaEOK from the text wins, the darker on a tie. A text colour that
/// already passes comes back unchanged; none when neither direction can pass.
std::optional<typColour> NearestPassingColour(const typColour& typText,
                                              const typColour& typBackground,
                                              ContrastLevel enmLevel);
