#include <gtest/gtest.h>

#include <cctype>   // std::tolower
#include <cstddef>  // offsetof
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/ColourValue.h"

namespace {

TEST(ColourValue, PacksRedIntoTheLowByte) {
    EXPECT_EQ(PackColour(255, 204, 0), 52479);
    EXPECT_EQ(PackColour(0, 0, 255), 16711680);
    EXPECT_EQ(PackColour(255, 255, 255), 16777215);
    EXPECT_EQ(PackColour(0, 0, 0), 0);
    EXPECT_EQ(PackColour(0x12, 0x34, 0x56), 0x563412);
}

TEST(ColourValue, UnpacksEveryByteToItsComponent) {
    const std::vector<typColour> arrCases = {{255, 0, 0}, {0, 255, 0},     {0, 0, 255},
                                             {1, 2, 3},   {255, 255, 255}, {0, 0, 0}};
    for (const typColour& typValue : arrCases) {
        SCOPED_TRACE(PackColour(typValue));
        EXPECT_EQ(UnpackColour(PackColour(typValue)), typValue);
    }
    const typColour typValue = UnpackColour(52479);
    EXPECT_EQ(typValue.lngRed, 255);
    EXPECT_EQ(typValue.lngGreen, 204);
    EXPECT_EQ(typValue.lngBlue, 0);
}

TEST(ColourValue, RecordStoresRedThenBlueThenGreen) {
    EXPECT_LT(offsetof(typColour, lngRed), offsetof(typColour, lngBlue));
    EXPECT_LT(offsetof(typColour, lngBlue), offsetof(typColour, lngGreen));
    EXPECT_EQ(sizeof(typColour), 3 * sizeof(std::int32_t));
}

TEST(ColourValue, HexPairIsTwoUpperCaseDigitsOfEveryByte) {
    EXPECT_EQ(strHexPair(0), "00");
    EXPECT_EQ(strHexPair(1), "01");
    EXPECT_EQ(strHexPair(9), "09");
    EXPECT_EQ(strHexPair(10), "0A");
    EXPECT_EQ(strHexPair(171), "AB");
    EXPECT_EQ(strHexPair(204), "CC");
    EXPECT_EQ(strHexPair(255), "FF");
    for (int i = 0; i < 256; ++i) {
        SCOPED_TRACE(i);
        const std::string& strPair = strHexPair(i);
        ASSERT_EQ(strPair.size(), 2u);
        EXPECT_EQ(strPair.find_first_not_of("0123456789ABCDEF"), std::string::npos);
        EXPECT_EQ(std::stoi(strPair, nullptr, 16), i);
    }
}

TEST(ColourValue, HexPairRefusesIndexesOutsideAByte) {
    EXPECT_THROW(strHexPair(-1), std::out_of_range);
    EXPECT_THROW(strHexPair(256), std::out_of_range);
}

TEST(ColourValue, DecimalTextHasNoSignPaddingOrSpace) {
    EXPECT_EQ(DecimalText(0), "0");
    EXPECT_EQ(DecimalText(7), "7");
    EXPECT_EQ(DecimalText(255), "255");
    EXPECT_EQ(DecimalText(52479), "52479");
    EXPECT_EQ(DecimalText(16777215), "16777215");
}

TEST(ColourValue, StripLeadingZerosKeepsOneCharacter) {
    const struct {
        std::string strIn, strOut;
    } arrCases[] = {{"000", "0"},   {"007", "7"}, {"0", "0"},     {"", ""},
                    {"100", "100"}, {"0a", "a"},  {"00 1", " 1"}, {" 01", " 01"}};
    for (const auto& c : arrCases) {
        SCOPED_TRACE("\"" + c.strIn + "\"");
        EXPECT_EQ(StripLeadingZeros(c.strIn), c.strOut);
    }
}

TEST(ColourValue, ParseDecimalComponentAcceptsOnlyZeroTo255) {
    const struct {
        std::string strIn;
        std::int16_t intOut;
    } arrCases[] = {
        {" 12 ", 12},
        {"0012", 12},
        {"000", 0},
        {"0", 0},
        {"255", 255},
        {"  255", 255},
        {"00000000000255", 255},
        {"256", -1},
        {"32767", -1},
        {"32768", -1},
        {"65548", -1},
        {"99999", -1},
        {"123456789012", -1},
        {"", -1},
        {"   ", -1},
        {"-0", -1},
        {"+5", -1},
        {"-1", -1},
        {"12.0", -1},
        {"1e2", -1},
        {"1 2", -1},
        {"a", -1},
        {"12a", -1},
        {"\t12", -1},
        {"12\t", -1},
        {"\n", -1},
        {"0x10", -1},
    };
    for (const auto& c : arrCases) {
        SCOPED_TRACE("\"" + c.strIn + "\"");
        EXPECT_EQ(ParseDecimalComponent(c.strIn), c.intOut);
    }
}

TEST(ColourValue, ValidateHexComponentWantsExactlyTwoDigits) {
    const struct {
        std::string strIn, strOut;
    } arrCases[] = {
        {"ff", "FF"},  {" 0a ", "0A"}, {"00", "00"}, {"Ab", "AB"},  {"9F", "9F"}, {"F", "-1"},
        {"100", "-1"}, {"G0", "-1"},   {"0x", "-1"}, {"", "-1"},    {"  ", "-1"}, {"\tF", "-1"},
        {"F\t", "-1"}, {"0 ", "-1"},   {"-1", "-1"}, {"f f", "-1"}, {"0g", "-1"},
    };
    for (const auto& c : arrCases) {
        SCOPED_TRACE("\"" + c.strIn + "\"");
        EXPECT_EQ(ValidateHexComponent(c.strIn), c.strOut);
    }
}

TEST(ColourValue, ValidateHexComponentUpperCasesEveryByte) {
    for (int i = 0; i < 256; ++i) {
        SCOPED_TRACE(i);
        std::string strLower = strHexPair(i);
        for (char& chr : strLower) chr = static_cast<char>(std::tolower(chr));
        EXPECT_EQ(ValidateHexComponent(strLower), strHexPair(i));
    }
}

}  // namespace
