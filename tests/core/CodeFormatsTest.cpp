#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>

#include "core/CodeFormats.h"

namespace {

struct Rgb {
    std::int16_t intRed, intGreen, intBlue;
};

// The texts of formats 0..10 for one colour, in index order.
void ExpectFormats(Rgb typColour, const std::array<std::string, 11>& arrTexts) {
    for (int i = 0; i < 11; ++i) {
        SCOPED_TRACE(arrCodeFormatCaption.at(static_cast<std::size_t>(i)));
        EXPECT_EQ(
            ColourCodeText(i, typColour.intRed, typColour.intGreen, typColour.intBlue, "%UR%"),
            arrTexts.at(static_cast<std::size_t>(i)));
    }
}

TEST(CodeFormat, CaptionsRunInIndexOrder) {
    const std::array<std::string, 12> arrExpected = {
        "HTML Hex", "Lower Case HTML Hex", "VB Hex",   "VB",         "C++ Hex", "Delphi Hex",
        "Access",   ".NET HTML",           ".NET OLE", ".NET Win32", "Java",    "Custom"};
    for (std::size_t i = 0; i < arrExpected.size(); ++i) {
        EXPECT_EQ(arrCodeFormatCaption.at(i), arrExpected.at(i)) << i;
    }
    EXPECT_EQ(arrCodeFormatCaption.at(intCustomFormat), "Custom");
}

TEST(CodeFormat, RendersGoldInEveryFixedFormat) {
    ExpectFormats(
        {255, 204, 0},
        {"#FFCC00", "#ffcc00", "&H0000CCFF&", "RGB(255, 204, 0)", "0x0000ccff", "$0000CCFF",
         "52479", "ColorTranslator.FromHtml(\"#FFCC00\")", "ColorTranslator.FromOle(52479)",
         "ColorTranslator.FromWin32(52479)", "Color(255,204,0)"});
}

TEST(CodeFormat, RendersBlackWithFullWidthZeros) {
    ExpectFormats({0, 0, 0},
                  {"#000000", "#000000", "&H00000000&", "RGB(0, 0, 0)", "0x00000000", "$00000000",
                   "0", "ColorTranslator.FromHtml(\"#000000\")", "ColorTranslator.FromOle(0)",
                   "ColorTranslator.FromWin32(0)", "Color(0,0,0)"});
}

TEST(CodeFormat, RendersWhite) {
    ExpectFormats(
        {255, 255, 255},
        {"#FFFFFF", "#ffffff", "&H00FFFFFF&", "RGB(255, 255, 255)", "0x00ffffff", "$00FFFFFF",
         "16777215", "ColorTranslator.FromHtml(\"#FFFFFF\")", "ColorTranslator.FromOle(16777215)",
         "ColorTranslator.FromWin32(16777215)", "Color(255,255,255)"});
}

TEST(CodeFormat, HexFormatsKeepTheirByteOrder) {
    // Red 10, green 11, blue 12: the HTML forms run RGB, the VB, C++ and Delphi ones BGR.
    ExpectFormats(
        {10, 11, 12},
        {"#0A0B0C", "#0a0b0c", "&H000C0B0A&", "RGB(10, 11, 12)", "0x000c0b0a", "$000C0B0A",
         "789258", "ColorTranslator.FromHtml(\"#0A0B0C\")", "ColorTranslator.FromOle(789258)",
         "ColorTranslator.FromWin32(789258)", "Color(10,11,12)"});
    ExpectFormats(
        {0xAB, 0xCD, 0xEF},
        {"#ABCDEF", "#abcdef", "&H00EFCDAB&", "RGB(171, 205, 239)", "0x00efcdab", "$00EFCDAB",
         "15715755", "ColorTranslator.FromHtml(\"#ABCDEF\")", "ColorTranslator.FromOle(15715755)",
         "ColorTranslator.FromWin32(15715755)", "Color(171,205,239)"});
}

TEST(CodeFormat, FixedFormatsIgnoreTheTemplate) {
    for (int i = 0; i < intCustomFormat; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(ColourCodeText(i, 1, 2, 3, ""), ColourCodeText(i, 1, 2, 3, "%DR% %LD%"));
    }
}

TEST(CodeFormat, CustomTemplateExpandsEveryCode) {
    const struct {
        std::string strTemplate, strText;
    } arrCases[] = {
        {"%UR%%UG%%UB%", "FFCC00"},
        {"#%LR%%LG%%LB%", "#ffcc00"},
        {"%DR%/%DG%/%DB%", "255/204/0"},
        {"%LD%", "52479"},
        {"%UR%%UR%", "FFFF"},
        {"%%UR%%", "%FF%"},
        {"", ""},
        {"plain text", "plain text"},
        {"R=%DR% G=%DG% B=%DB% (%LD%) #%UR%%UG%%UB% #%LR%%LG%%LB%",
         "R=255 G=204 B=0 (52479) #FFCC00 #ffcc00"},
    };
    for (const auto& c : arrCases) {
        SCOPED_TRACE("\"" + c.strTemplate + "\"");
        EXPECT_EQ(ColourCodeText(intCustomFormat, 255, 204, 0, c.strTemplate), c.strText);
        EXPECT_EQ(ExpandCustomTemplate(c.strTemplate, 255, 204, 0), c.strText);
    }
}

TEST(CodeFormat, CustomTemplateLeavesOtherTextAlone) {
    const std::string arrCases[] = {
        "%ur%", "%Ur%", "%UR", "UR%", "%", "%%", "100%", "%XX%", "%U R%", "%LD", "% UR%", "%DR %",
    };
    for (const std::string& strTemplate : arrCases) {
        SCOPED_TRACE("\"" + strTemplate + "\"");
        EXPECT_EQ(ExpandCustomTemplate(strTemplate, 255, 204, 0), strTemplate);
    }
}

TEST(CodeFormat, CustomTemplateReplacesLeftToRightWithoutOverlap) {
    // "%UR%UR%": the second code would share the first one's closing "%".
    EXPECT_EQ(ExpandCustomTemplate("%UR%UR%", 255, 204, 0), "FFUR%");
    EXPECT_EQ(ExpandCustomTemplate("%LD%LD%", 255, 204, 0), "52479LD%");
    EXPECT_EQ(ExpandCustomTemplate("%DR%DR%DR%", 7, 0, 0), "7DR7");
}

TEST(CodeFormat, CustomTemplateReplacesInItsFixedOrder) {
    // A blue of 0xDB turns "%%UB%%" into "%DB%", which the later decimal-blue step replaces.
    EXPECT_EQ(ExpandCustomTemplate("%%UB%%", 1, 2, 0xDB), "219");
    EXPECT_EQ(ExpandCustomTemplate("%%UR%%", 0xDB, 2, 9), "9");
    // The lower-case steps give "%db%", which no step knows.
    EXPECT_EQ(ExpandCustomTemplate("%%LB%%", 1, 2, 0xDB), "%db%");
}

TEST(CodeFormat, RefusesFormatsAndComponentsOutOfRange) {
    for (const int intFormat : {-1, 12, 100}) {
        SCOPED_TRACE(intFormat);
        EXPECT_THROW(ColourCodeText(intFormat, 0, 0, 0, ""), std::out_of_range);
    }
    for (int i = 0; i < intCodeFormatCount; ++i) {
        SCOPED_TRACE(i);
        EXPECT_THROW(ColourCodeText(i, 256, 0, 0, "%DR%"), std::out_of_range);
        EXPECT_THROW(ColourCodeText(i, 0, -1, 0, "%DG%"), std::out_of_range);
        EXPECT_THROW(ColourCodeText(i, 0, 0, 300, "%DB%"), std::out_of_range);
    }
}

}  // namespace
