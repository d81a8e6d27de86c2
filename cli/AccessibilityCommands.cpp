#include "cli/AccessibilityCommands.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "cli/CliSupport.h"
#include "cli/HuevraCli.h"
#include "core/ColourText.h"
#include "core/ColourValue.h"
#include "core/ColourVision.h"
#include "core/Contrast.h"
#include "palette/PaletteFile.h"
#include "palette/PaletteModel.h"

namespace {

// The keys of the deficiencies and the levels, in the order of their enums.
constexpr std::array<std::string_view, intColourVisionCount> arrVisionKey{
    "protanopia", "deuteranopia", "tritanopia", "achromatopsia"};
constexpr std::array<std::string_view, intContrastLevelCount> arrLevelKey{"AA", "AA-large", "AAA",
                                                                          "AAA-large", "non-text"};

struct typMarkPair {
    int intText = 0;  // 0-based marks
    int intBackground = 0;
};

struct typAccessibilityRequest {
    std::string strCommand;
    bool blnHelp = false;
    bool blnVersion = false;
    bool blnJson = false;
    std::optional<ColourVision> enmVision;
    std::optional<int> intNotation;
    std::optional<ContrastLevel> enmLevel;
    std::vector<typMarkPair> arrPairs;
    std::vector<std::string> arrOperands;
};

template <class Key, std::size_t N>
std::optional<Key> FindKey(const std::array<std::string_view, N>& arrKeys,
                           std::string_view strKey) {
    for (std::size_t i = 0; i < N; ++i) {
        if (arrKeys[i] == strKey) return static_cast<Key>(i);
    }
    return std::nullopt;
}

template <std::size_t N>
std::string KeyList(const std::array<std::string_view, N>& arrKeys) {
    std::string strText;
    for (std::size_t i = 0; i < N; ++i) {
        if (i > 0) strText += i + 1 == N ? " or " : ", ";
        strText += arrKeys[i];
    }
    return strText;
}

// Reads "TEXT:BACKGROUND", two marks 1 to 6.
std::optional<typMarkPair> ReadMarkPair(std::string_view strValue) {
    if (strValue.size() != 3 || strValue[1] != ':') return std::nullopt;
    const int intText = strValue[0] - '1';
    const int intBackground = strValue[2] - '1';
    if (intText < 0 || intText >= intMarkCount || intBackground < 0 ||
        intBackground >= intMarkCount) {
        return std::nullopt;
    }
    return typMarkPair{intText, intBackground};
}

// The command each option belongs to.
std::string_view OptionCommand(std::string_view strOption) {
    if (strOption == "--json") return "contrast";
    if (strOption == "--type" || strOption == "--to") return "simulate";
    if (strOption == "--pair" || strOption == "--level") return "check-palette";
    return "";
}

// Reads the option strOption with its value into the request; returns a usage error, or "".
std::string ReadOption(const std::string& strOption, const std::string& strValue,
                       typAccessibilityRequest& typRead) {
    auto twice = [&](bool blnGiven) {
        return blnGiven ? "option " + strOption + " is given twice" : std::string();
    };
    if (strOption == "--type") {
        if (typRead.enmVision) return twice(true);
        typRead.enmVision = FindKey<ColourVision>(arrVisionKey, strValue);
        if (!typRead.enmVision) {
            return "unknown deficiency " + CliQuoted(strValue) + " for --type; it is one of " +
                   KeyList(arrVisionKey);
        }
    } else if (strOption == "--to") {
        if (typRead.intNotation) return twice(true);
        const int intNotation = FindColourNotation(strValue);
        if (intNotation < 0) {
            return "unknown notation " + CliQuoted(strValue) +
                   " for --to (huevra-cli --help lists them)";
        }
        typRead.intNotation = intNotation;
    } else if (strOption == "--level") {
        if (typRead.enmLevel) return twice(true);
        typRead.enmLevel = FindKey<ContrastLevel>(arrLevelKey, strValue);
        if (!typRead.enmLevel) {
            return "unknown level " + CliQuoted(strValue) + " for --level; it is one of " +
                   KeyList(arrLevelKey);
        }
    } else {
        const std::optional<typMarkPair> typPair = ReadMarkPair(strValue);
        if (!typPair) {
            return "cannot read the pair " + CliQuoted(strValue) +
                   " of --pair: give TEXT:BACKGROUND, two marks 1 to 6";
        }
        if (typPair->intText == typPair->intBackground)
            return "the pair " + CliQuoted(strValue) + " of --pair puts a mark on itself";
        typRead.arrPairs.push_back(*typPair);
    }
    return "";
}

// Reads the arguments after the command; returns the message of a usage error, or "".
std::string ParseAccessibilityArguments(const std::vector<std::string>& arrArgs,
                                        typAccessibilityRequest& typRead) {
    typRead.strCommand = arrArgs.front();
    bool blnOptionsEnded = false;
    for (std::size_t i = 1; i < arrArgs.size(); ++i) {
        const std::string& strArg = arrArgs[i];
        if (blnOptionsEnded || strArg.size() < 2 || strArg.front() != '-') {
            typRead.arrOperands.push_back(strArg);
            continue;
        }
        if (strArg == "--") {
            blnOptionsEnded = true;
            continue;
        }
        if (strArg == "--help" || strArg == "-h") {
            typRead.blnHelp = true;
            return "";
        }
        if (strArg == "--version") {
            typRead.blnVersion = true;
            return "";
        }
        std::string strOption;
        std::string strValue;
        const bool blnHasValue = SplitCliOption(strArg, strOption, strValue);
        const std::string_view strOwner = OptionCommand(strOption);
        if (strOwner.empty()) {
            return "unknown option " + CliQuoted(strOption) + " for " + typRead.strCommand +
                   " (huevra-cli --help lists the options)";
        }
        if (strOwner != typRead.strCommand) {
            return "option " + strOption + " belongs to " + std::string(strOwner) + ", not to " +
                   typRead.strCommand;
        }
        if (strOption == "--json") {
            if (blnHasValue) return "option --json takes no value";
            typRead.blnJson = true;
            continue;
        }
        if (!blnHasValue) {
            if (i + 1 >= arrArgs.size()) return "option " + strOption + " needs a value";
            strValue = arrArgs[++i];
        }
        const std::string strError = ReadOption(strOption, strValue, typRead);
        if (!strError.empty()) return strError;
    }

    const std::size_t intOperands = typRead.arrOperands.size();
    if (typRead.strCommand == "contrast") {
        if (intOperands != 2) {
            return "contrast takes two colours, TEXT and BACKGROUND, not " +
                   std::to_string(intOperands);
        }
    } else if (typRead.strCommand == "simulate") {
        if (!typRead.enmVision) return "simulate needs --type " + KeyList(arrVisionKey);
        if (intOperands == 0) return "simulate needs at least one colour";
    } else {
        if (intOperands != 1) {
            return "check-palette takes one palette file, not " + std::to_string(intOperands);
        }
        if (typRead.enmLevel && typRead.arrPairs.empty())
            return "--level applies to the pairs of --pair, and none is given";
    }
    return "";
}

std::int16_t Component(std::int32_t lngValue) { return static_cast<std::int16_t>(lngValue); }

std::string NotationText(int intNotation, const typColour& typValue, int intMark = 1) {
    return ColourNotationText(intNotation, Component(typValue.lngRed), Component(typValue.lngGreen),
                              Component(typValue.lngBlue), "", intMark);
}

std::string HexText(const typColour& typValue) { return NotationText(intNotationHex, typValue); }

std::string JsonColour(const std::optional<typColour>& typValue) {
    return typValue ? "\"" + HexText(*typValue) + "\"" : "null";
}

int RunContrast(const typAccessibilityRequest& typRequested, std::ostream& objOut,
                std::ostream& objErr) {
    typColour typText;
    typColour typBackground;
    // Both colours are read, so that a refusal of each is told at once.
    const bool blnTextOk = ReadCliColour(typRequested.arrOperands[0], typText, objErr);
    const bool blnBackgroundOk = ReadCliColour(typRequested.arrOperands[1], typBackground, objErr);
    if (!blnTextOk || !blnBackgroundOk) return intExitRefused;

    const typContrastReport typReport = ContrastReport(typText, typBackground);
    const std::array<std::optional<typColour>, 2> arrNearest{
        NearestPassingColour(typText, typBackground, ContrastLevel::AaText),
        NearestPassingColour(typText, typBackground, ContrastLevel::AaaText)};
    const std::array<std::size_t, 2> arrNearestLevel{
        static_cast<std::size_t>(ContrastLevel::AaText),
        static_cast<std::size_t>(ContrastLevel::AaaText)};

    if (typRequested.blnJson) {
        // The ratio is its cut text ("4.50", "21.00") and the APCA value its one-decimal text;
        // both are JSON numbers as they stand.
        objOut << "{\"text\": \"" << HexText(typText) << "\", \"background\": \""
               << HexText(typBackground) << "\", \"ratio\": " << typReport.strRatio
               << ", \"levels\": {";
        for (std::size_t i = 0; i < arrLevelKey.size(); ++i) {
            objOut << (i > 0 ? ", " : "") << '"' << arrLevelKey[i]
                   << "\": " << (typReport.arrPasses.at(i) ? "true" : "false");
        }
        objOut << "}, \"apca\": " << typReport.strApca << ", \"nearest\": {";
        for (std::size_t i = 0; i < arrNearest.size(); ++i) {
            objOut << (i > 0 ? ", " : "") << '"' << arrLevelKey.at(arrNearestLevel[i])
                   << "\": " << JsonColour(arrNearest[i]);
        }
        objOut << "}}\n";
    } else {
        objOut << "ratio " << typReport.strRatio << " to 1\n";
        for (std::size_t i = 0; i < arrLevelKey.size(); ++i) {
            objOut << arrLevelKey[i] << (typReport.arrPasses.at(i) ? " pass\n" : " fail\n");
        }
        objOut << "APCA Lc " << typReport.strApca << '\n';
        for (std::size_t i = 0; i < arrNearest.size(); ++i) {
            if (typReport.arrPasses.at(arrNearestLevel[i])) continue;
            objOut << "nearest " << arrLevelKey.at(arrNearestLevel[i]) << ": "
                   << (arrNearest[i] ? HexText(*arrNearest[i]) : "none") << '\n';
        }
    }
    return typReport.arrPasses.at(static_cast<std::size_t>(ContrastLevel::AaText))
               ? intExitOk
               : intExitCheckFailed;
}

int RunSimulate(const typAccessibilityRequest& typRequested, std::ostream& objOut,
                std::ostream& objErr) {
    const int intNotation = typRequested.intNotation.value_or(intNotationHex);
    int intStatus = intExitOk;
    for (std::size_t i = 0; i < typRequested.arrOperands.size(); ++i) {
        typColour typValue;
        if (!ReadCliColour(typRequested.arrOperands[i], typValue, objErr)) {
            intStatus = intExitRefused;
            continue;
        }
        // Without a name, the Nth colour is named after its place, as convert names it.
        objOut << NotationText(intNotation, SimulatedColour(*typRequested.enmVision, typValue),
                               static_cast<int>(i) + 1)
               << '\n';
    }
    return intStatus;
}

// Reads the six colours of a palette file; says on objErr why it could not.
bool ReadPaletteColours(const std::string& strPath, std::vector<typColour>& arrColours,
                        std::ostream& objErr) {
    std::vector<std::string> arrFileLine;
    const LineReadResult enmRead = ReadPaletteLinesFromFile(strPath, arrFileLine);
    if (enmRead == LineReadResult::CannotRead) {
        objErr << strCliMessagePrefix << "cannot open the file " << CliQuoted(strPath)
               << "; check that it exists and that you may read it\n";
        return false;
    }
    Palette objPalette;
    if (enmRead != LineReadResult::Ok || !ReadPaletteFile(arrFileLine, objPalette)) {
        objErr << strCliMessagePrefix << "the file " << CliQuoted(strPath)
               << " is not a palette made in Huevra\n";
        return false;
    }
    arrColours.assign(objPalette.arrLoadColour.begin(), objPalette.arrLoadColour.end());
    return true;
}

std::string MarkText(int intMark) { return "mark " + std::to_string(intMark + 1); }

std::string RightAligned(const std::string& strText, std::size_t intWidth) {
    return strText.size() < intWidth ? std::string(intWidth - strText.size(), ' ') + strText
                                     : strText;
}

int RunCheckPalette(const typAccessibilityRequest& typRequested, std::ostream& objOut,
                    std::ostream& objErr) {
    std::vector<typColour> arrColours;
    if (!ReadPaletteColours(typRequested.arrOperands.front(), arrColours, objErr))
        return intExitRefused;

    bool blnFailed = false;
    if (typRequested.arrPairs.empty()) {
        // Rows are the text marks, columns the backgrounds; "21.00" is the widest ratio.
        constexpr std::size_t intColumn = 8;
        objOut << "text on";
        for (int j = 0; j < intMarkCount; ++j) objOut << RightAligned(MarkText(j), intColumn);
        objOut << '\n';
        for (int i = 0; i < intMarkCount; ++i) {
            objOut << RightAligned(MarkText(i), 7);
            for (int j = 0; j < intMarkCount; ++j) {
                const std::string strCell =
                    i == j ? "-"
                           : ContrastRatioText(ContrastRatio(arrColours.at(i), arrColours.at(j)));
                objOut << RightAligned(strCell, intColumn);
            }
            objOut << '\n';
        }
    } else {
        const ContrastLevel enmLevel = typRequested.enmLevel.value_or(ContrastLevel::AaText);
        const std::string_view strLevel = arrLevelKey.at(static_cast<std::size_t>(enmLevel));
        for (const typMarkPair& typPair : typRequested.arrPairs) {
            const double dblRatio =
                ContrastRatio(arrColours.at(typPair.intText), arrColours.at(typPair.intBackground));
            const bool blnPasses = PassesContrastLevel(dblRatio, enmLevel);
            blnFailed = blnFailed || !blnPasses;
            objOut << MarkText(typPair.intText) << " on " << MarkText(typPair.intBackground) << ": "
                   << ContrastRatioText(dblRatio) << " to 1, " << (blnPasses ? "passes " : "fails ")
                   << strLevel << '\n';
        }
    }

    const typPaletteVision typVision = PaletteVision(arrColours);
    for (std::size_t v = 0; v < arrVisionKey.size(); ++v) {
        for (const typLookAlikePair& typPair : typVision.arrLookAlike.at(v)) {
            blnFailed = true;
            objOut << arrVisionKey[v] << ": " << MarkText(typPair.intFirst) << " and "
                   << MarkText(typPair.intSecond) << " look alike\n";
        }
    }
    return blnFailed ? intExitCheckFailed : intExitOk;
}

}  // namespace

bool IsAccessibilityCommand(std::string_view strCommand) {
    return strCommand == "contrast" || strCommand == "simulate" || strCommand == "check-palette";
}

int RunAccessibilityCommand(const std::vector<std::string>& arrArgs, std::ostream& objOut,
                            std::ostream& objErr) {
    typAccessibilityRequest typRequested;
    const std::string strUsageError = ParseAccessibilityArguments(arrArgs, typRequested);
    if (!strUsageError.empty()) {
        objErr << strCliMessagePrefix << strUsageError << '\n';
        return intExitUsage;
    }
    if (typRequested.blnHelp) {
        objOut << CliHelpText();
        return intExitOk;
    }
    if (typRequested.blnVersion) {
        objOut << CliVersionText();
        return intExitOk;
    }
    if (typRequested.strCommand == "contrast") return RunContrast(typRequested, objOut, objErr);
    if (typRequested.strCommand == "simulate") return RunSimulate(typRequested, objOut, objErr);
    return RunCheckPalette(typRequested, objOut, objErr);
}
