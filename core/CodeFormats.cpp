#include "core/CodeFormats.h"

#include <cstddef>
#include <stdexcept>
#include <utility>  // std::move

#include "core/ColourValue.h"

namespace {

std::string LowerCase(std::string strText) {
    for (char& chr : strText) {
        if (chr >= 'A' && chr <= 'Z') chr = static_cast<char>(chr - 'A' + 'a');
    }
    return strText;
}

void CheckComponents(std::int16_t intRed, std::int16_t intGreen, std::int16_t intBlue) {
    for (const std::int16_t intValue : {intRed, intGreen, intBlue}) {
        if (intValue < 0 || intValue > 255) throw std::out_of_range("colour component");
    }
}

// Replaces every occurrence of strCode, left to right, without rescanning inserted text.
void ReplaceAll(std::string& strText, std::string_view strCode, const std::string& strValue) {
    std::size_t intPos = strText.find(strCode);
    if (intPos == std::string::npos) return;
    std::string strResult;
    strResult.reserve(strText.size() + strValue.size());
    std::size_t intStart = 0;
    while (intPos != std::string::npos) {
        strResult.append(strText, intStart, intPos - intStart);
        strResult += strValue;
        intStart = intPos + strCode.size();
        intPos = strText.find(strCode, intStart);
    }
    strResult.append(strText, intStart, std::string::npos);
    strText = std::move(strResult);
}

}  // namespace

std::string ExpandCustomTemplate(const std::string& strTemplate, std::int16_t intRed,
                                 std::int16_t intGreen, std::int16_t intBlue) {
    CheckComponents(intRed, intGreen, intBlue);
    if (strTemplate.empty()) return {};
    // Every code starts with "%", so a template without one has nothing to replace.
    if (strTemplate.find('%') == std::string::npos) return strTemplate;
    std::string strText = strTemplate;
    ReplaceAll(strText, "%UR%", strHexPair(intRed));
    ReplaceAll(strText, "%UG%", strHexPair(intGreen));
    ReplaceAll(strText, "%UB%", strHexPair(intBlue));
    ReplaceAll(strText, "%LR%", LowerCase(strHexPair(intRed)));
    ReplaceAll(strText, "%LG%", LowerCase(strHexPair(intGreen)));
    ReplaceAll(strText, "%LB%", LowerCase(strHexPair(intBlue)));
    ReplaceAll(strText, "%DR%", DecimalText(intRed));
    ReplaceAll(strText, "%DG%", DecimalText(intGreen));
    ReplaceAll(strText, "%DB%", DecimalText(intBlue));
    ReplaceAll(strText, "%LD%", DecimalText(PackColour(intRed, intGreen, intBlue)));
    return strText;
}

std::string ColourCodeText(int intFormat, std::int16_t intRed, std::int16_t intGreen,
                           std::int16_t intBlue, const std::string& strTemplate) {
    CheckComponents(intRed, intGreen, intBlue);
    const auto HtmlHex = [&] {
        return "#" + strHexPair(intRed) + strHexPair(intGreen) + strHexPair(intBlue);
    };
    // The VB, C++ and Delphi forms read as the 32-bit number 0x00BBGGRR.
    const auto ReversedHex = [&] {
        return "00" + strHexPair(intBlue) + strHexPair(intGreen) + strHexPair(intRed);
    };
    const auto Packed = [&] { return DecimalText(PackColour(intRed, intGreen, intBlue)); };
    switch (intFormat) {
        case 0:
            return HtmlHex();
        case 1:
            return LowerCase(HtmlHex());
        case 2:
            return "&H" + ReversedHex() + "&";
        case 3:
            return "RGB(" + DecimalText(intRed) + ", " + DecimalText(intGreen) + ", " +
                   DecimalText(intBlue) + ")";
        case 4:
            return LowerCase("0x" + ReversedHex());
        case 5:
            return "$" + ReversedHex();
        case 6:
            return Packed();
        case 7:
            return "ColorTranslator.FromHtml(\"" + HtmlHex() + "\")";
        case 8:
            return "ColorTranslator.FromOle(" + Packed() + ")";
        case 9:
            return "ColorTranslator.FromWin32(" + Packed() + ")";
        case 10:
            return "Color(" + DecimalText(intRed) + "," + DecimalText(intGreen) + "," +
                   DecimalText(intBlue) + ")";
        case intCustomFormat:
            return ExpandCustomTemplate(strTemplate, intRed, intGreen, intBlue);
        default:
            throw std::out_of_range("code format index");
    }
}
