#include "palette/PaletteExchange.h"

#include <algorithm>
#include <array>
#include <map>
#include <set>
#include <stdexcept>

#include "core/ColourText.h"
#include "palette/PaletteExchangeText.h"

namespace exchange {

std::size_t LineOfOffset(std::string_view strText, std::size_t intOffset) {
    std::size_t intLine = 1;
    const std::size_t intEnd = std::min(intOffset, strText.size());
    for (std::size_t i = 0; i < intEnd; ++i) {
        if (strText[i] == '\n' ||
            (strText[i] == '\r' && (i + 1 >= strText.size() || strText[i + 1] != '\n'))) {
            ++intLine;
        }
    }
    return intLine;
}

typImportResult Refusal(std::string_view strText, std::size_t intOffset,
                        const std::string& strReason, bool blnByLine) {
    typImportResult typResult;
    typResult.intErrorOffset = std::min(intOffset, strText.size());
    if (blnByLine) {
        typResult.intErrorLine = LineOfOffset(strText, intOffset);
        typResult.strError = "Line " + std::to_string(typResult.intErrorLine) + ": " + strReason;
    } else {
        typResult.strError =
            "Byte offset " + std::to_string(typResult.intErrorOffset) + ": " + strReason;
    }
    return typResult;
}

typImportResult CheckTextFile(std::string_view strBytes, std::string_view& strText) {
    const std::size_t intBad = FirstInvalidUtf8(strBytes);
    if (intBad != std::string_view::npos) {
        typImportResult typResult = Refusal(strBytes, intBad, "", true);
        typResult.strError = "Line " + std::to_string(typResult.intErrorLine) + ", byte offset " +
                             std::to_string(intBad) + ": the text is not UTF-8";
        return typResult;
    }
    strText = strBytes;
    if (strText.substr(0, 3) == "\xEF\xBB\xBF") strText.remove_prefix(3);
    return {};
}

std::string_view Trimmed(std::string_view strText) {
    const std::size_t intFirst = strText.find_first_not_of(" \t");
    if (intFirst == std::string_view::npos) return {};
    return strText.substr(intFirst, strText.find_last_not_of(" \t") - intFirst + 1);
}

std::vector<std::string> UniqueVariableNames(const std::vector<typExchangeColour>& arrColours) {
    std::vector<std::string> arrNames;
    std::set<std::string> setUsed;
    // The next suffix to try for each name, so that many duplicates take linear time.
    std::map<std::string, int> mapNextSuffix;
    for (std::size_t i = 0; i < arrColours.size(); ++i) {
        const std::string strBase =
            ExchangeName(PaletteFormat::Css, arrColours[i].strName, static_cast<int>(i) + 1);
        std::string strName = strBase;
        if (setUsed.count(strName) != 0) {
            int& intSuffix = mapNextSuffix.try_emplace(strBase, 2).first->second;
            do {
                strName = strBase + "-" + std::to_string(intSuffix++);
            } while (setUsed.count(strName) != 0);
        }
        setUsed.insert(strName);
        arrNames.push_back(strName);
    }
    return arrNames;
}

std::string LowerHexText(const typColour& typValue) {
    for (const std::int32_t lngValue : {typValue.lngRed, typValue.lngGreen, typValue.lngBlue}) {
        if (lngValue < 0 || lngValue > 255) throw std::out_of_range("colour component");
    }
    return ColourNotationText(intNotationHex, static_cast<std::int16_t>(typValue.lngRed),
                              static_cast<std::int16_t>(typValue.lngGreen),
                              static_cast<std::int16_t>(typValue.lngBlue), "");
}

}  // namespace exchange

namespace {

constexpr std::array<std::string_view, intPaletteFormatCount> arrFormatKey{"gpl", "css", "scss",
                                                                           "json", "ase"};

bool IsCssFamily(PaletteFormat enmFormat) {
    return enmFormat == PaletteFormat::Css || enmFormat == PaletteFormat::Scss ||
           enmFormat == PaletteFormat::Json;
}

// A name the writer gives an unnamed colour in its place reads back as no name.
void ForgetUnnamed(PaletteFormat enmFormat, typImportResult& typResult) {
    for (std::size_t i = 0; i < typResult.arrColours.size(); ++i) {
        std::string& strName = typResult.arrColours[i].strName;
        const int intNumber = static_cast<int>(i) + 1;
        const std::string strUnnamed = IsCssFamily(enmFormat)
                                           ? "colour-" + std::to_string(intNumber)
                                           : "Mark " + std::to_string(intNumber);
        if (strName == strUnnamed || (enmFormat == PaletteFormat::Gpl && strName == "Untitled"))
            strName.clear();
    }
}

}  // namespace

std::string_view PaletteFormatKey(PaletteFormat enmFormat) {
    return arrFormatKey.at(static_cast<std::size_t>(enmFormat));
}

std::optional<PaletteFormat> PaletteFormatFromKey(std::string_view strKey) {
    for (std::size_t i = 0; i < arrFormatKey.size(); ++i) {
        if (arrFormatKey[i] == strKey) return static_cast<PaletteFormat>(i);
    }
    return std::nullopt;
}

std::optional<PaletteFormat> PaletteFormatFromPath(std::string_view strPath) {
    const std::size_t intSlash = strPath.find_last_of('/');
    const std::string_view strFile =
        intSlash == std::string_view::npos ? strPath : strPath.substr(intSlash + 1);
    const std::size_t intDot = strFile.find_last_of('.');
    if (intDot == std::string_view::npos || intDot == 0) return std::nullopt;
    std::string strExtension(strFile.substr(intDot + 1));
    for (char& c : strExtension) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return PaletteFormatFromKey(strExtension);
}

std::optional<PaletteFormat> GuessPaletteFormat(std::string_view strPath,
                                                std::string_view strBytes) {
    if (const auto enmFormat = PaletteFormatFromPath(strPath)) return enmFormat;
    if (strBytes.substr(0, 4) == "ASEF") return PaletteFormat::Ase;
    std::string_view strText = strBytes;
    if (strText.substr(0, 3) == "\xEF\xBB\xBF") strText.remove_prefix(3);
    if (strText.substr(0, 12) == "GIMP Palette") return PaletteFormat::Gpl;
    const std::size_t intFirst = strText.find_first_not_of(" \t\r\n");
    if (intFirst != std::string_view::npos && strText[intFirst] == '{') return PaletteFormat::Json;
    // Declarations: "--name:" is CSS, "$name:" at the start of a line SCSS.
    for (const PaletteFormat enmFormat : {PaletteFormat::Css, PaletteFormat::Scss}) {
        const typImportResult typRead = ImportPalette(enmFormat, strBytes);
        if (typRead.blnOk) return enmFormat;
    }
    return std::nullopt;
}

std::string ExchangeName(PaletteFormat enmFormat, const std::string& strName, int intNumber) {
    if (IsCssFamily(enmFormat)) return ColourVariableName(strName, intNumber);
    return strName.empty() ? "Mark " + std::to_string(intNumber) : strName;
}

std::string ExportPalette(PaletteFormat enmFormat, const std::vector<typExchangeColour>& arrColours,
                          const std::string& strPaletteName) {
    switch (enmFormat) {
        case PaletteFormat::Gpl:
            return WriteGimpPalette(arrColours, strPaletteName);
        case PaletteFormat::Css:
            return WriteCssPalette(arrColours);
        case PaletteFormat::Scss:
            return WriteScssPalette(arrColours);
        case PaletteFormat::Json:
            return WriteTokenPalette(arrColours);
        case PaletteFormat::Ase:
            return WriteSwatchPalette(arrColours);
    }
    throw std::out_of_range("palette format");
}

typImportResult ImportPalette(PaletteFormat enmFormat, std::string_view strBytes) {
    typImportResult typResult;
    switch (enmFormat) {
        case PaletteFormat::Gpl:
            typResult = ReadGimpPalette(strBytes);
            break;
        case PaletteFormat::Css:
            typResult = ReadCssPalette(strBytes);
            break;
        case PaletteFormat::Scss:
            typResult = ReadScssPalette(strBytes);
            break;
        case PaletteFormat::Json:
            typResult = ReadTokenPalette(strBytes);
            break;
        case PaletteFormat::Ase:
            typResult = ReadSwatchPalette(strBytes);
            break;
    }
    if (!typResult.blnOk) {
        typResult.arrColours.clear();
        return typResult;
    }
    ForgetUnnamed(enmFormat, typResult);
    return typResult;
}
