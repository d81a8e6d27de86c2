#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "cli/CliPicker.h"
#include "cli/HuevraCli.h"
#include "tests/cli/CliRun.h"
#include "core/ColourText.h"

namespace {

std::string FileText(const std::string& strPath) {
    std::ifstream objIn(strPath, std::ios::binary);
    EXPECT_TRUE(objIn) << strPath;
    return {std::istreambuf_iterator<char>(objIn), std::istreambuf_iterator<char>()};
}

std::vector<std::string> Lines(const std::string& strText) {
    std::vector<std::string> arrLines;
    std::istringstream objIn(strText);
    for (std::string strLine; std::getline(objIn, strLine);) arrLines.push_back(strLine);
    return arrLines;
}

// The rows of a tab-separated file under tests/data, without its comment lines.
std::vector<std::vector<std::string>> DataRows(const std::string& strFile) {
    std::ifstream objIn(std::string(HUEVRA_TEST_DATA_DIR) + "/" + strFile);
    EXPECT_TRUE(objIn) << strFile;
    std::vector<std::vector<std::string>> arrRows;
    for (std::string strLine; std::getline(objIn, strLine);) {
        if (strLine.empty() || strLine.front() == '#') continue;
        std::vector<std::string> arrFields;
        std::istringstream objFields(strLine);
        for (std::string strField; std::getline(objFields, strField, '\t');)
            arrFields.push_back(strField);
        arrRows.push_back(arrFields);
    }
    return arrRows;
}

struct typCase {
    std::vector<std::string> arrArgs;
    int intStatus;
    std::string strOut;
    std::string strErrContains;  // "" when nothing may be written to standard error
};

void ExpectCases(const std::vector<typCase>& arrCases) {
    for (const typCase& c : arrCases) {
        SCOPED_TRACE(Joined(c.arrArgs));
        const typRun typResult = RunCli(c.arrArgs);
        EXPECT_EQ(typResult.intStatus, c.intStatus);
        EXPECT_EQ(typResult.strOut, c.strOut);
        if (c.strErrContains.empty()) {
            EXPECT_EQ(typResult.strErr, "");
        } else {
            EXPECT_NE(typResult.strErr.find(c.strErrContains), std::string::npos)
                << typResult.strErr;
            EXPECT_EQ(typResult.strErr.rfind("huevra-cli: ", 0), 0u) << typResult.strErr;
        }
    }
}

// Every code format of #FFCC00 as the code format tests hold it, and the notations of red whose
// texts follow from its components (hsl and hwb as colour-values.tsv gives them).
TEST(HuevraCli, ConvertWritesEveryNotationAndFormat) {
    ExpectCases({
        {{"convert", "--to", "html-hex", "#ffcc00"}, 0, "#FFCC00\n", ""},
        {{"convert", "--to", "lower-html-hex", "#ffcc00"}, 0, "#ffcc00\n", ""},
        {{"convert", "--to", "vb-hex", "#ffcc00"}, 0, "&H0000CCFF&\n", ""},
        {{"convert", "--to", "vb", "#ffcc00"}, 0, "RGB(255, 204, 0)\n", ""},
        {{"convert", "--to", "cpp-hex", "#ffcc00"}, 0, "0x0000ccff\n", ""},
        {{"convert", "--to", "delphi-hex", "#ffcc00"}, 0, "$0000CCFF\n", ""},
        {{"convert", "--to", "access", "#ffcc00"}, 0, "52479\n", ""},
        {{"convert", "--to", "dotnet-html", "#ffcc00"},
         0,
         "ColorTranslator.FromHtml(\"#FFCC00\")\n",
         ""},
        {{"convert", "--to", "dotnet-ole", "#ffcc00"}, 0, "ColorTranslator.FromOle(52479)\n", ""},
        {{"convert", "--to", "dotnet-win32", "#ffcc00"},
         0,
         "ColorTranslator.FromWin32(52479)\n",
         ""},
        {{"convert", "--to", "java", "#ffcc00"}, 0, "Color(255,204,0)\n", ""},
        {{"convert", "--to", "custom", "--template",
          "R=%DR% G=%DG% B=%DB% (%LD%) #%UR%%UG%%UB% #%LR%%LG%%LB%", "#ffcc00"},
         0,
         "R=255 G=204 B=0 (52479) #FFCC00 #ffcc00\n",
         ""},
        {{"convert", "--to", "hex", "red"}, 0, "#ff0000\n", ""},
        {{"convert", "--to", "rgb", "red"}, 0, "rgb(255 0 0)\n", ""},
        {{"convert", "--to", "hsl", "red"}, 0, "hsl(0 100% 50%)\n", ""},
        {{"convert", "--to", "hwb", "red"}, 0, "hwb(0 0% 0%)\n", ""},
        {{"convert", "--to", "css-variable", "red"}, 0, "--colour-1: #ff0000;\n", ""},
        {{"convert", "--to", "qt", "red"}, 0, "QColor(255, 0, 0)\n", ""},
        {{"convert", "--to", "swiftui", "red"}, 0, "Color(red: 1, green: 0, blue: 0)\n", ""},
        {{"convert", "--to", "android", "red"},
         0,
         "<color name=\"colour_1\">#FFFF0000</color>\n",
         ""},
        {{"convert", "--to", "flutter", "red"}, 0, "Color(0xFFFF0000)\n", ""},
    });
}

// The numbers of the CSS notations lie within the printed precision of the values
// colour-values.tsv holds for every colour it converts from sRGB.
TEST(HuevraCli, ConvertWritesTheReferenceNumbers) {
    struct typNotation {
        std::string strKey, strSpace, strPrefix;
        std::array<double, 3> arrPercentFull;  // what 100% stands for, 0 for a plain number
        int intHue;                            // which number is a hue, or -1
        double dblPowerlessChroma;             // below it the reference hue means nothing
    };
    const std::vector<typNotation> arrNotations{
        {"lab", "lab", "lab(", {100, 0, 0}, -1, 0},
        {"lch", "lch", "lch(", {100, 0, 0}, 2, 0.5},
        {"oklab", "oklab", "oklab(", {1, 0, 0}, -1, 0},
        {"oklch", "oklch", "oklch(", {1, 0, 0}, 2, 0.002},
        {"display-p3", "display-p3", "color(display-p3 ", {0, 0, 0}, -1, 0}};
    int intChecked = 0;
    for (const auto& arrRow : DataRows("colour-values.tsv")) {
        ASSERT_GE(arrRow.size(), 9u);
        if (arrRow[0] != "srgb") continue;
        for (const typNotation& n : arrNotations) {
            if (arrRow[4] != n.strSpace) continue;
            const std::string strHex = arrRow[9].substr(0, 7);
            SCOPED_TRACE(n.strKey + " " + strHex);
            const typRun typResult = RunCli({"convert", "--to", n.strKey, strHex});
            ASSERT_EQ(typResult.intStatus, 0);
            ASSERT_EQ(typResult.strOut.rfind(n.strPrefix, 0), 0u) << typResult.strOut;
            std::istringstream objNumbers(typResult.strOut.substr(n.strPrefix.size()));
            const double dblTolerance = std::stod(arrRow[8]);
            double dblChroma = 0;
            for (int i = 0; i < 3; ++i) {
                std::string strNumber;
                objNumbers >> strNumber;
                while (!strNumber.empty() && strNumber.back() == ')') strNumber.pop_back();
                const bool blnPercent = !strNumber.empty() && strNumber.back() == '%';
                if (blnPercent) strNumber.pop_back();
                EXPECT_EQ(blnPercent, n.arrPercentFull[i] > 0) << typResult.strOut;
                const std::size_t intPoint = strNumber.find('.');
                const int intDecimals = intPoint == std::string::npos
                                            ? 0
                                            : static_cast<int>(strNumber.size() - intPoint - 1);
                double dblPrinted = std::stod(strNumber);
                double dblHalfStep = 0.5 * std::pow(10.0, -intDecimals);
                if (blnPercent) {
                    dblPrinted *= n.arrPercentFull[i] / 100;
                    dblHalfStep *= n.arrPercentFull[i] / 100;
                }
                const double dblExpected = std::stod(arrRow[5 + i]);
                if (i == 1) dblChroma = dblExpected;
                double dblDifference = std::abs(dblPrinted - dblExpected);
                if (i == n.intHue) {
                    if (dblChroma < n.dblPowerlessChroma) continue;
                    dblDifference = std::min(dblDifference, 360 - dblDifference);
                }
                EXPECT_LE(dblDifference, dblHalfStep + dblTolerance)
                    << typResult.strOut << " number " << i << " against " << dblExpected;
            }
            ++intChecked;
        }
    }
    EXPECT_GE(intChecked, 100);
}

TEST(HuevraCli, ConvertKeepsTheOrderOfColoursAndNotations) {
    ExpectCases({
        {{"convert", "#fc0"}, 0, "#ffcc00\n", ""},
        {{"convert", "--to", "rgb", "--to", "hex", "red", "blue"},
         0,
         "rgb(255 0 0)\n#ff0000\nrgb(0 0 255)\n#0000ff\n",
         ""},
        // The option forms, and options after the colours.
        {{"convert", "--to=rgb", "-t", "hex", "-tqt", "red"},
         0,
         "rgb(255 0 0)\n#ff0000\nQColor(255, 0, 0)\n",
         ""},
        {{"convert", "red", "--to", "html-hex"}, 0, "#FF0000\n", ""},
        {{"convert", "--template=%LD%", "--to", "custom", "--to", "custom", "#000102"},
         0,
         "131328\n131328\n",
         ""},
        // Without --name the Nth colour is colour-N; a name is made a variable name.
        {{"convert", "--to", "css-variable", "--to", "android", "red", "blue"},
         0,
         "--colour-1: #ff0000;\n<color name=\"colour_1\">#FFFF0000</color>\n"
         "--colour-2: #0000ff;\n<color name=\"colour_2\">#FF0000FF</color>\n",
         ""},
        {{"convert", "--to", "css-variable", "--name", "Sun Yellow", "#ffcc00"},
         0,
         "--sun-yellow: #ffcc00;\n",
         ""},
        // "--" ends the options, so a pasted declaration can be read.
        {{"convert", "--to", "rgb", "--", "--brand: #fc0"}, 0, "rgb(255 204 0)\n", ""},
        {{"convert", "--", "--to"}, 1, "", "unknown colour name"},
        // Notes go to standard error, the text alone to standard output.
        {{"convert", "#ffcc0080"}, 0, "#ffcc00\n", "\"#ffcc0080\": alpha ignored"},
        // colour-values.tsv: display-p3 red maps to sRGB (1, 0.0446, 0.0459).
        {{"convert", "color(display-p3 1 0 0)"},
         0,
         "#ff0b0c\n",
         "\"color(display-p3 1 0 0)\": mapped into sRGB"},
    });
}

TEST(HuevraCli, UsageErrorsExitWithTwoAndWriteOneLine) {
    const std::vector<std::pair<std::vector<std::string>, std::string>> arrCases{
        {{}, "no command given"},
        {{"paint", "red"}, "unknown command \"paint\""},
        {{"--colour"}, "unknown option \"--colour\""},
        // Control characters in an argument keep the message on one line.
        {{"--hel\x01`\n"}, "unknown option \"--hel?`?\""},
        {{"convert", "--to", "ok\nlch", "red"}, "unknown notation \"ok?lch\""},
        {{"convert"}, "convert needs at least one colour"},
        {{"convert", "--to", "hex"}, "convert needs at least one colour"},
        {{"convert", "--to", "cmyk", "red"}, "unknown notation \"cmyk\""},
        {{"convert", "--to", "HEX", "red"}, "unknown notation \"HEX\""},
        {{"convert", "--to", "custom", "red"}, "--to custom needs --template TEXT"},
        {{"convert", "red", "--to"}, "option --to needs a value"},
        {{"convert", "--template"}, "option --template needs a value"},
        {{"convert", "--bright", "red"}, "unknown option \"--bright\" for convert"},
        {{"convert", "-x", "red"}, "unknown option \"-x\" for convert"},
        {{"name"}, "name takes one colour, not 0"},
        {{"name", "red", "blue"}, "name takes one colour, not 2"},
        {{"classify", "--to", "hex", "red"},
         "option --to belongs to convert and pick, not to classify"},
        {{"convert", "--copy", "red"}, "unknown option \"--copy\" for convert"},
        {{"pick", "red"}, "pick takes no colour; it was given \"red\""},
        {{"pick", "--to", "hex", "-trgb"}, "pick prints one notation: give --to once"},
        {{"pick", "--to", "custom", "--copy"}, "--to custom needs --template TEXT"},
        {{"pick", "--paste"}, "unknown option \"--paste\" for pick"},
        {{"classify"}, "classify takes one colour, not 0"},
        {{"palette"}, "palette needs export or import"},
        {{"palette", "print"}, "unknown palette command \"print\""},
        {{"palette", "export", "p.txt"},
         "palette export needs --format gpl, css, scss, json or ase"},
        {{"palette", "export", "--format", "aco", "p.txt"}, "unknown format \"aco\" for --format"},
        {{"palette", "export", "-fgpl", "a.txt", "b.txt"}, "palette export takes one file, not 2"},
        {{"palette", "import"}, "palette import takes one file, not 0"},
        {{"palette", "import", "--output"}, "option --output needs a value"},
        {{"palette", "import", "--output=", "x.gpl"}, "option --output needs a file name"},
        {{"palette", "import", "--to", "hex", "x.gpl"},
         "unknown option \"--to\" for palette import"},
    };
    for (const auto& [arrArgs, strMessage] : arrCases) {
        SCOPED_TRACE(Joined(arrArgs));
        const typRun typResult = RunCli(arrArgs);
        EXPECT_EQ(typResult.intStatus, 2);
        EXPECT_EQ(typResult.strOut, "");
        EXPECT_EQ(typResult.strErr, "huevra-cli: " + typResult.strErr.substr(12));
        EXPECT_NE(typResult.strErr.find(strMessage), std::string::npos) << typResult.strErr;
        EXPECT_EQ(Lines(typResult.strErr).size(), 1u) << typResult.strErr;
    }
}

TEST(HuevraCli, PaletteExportAndImportMatchTheReferenceFiles) {
    const std::string strDataDir = HUEVRA_TEST_DATA_DIR;
    const std::string strPalette = strDataDir + "/new-palette.txt";
    for (const std::string strFormat : {"gpl", "css", "scss", "json", "ase"}) {
        SCOPED_TRACE(strFormat);
        const std::string strReference = strDataDir + "/exchange/default." + strFormat;
        const typRun typExport = RunCli({"palette", "export", "--format", strFormat, strPalette});
        EXPECT_EQ(typExport.intStatus, 0);
        EXPECT_EQ(typExport.strErr, "");
        EXPECT_EQ(typExport.strOut, FileText(strReference));
        const typRun typImport = RunCli({"palette", "import", strReference});
        EXPECT_EQ(typImport.intStatus, 0);
        EXPECT_EQ(typImport.strErr, "");
        EXPECT_EQ(typImport.strOut, FileText(strPalette));
    }
    // Notes go to standard error; --output replaces the file and writes nothing else.
    const std::string strOutput = testing::TempDir() + "huevra-cli-import.txt";
    const typRun typNotes = RunCli(
        {"palette", "import", "--output", strOutput, strDataDir + "/exchange/hand-made.gpl"});
    EXPECT_EQ(typNotes.intStatus, 0);
    EXPECT_EQ(typNotes.strOut, "");
    EXPECT_NE(typNotes.strErr.find("hand-made.gpl\": The file holds 8 colours. Huevra took the "
                                   "first six.\n"),
              std::string::npos)
        << typNotes.strErr;
    EXPECT_EQ(FileText(strOutput).substr(0, 42), "THIS FILE WAS MADE IN HUEVRA. DO NOT EDIT.");
}

TEST(HuevraCli, RefusedPaletteFilesExitWithOne) {
    const std::string strDataDir = HUEVRA_TEST_DATA_DIR;
    const std::vector<std::pair<std::vector<std::string>, std::string>> arrCases{
        {{"palette", "import", strDataDir + "/palette-a.txt"},
         "cannot import \"" + strDataDir + "/palette-a.txt\": The file is none of"},
        {{"palette", "import", "--format", "gpl", strDataDir + "/palette-a.txt"},
         "Line 1: a GIMP palette begins with \"GIMP Palette\""},
        {{"palette", "import", strDataDir + "/no-such-file.gpl"}, "The file cannot be read."},
        {{"palette", "export", "-f", "css", strDataDir + "/exchange/default.gpl"},
         "/exchange/default.gpl\" is no Huevra palette file"},
        {{"palette", "export", "-f", "css", "-o", strDataDir + "/no such folder/x.css",
          strDataDir + "/new-palette.txt"},
         "cannot write \"" + strDataDir + "/no such folder/x.css\": "},
    };
    for (const auto& [arrArgs, strMessage] : arrCases) {
        SCOPED_TRACE(Joined(arrArgs));
        const typRun typResult = RunCli(arrArgs);
        EXPECT_EQ(typResult.intStatus, 1);
        EXPECT_EQ(typResult.strOut, "");
        EXPECT_NE(typResult.strErr.find(strMessage), std::string::npos) << typResult.strErr;
    }
}

TEST(HuevraCli, RefusedColourShowsItsPosition) {
    // The position counts characters from 1: "ü" is two bytes and one character.
    const typRun typRefused = RunCli({"convert", "#ffcc0ü"});
    EXPECT_EQ(typRefused.intStatus, 1);
    EXPECT_EQ(typRefused.strOut, "");
    EXPECT_EQ(typRefused.strErr,
              "huevra-cli: cannot read the colour at character 7: not a hex digit\n"
              "  #ffcc0ü\n"
              "        ^\n");
    // Something missing is at the end; control characters are shown as "?".
    const typRun typCut = RunCli({"name", "rgb(1\t2"});
    EXPECT_EQ(typCut.intStatus, 1);
    EXPECT_EQ(typCut.strErr,
              "huevra-cli: cannot read the colour at character 8: expected a number\n"
              "  rgb(1?2\n"
              "         ^\n");
    // A long text is cut around the position.
    const std::string strLong = std::string(200, ' ') + "#ffcc0x" + std::string(200, ' ');
    const typRun typLong = RunCli({"classify", strLong});
    EXPECT_EQ(typLong.intStatus, 1);
    const std::vector<std::string> arrLines = Lines(typLong.strErr);
    ASSERT_EQ(arrLines.size(), 3u) << typLong.strErr;
    EXPECT_NE(arrLines[0].find("at character 207:"), std::string::npos) << arrLines[0];
    EXPECT_LE(arrLines[1].size(), 2u + 3 + 72 + 3);
    const std::size_t intCaret = arrLines[2].find('^');
    ASSERT_NE(intCaret, std::string::npos);
    EXPECT_EQ(arrLines[1].substr(intCaret, 2), "x ");
}

TEST(HuevraCli, SeveralColoursWithOneRefusedPrintTheOthers) {
    const typRun typResult = RunCli({"convert", "--to", "rgb", "red", "bleu", "blue"});
    EXPECT_EQ(typResult.intStatus, 1);
    EXPECT_EQ(typResult.strOut, "rgb(255 0 0)\nrgb(0 0 255)\n");
    EXPECT_EQ(Lines(typResult.strErr).at(0),
              "huevra-cli: cannot read the colour at character 1: unknown colour name");
    EXPECT_EQ(Lines(typResult.strErr).at(1), "  bleu");
}

TEST(HuevraCli, NameListsEveryNameOrTheNearest) {
    ExpectCases({
        {{"name", "#00ffff"}, 0, "aqua\ncyan\n", ""},
        {{"name", "cyan"}, 0, "aqua\ncyan\n", ""},
        {{"name", "rgb(128 128 128)"}, 0, "gray\ngrey\n", ""},
        {{"name", "#663399"}, 0, "rebeccapurple\n", ""},
        {{"name", "#ffcc00"}, 0, "nearest: gold (0.0271)\n", ""},
    });
    int intRows = 0;
    for (const auto& arrRow : DataRows("cli-nearest.tsv")) {
        ASSERT_EQ(arrRow.size(), 3u);
        SCOPED_TRACE(arrRow[0]);
        const typRun typResult = RunCli({"name", "#" + arrRow[0]});
        EXPECT_EQ(typResult.intStatus, 0);
        EXPECT_EQ(typResult.strOut, "nearest: " + arrRow[1] + " (" + arrRow[2] + ")\n");
        EXPECT_EQ(typResult.strErr, "");
        ++intRows;
    }
    EXPECT_GE(intRows, 5);
}

// Every CSS name (as an outside table lists them) is named back from its colour, together with
// exactly the other names of the same colour.
TEST(HuevraCli, EveryCssNameIsNamedFromItsColour) {
    std::map<std::string, std::string> mapNamesOfHex;
    const auto arrRows = DataRows("css-colour-names.tsv");
    ASSERT_EQ(arrRows.size(), 148u);
    for (const auto& arrRow : arrRows) mapNamesOfHex[arrRow.at(1)] += arrRow.at(0) + "\n";
    for (const auto& arrRow : arrRows) {
        SCOPED_TRACE(arrRow[0]);
        const typRun typResult = RunCli({"name", arrRow[1]});
        EXPECT_EQ(typResult.intStatus, 0);
        EXPECT_EQ(typResult.strOut, mapNamesOfHex[arrRow[1]]);
        EXPECT_EQ(typResult.strOut.find("nearest:"), std::string::npos);
    }
}

// The classes as the class letters and Colour Properties show them: W only for #FFCC00, F and J
// for grey, J only for blanched almond. The named table is the program's 140 names, which lack
// rebeccapurple.
TEST(HuevraCli, ClassifyAnswersThreeQuestions) {
    ExpectCases({
        {{"classify", "#ffcc00"}, 0, "websafe yes\nfailsafe no\nnamed no\n", ""},
        {{"classify", "#808080"}, 0, "websafe no\nfailsafe yes\nnamed yes\n", ""},
        {{"classify", "#ffebcd"}, 0, "websafe no\nfailsafe no\nnamed yes\n", ""},
        {{"classify", "red"}, 0, "websafe yes\nfailsafe yes\nnamed yes\n", ""},
        {{"classify", "#123456"}, 0, "websafe no\nfailsafe no\nnamed no\n", ""},
        {{"classify", "rebeccapurple"}, 0, "websafe yes\nfailsafe no\nnamed no\n", ""},
        {{"classify", "&H0000CCFF&"}, 0, "websafe yes\nfailsafe no\nnamed no\n", ""},
    });
}

TEST(HuevraCli, HelpAndVersionGoToStandardOutput) {
    for (const std::vector<std::string>& arrArgs : std::vector<std::vector<std::string>>{
             {"--help"}, {"-h"}, {"convert", "--help"}, {"palette", "import", "-h"}}) {
        SCOPED_TRACE(Joined(arrArgs));
        const typRun typResult = RunCli(arrArgs);
        EXPECT_EQ(typResult.intStatus, 0);
        EXPECT_EQ(typResult.strErr, "");
        EXPECT_EQ(typResult.strOut.rfind("Usage: huevra-cli convert", 0), 0u);
        for (const std::string_view strKey : arrColourNotationKey)
            EXPECT_NE(typResult.strOut.find(" " + std::string(strKey)), std::string::npos);
        for (const std::string_view strKey : arrCodeFormatKey)
            EXPECT_NE(typResult.strOut.find(" " + std::string(strKey)), std::string::npos);
        for (const std::string_view strFormat : {" gpl", " css", " scss", " json", " ase"})
            EXPECT_NE(typResult.strOut.find(strFormat), std::string::npos);
        EXPECT_NE(typResult.strOut.find("huevra-cli palette export"), std::string::npos);
        for (const std::string& strLine : Lines(typResult.strOut)) EXPECT_LE(strLine.size(), 80u);
    }
    const typRun typVersion = RunCli({"--version"});
    EXPECT_EQ(typVersion.intStatus, 0);
    EXPECT_EQ(typVersion.strOut.rfind("huevra-cli (Huevra) ", 0), 0u);
    EXPECT_EQ(Lines(typVersion.strOut).size(), 1u);
}

}  // namespace

namespace {

// Stands in for the screen and the clipboard: answers with a set pick and records the copies.
class ScriptedPicker : public ICliPicker {
public:
    typCliPick typAnswer;
    bool blnCopyWorks = true;
    int intPicks = 0;
    std::vector<std::string> arrCopied;

    typCliPick Pick() override {
        ++intPicks;
        return typAnswer;
    }
    bool Copy(const std::string& strText, std::string& strError) override {
        if (!blnCopyWorks) {
            strError = "no clipboard here";
            return false;
        }
        arrCopied.push_back(strText);
        return true;
    }
};

typRun RunPick(const std::vector<std::string>& arrArgs, ScriptedPicker& objPicker) {
    return RunCli(arrArgs, &objPicker);
}

}  // namespace

// A taken pixel prints as convert prints its colour, in every notation and code format, and
// --copy puts exactly the printed text on the clipboard.
TEST(HuevraCli, PickPrintsAndCopiesTheTakenPixelInEveryNotation) {
    ScriptedPicker objPicker;
    objPicker.typAnswer = {CliPickResult::Picked, 0x00336699, ""};  // #996633
    std::vector<std::vector<std::string>> arrOptions{{}};
    for (const std::string_view strKey : arrColourNotationKey) arrOptions.push_back({"--to", std::string(strKey)});
    for (const std::string_view strKey : arrCodeFormatKey)
        arrOptions.push_back({"--to", std::string(strKey), "--template", "%UR%-%DG%-%LB%"});
    for (const std::vector<std::string>& arrOption : arrOptions) {
        std::vector<std::string> arrConvert{"convert"};
        arrConvert.insert(arrConvert.end(), arrOption.begin(), arrOption.end());
        arrConvert.push_back("#996633");
        const typRun typExpected = RunCli(arrConvert);
        ASSERT_EQ(typExpected.intStatus, 0) << Joined(arrConvert);

        std::vector<std::string> arrPick{"pick"};
        arrPick.insert(arrPick.end(), arrOption.begin(), arrOption.end());
        arrPick.push_back("--copy");
        SCOPED_TRACE(Joined(arrPick));
        objPicker.arrCopied.clear();
        const typRun typResult = RunPick(arrPick, objPicker);
        EXPECT_EQ(typResult.intStatus, 0);
        EXPECT_EQ(typResult.strOut, typExpected.strOut);
        EXPECT_EQ(typResult.strErr, "");
        ASSERT_EQ(objPicker.arrCopied.size(), 1u);
        EXPECT_EQ(objPicker.arrCopied.front() + "\n", typExpected.strOut);
    }
    EXPECT_EQ(RunPick({"pick"}, objPicker).strOut, "#996633\n");
}

// Cancelled: status 4 and nothing printed or copied; no pick possible, a lost clipboard or no
// picker at all: status 1 with one message, and what was picked still printed.
TEST(HuevraCli, PickSaysHowAPickEnded) {
    ScriptedPicker objPicker;
    objPicker.typAnswer = {CliPickResult::Cancelled, 0, ""};
    typRun typResult = RunPick({"pick", "--copy"}, objPicker);
    EXPECT_EQ(typResult.intStatus, intExitCancelled);
    EXPECT_EQ(typResult.strOut + typResult.strErr, "");
    EXPECT_TRUE(objPicker.arrCopied.empty());

    objPicker.typAnswer = {CliPickResult::Failed, 0, "there is no display to pick from"};
    typResult = RunPick({"pick"}, objPicker);
    EXPECT_EQ(typResult.intStatus, intExitRefused);
    EXPECT_EQ(typResult.strOut, "");
    EXPECT_EQ(typResult.strErr, "huevra-cli: there is no display to pick from\n");

    objPicker.typAnswer = {CliPickResult::Picked, 0x00FFFFFF, ""};
    objPicker.blnCopyWorks = false;
    typResult = RunPick({"pick", "--copy"}, objPicker);
    EXPECT_EQ(typResult.intStatus, intExitRefused);
    EXPECT_EQ(typResult.strOut, "#ffffff\n");
    EXPECT_EQ(typResult.strErr, "huevra-cli: the colour was not copied: no clipboard here\n");

    // A usage error asks for no pick.
    const int intPicks = objPicker.intPicks;
    EXPECT_EQ(RunPick({"pick", "--to"}, objPicker).intStatus, intExitUsage);
    EXPECT_EQ(objPicker.intPicks, intPicks);

    typResult = RunCli({"pick"});
    EXPECT_EQ(typResult.intStatus, intExitRefused);
    EXPECT_EQ(Lines(typResult.strErr).size(), 1u);
}
