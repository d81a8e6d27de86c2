#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <stdexcept>
#include <string>
#include <utility>

#include "core/Classification.h"
#include "core/NamedColours.h"

namespace {

TEST(Classification, ClassLettersComeInTheOrderWFJ) {
    const std::pair<std::int32_t, std::string> arrCases[] = {{PackColour(0x00, 0x00, 0x00), "WFJ"},
                                                             {PackColour(0xFF, 0x00, 0x00), "WFJ"},
                                                             {PackColour(0x00, 0xFF, 0xFF), "WFJ"},
                                                             {PackColour(0xFF, 0xFF, 0xFF), "WFJ"},
                                                             {PackColour(0x80, 0x80, 0x80), "FJ"},
                                                             {PackColour(0xC0, 0xC0, 0xC0), "FJ"},
                                                             {PackColour(0xFF, 0xCC, 0x00), "W"},
                                                             {PackColour(0x33, 0x66, 0x99), "W"},
                                                             {PackColour(0xFF, 0xEB, 0xCD), "J"},
                                                             {PackColour(0x64, 0x95, 0xED), "J"},
                                                             {PackColour(0x12, 0x34, 0x56), ""},
                                                             {PackColour(0x00, 0x00, 0x34), ""},
                                                             {-1, ""}};
    for (const auto& [lngValue, strLetters] : arrCases) {
        EXPECT_EQ(ColourClassLetters(lngValue), strLetters) << lngValue;
    }
}

TEST(Classification, WebsafeRunsRedSlowestAndBlueFastest) {
    const std::pair<int, std::int32_t> arrCases[] = {
        {0, PackColour(0x00, 0x00, 0x00)},  {1, PackColour(0x00, 0x00, 0x33)},
        {5, PackColour(0x00, 0x00, 0xFF)},  {6, PackColour(0x00, 0x33, 0x00)},
        {35, PackColour(0x00, 0xFF, 0xFF)}, {36, PackColour(0x33, 0x00, 0x00)},
        {215, PackColour(0xFF, 0xFF, 0xFF)}};
    for (const auto& [intIndex, lngValue] : arrCases) {
        EXPECT_EQ(lngWebsafe(intIndex), lngValue) << intIndex;
        EXPECT_EQ(typWebsafe(intIndex), UnpackColour(lngValue)) << intIndex;
    }
    for (int i = 0; i < intWebsafeCount; ++i) {
        EXPECT_EQ(PackColour(typWebsafe(i)), lngWebsafe(i)) << i;
    }
}

TEST(Classification, WebsafeMeansEveryComponentIsAMultipleOf51) {
    std::set<std::int32_t> setValues;
    for (int i = 0; i < intWebsafeCount; ++i) {
        const typColour typValue = typWebsafe(i);
        EXPECT_EQ(typValue.lngRed % 51 + typValue.lngGreen % 51 + typValue.lngBlue % 51, 0) << i;
        setValues.insert(lngWebsafe(i));
    }
    EXPECT_EQ(setValues.size(), 216u);
    // Sweep each component alone, and each next to a websafe one.
    for (int c = 0; c < 256; ++c) {
        SCOPED_TRACE(c);
        const bool blnStep = c % 51 == 0;
        EXPECT_EQ(IsWebsafe(PackColour(c, 0, 0)), blnStep);
        EXPECT_EQ(IsWebsafe(PackColour(0, c, 0)), blnStep);
        EXPECT_EQ(IsWebsafe(PackColour(0, 0, c)), blnStep);
        EXPECT_EQ(IsWebsafe(PackColour(204, c, 153)), blnStep);
    }
    EXPECT_TRUE(IsWebsafe(PackColour(0, 0, 0x33)));
    EXPECT_FALSE(IsWebsafe(PackColour(0, 0, 0x34)));
}

TEST(Classification, FailsafeTableHoldsTheSixteenDisplayColours) {
    const char* arrExpected[] = {"#000000", "#800080", "#000080", "#008080", "#008000", "#808000",
                                 "#800000", "#808080", "#FF00FF", "#0000FF", "#00FFFF", "#00FF00",
                                 "#FFFF00", "#FF0000", "#C0C0C0", "#FFFFFF"};
    int intWebsafe = 0;
    for (int i = 0; i < intFailsafeCount; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(strFailsafe(i), arrExpected[i]);
        const std::int32_t lngValue = lngFailsafe(i);
        const typColour typValue = UnpackColour(lngValue);
        EXPECT_EQ(strFailsafe(i), "#" + strHexPair(typValue.lngRed) +
                                      strHexPair(typValue.lngGreen) + strHexPair(typValue.lngBlue));
        EXPECT_TRUE(IsFailsafe(lngValue));
        EXPECT_TRUE(IsNamedColour(lngValue));
        if (IsWebsafe(lngValue)) ++intWebsafe;
    }
    EXPECT_EQ(intWebsafe, 8);
    EXPECT_FALSE(IsFailsafe(PackColour(0x80, 0x80, 0x81)));
    EXPECT_FALSE(IsFailsafe(PackColour(0x33, 0x66, 0x99)));
}

TEST(Classification, NamedTestFollowsTheNamedTable) {
    for (int i = 0; i < intNamedColourCount; ++i) EXPECT_TRUE(IsNamedColour(lngNamedColour(i)));
    EXPECT_FALSE(IsNamedColour(PackColour(0xFF, 0xCC, 0x00)));
}

TEST(Classification, TablesRefuseIndexesOutsideThem) {
    EXPECT_THROW(typWebsafe(-1), std::out_of_range);
    EXPECT_THROW(typWebsafe(216), std::out_of_range);
    EXPECT_THROW(lngWebsafe(216), std::out_of_range);
    EXPECT_THROW(lngFailsafe(16), std::out_of_range);
    EXPECT_THROW(strFailsafe(-1), std::out_of_range);
    EXPECT_THROW(strFailsafe(16), std::out_of_range);
}

}  // namespace
