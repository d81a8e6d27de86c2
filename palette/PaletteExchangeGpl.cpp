// GIMP palettes (.gpl): "GIMP Palette", optional "Name:" and "Columns:" lines, comments after
// "#", and one colour a line: red, green and blue 0..255, then the colour's name.

#include <algorithm>
#include <charconv>  // std::from_chars
#include <cstdio>    // std::snprintf
#include <string>

#include "palette/PaletteExchange.h"
#include "palette/PaletteExchangeText.h"

namespace {

constexpr std::string_view strMagic = "GIMP Palette";

// Reads one whole number of a colour line; its sign and value as the text has them.
bool ReadNumber(std::string_view strToken, int& intValue) {
    if (!strToken.empty() && strToken.front() == '+') strToken.remove_prefix(1);
    long lngValue = 0;
    const auto objResult =
        std::from_chars(strToken.data(), strToken.data() + strToken.size(), lngValue);
    if (objResult.ec == std::errc::result_out_of_range && objResult.ptr == strToken.end()) {
        lngValue = strToken.front() == '-' ? -1 : 256;  // far outside: clamped below
    } else if (objResult.ec != std::errc() || objResult.ptr != strToken.end()) {
        return false;
    }
    intValue = static_cast<int>(std::clamp(lngValue, -1L, 256L));
    return true;
}

std::string OneLine(std::string strText) {
    for (char& c : strText) {
        if (c == '\r' || c == '\n') c = ' ';
    }
    return strText;
}

}  // namespace

std::string WriteGimpPalette(const std::vector<typExchangeColour>& arrColours,
                             const std::string& strPaletteName) {
    std::string strOut =
        std::string(strMagic) + "\nName: " + OneLine(strPaletteName) + "\nColumns: 6\n#\n";
    for (std::size_t i = 0; i < arrColours.size(); ++i) {
        const typColour& typValue = arrColours[i].typValue;
        exchange::LowerHexText(typValue);  // refuses components outside 0..255
        char arrNumbers[16];
        std::snprintf(arrNumbers, sizeof arrNumbers, "%3d %3d %3d\t", typValue.lngRed,
                      typValue.lngGreen, typValue.lngBlue);
        strOut += arrNumbers;
        strOut += OneLine(
            ExchangeName(PaletteFormat::Gpl, arrColours[i].strName, static_cast<int>(i) + 1));
        strOut += '\n';
    }
    return strOut;
}

typImportResult ReadGimpPalette(std::string_view strBytes) {
    std::string_view strText;
    typImportResult typResult = exchange::CheckTextFile(strBytes, strText);
    if (!typResult.strError.empty()) return typResult;
    const std::size_t intBom = strBytes.size() - strText.size();

    bool blnFirst = true;
    bool blnClamped = false;
    for (std::size_t intPos = 0, intEnd = 0; intEnd < strText.size(); intPos = intEnd + 1) {
        intEnd = std::min(strText.find_first_of("\r\n", intPos), strText.size());
        const std::string_view strLine = strText.substr(intPos, intEnd - intPos);
        const std::size_t intLineStart = intBom + intPos;
        if (intEnd + 1 < strText.size() && strText[intEnd] == '\r' && strText[intEnd + 1] == '\n')
            ++intEnd;

        if (blnFirst) {
            blnFirst = false;
            if (strLine.substr(0, strMagic.size()) != strMagic) {
                return exchange::Refusal(strBytes, intLineStart,
                                         "a GIMP palette begins with \"GIMP Palette\"", true);
            }
            continue;
        }
        const std::string_view strTrimmed = exchange::Trimmed(strLine);
        if (strTrimmed.empty() || strTrimmed.front() == '#' || strTrimmed.substr(0, 5) == "Name:" ||
            strTrimmed.substr(0, 8) == "Columns:") {
            continue;
        }
        // Three numbers, each ended by a space or a tab, then the name.
        int arrValue[3] = {0, 0, 0};
        std::string_view strRest = strTrimmed;
        for (int& intValue : arrValue) {
            strRest = exchange::Trimmed(strRest);
            const std::size_t intGap = std::min(strRest.find_first_of(" \t"), strRest.size());
            if (!ReadNumber(strRest.substr(0, intGap), intValue)) {
                return exchange::Refusal(strBytes, intLineStart,
                                         "a colour line holds red, green and blue as whole "
                                         "numbers 0 to 255, then a name",
                                         true);
            }
            strRest.remove_prefix(intGap);
        }
        typExchangeColour typColourRead;
        for (int& intValue : arrValue) {
            if (intValue < 0 || intValue > 255) blnClamped = true;
            intValue = std::clamp(intValue, 0, 255);
        }
        typColourRead.typValue.lngRed = arrValue[0];
        typColourRead.typValue.lngGreen = arrValue[1];
        typColourRead.typValue.lngBlue = arrValue[2];
        typColourRead.strName = std::string(exchange::Trimmed(strRest));
        typResult.arrColours.push_back(std::move(typColourRead));
    }
    if (blnClamped) typResult.arrNotes.push_back("Values outside 0 to 255 were clamped.");
    if (blnFirst) {
        return exchange::Refusal(strBytes, 0, "a GIMP palette begins with \"GIMP Palette\"", true);
    }
    if (typResult.arrColours.empty()) {
        return exchange::Refusal(strBytes, strBytes.size(),
                                 "the palette ends without a colour line", true);
    }
    typResult.blnOk = true;
    return typResult;
}
