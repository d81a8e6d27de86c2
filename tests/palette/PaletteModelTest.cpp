#include <gtest/gtest.h>

#include <array>
#include <string>

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
