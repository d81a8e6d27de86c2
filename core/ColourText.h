#pragma once

// Colour text: any CSS colour value, a declaration pasted from a style sheet, the program's own
// code formats and the platform notations read back as an 8-bit sRGB colour; and a colour
// written in the notations of today's CSS and platforms.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/ColourValue.h"

/// What a colour text was read as.
struct typColourTextResult {
    bool blnOk = false;                // a colour was read; otherwise the error fields say why not
    typColour typValue;                // the nearest 8-bit sRGB colour
    bool blnMapped = false;            // the colour lay outside sRGB and was gamut-mapped into it
    bool blnAlphaIgnored = false;      // the alpha was below 1; the colour is used opaque
    double dblAlpha = 1;               // the alpha read, 0..1
    std::size_t intErrorPosition = 0;  // 0-based byte offset of the first thing not understood
    std::string strError;              // a short reason ("unknown colour name")
};

/// Reads a colour text; never throws on any text. The error position lies within the text
/// (at its end when something is missing).
typColourTextResult ParseColourText(std::string_view strText);

/// The notations a colour is written in, in the order the Colour Inspector lists them.
inline constexpr int intColourNotationCount = 14;
inline constexpr int intNotationHex = 0;
inline constexpr int intNotationRgb = 1;
inline constexpr int intNotationHsl = 2;
inline constexpr int intNotationHwb = 3;
inline constexpr int intNotationLab = 4;
inline constexpr int intNotationLch = 5;
inline constexpr int intNotationOklab = 6;
inline constexpr int intNotationOklch = 7;
inline constexpr int intNotationDisplayP3 = 8;
inline constexpr int intNotationCssVariable = 9;
inline constexpr int intNotationQt = 10;
inline constexpr int intNotationSwiftUi = 11;
inline constexpr int intNotationAndroid = 12;
inline constexpr int intNotationFlutter = 13;

/// The captions of the notations, and the keys a command line names them by.
inline constexpr std::array<std::string_view, intColourNotationCount> arrColourNotationCaption{
    "HEX",     "rgb()",      "hsl()",        "hwb()", "lab()",   "lch()",   "oklab()",
    "oklch()", "display-p3", "CSS variable", "Qt",    "SwiftUI", "Android", "Flutter"};
inline constexpr std::array<std::string_view, intColourNotationCount> arrColourNotationKey{
    "hex",   "rgb",        "hsl",          "hwb", "lab",     "lch",     "oklab",
    "oklch", "display-p3", "css-variable", "qt",  "swiftui", "android", "flutter"};

/// Returns the notation of a key ("oklch"), or -1.
int FindColourNotation(std::string_view strKey);

/// Returns the text of a colour in a notation. Numbers with decimals get the fewest decimals,
/// 0 to 5 and the same for each number of the text, with which the text reads back as the same
/// colour; trailing zeros are dropped. strName and intMark give the name of the CSS variable and
/// the Android colour. Throws std::out_of_range for a notation outside 0..13 or a component
/// outside 0..255.
std::string ColourNotationText(int intNotation, std::int16_t intRed, std::int16_t intGreen,
                               std::int16_t intBlue, const std::string& strName, int intMark = 1);

/// Returns the CSS custom property name of a mark's name without its "--": lower case, each run
/// of characters other than a-z, 0-9, "-" and "_" made one "-", trimmed of "-"; "colour-N" for
/// mark N when nothing is left ("Sun Yellow" gives "sun-yellow").
std::string ColourVariableName(const std::string& strName, int intMark);
