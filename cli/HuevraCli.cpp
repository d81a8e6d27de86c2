#include "cli/HuevraCli.h"

#include <algorithm>
#include <array>
#include <charconv>  // std::to_chars
#include <cstddef>
#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/AccessibilityCommands.h"
#include "cli/CliPicker.h"
#include "cli/CliSupport.h"
#include "cli/HuevraCliPalette.h"
#include "core/Classification.h"
#include "core/CodeFormats.h"
#include "core/ColourSpaces.h"
#include "core/ColourText.h"
#include "core/ColourValue.h"
#include "core/CssNamedColours.h"

namespace {

constexpr std::string_view strPrefix = strCliMessagePrefix;

enum class CliCommand { Help, Version, Convert, Name, Classify, Palette, Pick };

// What convert writes: a notation (0..13) or a code format (0..11).
struct typTarget {
    bool blnFormat = false;
    int intIndex = 0;
};

struct typRequest {
    CliCommand enmCommand = CliCommand::Help;
    std::string strCommand;
    std::vector<typTarget> arrTargets;
    bool blnTemplate = false;
    std::string strTemplate;
    std::string strName;
    std::vector<std::string> arrColours;
    bool blnCopy = false;
};

bool FindTarget(std::string_view strKey, typTarget& typFound) {
    const int intNotation = FindColourNotation(strKey);
    if (intNotation >= 0) {
        typFound = {false, intNotation};
        return true;
    }
    for (std::size_t i = 0; i < arrCodeFormatKey.size(); ++i) {
        if (arrCodeFormatKey[i] == strKey) {
            typFound = {true, static_cast<int>(i)};
            return true;
        }
    }
    return false;
}

// Returns the keys joined by spaces, broken into lines of at most intWidth characters, each line
// after the first indented by intIndent spaces.
template <std::size_t N>
std::string WrappedKeys(const std::array<std::string_view, N>& arrKeys, std::size_t intIndent,
                        std::size_t intWidth, std::size_t intFirstColumn) {
    std::string strText;
    std::size_t intColumn = intFirstColumn;
    for (const std::string_view strKey : arrKeys) {
        if (intColumn > intFirstColumn && intColumn + 1 + strKey.size() > intWidth) {
            strText += '\n';
            strText.append(intIndent, ' ');
            intColumn = intIndent;
        } else if (intColumn > intFirstColumn || !strText.empty()) {
            strText += ' ';
            ++intColumn;
        }
        strText += strKey;
        intColumn += strKey.size();
    }
    return strText;
}

std::string HelpText() {
    constexpr std::size_t intIndent = 22;
    std::string strText =
        "Usage: huevra-cli convert [--to NOTATION]... [--template TEXT] [--name NAME]\n"
        "                          [--] COLOUR...\n"
        "       huevra-cli name [--] COLOUR\n"
        "       huevra-cli classify [--] COLOUR\n"
        "       huevra-cli contrast [--json] [--] TEXT BACKGROUND\n"
        "       huevra-cli simulate --type DEFICIENCY [--to NOTATION] [--] COLOUR...\n"
        "       huevra-cli check-palette [--pair TEXT:BACKGROUND]... [--level LEVEL] FILE\n"
        "       huevra-cli palette export --format FORMAT [--output FILE] PALETTE.txt\n"
        "       huevra-cli palette import [--format FORMAT] [--output PALETTE.txt] FILE\n"
        "       huevra-cli pick [--to NOTATION] [--template TEXT] [--name NAME] [--copy]\n"
        "       huevra-cli --help | --version\n"
        "\n"
        "A COLOUR is any CSS colour (#ffcc00, rgb(), hsl(), oklch(), gold, ...), a\n"
        "declaration pasted from a style sheet, or a colour in one of Huevra's code\n"
        "formats.\n"
        "\n"
        "Commands:\n"
        "  convert             prints each COLOUR in each NOTATION, in the order given,\n"
        "                      one line each (hex when no --to is given)\n"
        "  name                prints the CSS colour names of COLOUR, or the nearest\n"
        "                      name and its distance deltaEOK\n"
        "  classify            says whether COLOUR is websafe, failsafe and named\n"
        "  contrast            prints the contrast ratio of TEXT on BACKGROUND, pass or\n"
        "                      fail for AA, AA-large, AAA, AAA-large and non-text, the\n"
        "                      APCA Lc, and the nearest colour of TEXT's hue that\n"
        "                      passes AA and AAA when TEXT fails them\n"
        "  simulate            prints each COLOUR as seen with a colour-vision\n"
        "                      deficiency, in hex or in the NOTATION of --to\n"
        "  check-palette       prints the contrast ratios of the six marks of the\n"
        "                      palette FILE, or checks the pairs of marks given, and\n"
        "                      the pairs of marks that look alike with a deficiency\n"
        "  palette export      writes the six marks of a Huevra palette file in FORMAT:\n"
        "                      gpl (GIMP palette), css (custom properties), scss\n"
        "                      (variables), json (design tokens) or ase (swatch exchange)\n"
        "  palette import      reads a file in one of those formats (FORMAT from its\n"
        "                      extension or content) and writes a Huevra palette file of\n"
        "                      its first six colours\n"
        "  pick                lets you pick one pixel of the screen with a magnifier and\n"
        "                      the keyboard (arrows, Enter; Escape cancels), or on\n"
        "                      Wayland with the desktop's own picker, and prints its\n"
        "                      colour in NOTATION (hex when no --to is given)\n"
        "\n"
        "Options of convert (and of pick):\n"
        "  -t, --to NOTATION   one of: ";
    strText += WrappedKeys(arrColourNotationKey, intIndent, 79, intIndent + 8);
    strText += "\n                      or a code format: ";
    strText += WrappedKeys(arrCodeFormatKey, intIndent, 79, intIndent + 18);
    strText +=
        "\n"
        "      --template TEXT the template of custom, with the codes %UR% %UG% %UB%\n"
        "                      (upper case hex), %LR% %LG% %LB% (lower case hex),\n"
        "                      %DR% %DG% %DB% (decimal) and %LD% (the long value)\n"
        "      --name NAME     the name css-variable and android give the colour\n"
        "                      (colour-N for the Nth COLOUR when none is given)\n"
        "  --                  ends the options: a COLOUR after it may begin with \"-\"\n"
        "      --copy          pick also puts the colour on the clipboard, where it stays\n"
        "                      until another program takes the clipboard or for 60 s\n"
        "\n"
        "Options of contrast, simulate and check-palette:\n"
        "      --json          contrast prints one JSON object\n"
        "      --type DEFICIENCY\n"
        "                      protanopia, deuteranopia, tritanopia or achromatopsia\n"
        "  -t, --to NOTATION   the notation simulate prints (hex when not given)\n"
        "      --pair TEXT:BACKGROUND\n"
        "                      checks mark TEXT (1 to 6) as text on mark BACKGROUND\n"
        "      --level LEVEL   the level the pairs must reach: AA (when not given),\n"
        "                      AA-large, AAA, AAA-large or non-text\n"
        "Options of palette:\n"
        "  -f, --format FORMAT gpl, css, scss, json or ase\n"
        "  -o, --output FILE   the file to write, replaced only once complete (standard\n"
        "                      output when none is given)\n"
        "\n"
        "Notes such as \"alpha ignored\" and \"mapped into sRGB\" and every error go to\n"
        "standard error; a refused COLOUR is shown with its character position, counted\n"
        "from 1.\n"
        "\n"
        "Exit status: 0 done, 1 a COLOUR refused or a FILE not read (or no screen to\n"
        "pick from), 2 a usage error, 3 a contrast below its level or marks that look\n"
        "alike (contrast and check-palette), 4 a pick cancelled.\n";
    return strText;
}

// Returns the 1-based number of the character a byte offset falls in (or of the place just
// after the text); the first byte and every byte other than a UTF-8 continuation byte start a
// character.
std::size_t CharacterNumber(std::string_view strText, std::size_t intOffset) {
    std::size_t intNumber = 0;
    for (std::size_t i = 0; i <= intOffset && i < strText.size(); ++i) {
        if (i == 0 || (static_cast<unsigned char>(strText[i]) & 0xC0) != 0x80) ++intNumber;
    }
    return intOffset >= strText.size() ? intNumber + 1 : intNumber;
}

// The text of a colour as a terminal shows it: control characters as "?", and a long text cut to
// a window around a byte offset, with "..." where it was cut. intColumn gets the 0-based column of
// that offset in the shown text (a UTF-8 sequence takes one column).
std::string ShownText(std::string_view strText, std::size_t intOffset, std::size_t& intColumn) {
    constexpr std::size_t intMaxColumns = 72;
    constexpr std::size_t intColumnsBefore = 40;
    std::vector<std::string_view> arrCharacters;
    for (std::size_t i = 0; i < strText.size();) {
        std::size_t intEnd = i + 1;
        while (intEnd < strText.size() &&
               (static_cast<unsigned char>(strText[intEnd]) & 0xC0) == 0x80) {
            ++intEnd;
        }
        arrCharacters.push_back(strText.substr(i, intEnd - i));
        i = intEnd;
    }
    const std::size_t intAtCharacter = CharacterNumber(strText, intOffset) - 1;
    std::size_t intFirst = 0;
    std::size_t intLast = arrCharacters.size();
    if (arrCharacters.size() > intMaxColumns) {
        intFirst = intAtCharacter > intColumnsBefore ? intAtCharacter - intColumnsBefore : 0;
        intLast = std::min(arrCharacters.size(), intFirst + intMaxColumns);
    }
    std::string strShown;
    intColumn = 0;
    if (intFirst > 0) {
        strShown += "...";
        intColumn = 3;
    }
    for (std::size_t i = intFirst; i < intLast; ++i) {
        const std::string_view strCharacter = arrCharacters[i];
        const auto chrFirst = static_cast<unsigned char>(strCharacter.front());
        if (chrFirst < 0x20 || chrFirst == 0x7F) {
            strShown += '?';
        } else {
            strShown += strCharacter;
        }
    }
    intColumn += intAtCharacter - intFirst;
    if (intLast < arrCharacters.size()) strShown += "...";
    return strShown;
}

// Returns an argument quoted for a message: on one line, and cut when long.
std::string Quoted(std::string_view strArg) {
    std::size_t intColumn = 0;
    return "\"" + ShownText(strArg, 0, intColumn) + "\"";
}

// Reads the arguments into a request; returns the message of a usage error, or "".
std::string ParseArguments(const std::vector<std::string>& arrArgs, typRequest& typRead) {
    if (arrArgs.empty()) return "no command given (huevra-cli --help lists the commands)";
    const std::string& strFirst = arrArgs.front();
    if (strFirst == "--help" || strFirst == "-h") {
        typRead.enmCommand = CliCommand::Help;
        return "";
    }
    if (strFirst == "--version") {
        typRead.enmCommand = CliCommand::Version;
        return "";
    }
    typRead.strCommand = strFirst;
    if (strFirst == "convert") {
        typRead.enmCommand = CliCommand::Convert;
    } else if (strFirst == "name") {
        typRead.enmCommand = CliCommand::Name;
    } else if (strFirst == "classify") {
        typRead.enmCommand = CliCommand::Classify;
    } else if (strFirst == "pick") {
        typRead.enmCommand = CliCommand::Pick;
    } else if (strFirst == "palette") {
        // Its own options; only the help is answered here.
        typRead.enmCommand = CliCommand::Palette;
        for (std::size_t i = 1; i < arrArgs.size() && arrArgs[i] != "--"; ++i) {
            if (arrArgs[i] == "--help" || arrArgs[i] == "-h") {
                typRead.enmCommand = CliCommand::Help;
                break;
            }
        }
        typRead.arrColours.assign(arrArgs.begin() + 1, arrArgs.end());
        return "";
    } else if (!strFirst.empty() && strFirst.front() == '-') {
        return "unknown option " + Quoted(strFirst) + " (huevra-cli --help lists the options)";
    } else {
        return "unknown command " + Quoted(strFirst) +
               "; the commands are convert, name, classify, contrast, simulate, "
               "check-palette, palette and pick";
    }
    const bool blnConvert = typRead.enmCommand == CliCommand::Convert;
    const bool blnPick = typRead.enmCommand == CliCommand::Pick;

    bool blnOptionsEnded = false;
    for (std::size_t i = 1; i < arrArgs.size(); ++i) {
        const std::string& strArg = arrArgs[i];
        if (blnOptionsEnded || strArg.size() < 2 || strArg.front() != '-') {
            typRead.arrColours.push_back(strArg);
            continue;
        }
        if (strArg == "--") {
            blnOptionsEnded = true;
            continue;
        }
        if (strArg == "--help" || strArg == "-h") {
            typRead.enmCommand = CliCommand::Help;
            return "";
        }
        if (strArg == "--version") {
            typRead.enmCommand = CliCommand::Version;
            return "";
        }
        if (blnPick && strArg == "--copy") {
            typRead.blnCopy = true;
            continue;
        }
        std::string strOption;
        std::string strValue;
        const bool blnHasValue = SplitCliOption(strArg, strOption, strValue);
        if (strOption != "--to" && strOption != "--template" && strOption != "--name") {
            return "unknown option " + Quoted(strOption) + " for " + typRead.strCommand +
                   " (huevra-cli --help lists the options)";
        }
        if (!blnConvert && !blnPick) {
            return "option " + strOption + " belongs to convert and pick, not to " +
                   typRead.strCommand;
        }
        if (!blnHasValue) {
            if (i + 1 >= arrArgs.size()) return "option " + strOption + " needs a value";
            strValue = arrArgs[++i];
        }
        if (strOption == "--to") {
            typTarget typFound;
            if (!FindTarget(strValue, typFound)) {
                return "unknown notation " + Quoted(strValue) +
                       " for --to (huevra-cli --help lists them)";
            }
            typRead.arrTargets.push_back(typFound);
        } else if (strOption == "--template") {
            typRead.blnTemplate = true;
            typRead.strTemplate = strValue;
        } else {
            typRead.strName = strValue;
        }
    }

    if (blnPick) {
        if (!typRead.arrColours.empty())
            return "pick takes no colour; it was given " + Quoted(typRead.arrColours.front());
        if (typRead.arrTargets.size() > 1) return "pick prints one notation: give --to once";
    }
    if (blnConvert || blnPick) {
        if (blnConvert && typRead.arrColours.empty()) return "convert needs at least one colour";
        if (typRead.arrTargets.empty()) typRead.arrTargets.push_back({false, intNotationHex});
        for (const typTarget& typTo : typRead.arrTargets) {
            if (typTo.blnFormat && typTo.intIndex == intCustomFormat && !typRead.blnTemplate)
                return "--to custom needs --template TEXT";
        }
    } else if (typRead.arrColours.size() != 1) {
        return typRead.strCommand + " takes one colour, not " +
               std::to_string(typRead.arrColours.size());
    }
    return "";
}

// Reads a colour text; says on objErr why it was refused, or what was noted about it.
bool ReadColour(const std::string& strText, typColour& typValue, std::ostream& objErr) {
    const typColourTextResult typRead = ParseColourText(strText);
    std::size_t intColumn = 0;
    if (!typRead.blnOk) {
        const std::string strShown = ShownText(strText, typRead.intErrorPosition, intColumn);
        objErr << strPrefix << "cannot read the colour at character "
               << CharacterNumber(strText, typRead.intErrorPosition) << ": " << typRead.strError
               << '\n'
               << "  " << strShown << '\n'
               << std::string(intColumn + 2, ' ') << "^\n";
        return false;
    }
    if (typRead.blnAlphaIgnored) objErr << strPrefix << Quoted(strText) << ": alpha ignored\n";
    if (typRead.blnMapped) objErr << strPrefix << Quoted(strText) << ": mapped into sRGB\n";
    typValue = typRead.typValue;
    return true;
}

std::int16_t Component(std::int32_t lngValue) { return static_cast<std::int16_t>(lngValue); }

// Returns the colour in a notation or code format; without a name, the Nth colour is named
// after its place, intMark.
std::string TargetText(const typRequest& typRequested, const typTarget& typTo,
                       const typColour& typValue, int intMark) {
    const std::int16_t intRed = Component(typValue.lngRed);
    const std::int16_t intGreen = Component(typValue.lngGreen);
    const std::int16_t intBlue = Component(typValue.lngBlue);
    if (typTo.blnFormat)
        return ColourCodeText(typTo.intIndex, intRed, intGreen, intBlue, typRequested.strTemplate);
    return ColourNotationText(typTo.intIndex, intRed, intGreen, intBlue, typRequested.strName,
                              intMark);
}

int RunConvert(const typRequest& typRequested, std::ostream& objOut, std::ostream& objErr) {
    int intStatus = intExitOk;
    for (std::size_t i = 0; i < typRequested.arrColours.size(); ++i) {
        typColour typValue;
        if (!ReadColour(typRequested.arrColours[i], typValue, objErr)) {
            intStatus = intExitRefused;
            continue;
        }
        for (const typTarget& typTo : typRequested.arrTargets)
            objOut << TargetText(typRequested, typTo, typValue, static_cast<int>(i) + 1) << '\n';
    }
    return intStatus;
}

// Picks a pixel, prints its colour and, with --copy, leaves the same text on the clipboard.
int RunPick(const typRequest& typRequested, std::ostream& objOut, std::ostream& objErr,
            ICliPicker* objPicker) {
    if (objPicker == nullptr) {
        objErr << strPrefix << "this program cannot pick from the screen\n";
        return intExitRefused;
    }
    const typCliPick typPicked = objPicker->Pick();
    if (typPicked.enmResult == CliPickResult::Cancelled) return intExitCancelled;
    if (typPicked.enmResult == CliPickResult::Failed) {
        objErr << strPrefix << typPicked.strError << '\n';
        return intExitRefused;
    }
    const std::string strText =
        TargetText(typRequested, typRequested.arrTargets.front(), UnpackColour(typPicked.lngColour), 1);
    objOut << strText << '\n';
    objOut.flush();
    if (typRequested.blnCopy) {
        std::string strError;
        if (!objPicker->Copy(strText, strError)) {
            objErr << strPrefix << "the colour was not copied: " << strError << '\n';
            return intExitRefused;
        }
    }
    return intExitOk;
}

int RunName(const typRequest& typRequested, std::ostream& objOut, std::ostream& objErr) {
    typColour typValue;
    if (!ReadColour(typRequested.arrColours.front(), typValue, objErr)) return intExitRefused;
    const std::vector<std::string> arrNames = CssNamesOfColour(PackColour(typValue));
    for (const std::string& strName : arrNames) objOut << strName << '\n';
    if (!arrNames.empty()) return intExitOk;

    // The names come in alphabetical order, so a tie goes to the first.
    const ColourTriple arrOklab = OklabFromBytes(
        Component(typValue.lngRed), Component(typValue.lngGreen), Component(typValue.lngBlue));
    int intNearest = 0;
    double dblNearest = 0;
    for (int i = 0; i < intCssNamedColourCount; ++i) {
        const typColour typNamed = UnpackColour(lngCssNamedColour(i));
        const double dblDistance = DeltaEOK(
            arrOklab, OklabFromBytes(Component(typNamed.lngRed), Component(typNamed.lngGreen),
                                     Component(typNamed.lngBlue)));
        if (i == 0 || dblDistance < dblNearest) {
            intNearest = i;
            dblNearest = dblDistance;
        }
    }
    std::array<char, 64> arrBuffer{};
    const auto objResult = std::to_chars(arrBuffer.data(), arrBuffer.data() + arrBuffer.size(),
                                         dblNearest, std::chars_format::fixed, 4);
    objOut << "nearest: " << strCssNamedColour(intNearest) << " ("
           << std::string_view(arrBuffer.data(),
                               static_cast<std::size_t>(objResult.ptr - arrBuffer.data()))
           << ")\n";
    return intExitOk;
}

int RunClassify(const typRequest& typRequested, std::ostream& objOut, std::ostream& objErr) {
    typColour typValue;
    if (!ReadColour(typRequested.arrColours.front(), typValue, objErr)) return intExitRefused;
    const std::int32_t lngValue = PackColour(typValue);
    auto answer = [](bool blnYes) { return blnYes ? "yes\n" : "no\n"; };
    objOut << "websafe " << answer(IsWebsafe(lngValue)) << "failsafe "
           << answer(IsFailsafe(lngValue)) << "named " << answer(IsNamedColour(lngValue));
    return intExitOk;
}

}  // namespace

int RunHuevraCli(const std::vector<std::string>& arrArgs, std::ostream& objOut,
                 std::ostream& objErr, ICliPicker* objPicker) {
    if (!arrArgs.empty() && IsAccessibilityCommand(arrArgs.front()))
        return RunAccessibilityCommand(arrArgs, objOut, objErr);
    typRequest typRequested;
    const std::string strUsageError = ParseArguments(arrArgs, typRequested);
    if (!strUsageError.empty()) {
        objErr << strPrefix << strUsageError << '\n';
        return intExitUsage;
    }
    switch (typRequested.enmCommand) {
        case CliCommand::Help:
            objOut << HelpText();
            return intExitOk;
        case CliCommand::Version:
            objOut << CliVersionText();
            return intExitOk;
        case CliCommand::Convert:
            return RunConvert(typRequested, objOut, objErr);
        case CliCommand::Name:
            return RunName(typRequested, objOut, objErr);
        case CliCommand::Classify:
            return RunClassify(typRequested, objOut, objErr);
        case CliCommand::Palette:
            return RunPaletteCommand(typRequested.arrColours, objOut, objErr);
        case CliCommand::Pick:
            return RunPick(typRequested, objOut, objErr, objPicker);
    }
    return intExitUsage;
}

std::string CliHelpText() { return HelpText(); }

std::string CliVersionText() { return "huevra-cli (Huevra) " HUEVRA_VERSION "\n"; }

std::string CliQuoted(std::string_view strArg) { return Quoted(strArg); }

bool ReadCliColour(const std::string& strText, typColour& typValue, std::ostream& objErr) {
    return ReadColour(strText, typValue, objErr);
}

bool SplitCliOption(const std::string& strArg, std::string& strOption, std::string& strValue) {
    strOption = strArg;
    strValue.clear();
    if (strArg.rfind("--", 0) == 0) {
        const std::size_t intEquals = strArg.find('=');
        if (intEquals == std::string::npos) return false;
        strOption = strArg.substr(0, intEquals);
        strValue = strArg.substr(intEquals + 1);
        return true;
    }
    if (strArg.rfind("-t", 0) == 0) {
        strOption = "--to";
        if (strArg.size() <= 2) return false;
        strValue = strArg.substr(2);
        return true;
    }
    return false;
}
