#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>  // std::snprintf
#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "core/ColourValue.h"
#include "core/NamedColours.h"

namespace {

// Written independently of the program's hex table, as a check on it.
std::string ExpectedTip(const std::string& strName, std::int32_t lngValue) {
    char arrDigits[8];
    std::snprintf(arrDigits, sizeof arrDigits, "%02X%02X%02X", lngValue & 255,
                  (lngValue >> 8) & 255, (lngValue >> 16) & 255);
    return strName + " #" + arrDigits;
}

std::string NameOfTip(const std::string& strTip) { return strTip.substr(0, strTip.find(' ')); }

std::vector<std::pair<std::string, std::int32_t>> SortedPairs(bool blnNetOrder) {
    std::vector<std::pair<std::string, std::int32_t>> arrPairs;
    for (int i = 0; i < intNamedColourCount; ++i) {
        arrPairs.emplace_back(
            NameOfTip(blnNetOrder ? strNamedColourTipNet(i) : strNamedColourTip(i)),
            blnNetOrder ? lngNamedColourNet(i) : lngNamedColour(i));
    }
    std::sort(arrPairs.begin(), arrPairs.end());
    return arrPairs;
}

TEST(NamedColour, AlphabeticalTableIsStrictlySortedAndLowerCase) {
    for (int i = 0; i < intNamedColourCount; ++i) {
        SCOPED_TRACE(strNamedColour(i));
        EXPECT_EQ(strNamedColour(i).find_first_not_of("abcdefghijklmnopqrstuvwxyz"),
                  std::string::npos);
        if (i > 0) {
            EXPECT_LT(strNamedColour(i - 1), strNamedColour(i));
        }
    }
}

TEST(NamedColour, EveryTipIsTheNameAndTheDigitsOfItsValue) {
    for (int i = 0; i < intNamedColourCount; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(strNamedColourTip(i), ExpectedTip(strNamedColour(i), lngNamedColour(i)));
        EXPECT_EQ(strNamedColourTipNet(i),
                  ExpectedTip(NameOfTip(strNamedColourTipNet(i)), lngNamedColourNet(i)));
    }
    EXPECT_EQ(strNamedColourTip(0), "aliceblue #F0F8FF");
    EXPECT_EQ(strNamedColourTipNet(39), "blanchedalmond #FFEBCD");
}

TEST(NamedColour, BothOrdersHoldTheSame140Pairs) {
    const auto arrAlphabetical = SortedPairs(false);
    EXPECT_EQ(arrAlphabetical, SortedPairs(true));
    std::set<std::string> setNames;
    for (const auto& objPair : arrAlphabetical) setNames.insert(objPair.first);
    EXPECT_EQ(setNames.size(), 140u);
}

TEST(NamedColour, OnlyAquaCyanAndFuchsiaMagentaShareAValue) {
    std::map<std::int32_t, std::vector<std::string>> mapNames;
    for (int i = 0; i < intNamedColourCount; ++i) {
        mapNames[lngNamedColour(i)].push_back(strNamedColour(i));
    }
    std::map<std::int32_t, std::vector<std::string>> mapShared;
    for (const auto& [lngValue, arrNames] : mapNames) {
        if (arrNames.size() > 1) mapShared[lngValue] = arrNames;
    }
    const std::map<std::int32_t, std::vector<std::string>> mapExpected = {
        {PackColour(0, 255, 255), {"aqua", "cyan"}},
        {PackColour(255, 0, 255), {"fuchsia", "magenta"}}};
    EXPECT_EQ(mapShared, mapExpected);
}

TEST(NamedColour, GreysAreSpeltGrayExceptLightgrey) {
    for (int i = 0; i < intNamedColourCount; ++i) {
        const std::string& strName = strNamedColour(i);
        if (strName.find("grey") != std::string::npos) {
            EXPECT_EQ(strName, "lightgrey");
        }
    }
    for (const char* strAbsent : {"darkgrey", "darkslategrey", "dimgrey", "grey", "lightgray",
                                  "lightslategrey", "slategrey"}) {
        for (int i = 0; i < intNamedColourCount; ++i) EXPECT_NE(strNamedColour(i), strAbsent);
    }
}

TEST(NamedColour, EntriesStandAtTheirKnownPositions) {
    const std::pair<int, const char*> arrAlphabetical[] = {
        {0, "aliceblue"}, {2, "aqua"},     {8, "blanchedalmond"}, {20, "cyan"},
        {45, "fuchsia"},  {50, "gray"},    {68, "lightgrey"},     {79, "magenta"},
        {113, "red"},     {122, "silver"}, {139, "yellowgreen"}};
    for (const auto& [intIndex, strName] : arrAlphabetical) {
        EXPECT_EQ(strNamedColour(intIndex), strName) << intIndex;
    }
    const std::pair<int, const char*> arrNet[] = {
        {0, "black"},     {5, "lightgrey"},  {8, "white"},       {39, "blanchedalmond"},
        {89, "aqua"},     {90, "cyan"},      {101, "aliceblue"}, {129, "magenta"},
        {130, "fuchsia"}, {139, "lightpink"}};
    for (const auto& [intIndex, strName] : arrNet) {
        EXPECT_EQ(NameOfTip(strNamedColourTipNet(intIndex)), strName) << intIndex;
    }
}

TEST(NamedColour, AccessorsRefuseIndexesOutsideTheTable) {
    for (const int intIndex : {-1, 140}) {
        SCOPED_TRACE(intIndex);
        EXPECT_THROW(lngNamedColour(intIndex), std::out_of_range);
        EXPECT_THROW(strNamedColour(intIndex), std::out_of_range);
        EXPECT_THROW(strNamedColourTip(intIndex), std::out_of_range);
        EXPECT_THROW(lngNamedColourNet(intIndex), std::out_of_range);
        EXPECT_THROW(strNamedColourTipNet(intIndex), std::out_of_range);
    }
}

TEST(NamedColour, FindReturnsTheFirstAlphabeticalMatch) {
    const std::pair<std::int32_t, std::int16_t> arrCases[] = {
        {PackColour(0xF0, 0xF8, 0xFF), 0},    {PackColour(0x9A, 0xCD, 0x32), 139},
        {PackColour(0x00, 0xFF, 0xFF), 2},    {PackColour(0xFF, 0x00, 0xFF), 45},
        {PackColour(0xD3, 0xD3, 0xD3), 68},   {PackColour(0xFF, 0xCC, 0x00), -1},
        {PackColour(0xFF, 0xFF, 0xFE), -1},   {-1, -1},
        {PackColour(0, 0, 0) + 0x1000000, -1}};
    for (const auto& [lngValue, intIndex] : arrCases) {
        EXPECT_EQ(FindNamedColour(lngValue), intIndex) << lngValue;
    }
    for (int i = 0; i < intNamedColourCount; ++i) {
        const int intExpected = strNamedColour(i) == "cyan"      ? 2
                                : strNamedColour(i) == "magenta" ? 45
                                                                 : i;
        EXPECT_EQ(FindNamedColour(lngNamedColour(i)), intExpected) << strNamedColour(i);
    }
}

TEST(NamedColour, PreferredNameMapsOnlyAquaAndFuchsia) {
    const std::pair<std::string, std::string> arrCases[] = {
        {"aqua", "cyan"}, {"fuchsia", "magenta"}, {"cyan", "cyan"}, {"magenta", "magenta"},
        {"Aqua", "Aqua"}, {"aqua ", "aqua "},     {"red", "red"},   {"", ""}};
    for (const auto& [strIn, strOut] : arrCases) EXPECT_EQ(PreferredColourName(strIn), strOut);
}

TEST(NamedColour, JavaScriptNameOfHexGivesThePreferredName) {
    const std::pair<std::string, std::string> arrCases[] = {{"00FFFF", "cyan"},
                                                            {"FF00FF", "magenta"},
                                                            {"D3D3D3", "lightgrey"},
                                                            {"808080", "gray"},
                                                            {"FFEBCD", "blanchedalmond"},
                                                            {"000000", "black"},
                                                            {"F0F8FF", "aliceblue"},
                                                            {"9ACD32", "yellowgreen"},
                                                            {"FFCC00", ""},
                                                            {"ffffff", ""},
                                                            {"00ffff", ""},
                                                            {"", ""},
                                                            {"FFFFF", ""},
                                                            {"#FFFFFF", ""},
                                                            {"FFFFFFF", ""},
                                                            {" FFFFFF", ""}};
    for (const auto& [strDigits, strName] : arrCases) {
        EXPECT_EQ(JavaScriptNameOfHex(strDigits), strName) << "\"" << strDigits << "\"";
    }
}

TEST(NamedColour, JavaScriptNameOfHexAgreesWithFind) {
    // Every websafe grid point and every named colour: named or not, both routes agree.
    std::vector<std::int32_t> arrValues;
    for (int r = 0; r < 256; r += 51)
        for (int g = 0; g < 256; g += 51)
            for (int b = 0; b < 256; b += 51) arrValues.push_back(PackColour(r, g, b));
    for (int i = 0; i < intNamedColourCount; ++i) arrValues.push_back(lngNamedColourNet(i));
    for (const std::int32_t lngValue : arrValues) {
        const typColour typValue = UnpackColour(lngValue);
        const std::string strDigits = strHexPair(typValue.lngRed) + strHexPair(typValue.lngGreen) +
                                      strHexPair(typValue.lngBlue);
        const std::int16_t intIndex = FindNamedColour(lngValue);
        const std::string strExpected =
            intIndex < 0 ? "" : PreferredColourName(strNamedColour(intIndex));
        EXPECT_EQ(JavaScriptNameOfHex(strDigits), strExpected) << strDigits;
    }
}

}  // namespace
