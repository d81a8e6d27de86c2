#include <gtest/gtest.h>

#include <cctype>
#include <map>
#include <string>
#include <vector>

#include "core/ColourVision.h"
#include "tests/core/AccessibilityRows.h"

namespace {

const std::map<std::string, ColourVision> mapVisions{
    {"protanopia", ColourVision::Protanopia},
    {"deuteranopia", ColourVision::Deuteranopia},
    {"tritanopia", ColourVision::Tritanopia},
    {"achromatopsia", ColourVision::Achromatopsia}};

std::string HexOf(const typColour& typValue) {
    std::string strHex = HashHexText(typValue).substr(1);
    for (char& chrDigit : strHex) chrDigit = static_cast<char>(std::tolower(chrDigit));
    return strHex;
}

}  // namespace

TEST(ColourVision, SimulatesAsTheIndependentValuesSay) {
    const auto arrRows = AccessibilityRows("cvd");
    ASSERT_GT(arrRows.size(), 1000u);
    for (const auto& arrRow : arrRows) {
        SCOPED_TRACE(RowText(arrRow));
        const ColourVision enmVision = mapVisions.at(arrRow.at(1));
        const typColour typValue = ColourOfHex(arrRow.at(2));
        const ColourTriple arrLinear = SimulatedLinearSrgb(enmVision, typValue);
        for (std::size_t i = 0; i < 3; ++i) {
            EXPECT_NEAR(arrLinear.at(i), std::stod(arrRow.at(3 + i)), 1e-8);
        }
        EXPECT_EQ(HexOf(SimulatedColour(enmVision, typValue)), arrRow.at(6));
    }
}

TEST(ColourVision, LookAlikeAsTheIndependentValuesSay) {
    const auto arrRows = AccessibilityRows("alike");
    ASSERT_GT(arrRows.size(), 500u);
    int intAlike = 0;
    for (const auto& arrRow : arrRows) {
        SCOPED_TRACE(RowText(arrRow));
        const std::vector<typColour> arrPair{ColourOfHex(arrRow.at(2)), ColourOfHex(arrRow.at(3))};
        const std::vector<typLookAlikePair> arrFound =
            LookAlikePairs(mapVisions.at(arrRow.at(1)), arrPair);
        ASSERT_EQ(arrFound.size(), arrRow.at(5) == "1" ? 1u : 0u);
        if (!arrFound.empty()) {
            ++intAlike;
            EXPECT_EQ(arrFound[0].intFirst, 0);
            EXPECT_EQ(arrFound[0].intSecond, 1);
            EXPECT_NEAR(arrFound[0].dblDeltaEOK, std::stod(arrRow.at(4)), 1e-4);
        }
    }
    EXPECT_GT(intAlike, 10);
}

TEST(ColourVision, DefaultPaletteFacts) {
    std::vector<typColour> arrPalette;
    for (const char* strHex : {"ff0000", "ffff00", "00ff00", "00ffff", "0000ff", "ff00ff"}) {
        arrPalette.push_back(ColourOfHex(strHex));
    }
    const typPaletteVision typVision = PaletteVision(arrPalette);
    const auto& arrProtan = typVision.arrLookAlike.at(0);
    ASSERT_EQ(arrProtan.size(), 1u);
    EXPECT_EQ(arrProtan[0].intFirst, 1);  // yellow and lime, marks 2 and 3
    EXPECT_EQ(arrProtan[0].intSecond, 2);
    EXPECT_NEAR(arrProtan[0].dblDeltaEOK, 0.037, 0.001);
    EXPECT_TRUE(typVision.arrLookAlike.at(1).empty());
}
