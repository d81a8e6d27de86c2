#pragma once

// How a colour is held and how a component becomes text and back.

#include <cstdint>
#include <string>

/// A colour record; the components are stored red, blue, green.
struct typColour {
    std::int32_t lngRed = 0;
    std::int32_t lngBlue = 0;
    std::int32_t lngGreen = 0;
    friend bool operator==(const typColour&, const typColour&) = default;
};

/// Returns red + 256 * green + 65536 * blue.
constexpr std::int32_t PackColour(std::int32_t lngRed, std::int32_t lngGreen,
                                  std::int32_t lngBlue) {
    return lngRed + 256 * lngGreen + 65536 * lngBlue;
}

/// White: the background of the name fields, the samples before their first colour, the code
/// preview and the About window's panel.
inline constexpr std::int32_t lngWhite = PackColour(255, 255, 255);

/// Returns the packed value of a colour record.
constexpr std::int32_t PackColour(const typColour& typValue) {
    return PackColour(typValue.lngRed, typValue.lngGreen, typValue.lngBlue);
}

/// Returns the colour record of a packed value (red in the low byte).
constexpr typColour UnpackColour(std::int32_t lngValue) {
    typColour typValue;
    typValue.lngRed = lngValue & 255;
    typValue.lngGreen = (lngValue / 256) & 255;
    typValue.lngBlue = (lngValue / 65536) & 255;
    return typValue;
}

/// Returns the two-digit upper-case hex text of a byte; throws std::out_of_range outside 0..255.
const std::string& strHexPair(int intValue);

/// Returns "#RRGGBB" for red, green and blue 0..255, upper case; throws outside that range.
std::string HashHexText(std::int32_t lngRed, std::int32_t lngGreen, std::int32_t lngBlue);
inline std::string HashHexText(const typColour& typValue) {
    return HashHexText(typValue.lngRed, typValue.lngGreen, typValue.lngBlue);
}

/// Returns the plain decimal text of a number: no sign for 0 and up, no leading zeros.
std::string DecimalText(std::int32_t lngValue);

/// Returns the text without leading "0" characters, keeping at least one character.
std::string StripLeadingZeros(std::string strText);

/// Returns the component 0..255 a decimal value field holds, or -1.
std::int16_t ParseDecimalComponent(const std::string& strText);

/// Returns the two upper-case hex digits a hex value field holds, or "-1".
std::string ValidateHexComponent(const std::string& strText);
