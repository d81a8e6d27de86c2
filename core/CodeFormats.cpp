#include "core/CodeFormats.h"

#include <cstddef>
#include <stdexcept>

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

// Replaces every occurrence of a four-character code ("%UR%"), left to right and without
// overlap; inserted text is not searched again. strScratch is reused between the steps.
void ReplaceAll(std::string& strText, std::string_view strCode, const std::string& strValue,
                std::string& strScratch) {
    const std::size_t intLength = strText.size();
    std::size_t intCopied = 0;
    std::size_t i = 0;
    while (i + 3 < intLength) {
        if (strText[i] == '%' && strText[i + 1] == strCode[1] && strText[i + 2] == strCode[2] &&
            strText[i + 3] == '%') {
            if (intCopied == 0) strScratch.clear();
            strScratch.append(strText, intCopied, i - intCopied);
            strScratch += strValue;
            i += 4;
            intCopied = i;
        } else {
            ++i;
        }
    }
    if (intCopied == 0) return;
    strScratch.append(strText, intCopied, std::string::npos);
    strText.swap(strScratch);
}

}  // namespace

std::string ExpandCustomTemplate(const std::string& strTemplate, std::int16_t intRed,
                                 std::int16_t intGreen, std::int16_t intBlue) {
    CheckComponents(intRed, intGreen, intBlue);
    if (strTemplate.empty()) return {};
    // Every code starts with "%", so a template without one has nothing to replace.
    if (strTemplate.find('%') == std::string::npos) return strTemplate;
    // Room for every code to grow into a packed value, so neither text is reallocated.
    const std::size_t intRoom = strTemplate.size() * 2 + 16;
    std::string strText;
    std::string strScratch;
    strText.reserve(intRoom);
    strScratch.reserve(intRoom);
    strText = strTemplate;
    ReplaceAll(strText, "%UR%", strHexPair(intRed), strScratch);
    ReplaceAll(strText, "%UG%", strHexPair(intGreen), strScratch);
    ReplaceAll(strText, "%UB%", strHexPair(intBlue), strScratch);
    ReplaceAll(strText, "%LR%", LowerCase(strHexPair(intRed)), strScratch);
    ReplaceAll(strText, "%LG%", LowerCase(strHexPair(intGreen)), strScratch);
    ReplaceAll(strText, "%LB%", LowerCase(strHexPair(intBlue)), strScratch);
    ReplaceAll(strText, "%DR%", DecimalText(intRed), strScratch);
    ReplaceAll(strText, "%DG%", DecimalText(intGreen), strScratch);
    ReplaceAll(strText, "%DB%", DecimalText(intBlue), strScratch);
    ReplaceAll(strText, "%LD%", DecimalText(PackColour(intRed, intGreen, intBlue)), strScratch);
    return strText;
}

std::string ColourCodeText(int intFormat, std::int16_t intRed, std::int16_t intGreen,
                           std::int16_t intBlue, const std::string& strTemplate) {
    CheckComponents(intRed, intGreen, intBlue);
    const auto HtmlHex = [&] { return HashHexText(intRed, intGreen, intBlue); };
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
