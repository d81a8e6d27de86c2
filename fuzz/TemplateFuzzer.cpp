// Feeds arbitrary templates to the Custom code renderer. The first three bytes are the colour,
// the rest is the template. The renderer must agree with a plain find-and-replace written
// independently of it, and must keep UTF-8 text UTF-8.

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/CodeFormats.h"
#include "core/ColourValue.h"

namespace {

void Check(bool blnCondition) {
    if (!blnCondition) std::abort();
}

std::string LowerHex(int intValue) {
    constexpr std::string_view strDigits = "0123456789abcdef";
    return {strDigits[static_cast<std::size_t>(intValue) / 16],
            strDigits[static_cast<std::size_t>(intValue) % 16]};
}

std::string UpperHex(int intValue) {
    constexpr std::string_view strDigits = "0123456789ABCDEF";
    return {strDigits[static_cast<std::size_t>(intValue) / 16],
            strDigits[static_cast<std::size_t>(intValue) % 16]};
}

// Each code in turn, left to right; text put in is not searched again for the same code.
std::string Reference(std::string strText, int intRed, int intGreen, int intBlue) {
    const std::array<std::pair<std::string_view, std::string>, 10> arrCodes = {{
        {"%UR%", UpperHex(intRed)},
        {"%UG%", UpperHex(intGreen)},
        {"%UB%", UpperHex(intBlue)},
        {"%LR%", LowerHex(intRed)},
        {"%LG%", LowerHex(intGreen)},
        {"%LB%", LowerHex(intBlue)},
        {"%DR%", std::to_string(intRed)},
        {"%DG%", std::to_string(intGreen)},
        {"%DB%", std::to_string(intBlue)},
        {"%LD%", std::to_string(intRed + 256 * intGreen + 65536 * intBlue)},
    }};
    for (const auto& [strCode, strValue] : arrCodes) {
        std::size_t intPos = 0;
        while ((intPos = strText.find(strCode, intPos)) != std::string::npos) {
            strText.replace(intPos, strCode.size(), strValue);
            intPos += strValue.size();
        }
    }
    return strText;
}

bool IsValidUtf8(std::string_view strText) {
    std::size_t i = 0;
    while (i < strText.size()) {
        const auto c = static_cast<unsigned char>(strText[i]);
        std::size_t intLength = 1;
        if (c >= 0x80) {
            if (c >= 0xC2 && c <= 0xDF) {
                intLength = 2;
            } else if (c >= 0xE0 && c <= 0xEF) {
                intLength = 3;
            } else if (c >= 0xF0 && c <= 0xF4) {
                intLength = 4;
            } else {
                return false;
            }
            if (strText.size() - i < intLength) return false;
            for (std::size_t j = 1; j < intLength; ++j) {
                if ((static_cast<unsigned char>(strText[i + j]) & 0xC0) != 0x80) return false;
            }
        }
        i += intLength;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* arrData, std::size_t intSize) {
    if (intSize < 3) return 0;
    const auto intRed = static_cast<std::int16_t>(arrData[0]);
    const auto intGreen = static_cast<std::int16_t>(arrData[1]);
    const auto intBlue = static_cast<std::int16_t>(arrData[2]);
    const std::string strTemplate(reinterpret_cast<const char*>(arrData) + 3, intSize - 3);

    const std::string strText = ExpandCustomTemplate(strTemplate, intRed, intGreen, intBlue);
    Check(strText == Reference(strTemplate, intRed, intGreen, intBlue));
    Check(ColourCodeText(intCustomFormat, intRed, intGreen, intBlue, strTemplate) == strText);
    // A code of four characters gives at most eight ("16777215").
    Check(strText.size() <= strTemplate.size() * 2);
    if (strTemplate.find('%') == std::string::npos) Check(strText == strTemplate);
    // Codes are plain ASCII and so are their values: no character is ever split.
    if (IsValidUtf8(strTemplate)) Check(IsValidUtf8(strText));
    return 0;
}
