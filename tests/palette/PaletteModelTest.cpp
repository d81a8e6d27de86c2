#include <gtest/gtest.h>

#include <array>
#include <string>
#include <utility>
#include <vector>

#include "core/modSupport.h"
#include "palette/PaletteModel.h"

namespace {

typColour Rgb(std::int32_t lngRed, std::int32_t lngGreen, std::int32_t lngBlue) {
    typColour typValue;
    typValue.lngRed = lngRed;
    typValue.lngGreen = lngGreen;
    typValue.lngBlue = lngBlue;
    return typValue;
}

// A palette just loaded with the defaults: current state equals saved state.
Palette LoadedDefaultPalette() {
    Palette objPalette;
    objPalette.SetDefaultPalette();
    objPalette.arrMarkColour = objPalette.arrLoadColour;
    objPalette.arrSavedColour = objPalette.arrLoadColour;
    objPalette.arrSavedName = objPalette.arrLoadName;
    return objPalette;
}

}  // namespace

TEST(PaletteModel, DefaultPaletteFillsOnlyTheLoadBuffer) {
    Palette objPalette;
    objPalette.arrMarkColour.at(3) = Rgb(1, 2, 3);
    objPalette.arrSavedName.at(3) = "kept";
    objPalette.intSelectedMark = 4;
    objPalette.SetDefaultPalette();

    const std::array<typColour, intMarkCount> arrExpected{Rgb(255, 0, 0), Rgb(255, 255, 0),
                                                          Rgb(0, 255, 0), Rgb(0, 255, 255),
                                                          Rgb(0, 0, 255), Rgb(255, 0, 255)};
    for (int i = 0; i < intMarkCount; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(objPalette.arrLoadColour.at(i), arrExpected.at(i));
        EXPECT_EQ(objPalette.arrLoadName.at(i), "Type a colour name");
    }
    EXPECT_EQ(objPalette.arrMarkColour.at(3), Rgb(1, 2, 3));
    EXPECT_EQ(objPalette.arrSavedName.at(3), "kept");
    EXPECT_EQ(objPalette.intSelectedMark, 4);
}

TEST(PaletteModel, ChangedComparesEveryComponentOfEveryMark) {
    const Palette objLoaded = LoadedDefaultPalette();
    const auto arrNames = objLoaded.arrSavedName;
    EXPECT_FALSE(objLoaded.PaletteChanged(arrNames));

    for (int i = 0; i < intMarkCount; ++i) {
        for (int intComponent = 0; intComponent < 3; ++intComponent) {
            SCOPED_TRACE("mark " + std::to_string(i) + " component " +
                         std::to_string(intComponent));
            Palette objPalette = objLoaded;
            typColour& typMark = objPalette.arrMarkColour.at(i);
            std::int32_t& lngValue = intComponent == 0   ? typMark.lngRed
                                     : intComponent == 1 ? typMark.lngGreen
                                                         : typMark.lngBlue;
            lngValue = lngValue == 0 ? 1 : lngValue - 1;
            EXPECT_TRUE(objPalette.PaletteChanged(arrNames));
        }
    }
}

TEST(PaletteModel, ColourSetBackToItsSavedValueIsUnchanged) {
    Palette objPalette = LoadedDefaultPalette();
    objPalette.arrMarkColour.at(2) = Rgb(10, 20, 30);
    EXPECT_TRUE(objPalette.PaletteChanged(objPalette.arrSavedName));
    objPalette.arrMarkColour.at(2) = Rgb(0, 255, 0);
    EXPECT_FALSE(objPalette.PaletteChanged(objPalette.arrSavedName));
}

TEST(PaletteModel, PlaceholdersCountAsTheSameNameAndNothingElseDoes) {
    struct Case {
        const char* strSaved;
        const char* strCurrent;
        bool blnChanged;
    };
    const Case arrCase[] = {
        {"Type a colour name", "Type a colour name", false},
        {"Type a colour name", "Not JavaScript colour", false},
        {"Not JavaScript colour", "Type a colour name", false},
        {"Not JavaScript colour", "Not JavaScript colour", false},
        {"Type a colour name", "type a colour name", true},
        {"Not JavaScript colour", "not JavaScript colour", true},
        {"Type a colour name", "", true},
        {"", "Type a colour name", true},
        {"Type a colour name", "Type a colour name ", true},
        {"Olive", "olive", true},
        {"Olive", "Olive", false},
        {"", "", false},
    };
    for (const Case& objCase : arrCase) {
        for (int i : {0, 5}) {
            SCOPED_TRACE(std::string(objCase.strSaved) + " / " + objCase.strCurrent + " at " +
                         std::to_string(i));
            Palette objPalette = LoadedDefaultPalette();
            objPalette.arrSavedName.at(i) = objCase.strSaved;
            auto arrNames = objPalette.arrSavedName;
            arrNames.at(i) = objCase.strCurrent;
            EXPECT_EQ(objPalette.PaletteChanged(arrNames), objCase.blnChanged);
        }
    }
}

TEST(PaletteModel, TitleShowsTheFileNameWithoutItsFolder) {
    const std::string strSep = modSupport::strPathSeparator;
    EXPECT_EQ(PaletteTitle(""), "Huevra - New palette");
    EXPECT_EQ(PaletteTitle("colours.txt"), "Huevra - colours.txt");
    EXPECT_EQ(PaletteTitle(strSep + "home" + strSep + "ann" + strSep + "My palette.txt"),
              "Huevra - My palette.txt");
    EXPECT_EQ(PaletteTitle("a" + strSep + "b.c" + strSep + "web colours"), "Huevra - web colours");
}

TEST(PaletteModel, TitleShowsControlCharactersAsVisibleStandIns) {
    const std::string strSep = modSupport::strPathSeparator;
    const std::vector<std::pair<std::string, std::string>> arrCases = {
        {"two\nlines.txt", "two\xE2\x90\x8Alines.txt"},  // U+240A
        {"tab\tand\rreturn.txt",
         "tab\xE2\x90\x89"
         "and\xE2\x90\x8Dreturn.txt"},
        {std::string("nul\0.txt", 8), "nul\xE2\x90\x80.txt"},
        {"del\x7F.txt", "del\xE2\x90\xA1.txt"},
        {"evil\xE2\x80\xAEtxt.exe", "evil<U+202E>txt.exe"},  // right-to-left override
        {"a\xE2\x81\xA6"
         "b\xE2\x81\xA9.txt",
         "a<U+2066>b<U+2069>.txt"},  // isolates
        {"zero\xE2\x80\x8Bwidth.txt", "zero<U+200B>width.txt"},
        {"c1\xC2\x85.txt", "c1<U+0085>.txt"},
        {"bad\xFF.txt", "bad\xEF\xBF\xBD.txt"},  // not UTF-8: U+FFFD
        {"Caf\xC3\xA9 \xF0\x9F\x8E\xA8.txt", "Caf\xC3\xA9 \xF0\x9F\x8E\xA8.txt"},
    };
    for (const auto& [strName, strShown] : arrCases) {
        SCOPED_TRACE(testing::PrintToString(strName));
        EXPECT_EQ(PaletteTitle(strSep + "tmp" + strSep + strName), "Huevra - " + strShown);
    }
}
