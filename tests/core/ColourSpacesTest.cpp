#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "core/ColourSpaces.h"
#include "core/CssNamedColours.h"
#include "core/NamedColours.h"

namespace {

const std::map<std::string, ColourSpace> mapSpaces{{"srgb", ColourSpace::Srgb},
                                                   {"srgb-linear", ColourSpace::SrgbLinear},
                                                   {"display-p3", ColourSpace::DisplayP3},
                                                   {"a98-rgb", ColourSpace::A98Rgb},
                                                   {"prophoto-rgb", ColourSpace::ProphotoRgb},
                                                   {"rec2020", ColourSpace::Rec2020},
                                                   {"xyz-d50", ColourSpace::XyzD50},
                                                   {"xyz-d65", ColourSpace::XyzD65},
                                                   {"lab", ColourSpace::Lab},
                                                   {"lch", ColourSpace::Lch},
                                                   {"oklab", ColourSpace::Oklab},
                                                   {"oklch", ColourSpace::Oklch},
                                                   {"hsl", ColourSpace::Hsl},
                                                   {"hwb", ColourSpace::Hwb}};

// The lines of a data file without its comments.
std::vector<std::string> DataLines(const std::string& strFile) {
    std::ifstream objFile(std::string(HUEVRA_TEST_DATA_DIR) + "/" + strFile);
    std::vector<std::string> arrLines;
    for (std::string strLine; std::getline(objFile, strLine);) {
        if (!strLine.empty() && strLine[0] != '#') arrLines.push_back(strLine);
    }
    return arrLines;
}

bool IsPolar(const std::string& strSpace, std::size_t i) {
    return i == 2 ? (strSpace == "lch" || strSpace == "oklch")
                  : (i == 0 && (strSpace == "hsl" || strSpace == "hwb"));
}

}  // namespace

TEST(ColourSpaces, ConvertsAsTheIndependentValuesSay) {
    const std::vector<std::string> arrLines = DataLines("colour-values.tsv");
    ASSERT_GT(arrLines.size(), 350u);
    for (const std::string& strLine : arrLines) {
        SCOPED_TRACE(strLine);
        std::istringstream objRow(strLine);
        std::string strFrom;
        std::string strTo;
        ColourTriple arrValue{};
        ColourTriple arrExpected{};
        double dblTolerance = 0;
        objRow >> strFrom >> arrValue[0] >> arrValue[1] >> arrValue[2] >> strTo >> arrExpected[0] >>
            arrExpected[1] >> arrExpected[2] >> dblTolerance;
        ASSERT_TRUE(objRow) << "unreadable row";
        ColourTriple arrActual{};
        if (strTo == "srgb-mapped") {
            arrActual = GamutMapToSrgb(mapSpaces.at(strFrom), arrValue);
            strTo = "srgb";
        } else {
            arrActual = ConvertColour(mapSpaces.at(strFrom), mapSpaces.at(strTo), arrValue);
        }
        for (std::size_t i = 0; i < 3; ++i) {
            double dblDifference = std::abs(arrActual[i] - arrExpected[i]);
            if (IsPolar(strTo, i)) dblDifference = std::min(dblDifference, 360 - dblDifference);
            EXPECT_LE(dblDifference, dblTolerance) << "component " << i << ": " << arrActual[i];
        }
    }
}

TEST(ColourSpaces, ConversionsComeBackToTheirStart) {
    const ColourTriple arrRgb{0.9, 0.35, 0.05};
    for (const auto& [strName, enmSpace] : mapSpaces) {
        SCOPED_TRACE(strName);
        const ColourTriple arrThere = ConvertColour(ColourSpace::Srgb, enmSpace, arrRgb);
        const ColourTriple arrBack = ConvertColour(enmSpace, ColourSpace::Srgb, arrThere);
        for (std::size_t i = 0; i < 3; ++i) EXPECT_NEAR(arrBack[i], arrRgb[i], 1e-9);
    }
}

TEST(ColourSpaces, GamutMappingKeepsSrgbColoursAndSaysWhenItMaps) {
    const typSrgbBytes typInside = NearestSrgbBytes(ColourSpace::Srgb, {1, 0.8, 0});
    EXPECT_EQ(typInside.typValue, (typColour{255, 0, 204}));
    EXPECT_FALSE(typInside.blnMapped);
    // Less than half an 8-bit step outside still rounds into sRGB.
    EXPECT_FALSE(NearestSrgbBytes(ColourSpace::Srgb, {1.0015, -0.0015, 0}).blnMapped);
    const typSrgbBytes typOutside = NearestSrgbBytes(ColourSpace::DisplayP3, {1, 0, 0});
    EXPECT_TRUE(typOutside.blnMapped);
    EXPECT_EQ(typOutside.typValue, (typColour{255, 12, 11}));
    // Lightness at or beyond the ends gives white and black.
    EXPECT_EQ(GamutMapToSrgb(ColourSpace::Oklch, {1.2, 0.3, 40}), (ColourTriple{1, 1, 1}));
    EXPECT_EQ(GamutMapToSrgb(ColourSpace::Oklch, {0, 0.3, 40}), (ColourTriple{0, 0, 0}));
}

TEST(ColourSpaces, DeltaEOKIsTheDistanceInOklab) {
    EXPECT_DOUBLE_EQ(DeltaEOK({0.5, 0.1, -0.1}, {0.5, 0.1, -0.1}), 0);
    EXPECT_NEAR(DeltaEOK({0.1, 0.03, 0}, {0.1, 0, 0.04}), 0.05, 1e-15);
    // Black and white lie one apart.
    EXPECT_NEAR(DeltaEOK(OklabFromBytes(0, 0, 0), OklabFromBytes(255, 255, 255)), 1, 1e-6);
}

TEST(CssNamedColours, HoldTheCssNamesInAlphabeticalOrder) {
    const std::vector<std::string> arrLines = DataLines("css-colour-names.tsv");
    ASSERT_EQ(arrLines.size(), static_cast<std::size_t>(intCssNamedColourCount));
    for (int i = 0; i < intCssNamedColourCount; ++i) {
        const std::string& strLine = arrLines[static_cast<std::size_t>(i)];
        SCOPED_TRACE(strLine);
        const std::string strName = strLine.substr(0, strLine.find('\t'));
        const std::int32_t lngRgb = std::stoi(strLine.substr(strLine.find('#') + 1), nullptr, 16);
        const std::int32_t lngValue = PackColour(lngRgb >> 16, (lngRgb >> 8) & 255, lngRgb & 255);
        EXPECT_EQ(strCssNamedColour(i), strName);
        EXPECT_EQ(lngCssNamedColour(i), lngValue);
        EXPECT_EQ(FindCssNamedColour(strName), lngValue);
    }
    EXPECT_EQ(FindCssNamedColour("RebeccaPurple"), PackColour(0x66, 0x33, 0x99));
    EXPECT_EQ(FindCssNamedColour("grey"), FindCssNamedColour("GRAY"));
    EXPECT_EQ(FindCssNamedColour("transparent"), -1);
    EXPECT_EQ(FindCssNamedColour("lightgoldenrodyellowx"), -1);
    EXPECT_EQ(CssNamesOfColour(PackColour(0, 255, 255)),
              (std::vector<std::string>{"aqua", "cyan"}));
    EXPECT_EQ(CssNamesOfColour(PackColour(0x2F, 0x4F, 0x4F)),
              (std::vector<std::string>{"darkslategray", "darkslategrey"}));
    EXPECT_TRUE(CssNamesOfColour(PackColour(255, 204, 0)).empty());
    EXPECT_THROW(strCssNamedColour(intCssNamedColourCount), std::out_of_range);
    // The program's own table keeps its 140 names.
    EXPECT_EQ(FindNamedColour(PackColour(0x66, 0x33, 0x99)), -1);
}
