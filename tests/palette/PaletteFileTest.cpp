#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "palette/PaletteFile.h"
#include "palette/PaletteModel.h"

namespace {

namespace fs = std::filesystem;
using Names = std::array<std::string, intMarkCount>;
using Colours = std::array<typColour, intMarkCount>;

const std::string strDataDir = HUEVRA_TEST_DATA_DIR;
const std::string strHeaderA = "THIS FILE WAS MADE IN HUEVRA. DO NOT EDIT.";

typColour Rgb(std::int32_t lngRed, std::int32_t lngGreen, std::int32_t lngBlue) {
    typColour typValue;
    typValue.lngRed = lngRed;
    typValue.lngGreen = lngGreen;
    typValue.lngBlue = lngBlue;
    return typValue;
}

std::string FileBytes(const std::string& strPath) {
    std::ifstream objIn(strPath, std::ios::binary);
    return {std::istreambuf_iterator<char>(objIn), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::string& strPath, const std::string& strBytes) {
    std::ofstream objOut(strPath, std::ios::binary);
    objOut << strBytes;
}

LineReadResult LinesOf(const std::string& strBytes, std::vector<std::string>& arrLine) {
    std::istringstream objIn(strBytes);
    return ReadPaletteLines(objIn, arrLine);
}

std::vector<std::string> DataFileLines(const std::string& strName) {
    std::vector<std::string> arrLine;
    EXPECT_EQ(ReadPaletteLinesFromFile(strDataDir + "/" + strName, arrLine), LineReadResult::Ok);
    return arrLine;
}

// The sixteen lines of the current layout that the reader uses.
std::vector<std::string> CurrentLayoutLines(const std::array<std::string, 12>& arrNameAndColour) {
    std::vector<std::string> arrLine{strHeaderA, "version line", "", "[Huevra data]"};
    arrLine.insert(arrLine.end(), arrNameAndColour.begin(), arrNameAndColour.end());
    return arrLine;
}

std::vector<std::string> SimpleCurrentLayout() {
    return CurrentLayoutLines({"a", "1,2,3", "b", "4,5,6", "c", "7,8,9", "d", "10,11,12", "e",
                               "13,14,15", "f", "16,17,18"});
}

std::string WrittenText(const Palette& objPalette, const Names& arrName,
                        const std::string& strTemplate) {
    std::ostringstream objOut;
    WritePaletteText(objOut, objPalette, arrName, strTemplate);
    return objOut.str();
}

Palette PaletteWithColours(const Colours& arrColour) {
    Palette objPalette;
    objPalette.arrMarkColour = arrColour;
    objPalette.arrSavedColour = arrColour;
    return objPalette;
}

Palette NewPalette() {
    Palette objPalette;
    objPalette.SetDefaultPalette();
    objPalette = PaletteWithColours(objPalette.arrLoadColour);
    objPalette.arrSavedName.fill("Type a colour name");
    return objPalette;
}

// A fresh folder that is removed with everything in it at the end of the test.
class TempFolder {
public:
    TempFolder() {
        std::string strTemplate = (fs::temp_directory_path() / "huevra-palette-XXXXXX").string();
        if (mkdtemp(strTemplate.data()) != nullptr) strPath = strTemplate;
    }
    ~TempFolder() {
        std::error_code objError;
        if (!strPath.empty()) fs::remove_all(strPath, objError);
    }
    std::string strPath;
};

}  // namespace

// ---- Line reading ---------------------------------------------------------------------------

TEST(PaletteLines, CrLfOrLoneCrEndsALineAndLoneLfStaysInside) {
    struct Case {
        std::string strBytes;
        std::vector<std::string> arrExpected;
    };
    const Case arrCase[] = {
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\rb\r", {"a", "b"}},
        {"a\r\nb", {"a", "b"}},
        {"a\nb\r\nc", {"a\nb", "c"}},
        {"a\nb\nc", {"a\nb\nc"}},
        {"\n", {"\n"}},
        {"\r\n", {""}},
        {"a\r\n\r\n", {"a", ""}},
        {"a\r\r\nb", {"a", "", "b"}},
        {"a\n\r\n", {"a\n"}},
        {"\r\r\r", {"", "", ""}},
    };
    for (const Case& objCase : arrCase) {
        SCOPED_TRACE(testing::PrintToString(objCase.strBytes));
        std::vector<std::string> arrLine{"left over"};
        ASSERT_EQ(LinesOf(objCase.strBytes, arrLine), LineReadResult::Ok);
        EXPECT_EQ(arrLine, objCase.arrExpected);
    }
}

TEST(PaletteLines, LineEndsAreFoundWhereverTheInputIsCut) {
    for (std::size_t intBits = 10; intBits <= 17; ++intBits) {
        for (const std::size_t intLength :
             {(std::size_t{1} << intBits) - 1, std::size_t{1} << intBits}) {
            SCOPED_TRACE(intLength);
            const std::string strLong(intLength - 1, 'x');
            std::vector<std::string> arrLine;
            ASSERT_EQ(LinesOf(strLong + "\r\nb\r\r\n", arrLine), LineReadResult::Ok);
            EXPECT_EQ(arrLine, (std::vector<std::string>{strLong, "b", ""}));
            ASSERT_EQ(LinesOf(strLong + "y\r\nb", arrLine), LineReadResult::Ok);
            EXPECT_EQ(arrLine, (std::vector<std::string>{strLong + "y", "b"}));
            ASSERT_EQ(LinesOf(strLong + "\r\r\n", arrLine), LineReadResult::Ok);
            EXPECT_EQ(arrLine, (std::vector<std::string>{strLong, ""}));
        }
    }
}

TEST(PaletteLines, EmptyInputIsRejected) {
    std::vector<std::string> arrLine;
    EXPECT_EQ(LinesOf("", arrLine), LineReadResult::Rejected);
    EXPECT_TRUE(arrLine.empty());
}

TEST(PaletteLines, AThousandLinesAreReadAndOneMoreIsRejected) {
    std::string strBytes;
    for (int i = 0; i < 1000; ++i) strBytes += "line\r\n";
    std::vector<std::string> arrLine;
    ASSERT_EQ(LinesOf(strBytes, arrLine), LineReadResult::Ok);
    EXPECT_EQ(arrLine.size(), 1000u);

    EXPECT_EQ(LinesOf(strBytes + "x", arrLine), LineReadResult::Rejected);
    EXPECT_TRUE(arrLine.empty());
    EXPECT_EQ(LinesOf(strBytes + "\r", arrLine), LineReadResult::Rejected);
    EXPECT_EQ(LinesOf(std::string(5000, '\r'), arrLine), LineReadResult::Rejected);
    // LF does not end a line, so many of them are still one line.
    EXPECT_EQ(LinesOf(std::string(5000, '\n'), arrLine), LineReadResult::Ok);
    EXPECT_EQ(arrLine.size(), 1u);
}

TEST(PaletteLines, InputLargerThanTheFileLimitIsRejected) {
    std::vector<std::string> arrLine;
    EXPECT_EQ(LinesOf(std::string(intMaxPaletteBytes, 'x'), arrLine), LineReadResult::Ok);
    EXPECT_EQ(LinesOf(std::string(intMaxPaletteBytes + 1, 'x'), arrLine), LineReadResult::Rejected);
    EXPECT_TRUE(arrLine.empty());
}

TEST(PaletteLines, Utf8IsKeptAndAnythingElseIsReadAsWindows1252) {
    struct Case {
        std::string strBytes;
        std::vector<std::string> arrExpected;
    };
    const Case arrCase[] = {
        {"Caf\xC3\xA9\r\n\xE8\x89\xB2", {"Caf\xC3\xA9", "\xE8\x89\xB2"}},
        {"\xEF\xBB\xBFTHIS\r\nx", {"THIS", "x"}},
        {"\xEF\xBB\xBF", {""}},
        {"a\xEF\xBB\xBF", {"a\xEF\xBB\xBF"}},  // only a leading mark is dropped
        {"Caf\xE9", {"Caf\xC3\xA9"}},
        {"\x80\x8A\x9F\xA0\xFF", {"\xE2\x82\xAC\xC5\xA0\xC5\xB8\xC2\xA0\xC3\xBF"}},
        {"\x81\x8D\x8F\x90\x9D", {"\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D"}},
        // One bad byte anywhere decides for the whole text.
        {"\xC3\xA9\r\n\xE9", {"\xC3\x83\xC2\xA9", "\xC3\xA9"}},
        {"\xC0\x80", {"\xC3\x80\xE2\x82\xAC"}},                              // overlong
        {"\xED\xA0\x80", {"\xC3\xAD\xC2\xA0\xE2\x82\xAC"}},                  // surrogate
        {"\xF4\x90\x80\x80", {"\xC3\xB4\xC2\x90\xE2\x82\xAC\xE2\x82\xAC"}},  // past U+10FFFF
        {"\xC3", {"\xC3\x83"}},                                              // cut short
    };
    for (const Case& objCase : arrCase) {
        SCOPED_TRACE(testing::PrintToString(objCase.strBytes));
        std::vector<std::string> arrLine;
        ASSERT_EQ(LinesOf(objCase.strBytes, arrLine), LineReadResult::Ok);
        EXPECT_EQ(arrLine, objCase.arrExpected);
    }
}

TEST(PaletteLines, OnlyARegularFileCanBeRead) {
    TempFolder objFolder;
    ASSERT_FALSE(objFolder.strPath.empty());
    std::vector<std::string> arrLine{"left over"};
    EXPECT_EQ(ReadPaletteLinesFromFile(objFolder.strPath + "/missing.txt", arrLine),
              LineReadResult::CannotRead);
    EXPECT_TRUE(arrLine.empty());
    EXPECT_EQ(ReadPaletteLinesFromFile(objFolder.strPath, arrLine), LineReadResult::CannotRead);
    EXPECT_EQ(ReadPaletteLinesFromFile("", arrLine), LineReadResult::CannotRead);
    // A pipe would block the reader until someone writes to it.
    const std::string strPipe = objFolder.strPath + "/pipe.txt";
    ASSERT_EQ(mkfifo(strPipe.c_str(), 0600), 0);
    EXPECT_EQ(ReadPaletteLinesFromFile(strPipe, arrLine), LineReadResult::CannotRead);
}

TEST(PaletteLines, FileOverTheSizeLimitIsRejectedAndOneAtTheLimitIsRead) {
    TempFolder objFolder;
    ASSERT_FALSE(objFolder.strPath.empty());
    const std::string strPath = objFolder.strPath + "/big.txt";
    std::vector<std::string> arrLine;
    WriteBytes(strPath, std::string(intMaxPaletteBytes, 'x'));
    EXPECT_EQ(ReadPaletteLinesFromFile(strPath, arrLine), LineReadResult::Ok);
    WriteBytes(strPath, std::string(intMaxPaletteBytes + 1, 'x'));
    EXPECT_EQ(ReadPaletteLinesFromFile(strPath, arrLine), LineReadResult::Rejected);
    WriteBytes(strPath, "");
    EXPECT_EQ(ReadPaletteLinesFromFile(strPath, arrLine), LineReadResult::Rejected);
}

// ---- Reading the four layouts ---------------------------------------------------------------

TEST(PaletteRead, EachLayoutGivesItsNamesAndColours) {
    struct Case {
        const char* strFile;
        Names arrName;
        Colours arrColour;
    };
    const Case arrCase[] = {
        {"palette-a.txt",
         {"Sunset Orange", "", "[Brackets], commas", "Olive", "Caf\xC3\xA9 au lait",
          "Midnight Blue"},
         {Rgb(255, 128, 0), Rgb(0, 0, 0), Rgb(12, 34, 56), Rgb(128, 128, 0), Rgb(166, 123, 91),
          Rgb(25, 25, 112)}},
        {"palette-b.txt",
         {"Brick", "Sky", "Grass", "Snow", "Coal", "Sand"},
         {Rgb(178, 34, 34), Rgb(135, 206, 235), Rgb(0, 128, 0), Rgb(255, 255, 255), Rgb(0, 0, 0),
          Rgb(194, 178, 128)}},
        {"palette-c.txt",
         {"Plum", "Steel", "Lemon", "Rust", "Mint", "Ink"},
         {Rgb(221, 160, 221), Rgb(70, 130, 180), Rgb(255, 250, 205), Rgb(183, 65, 14),
          Rgb(189, 252, 201), Rgb(10, 20, 30)}},
        // Written by the older Windows program in its code page.
        {"palette-d.txt",
         {"Caf\xC3\xA9 cr\xC3\xA8me", "Ros\xC3\xA9", "D\xC3\xA9j\xC3\xA0 vu", "Na\xC3\xAFve",
          "Sm\xC3\xB6rg\xC3\xA5s",
          "Stra\xC3\x9F"
          "e"},
         {Rgb(255, 253, 208), Rgb(255, 102, 204), Rgb(1, 2, 3), Rgb(100, 149, 237),
          Rgb(250, 128, 114), Rgb(46, 139, 87)}},
    };
    for (const Case& objCase : arrCase) {
        SCOPED_TRACE(objCase.strFile);
        Palette objPalette;
        ASSERT_TRUE(ReadPaletteFile(DataFileLines(objCase.strFile), objPalette));
        EXPECT_EQ(objPalette.arrLoadName, objCase.arrName);
        for (int k = 0; k < intMarkCount; ++k) {
            SCOPED_TRACE(k);
            EXPECT_EQ(objPalette.arrLoadColour.at(k), objCase.arrColour.at(k));
        }
    }
}

TEST(PaletteRead, EachLayoutNeedsItsLastColourLineAndNoMore) {
    struct Case {
        const char* strFile;
        std::size_t intLinesNeeded;
    };
    const Case arrCase[] = {
        {"palette-a.txt", 16}, {"palette-b.txt", 46}, {"palette-c.txt", 41}, {"palette-d.txt", 31}};
    for (const Case& objCase : arrCase) {
        SCOPED_TRACE(objCase.strFile);
        std::vector<std::string> arrLine = DataFileLines(objCase.strFile);
        ASSERT_GE(arrLine.size(), objCase.intLinesNeeded);
        arrLine.resize(objCase.intLinesNeeded);
        Palette objPalette;
        EXPECT_TRUE(ReadPaletteFile(arrLine, objPalette));
        arrLine.pop_back();
        EXPECT_FALSE(ReadPaletteFile(arrLine, objPalette));
    }
}

TEST(PaletteRead, FirstLineMustMatchExactly) {
    const std::string arrHeader[] = {strHeaderA, "DO NOT EDIT THIS FILE.",
                                     "This text file has a special structure. Do not edit.",
                                     "This is a Huevra Palette File. Do not edit."};
    const std::vector<std::string> arrGood = SimpleCurrentLayout();
    for (const std::string& strHeader : arrHeader) {
        std::string strLower = strHeader;
        std::string strUpper = strHeader;
        for (char& c : strLower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        for (char& c : strUpper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        for (const std::string& strVariant :
             {strHeader + " ", " " + strHeader, strLower, strUpper, strHeader + "\n",
              strHeader.substr(0, strHeader.size() - 1)}) {
            if (strVariant == strHeader) continue;  // the upper-case form of layout A
            SCOPED_TRACE(testing::PrintToString(strVariant));
            std::vector<std::string> arrLine = arrGood;
            arrLine.front() = strVariant;
            // Make the rest readable in every layout so that only line 0 decides.
            arrLine.resize(60, "[name]");
            Palette objPalette;
            EXPECT_FALSE(ReadPaletteFile(arrLine, objPalette));
        }
    }
    Palette objPalette;
    EXPECT_TRUE(ReadPaletteFile(arrGood, objPalette));
    EXPECT_FALSE(ReadPaletteFile({}, objPalette));
}

TEST(PaletteRead, CurrentLayoutColourLinesAndNumbers) {
    struct Case {
        const char* strLine;
        std::optional<typColour> typExpected;
    };
    const Case arrCase[] = {
        {"12,34,56", Rgb(12, 34, 56)},
        {" 12 , 34 ,56 ,99", Rgb(12, 34, 56)},
        {"1,2,3,x,y", Rgb(1, 2, 3)},
        {"007,0,255", Rgb(7, 0, 255)},
        {"+1,-0,+255", Rgb(1, 0, 255)},
        {"0,0,0", Rgb(0, 0, 0)},
        {"255,255,255", Rgb(255, 255, 255)},
        {"1,2", std::nullopt},
        {"1,,3", std::nullopt},
        {"1,2x,3", std::nullopt},
        {"1,2,3x", std::nullopt},
        {"256,0,0", std::nullopt},
        {"0,256,0", std::nullopt},
        {"0,0,256", std::nullopt},
        {"-1,0,0", std::nullopt},
        {"2147483647,0,0", std::nullopt},
        {"2147483648,0,0", std::nullopt},
        {"99999999999999999999,0,0", std::nullopt},
        {"- 1,0,0", std::nullopt},
        {"+,0,0", std::nullopt},
        {"1 2,3,4", std::nullopt},
        {"1\t,2,3", std::nullopt},
        {"0x10,0,0", std::nullopt},
        {"&HFF,0,0", std::nullopt},
        {"1.0,2,3", std::nullopt},
    };
    for (const Case& objCase : arrCase) {
        SCOPED_TRACE(objCase.strLine);
        for (int k : {0, 5}) {
            SCOPED_TRACE(k);
            std::vector<std::string> arrLine = SimpleCurrentLayout();
            arrLine.at(5 + 2 * k) = objCase.strLine;
            Palette objPalette;
            const bool blnRead = ReadPaletteFile(arrLine, objPalette);
            EXPECT_EQ(blnRead, objCase.typExpected.has_value());
            if (blnRead && objCase.typExpected) {
                EXPECT_EQ(objPalette.arrLoadColour.at(k), *objCase.typExpected);
            }
        }
    }
}

TEST(PaletteRead, CurrentLayoutNameIsTheWholeLineWhenItFitsTheField) {
    for (const std::string& strName :
         {std::string(), std::string("[Bracketed]"), std::string("  spaced, a, b, c  "),
          std::string("line\nfeed"), std::string(21, 'n')}) {
        SCOPED_TRACE(testing::PrintToString(strName));
        std::vector<std::string> arrLine = SimpleCurrentLayout();
        arrLine.at(4 + 2 * 3) = strName;
        Palette objPalette;
        ASSERT_TRUE(ReadPaletteFile(arrLine, objPalette));
        EXPECT_EQ(objPalette.arrLoadName.at(3), strName);
        EXPECT_EQ(objPalette.arrLoadName.at(2), "c");
    }
}

TEST(PaletteRead, LongNamesAreCutOnceOnAWholeCharacterToWhatTheFieldHolds) {
    const std::string strTwenty(20, 'a');
    const std::string strFace = "\xF0\x9F\x98\x80";                  // U+1F600, two UTF-16 units
    const std::string strAccent = "e\xCC\x81";                       // e and a combining acute
    const std::string strFlag = "\xF0\x9F\x87\xAB\xF0\x9F\x87\xB7";  // two regional indicators
    struct Case {
        std::string strName;
        std::string strCut;
    };
    const std::vector<Case> arrCases = {
        {std::string(21, 'n'), std::string(21, 'n')},
        {std::string(22, 'n'), std::string(21, 'n')},
        {"A name that is much longer than twenty-one characters", "A name that is much l"},
        {strTwenty + strFace, strTwenty},  // 22 units: the emoji goes whole
        {std::string(19, 'a') + strFace + "b", std::string(19, 'a') + strFace},
        {strTwenty + strAccent, strTwenty},  // the accent stays with its letter
        {std::string(19, 'a') + strAccent + "b", std::string(19, 'a') + strAccent},
        {std::string(18, 'a') + strFlag, std::string(18, 'a')},
        {std::string(10, 'a') + "\xC3\xA9" + std::string(20, 'b'),
         std::string(10, 'a') + "\xC3\xA9" + std::string(10, 'b')},
        // One character longer than the field keeps whole code points.
        {"a" +
             [] {
                 std::string strMarks;
                 for (int i = 0; i < 30; ++i) strMarks += "\xCC\x81";
                 return strMarks;
             }(),
         "a" +
             [] {
                 std::string strMarks;
                 for (int i = 0; i < 20; ++i) strMarks += "\xCC\x81";
                 return strMarks;
             }()},
    };
    for (const Case& objCase : arrCases) {
        SCOPED_TRACE(testing::PrintToString(objCase.strName));
        EXPECT_EQ(FieldName(objCase.strName), objCase.strCut);
        EXPECT_EQ(FieldName(objCase.strCut), objCase.strCut);
        for (const bool blnOlder : {false, true}) {
            std::vector<std::string> arrLine = SimpleCurrentLayout();
            if (blnOlder) {
                arrLine = std::vector<std::string>(31, "");
                arrLine.at(0) = "This is a Huevra Palette File. Do not edit.";
                for (std::size_t k = 0; k < 6; ++k) {
                    arrLine.at(2 + 5 * k) = "[" + objCase.strName + "]";
                    arrLine.at(5 + 5 * k) = "Color = RGB(  1, 2, 3)";
                }
            } else {
                arrLine.at(4 + 2 * 5) = objCase.strName;
            }
            Palette objPalette;
            ASSERT_TRUE(ReadPaletteFile(arrLine, objPalette));
            EXPECT_EQ(objPalette.arrLoadName.at(5), objCase.strCut);
        }
    }
}

TEST(PaletteRead, OlderLayoutSkipsAnyFourteenCharactersBeforeTheColour) {
    struct Case {
        std::string strLine;
        std::optional<typColour> typExpected;
    };
    const std::string strRest = "255, 1, 2)";
    const Case arrCase[] = {
        {"Colour:   RGB(" + strRest, Rgb(255, 1, 2)},
        {"abcdefghijklmn" + strRest, Rgb(255, 1, 2)},
        {std::string(14, ' ') + strRest, Rgb(255, 1, 2)},
        {"1,2,3,4,5,6,7," + strRest, Rgb(255, 1, 2)},
        {"\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xE2\x82\xAC\xE2\x82\xAC"
         "\xE2\x82\xAC\xE2\x82\xAC\xE2\x82\xAC\xE2\x82\xAC\xE2\x82\xAC(" +
             strRest,
         Rgb(255, 1, 2)},
        {"Colour:   RGB(" + std::string(" 255,  1,  2 ]"), Rgb(255, 1, 2)},
        {"Colour:   RGB(0, 0, 0)", Rgb(0, 0, 0)},
        {"Colour:   RGB(0, 0, 0), more", Rgb(0, 0, 0)},
        {"Colour:   RGB(255,1,2)", std::nullopt},  // the blanks are not optional
        {"Colour:   RGB(255, 1, 2", std::nullopt},
        {"Colour:   RGB(256, 1, 2)", std::nullopt},
        {"Colour:   RGB(1, 256, 2)", std::nullopt},
        {"Colour:   RGB(1, 2, 256)", std::nullopt},
        {"Colour:   RGB(-1, 2, 3)", std::nullopt},
        {"Colour:   RGB(1, 2)", std::nullopt},
        {"Colour:   RGB(a, 2, 3)", std::nullopt},
        {"Colour:   RGB(", std::nullopt},
        {"Colour:", std::nullopt},
        {"", std::nullopt},
    };
    const std::vector<std::string> arrGood = DataFileLines("palette-d.txt");
    for (const Case& objCase : arrCase) {
        SCOPED_TRACE(testing::PrintToString(objCase.strLine));
        std::vector<std::string> arrLine = arrGood;
        arrLine.at(5 + 5 * 4) = objCase.strLine;
        Palette objPalette;
        const bool blnRead = ReadPaletteFile(arrLine, objPalette);
        EXPECT_EQ(blnRead, objCase.typExpected.has_value());
        if (blnRead && objCase.typExpected) {
            EXPECT_EQ(objPalette.arrLoadColour.at(4), *objCase.typExpected);
        }
    }
}

TEST(PaletteRead, OlderLayoutNameDropsTheFirstAndLastCharacter) {
    struct Case {
        std::string strLine;
        std::optional<std::string> strExpected;
    };
    const Case arrCase[] = {
        {"[Brick]", "Brick"},
        {"[]", ""},
        {"(a, b)", "a, b"},
        {"[a]b", "a]"},
        {"\xC3\xA9name\xC3\xA9", "name"},
        {"[x\xE2\x82\xAC", "x"},
        {"x", std::nullopt},
        {"\xC3\xA9", std::nullopt},
        {"", std::nullopt},
    };
    const std::vector<std::string> arrGood = DataFileLines("palette-b.txt");
    for (const Case& objCase : arrCase) {
        SCOPED_TRACE(testing::PrintToString(objCase.strLine));
        std::vector<std::string> arrLine = arrGood;
        arrLine.at(2 + 8 * 5) = objCase.strLine;
        Palette objPalette;
        const bool blnRead = ReadPaletteFile(arrLine, objPalette);
        EXPECT_EQ(blnRead, objCase.strExpected.has_value());
        if (blnRead && objCase.strExpected) {
            EXPECT_EQ(objPalette.arrLoadName.at(5), *objCase.strExpected);
        }
    }
}

TEST(PaletteRead, FileWithOnlyLineFeedsIsOneLineAndRejected) {
    std::string strBytes;
    for (const std::string& strLine : SimpleCurrentLayout()) strBytes += strLine + "\n";
    std::vector<std::string> arrLine;
    ASSERT_EQ(LinesOf(strBytes, arrLine), LineReadResult::Ok);
    EXPECT_EQ(arrLine.size(), 1u);
    Palette objPalette;
    EXPECT_FALSE(ReadPaletteFile(arrLine, objPalette));
}

TEST(PaletteRead, FileWithOnlyCarriageReturnsIsRead) {
    std::string strBytes;
    for (const std::string& strLine : SimpleCurrentLayout()) strBytes += strLine + "\r";
    std::vector<std::string> arrLine;
    ASSERT_EQ(LinesOf(strBytes, arrLine), LineReadResult::Ok);
    Palette objPalette;
    ASSERT_TRUE(ReadPaletteFile(arrLine, objPalette));
    EXPECT_EQ(objPalette.arrLoadName.at(5), "f");
    EXPECT_EQ(objPalette.arrLoadColour.at(5), Rgb(16, 17, 18));
}

// ---- Writing --------------------------------------------------------------------------------

TEST(PaletteWrite, NewPaletteWithoutTemplateMatchesTheReferenceFile) {
    const Palette objPalette = NewPalette();
    EXPECT_EQ(WrittenText(objPalette, objPalette.arrSavedName, ""),
              FileBytes(strDataDir + "/new-palette.txt"));
}

TEST(PaletteWrite, NamedPaletteWithTemplateMatchesTheReferenceFile) {
    Palette objPalette;
    ASSERT_TRUE(ReadPaletteFile(DataFileLines("palette-a.txt"), objPalette));
    objPalette.arrMarkColour = objPalette.arrLoadColour;
    EXPECT_EQ(WrittenText(objPalette, objPalette.arrLoadName, "#%UR%%UG%%UB%"),
              FileBytes(strDataDir + "/palette-a.txt"));
}

TEST(PaletteWrite, NamesNeverBreakTheLineStructure) {
    Palette objPalette = NewPalette();
    Names arrName = objPalette.arrSavedName;
    arrName.at(0) = "Not JavaScript colour";
    arrName.at(1) = "two\r\nlines";
    arrName.at(2) = "\r";
    arrName.at(3) = "lone\nfeed";
    const std::string strText = WrittenText(objPalette, arrName, "%DR%\r\n%DG%\r%DB%\n");

    std::vector<std::string> arrLine;
    ASSERT_EQ(LinesOf(strText, arrLine), LineReadResult::Ok);
    ASSERT_EQ(arrLine.size(), 100u);
    const std::string arrExpected[] = {"Type a colour name", "two  lines", " ", "lone feed"};
    for (int k = 0; k < 4; ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(arrLine.at(4 + 2 * k), arrExpected[k]);
        EXPECT_EQ(arrLine.at(17 + 14 * k), "[" + arrExpected[k] + "]");
    }
    EXPECT_EQ(arrLine.at(29), "Custom: 255  0 0 ");
    // Every line ends with CR LF and no other CR or LF is left.
    const auto intCount = [&](std::string_view strWhat) {
        std::size_t intFound = 0;
        for (auto intPos = strText.find(strWhat); intPos != std::string::npos;
             intPos = strText.find(strWhat, intPos + 1)) {
            ++intFound;
        }
        return intFound;
    };
    EXPECT_EQ(intCount("\r\n"), 100u);
    EXPECT_EQ(intCount("\r"), 100u);
    EXPECT_EQ(intCount("\n"), 100u);
}

TEST(PaletteWrite, CustomLineHasATemplateOnlyWhenOneIsSet) {
    Palette objPalette = NewPalette();
    objPalette.arrMarkColour.at(2) = Rgb(255, 204, 0);
    std::vector<std::string> arrLine;
    ASSERT_EQ(LinesOf(WrittenText(objPalette, objPalette.arrSavedName, "#%UR%%UG%%UB%"), arrLine),
              LineReadResult::Ok);
    EXPECT_EQ(arrLine.at(18 + 14 * 2 + 11), "Custom: #FFCC00");
    EXPECT_EQ(arrLine.at(18 + 14 * 0 + 11), "Custom: #FF0000");
    ASSERT_EQ(LinesOf(WrittenText(objPalette, objPalette.arrSavedName, ""), arrLine),
              LineReadResult::Ok);
    EXPECT_EQ(arrLine.at(18 + 14 * 2 + 11), "Custom:");
}

TEST(PaletteWrite, AwkwardNamesAndColoursSurviveARoundTrip) {
    const Names arrName = {"",
                           "[in brackets]",
                           "a, b, c",
                           "Caf\xC3\xA9 \xE8\x89\xB2 \xE2\x82\xAC",
                           "Twenty-one characters",
                           "  spaces around  "};
    const Colours arrColour = {Rgb(0, 0, 0),     Rgb(255, 255, 255), Rgb(1, 2, 3),
                               Rgb(255, 204, 0), Rgb(0, 128, 255),   Rgb(17, 0, 200)};
    Palette objWritten = PaletteWithColours(arrColour);
    std::vector<std::string> arrLine;
    ASSERT_EQ(LinesOf(WrittenText(objWritten, arrName, "%LD%"), arrLine), LineReadResult::Ok);
    Palette objRead;
    ASSERT_TRUE(ReadPaletteFile(arrLine, objRead));
    EXPECT_EQ(objRead.arrLoadName, arrName);
    EXPECT_EQ(objRead.arrLoadColour, arrColour);
}

TEST(PaletteWrite, ComponentOutsideTheByteRangeIsNotWritten) {
    Palette objPalette = NewPalette();
    objPalette.arrMarkColour.at(4) = Rgb(0, 65536 + 7, 0);
    std::ostringstream objOut;
    EXPECT_THROW(WritePaletteText(objOut, objPalette, objPalette.arrSavedName, ""),
                 std::out_of_range);
}

// ---- Saving to disk -------------------------------------------------------------------------

TEST(PaletteSave, SaveReplacesTheFileAndThenTheSavedState) {
    TempFolder objFolder;
    ASSERT_FALSE(objFolder.strPath.empty());
    const std::string strPath = objFolder.strPath + "/palette.txt";
    WriteBytes(strPath, std::string(5000, 'o'));

    Palette objPalette = NewPalette();
    objPalette.arrMarkColour.at(1) = Rgb(9, 8, 7);
    Names arrName = objPalette.arrSavedName;
    arrName.at(2) = "Renamed";
    arrName.at(3) = "Not JavaScript colour";
    ASSERT_TRUE(objPalette.PaletteChanged(arrName));

    ASSERT_TRUE(WritePaletteFile(strPath, objPalette, arrName, ""));
    EXPECT_EQ(FileBytes(strPath), WrittenText(objPalette, arrName, ""));
    EXPECT_EQ(objPalette.arrSavedColour.at(1), Rgb(9, 8, 7));
    EXPECT_EQ(objPalette.arrSavedName.at(2), "Renamed");
    EXPECT_EQ(objPalette.arrSavedName.at(3), "Type a colour name");
    EXPECT_FALSE(objPalette.PaletteChanged(arrName));
    EXPECT_EQ(std::distance(fs::directory_iterator(objFolder.strPath), fs::directory_iterator()),
              1);
}

TEST(PaletteSave, FailedSaveLeavesTheFileAndTheSavedStateAlone) {
    TempFolder objFolder;
    ASSERT_FALSE(objFolder.strPath.empty());
    Palette objPalette = NewPalette();
    objPalette.arrMarkColour.at(0) = Rgb(1, 1, 1);
    Names arrName = objPalette.arrSavedName;
    arrName.at(5) = "New name";
    const Palette objBefore = objPalette;

    for (const std::string& strPath :
         {objFolder.strPath + "/no such folder/palette.txt", objFolder.strPath, std::string()}) {
        SCOPED_TRACE(strPath);
        EXPECT_FALSE(WritePaletteFile(strPath, objPalette, arrName, ""));
        EXPECT_EQ(objPalette.arrSavedColour, objBefore.arrSavedColour);
        EXPECT_EQ(objPalette.arrSavedName, objBefore.arrSavedName);
        EXPECT_TRUE(objPalette.PaletteChanged(arrName));
    }
    EXPECT_FALSE(fs::exists(objFolder.strPath + "/no such folder"));
}

TEST(PaletteSave, FullDiskLeavesThePreviousFileByteForByte) {
    TempFolder objFolder;
    ASSERT_FALSE(objFolder.strPath.empty());
    const std::string strPath = objFolder.strPath + "/palette.txt";
    const std::string strOld = FileBytes(strDataDir + "/palette-b.txt");
    WriteBytes(strPath, strOld);

    // The size limit must not hit the test runner itself, so the save runs in a child.
    const pid_t intChild = fork();
    ASSERT_NE(intChild, -1);
    if (intChild == 0) {
        signal(SIGXFSZ, SIG_IGN);
        const rlimit typLimit{1000, 1000};
        if (setrlimit(RLIMIT_FSIZE, &typLimit) != 0) _exit(10);
        Palette objPalette = NewPalette();
        objPalette.arrMarkColour.at(0) = Rgb(1, 1, 1);
        const Palette objBefore = objPalette;
        Names arrName = objPalette.arrSavedName;
        arrName.at(0) = "Unsaved";
        if (WritePaletteFile(strPath, objPalette, arrName, "")) _exit(11);
        if (objPalette.arrSavedColour != objBefore.arrSavedColour) _exit(12);
        if (objPalette.arrSavedName != objBefore.arrSavedName) _exit(13);
        _exit(0);
    }
    int intStatus = 0;
    ASSERT_EQ(waitpid(intChild, &intStatus, 0), intChild);
    ASSERT_TRUE(WIFEXITED(intStatus));
    EXPECT_EQ(WEXITSTATUS(intStatus), 0);
    EXPECT_EQ(FileBytes(strPath), strOld);
    EXPECT_EQ(std::distance(fs::directory_iterator(objFolder.strPath), fs::directory_iterator()),
              1);
}
