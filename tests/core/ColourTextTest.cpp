#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "core/Classification.h"
#include "core/ColourText.h"
#include "core/CssNamedColours.h"
#include "core/NamedColours.h"
#include "tests/core/ColourRoundTrip.h"

namespace {

struct ReadRow {
    std::string strText;
    int intRed, intGreen, intBlue;
    bool blnMapped;
    double dblAlpha;
};

struct RefuseRow {
    std::string strText;
    std::size_t intPosition;
    std::string strReason;
};

}  // namespace

TEST(ColourText, ReadsEveryFamilyOfColourText) {
    const std::vector<ReadRow> arrRows{
        // CSS hex, names and keywords
        {"#fc0", 255, 204, 0, false, 1},
        {"#FFCC0080", 255, 204, 0, false, 128 / 255.0},
        {"#fc08", 255, 204, 0, false, 136 / 255.0},
        {"RebeccaPurple", 102, 51, 153, false, 1},
        {"grey", 128, 128, 128, false, 1},
        {"lightgray", 211, 211, 211, false, 1},
        {"transparent", 0, 0, 0, false, 0},
        // rgb() and hsl() with and without commas
        {"rgb(255, 204, 0)", 255, 204, 0, false, 1},
        {"RGBA(100%, 80%, 0%, 0.5)", 255, 204, 0, false, 0.5},
        {"rgb(255 204 0 / 25%)", 255, 204, 0, false, 0.25},
        {"rgb(300 none -5)", 255, 0, 0, false, 1},
        {"rgb(127.5 0 0)", 128, 0, 0, false, 1},
        {"hsl(48, 100%, 50%)", 255, 204, 0, false, 1},
        {"hsla(0.1333turn 100 50 / 1)", 255, 204, 0, false, 1},
        {"hsl(53.333grad 100% 50%)", 255, 204, 0, false, 1},
        {"hsl(0.83776rad 100% 50%)", 255, 204, 0, false, 1},
        {"hwb(48 0% 0%)", 255, 204, 0, false, 1},
        {"hwb(0 60% 60%)", 128, 128, 128, false, 1},
        // Lab, LCH, OKLab, OKLCH: examples of the CSS test suite
        {"lab(46.2775% -47.5621 48.5837)", 0, 128, 0, false, 1},
        {"LAB(50 50 0)", 193, 78, 121, false, 1},
        {"lch(70 70 90deg)", 195, 169, 14, false, 1},
        {"oklab(55% 0 -0.2)", 71, 97, 228, false, 1},
        {"oklab(0.55 0% -50%)", 71, 97, 228, false, 1},
        {"oklch(50% 0.2 270)", 59, 81, 211, false, 1},
        {"oklch(55% 37.5% 345 / none)", 172, 71, 133, false, 0},
        // color() in each space
        {"color(srgb 1 0.8 0)", 255, 204, 0, false, 1},
        {"color(srgb-linear 1 0.6038 0)", 255, 204, 0, false, 1},
        {"color(display-p3 1 0 0)", 255, 11, 12, true, 1},
        {"color(a98-rgb 0 0 0)", 0, 0, 0, false, 1},
        {"color(prophoto-rgb 100% 100% 100%)", 255, 255, 255, false, 1},
        {"color(rec2020 1 0 0)", 255, 73, 79, true, 1},
        {"color(xyz 0.4124 0.2126 0.0193)", 255, 0, 0, false, 1},
        {"color(xyz-d65 0.4124 0.2126 0.0193)", 255, 0, 0, false, 1},
        {"color(xyz-d50 0.4361 0.2225 0.0139)", 255, 0, 0, false, 1},
        // Declarations, white space and comments
        {"color: #fc0;", 255, 204, 0, false, 1},
        {"  --brand: oklch(70% 0.1 200); /* brand */", 64, 177, 183, false, 1},
        {"background-color:red !important", 255, 0, 0, false, 1},
        {"rgb(\n255\t/*r*/204 0)", 255, 204, 0, false, 1},
        // The program's own formats, in their byte orders
        {"&H0000CCFF&", 255, 204, 0, false, 1},
        {"0x0000ccff", 255, 204, 0, false, 1},
        {"$0000CCFF", 255, 204, 0, false, 1},
        {"52479", 255, 204, 0, false, 1},
        {"ColorTranslator.FromHtml(\"#FFCC00\")", 255, 204, 0, false, 1},
        {"ColorTranslator.FromOle(52479)", 255, 204, 0, false, 1},
        {"ColorTranslator.FromWin32(52479)", 255, 204, 0, false, 1},
        {"Color(255,204,0)", 255, 204, 0, false, 1},
        {"new Color(255, 204, 0);", 255, 204, 0, false, 1},
        // Platform code
        {"QColor(255, 204, 0, 51)", 255, 204, 0, false, 0.2},
        {"QColor(\"#80FFCC00\")", 255, 204, 0, false, 128 / 255.0},
        {"Color(red: 1, green: 0.8, blue: 0, opacity: 0.5)", 255, 204, 0, false, 0.5},
        {"<color name=\"sun_yellow\">#FFFFCC00</color>", 255, 204, 0, false, 1},
        {"<color name=\"a\">#8FC0</color>", 255, 204, 0, false, 136 / 255.0},
        {"Color(0x80FFCC00)", 255, 204, 0, false, 128 / 255.0},
        {"Color.fromARGB(255, 255, 204, 0)", 255, 204, 0, false, 1},
        {"Color.FromArgb(255, 204, 0)", 255, 204, 0, false, 1},
        {"Color.fromRGBO(255, 204, 0, 1.0)", 255, 204, 0, false, 1},
    };
    for (const ReadRow& objRow : arrRows) {
        SCOPED_TRACE(objRow.strText);
        const typColourTextResult typRead = ParseColourText(objRow.strText);
        ASSERT_TRUE(typRead.blnOk) << typRead.strError << " at " << typRead.intErrorPosition;
        EXPECT_EQ(typRead.typValue, (typColour{objRow.intRed, objRow.intBlue, objRow.intGreen}));
        EXPECT_EQ(typRead.blnMapped, objRow.blnMapped);
        EXPECT_NEAR(typRead.dblAlpha, objRow.dblAlpha, 1e-12);
        EXPECT_EQ(typRead.blnAlphaIgnored, objRow.dblAlpha < 1);
    }
}

TEST(ColourText, RefusesWithThePositionAndReason) {
    const std::vector<RefuseRow> arrRows{
        {"", 0, "no colour"},
        {"  ;", 2, "no colour"},
        {"#12345", 0, "a hex colour has 3, 4, 6 or 8 digits"},
        {"#ffcc0g", 6, "not a hex digit"},
        {"sunyellow", 0, "unknown colour name"},
        {"currentColor", 0, "not a fixed colour"},
        {"color: Canvas;", 7, "not a fixed colour"},
        {"var(--brand)", 0, "not a fixed colour"},
        {"rgb(calc(255) 0 0)", 4, "not a fixed colour"},
        {"rgb(from red r g b)", 4, "not a fixed colour"},
        {"&H80000005&", 0, "not a fixed colour"},
        {"16777216", 0, "number out of range"},
        {"wobble(1 2 3)", 0, "unknown colour function"},
        {"rgb(255 204)", 11, "expected a number"},
        {"rgb(1 2 x)", 8, "expected a number"},
        {"oklch(0.5 chroma 3)", 10, "expected a number"},
        {"rgb(255 204 0", 13, "expected ')'"},
        {"rgb(255, 80%, 0)", 9, "numbers and percentages mixed"},
        {"rgb(none, 0, 0)", 4, "'none' needs the syntax without commas"},
        {"hsl(48, 100, 50%)", 8, "expected a percentage"},
        {"hsl(48% 100% 50%)", 4, "expected a hue"},
        {"hwb(48, 0%, 0%)", 6, "unexpected ','"},
        {"lab(50 10deg 0)", 7, "expected a number or percentage"},
        {"oklch(70% 0.1 200px)", 17, "unknown unit"},
        {"color(cmyk 0 0 0)", 6, "unknown colour space"},
        {"#fc0 #fff", 5, "unexpected text after the colour"},
        {"QColor(256, 0, 0)", 7, "a component lies outside 0..255"},
        {"Color(red: 1, blue: 0, green: 0)", 14, "expected 'green:'"},
        {"<color name=\"x\">#FFCC00", 23, "expected '</color>'"},
        {"ColorTranslator.FromHtml(\"#FFCC00)", 34, "expected '\"'"},
        {"red !imp", 5, "expected 'important'"},
    };
    for (const RefuseRow& objRow : arrRows) {
        SCOPED_TRACE(objRow.strText);
        const typColourTextResult typRead = ParseColourText(objRow.strText);
        EXPECT_FALSE(typRead.blnOk);
        EXPECT_EQ(typRead.intErrorPosition, objRow.intPosition);
        EXPECT_EQ(typRead.strError, objRow.strReason);
    }
}

TEST(ColourText, WritesEachNotation) {
    const std::vector<std::string> arrExpected{"#ffcc00",
                                               "rgb(255 204 0)",
                                               "hsl(48 100% 50%)",
                                               "hwb(48 0% 0%)",
                                               "",
                                               "",
                                               "",
                                               "",
                                               "",
                                               "--sun-yellow: #ffcc00;",
                                               "QColor(255, 204, 0)",
                                               "Color(red: 1, green: 0.8, blue: 0)",
                                               "<color name=\"sun_yellow\">#FFFFCC00</color>",
                                               "Color(0xFFFFCC00)"};
    const std::vector<std::string> arrPrefix{
        "", "", "", "", "lab(", "lch(", "oklab(", "oklch(", "color(display-p3 "};
    for (int i = 0; i < intColourNotationCount; ++i) {
        SCOPED_TRACE(arrColourNotationCaption.at(static_cast<std::size_t>(i)));
        const std::string strText = ColourNotationText(i, 255, 204, 0, "Sun Yellow", 1);
        if (!arrExpected[static_cast<std::size_t>(i)].empty()) {
            EXPECT_EQ(strText, arrExpected[static_cast<std::size_t>(i)]);
        } else {
            EXPECT_EQ(strText.rfind(arrPrefix[static_cast<std::size_t>(i)], 0), 0u) << strText;
        }
        EXPECT_EQ(FindColourNotation(arrColourNotationKey.at(static_cast<std::size_t>(i))), i);
    }
    // #01de5b is a colour whose oklab() needs all five decimals.
    EXPECT_EQ(DecimalsOfText(ColourNotationText(intNotationOklab, 0x01, 0xde, 0x5b, "", 1)), 5);
    EXPECT_EQ(ColourNotationText(intNotationLch, 128, 128, 128, "", 1), "lch(53.6% 0 0)");
    EXPECT_THROW(ColourNotationText(intColourNotationCount, 0, 0, 0, "", 1), std::out_of_range);
    EXPECT_THROW(ColourNotationText(intNotationHex, 256, 0, 0, "", 1), std::out_of_range);
    EXPECT_EQ(FindColourNotation("html-hex"), -1);
}

TEST(ColourText, NamesVariablesAfterTheMark) {
    const std::vector<std::pair<std::string, std::string>> arrRows{
        {"Sun Yellow", "sun-yellow"},
        {"  Brand__Blue (dark) ", "brand__blue-dark"},
        {"--x--", "x"},
        {"Été 2024", "t-2024"},
        {"", "colour-3"},
        {"!!!", "colour-3"}};
    for (const auto& [strName, strExpected] : arrRows) {
        SCOPED_TRACE(strName);
        EXPECT_EQ(ColourVariableName(strName, 3), strExpected);
    }
    EXPECT_EQ(ColourNotationText(intNotationAndroid, 0, 0, 0, "", 2),
              "<color name=\"colour_2\">#FF000000</color>");
}

// Every notation of a fixed sample reads back as the same colour; the exhaustive run
// (make test-exhaustive) does the same for all 16,777,216 colours. The sample is cut into four
// shards so that they run side by side.
class ColourTextSample : public testing::TestWithParam<int> {};

TEST_P(ColourTextSample, EveryNotationReadsBackAsTheSameColour) {
    std::set<std::int32_t> setSample;
    const std::vector<int> arrSteps{0,   16,  32,  48,  64,  80,  96,  112, 128,
                                    144, 160, 176, 192, 208, 224, 240, 255};
    for (const int r : arrSteps) {
        for (const int g : arrSteps) {
            for (const int b : arrSteps) setSample.insert(PackColour(r, g, b));
        }
    }
    for (int i = 0; i < 256; ++i) setSample.insert(PackColour(i, i, i));
    for (int i = 0; i < intCssNamedColourCount; ++i) setSample.insert(lngCssNamedColour(i));
    for (int i = 0; i < intNamedColourCount; ++i) setSample.insert(lngNamedColour(i));
    for (int i = 0; i < intWebsafeCount; ++i) setSample.insert(lngWebsafe(i));
    for (int i = 0; i < intFailsafeCount; ++i) setSample.insert(lngFailsafe(i));
    std::mt19937 objRandom(20240521);
    while (setSample.size() < 105000) {
        setSample.insert(static_cast<std::int32_t>(objRandom() & 0xFFFFFF));
    }
    int intIndex = 0;
    int intFailures = 0;
    for (const std::int32_t lngValue : setSample) {
        if (intIndex++ % 4 != GetParam()) continue;
        const typColour typValue = UnpackColour(lngValue);
        const std::string strFailure =
            RoundTripFailure(typValue.lngRed, typValue.lngGreen, typValue.lngBlue);
        if (!strFailure.empty() && ++intFailures <= 10) ADD_FAILURE() << strFailure;
    }
    EXPECT_EQ(intFailures, 0);
}

INSTANTIATE_TEST_SUITE_P(Shards, ColourTextSample, testing::Range(0, 4));
