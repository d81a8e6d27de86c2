#include "core/Classification.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <stdexcept>

#include "core/NamedColours.h"
#include "core/modSupport.h"

using modSupport::CheckedIndex;

namespace {

constexpr std::array<typColour, intWebsafeCount> arrWebsafe = [] {
    std::array<typColour, intWebsafeCount> arr{};
    for (std::int32_t i = 0; i < intWebsafeCount; ++i) {
        typColour& typValue = arr[static_cast<std::size_t>(i)];
        typValue.lngRed = 51 * (i / 36);
        typValue.lngGreen = 51 * ((i / 6) % 6);
        typValue.lngBlue = 51 * (i % 6);
    }
    return arr;
}();

constexpr std::array<std::int32_t, intWebsafeCount> arrWebsafeValue = [] {
    std::array<std::int32_t, intWebsafeCount> arr{};
    for (std::size_t i = 0; i < arr.size(); ++i) arr[i] = PackColour(arrWebsafe[i]);
    return arr;
}();

// The sixteen colours of the 16-colour display, in the Failsafe window's order.
constexpr std::array<std::int32_t, intFailsafeCount> arrFailsafe{
    PackColour(0, 0, 0),      PackColour(128, 0, 128),   PackColour(0, 0, 128),
    PackColour(0, 128, 128),  PackColour(0, 128, 0),     PackColour(128, 128, 0),
    PackColour(128, 0, 0),    PackColour(128, 128, 128), PackColour(255, 0, 255),
    PackColour(0, 0, 255),    PackColour(0, 255, 255),   PackColour(0, 255, 0),
    PackColour(255, 255, 0),  PackColour(255, 0, 0),     PackColour(192, 192, 192),
    PackColour(255, 255, 255)};

const std::array<std::string, intFailsafeCount>& FailsafeTexts() {
    static const std::array<std::string, intFailsafeCount> arrTexts = [] {
        std::array<std::string, intFailsafeCount> arr;
        for (std::size_t i = 0; i < arr.size(); ++i) {
            arr[i] = HashHexText(UnpackColour(arrFailsafe[i]));
        }
        return arr;
    }();
    return arrTexts;
}

}  // namespace

typColour typWebsafe(int intIndex) { return arrWebsafe.at(CheckedIndex(intIndex)); }

std::int32_t lngWebsafe(int intIndex) { return arrWebsafeValue.at(CheckedIndex(intIndex)); }

std::int32_t lngFailsafe(int intIndex) { return arrFailsafe.at(CheckedIndex(intIndex)); }

const std::string& strFailsafe(int intIndex) { return FailsafeTexts().at(CheckedIndex(intIndex)); }

bool IsWebsafe(std::int32_t lngValue) {
    return std::find(arrWebsafeValue.begin(), arrWebsafeValue.end(), lngValue) !=
           arrWebsafeValue.end();
}

bool IsFailsafe(std::int32_t lngValue) {
    return std::find(arrFailsafe.begin(), arrFailsafe.end(), lngValue) != arrFailsafe.end();
}

bool IsNamedColour(std::int32_t lngValue) { return FindNamedColour(lngValue) >= 0; }

std::string ColourClassLetters(std::int32_t lngValue) {
    std::string strLetters;
    if (IsWebsafe(lngValue)) strLetters += 'W';
    if (IsFailsafe(lngValue)) strLetters += 'F';
    if (IsNamedColour(lngValue)) strLetters += 'J';
    return strLetters;
}
