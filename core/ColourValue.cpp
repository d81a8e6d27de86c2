#include "core/ColourValue.h"

#include <array>
#include <cstddef>
#include <stdexcept>

namespace {

// Trims U+0020 only; a tab or any other white space stays and makes the text invalid.
std::string TrimSpaces(const std::string& strText) {
    const auto intFirst = strText.find_first_not_of(' ');
    if (intFirst == std::string::npos) return {};
    const auto intLast = strText.find_last_not_of(' ');
    return strText.substr(intFirst, intLast - intFirst + 1);
}

const std::array<std::string, 256>& HexPairTable() {
    static const std::array<std::string, 256> arrTable = [] {
        constexpr const char* strDigits = "0123456789ABCDEF";
        std::array<std::string, 256> arrPairs;
        for (std::size_t i = 0; i < arrPairs.size(); ++i) {
            arrPairs[i] = {strDigits[i / 16], strDigits[i % 16]};
        }
        return arrPairs;
    }();
    return arrTable;
}

}  // namespace

const std::string& strHexPair(int intValue) {
    if (intValue < 0) throw std::out_of_range("strHexPair: negative index");
    return HexPairTable().at(static_cast<std::size_t>(intValue));
}

std::string HashHexText(std::int32_t lngRed, std::int32_t lngGreen, std::int32_t lngBlue) {
    return "#" + strHexPair(lngRed) + strHexPair(lngGreen) + strHexPair(lngBlue);
}

std::string DecimalText(std::int32_t lngValue) { return std::to_string(lngValue); }

std::string StripLeadingZeros(std::string strText) {
    std::size_t intZeros = 0;
    while (intZeros + 1 < strText.size() && strText[intZeros] == '0') ++intZeros;
    strText.erase(0, intZeros);
    return strText;
}

std::int16_t ParseDecimalComponent(const std::string& strText) {
    const std::string strDigits = StripLeadingZeros(TrimSpaces(strText));
    if (strDigits.empty()) return -1;
    std::int32_t lngValue = 0;
    for (const char chr : strDigits) {
        if (chr < '0' || chr > '9') return -1;
        lngValue = lngValue * 10 + (chr - '0');
        // Anything beyond a 16-bit integer is refused, however many digits follow.
        if (lngValue > 32767) return -1;
    }
    if (lngValue > 255) return -1;
    return static_cast<std::int16_t>(lngValue);
}

std::string ValidateHexComponent(const std::string& strText) {
    std::string strHex = TrimSpaces(strText);
    for (char& chr : strHex) {
        if (chr >= 'a' && chr <= 'z') chr = static_cast<char>(chr - 'a' + 'A');
    }
    if (strHex.size() != 2) return "-1";
    for (const char chr : strHex) {
        const bool blnDigit = (chr >= '0' && chr <= '9') || (chr >= 'A' && chr <= 'F');
        if (!blnDigit) return "-1";
    }
    return strHex;
}
