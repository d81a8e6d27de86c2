#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "cli/HuevraCli.h"
#include "tests/cli/CliRun.h"

// contrast, simulate and check-palette against accessibility-values.tsv, whose values come from
// outside the program (see make-accessibility-values.py beside it).

namespace {

std::string DataPath(const std::string& strFile) {
    return std::string(HUEVRA_TEST_DATA_DIR) + "/" + strFile;
}

// The rows of accessibility-values.tsv of one kind ("ratio", "apca", "cvd", "alike").
std::vector<std::vector<std::string>> ValueRows(const std::string& strKind) {
    std::ifstream objIn(DataPath("accessibility-values.tsv"));
    EXPECT_TRUE(objIn);
    std::vector<std::vector<std::string>> arrRows;
    for (std::string strLine; std::getline(objIn, strLine);) {
        std::vector<std::string> arrFields;
        std::istringstream objFields(strLine);
        for (std::string strField; std::getline(objFields, strField, '\t');)
            arrFields.push_back(strField);
        if (!arrFields.empty() && arrFields.front() == strKind) arrRows.push_back(arrFields);
    }
    EXPECT_FALSE(arrRows.empty()) << strKind;
    return arrRows;
}

const std::vector<std::string> arrLevels{"AA", "AA-large", "AAA", "AAA-large", "non-text"};
const std::vector<std::string> arrVisions{"protanopia", "deuteranopia", "tritanopia",
                                          "achromatopsia"};

// The text output holds each level's pass or fail and, for a failed AA or AAA, the nearest
// colour, which itself passes that level on the background.
TEST(AccessibilityCommands, ContrastGivesTheReferenceRatiosAndLevels) {
    for (const auto& arrRow : ValueRows("ratio")) {
        const std::string strText = "#" + arrRow.at(1);
        const std::string strBackground = "#" + arrRow.at(2);
        SCOPED_TRACE(strText + " on " + strBackground);
        const typRun typResult = RunCli({"contrast", strText, strBackground});
        std::string strExpected = "ratio " + arrRow.at(4) + " to 1\n";
        for (std::size_t i = 0; i < arrLevels.size(); ++i)
            strExpected += arrLevels[i] + (arrRow.at(5 + i) == "1" ? " pass\n" : " fail\n");
        EXPECT_EQ(typResult.strOut.substr(0, strExpected.size()), strExpected);
        EXPECT_EQ(typResult.intStatus, arrRow.at(5) == "1" ? 0 : 3);
        EXPECT_EQ(typResult.strErr, "");
        for (const std::size_t intLevel : {0u, 2u}) {
            const std::string strKey = "\nnearest " + arrLevels[intLevel] + ": ";
            const std::size_t intAt = typResult.strOut.find(strKey);
            ASSERT_EQ(intAt == std::string::npos, arrRow.at(5 + intLevel) == "1")
                << typResult.strOut;
            if (intAt == std::string::npos) continue;
            const std::string strNearest = typResult.strOut.substr(intAt + strKey.size(), 7);
            if (strNearest.rfind("none", 0) == 0) continue;
            const typRun typCheck = RunCli({"contrast", strNearest, strBackground});
            EXPECT_NE(typCheck.strOut.find("\n" + arrLevels[intLevel] + " pass\n"),
                      std::string::npos)
                << strNearest << "\n"
                << typCheck.strOut;
        }
    }
    for (const auto& arrRow : ValueRows("apca")) {
        SCOPED_TRACE(arrRow.at(1) + " on " + arrRow.at(2));
        const typRun typResult = RunCli({"contrast", "#" + arrRow.at(1), "#" + arrRow.at(2)});
        EXPECT_NE(typResult.strOut.find("\nAPCA Lc " + arrRow.at(4) + "\n"), std::string::npos)
            << typResult.strOut;
    }
}

TEST(AccessibilityCommands, SimulateGivesTheReferenceColours) {
    for (const auto& arrRow : ValueRows("cvd")) {
        SCOPED_TRACE(arrRow.at(1) + " " + arrRow.at(2));
        const typRun typResult = RunCli({"simulate", "--type", arrRow.at(1), "#" + arrRow.at(2)});
        EXPECT_EQ(typResult.intStatus, 0);
        EXPECT_EQ(typResult.strOut, "#" + arrRow.at(6) + "\n");
    }
    // One line per colour in the notation asked for; a refused colour leaves the others.
    const typRun typResult =
        RunCli({"simulate", "--to=rgb", "--type=protanopia", "#ff0000", "bleu", "#ffff00"});
    EXPECT_EQ(typResult.intStatus, 1);
    EXPECT_EQ(typResult.strOut, "rgb(109 95 0)\nrgb(255 244 0)\n");  // 6d5f00, fff400
    EXPECT_EQ(typResult.strErr.rfind("huevra-cli: cannot read the colour at character 1", 0), 0u);
}

// Each palette of six colours the reference file checks for look-alike pairs, written as a
// palette file: the look-alike lines, the ratios of the pairs it holds, and the exit status.
TEST(AccessibilityCommands, CheckPaletteFlagsTheReferencePairs) {
    std::ifstream objTemplate(DataPath("new-palette.txt"), std::ios::binary);
    std::vector<std::string> arrFileLine;
    for (std::string strLine; std::getline(objTemplate, strLine);) arrFileLine.push_back(strLine);
    ASSERT_EQ(arrFileLine.size(), 100u);
    ASSERT_EQ(arrFileLine[5], "255,0,0\r");  // the first of six colour lines, two apart

    std::map<std::string, std::string> mapCutRatio;  // "text background" to the cut ratio
    for (const auto& arrRow : ValueRows("ratio"))
        mapCutRatio[arrRow.at(1) + " " + arrRow.at(2)] = arrRow.at(4);
    const auto arrAlike = ValueRows("alike");
    // The rows of the first deficiency give the palettes in order, fifteen pairs each.
    std::vector<std::vector<std::string>> arrPalettes;
    for (std::size_t i = 0; i < arrAlike.size() && arrAlike[i].at(1) == arrVisions[0]; i += 15) {
        arrPalettes.push_back({arrAlike[i].at(2)});
        for (std::size_t j = i; j < i + 5; ++j) arrPalettes.back().push_back(arrAlike.at(j).at(3));
    }
    ASSERT_GE(arrPalettes.size(), 5u);

    const std::string strPath = ::testing::TempDir() + "check-palette-test.txt";
    int intPassingPalettes = 0;
    for (const std::vector<std::string>& arrColours : arrPalettes) {
        std::string strExpectedAlike;
        std::map<std::string, int> mapMark;
        for (int i = 0; i < 6; ++i) mapMark[arrColours[i]] = i + 1;
        for (const std::string& strVision : arrVisions) {
            for (const auto& arrRow : arrAlike) {
                if (arrRow.at(1) != strVision || arrRow.at(5) != "1" ||
                    !mapMark.count(arrRow.at(2)) || !mapMark.count(arrRow.at(3))) {
                    continue;
                }
                strExpectedAlike += strVision + ": mark " + std::to_string(mapMark[arrRow[2]]) +
                                    " and mark " + std::to_string(mapMark[arrRow[3]]) +
                                    " look alike\n";
            }
        }
        {
            std::ofstream objOut(strPath, std::ios::binary);
            for (std::size_t i = 0; i < arrFileLine.size(); ++i) {
                std::string strLine = arrFileLine[i];
                if (i >= 5 && i <= 15 && i % 2 == 1) {
                    const unsigned lngValue = std::stoul(arrColours.at((i - 5) / 2), nullptr, 16);
                    strLine = std::to_string(lngValue >> 16) + "," +
                              std::to_string((lngValue >> 8) & 255) + "," +
                              std::to_string(lngValue & 255) + "\r";
                }
                objOut << strLine << '\n';
            }
        }
        SCOPED_TRACE(arrColours[0] + "...");
        // The matrix: every ratio the reference holds stands in its row and column.
        const typRun typMatrix = RunCli({"check-palette", strPath});
        EXPECT_EQ(typMatrix.intStatus, strExpectedAlike.empty() ? 0 : 3);
        intPassingPalettes += strExpectedAlike.empty() ? 1 : 0;
        std::istringstream objMatrix(typMatrix.strOut);
        std::string strLine;
        std::getline(objMatrix, strLine);
        EXPECT_EQ(strLine, "text on  mark 1  mark 2  mark 3  mark 4  mark 5  mark 6");
        for (int i = 0; i < 6 && std::getline(objMatrix, strLine); ++i) {
            std::istringstream objCells(strLine);
            std::string strMark, strNumber, strCell;
            objCells >> strMark >> strNumber;
            EXPECT_EQ(strMark + " " + strNumber, "mark " + std::to_string(i + 1));
            for (int j = 0; j < 6 && objCells >> strCell; ++j) {
                const auto itRatio = mapCutRatio.find(arrColours[i] + " " + arrColours[j]);
                if (i == j) {
                    EXPECT_EQ(strCell, "-");
                } else if (itRatio != mapCutRatio.end()) {
                    EXPECT_EQ(strCell, itRatio->second);
                }
            }
        }
        EXPECT_EQ(typMatrix.strOut.substr(typMatrix.strOut.size() - strExpectedAlike.size()),
                  strExpectedAlike);

        // The pairs the reference holds, at every level.
        for (std::size_t intLevel = 0; intLevel < arrLevels.size(); ++intLevel) {
            std::vector<std::string> arrArgs{"check-palette", "--level", arrLevels[intLevel],
                                             strPath};
            std::string strExpected;
            bool blnFails = !strExpectedAlike.empty();
            for (const auto& arrRow : ValueRows("ratio")) {
                if (!mapMark.count(arrRow.at(1)) || !mapMark.count(arrRow.at(2))) continue;
                const std::string strPair =
                    std::to_string(mapMark[arrRow[1]]) + ":" + std::to_string(mapMark[arrRow[2]]);
                const bool blnPasses = arrRow.at(5 + intLevel) == "1";
                arrArgs.insert(arrArgs.begin() + 1, {"--pair", strPair});
                strExpected = "mark " + strPair.substr(0, 1) + " on mark " + strPair.substr(2) +
                              ": " + arrRow.at(4) + " to 1, " + (blnPasses ? "passes " : "fails ") +
                              arrLevels[intLevel] + "\n" + strExpected;
                blnFails = blnFails || !blnPasses;
            }
            if (arrArgs.size() == 4) continue;
            SCOPED_TRACE(Joined(arrArgs));
            const typRun typPairs = RunCli(arrArgs);
            EXPECT_EQ(typPairs.strOut, strExpected + strExpectedAlike);
            EXPECT_EQ(typPairs.intStatus, blnFails ? 3 : 0);
        }
    }
    EXPECT_GE(intPassingPalettes, 1);
    std::remove(strPath.c_str());
}

// What a user sees with the default palette of red, yellow, lime, cyan, blue and magenta.
TEST(AccessibilityCommands, CheckPaletteOfTheDefaultPalette) {
    const std::string strPath = DataPath("new-palette.txt");
    const typRun typResult =
        RunCli({"check-palette", strPath, "--pair", "5:2", "--pair=1:5", "--level", "AAA"});
    EXPECT_EQ(typResult.intStatus, 3);
    EXPECT_EQ(typResult.strOut,
              "mark 5 on mark 2: 8.00 to 1, passes AAA\n"
              "mark 1 on mark 5: 2.14 to 1, fails AAA\n"
              "protanopia: mark 2 and mark 3 look alike\n"
              "achromatopsia: mark 3 and mark 4 look alike\n");
    EXPECT_EQ(typResult.strErr, "");
}

TEST(AccessibilityCommands, RefusalsAndUsageErrors) {
    struct typCase {
        std::vector<std::string> arrArgs;
        int intStatus;
        std::string strErrContains;
    };
    const std::string strPalette = DataPath("new-palette.txt");
    const std::vector<typCase> arrCases{
        {{"contrast", "#12345g", "white"}, 1, "cannot read the colour at character 7"},
        {{"contrast", "--json", "black", "whitish"}, 1, "cannot read the colour at character 1"},
        {{"check-palette", DataPath("no-such-palette.txt")}, 1, "cannot open the file"},
        {{"check-palette", DataPath("accessibility-values.tsv")}, 1, "is not a palette"},
        {{"contrast", "red"}, 2, "contrast takes two colours, TEXT and BACKGROUND, not 1"},
        {{"contrast", "--json=yes", "red", "blue"}, 2, "option --json takes no value"},
        {{"contrast", "--type", "protanopia", "red", "blue"}, 2, "belongs to simulate"},
        {{"contrast", "--to", "rgb", "red", "blue"}, 2, "belongs to simulate"},
        {{"simulate", "red"}, 2, "simulate needs --type protanopia, deuteranopia"},
        {{"simulate", "--type", "protan", "red"}, 2, "unknown deficiency \"protan\""},
        {{"simulate", "--type", "tritanopia"}, 2, "simulate needs at least one colour"},
        {{"simulate", "--type"}, 2, "option --type needs a value"},
        {{"simulate", "--type", "tritanopia", "-thtml-hex", "red"}, 2, "unknown notation"},
        {{"simulate", "--type", "tritanopia", "--type", "tritanopia", "red"}, 2, "given twice"},
        {{"simulate", "--type", "tritanopia", "--json", "red"}, 2, "belongs to contrast"},
        {{"check-palette"}, 2, "check-palette takes one palette file, not 0"},
        {{"check-palette", "--pair", "7:1", strPalette}, 2, "cannot read the pair \"7:1\""},
        {{"check-palette", "--pair", "0:1", strPalette}, 2, "cannot read the pair"},
        {{"check-palette", "--pair", "12", strPalette}, 2, "cannot read the pair"},
        {{"check-palette", "--pair", "1:2:3", strPalette}, 2, "cannot read the pair"},
        {{"check-palette", "--pair", "1:1", strPalette}, 2, "puts a mark on itself"},
        {{"check-palette", "--pair", "1:2", "--level", "AA-Large", strPalette},
         2,
         "unknown level \"AA-Large\""},
        {{"check-palette", "--level", "AAA", strPalette}, 2, "none is given"},
        {{"check-palette", "--template", "x", strPalette}, 2, "unknown option \"--template\""},
    };
    for (const typCase& c : arrCases) {
        SCOPED_TRACE(Joined(c.arrArgs));
        const typRun typResult = RunCli(c.arrArgs);
        EXPECT_EQ(typResult.intStatus, c.intStatus);
        EXPECT_EQ(typResult.strOut, "");
        EXPECT_EQ(typResult.strErr.rfind("huevra-cli: ", 0), 0u);
        EXPECT_NE(typResult.strErr.find(c.strErrContains), std::string::npos) << typResult.strErr;
    }
}

}  // namespace
