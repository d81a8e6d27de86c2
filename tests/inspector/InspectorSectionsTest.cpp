// The Colour Inspector's contrast and colour-vision pages on the default palette (red, yellow,
// lime, cyan, blue, magenta), held against tests/data/accessibility-values.tsv: WCAG 2 ratios,
// APCA-W3 values and colorspacious simulations, worked out apart from this program.

#include <gtest/gtest.h>

#include <QAccessible>
#include <QAccessibleInterface>
#include <QApplication>
#include <QCoreApplication>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QStackedWidget>
#include <QTabBar>
#include <QTest>
#include <array>
#include <fstream>
#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "core/Contrast.h"
#include "core/modSupport.h"
#include "inspector/ColourVisionSection.h"
#include "inspector/ContrastSection.h"
#include "inspector/frmColourInspector.h"
#include "tests/support/Fakes.h"
#include "tests/support/WindowChecks.h"

namespace {

const std::array<const char*, intMarkCount> arrDefaultHex{"ff0000", "ffff00", "00ff00",
                                                          "00ffff", "0000ff", "ff00ff"};
const std::array<const char*, 4> arrVision{"protanopia", "deuteranopia", "tritanopia",
                                           "achromatopsia"};

// The rows of a kind in the reference table, each split at its tabs.
std::vector<std::vector<std::string>> ReferenceRows(const std::string& strKind) {
    std::vector<std::vector<std::string>> arrRow;
    std::ifstream objFile(std::string(HUEVRA_TEST_DATA_DIR) + "/accessibility-values.tsv");
    for (std::string strLine; std::getline(objFile, strLine);) {
        if (strLine.empty() || strLine[0] == '#') continue;
        std::vector<std::string> arrField;
        std::istringstream objLine(strLine);
        for (std::string strField; std::getline(objLine, strField, '\t');)
            arrField.push_back(strField);
        if (arrField.at(0) == strKind) arrRow.push_back(arrField);
    }
    return arrRow;
}

// The rows of a kind for two default marks' colours, by the colours' hex codes.
std::map<std::pair<std::string, std::string>, std::vector<std::string>> PairRows(
    const std::string& strKind, int intFirstColumn) {
    std::map<std::pair<std::string, std::string>, std::vector<std::string>> mapRow;
    for (auto& arrRow : ReferenceRows(strKind))
        mapRow[{arrRow.at(intFirstColumn), arrRow.at(intFirstColumn + 1)}] = arrRow;
    return mapRow;
}

std::string AccessibleName(QWidget* objWidget) {
    QAccessibleInterface* objItem = QAccessible::queryAccessibleInterface(objWidget);
    return objItem != nullptr ? objItem->text(QAccessible::Name).toStdString() : "?";
}

std::string Hex(const typColour& typValue) {
    char strHex[8];
    std::snprintf(strHex, sizeof strHex, "%02x%02x%02x", typValue.lngRed, typValue.lngGreen,
                  typValue.lngBlue);
    return strHex;
}

}  // namespace

/// The inspector with a stand-in for the main window's part: the bars give the selected mark
/// their colour and tell of it, and selecting a mark shows its colour on the bars first.
class InspectorSectionsTest : public ::testing::Test {
protected:
    Palette objPalette;
    std::unique_ptr<PaletteEvents> objEvents = std::make_unique<PaletteEvents>();
    std::unique_ptr<QWidget> objBarsOwner = std::make_unique<QWidget>();
    std::array<QScrollBar*, 3> arrBar{};
    FakeClipboard objClipboard;
    int intFatalErrors = 0;
    std::vector<int> arrSelectAsked;
    bool blnSelectLater = false;  // a busy main window selects once it is done
    bool blnSelectRefused = false;
    bool blnShowingSelection = false;
    QPointer<frmColourInspector> frm;

    void SetUp() override {
        for (QScrollBar*& objBar : arrBar) {
            objBar = new QScrollBar(Qt::Horizontal, objBarsOwner.get());
            objBar->setRange(0, 255);
            QObject::connect(objBar, &QScrollBar::valueChanged, objBarsOwner.get(), [this] {
                if (blnShowingSelection) return;
                objPalette.SetMarkColour(objPalette.intSelectedMark,
                                         {.lngRed = arrBar[0]->value(),
                                          .lngBlue = arrBar[2]->value(),
                                          .lngGreen = arrBar[1]->value()});
                emit objEvents->markChanged(objPalette.intSelectedMark);
            });
        }
        modSupport::SetFatalErrorHandler([this] { ++intFatalErrors; });
        objPalette.SetDefaultPalette();
        objPalette.CommitLoad();
        frm = new frmColourInspector(objPalette, *objEvents, {arrBar[0], arrBar[1], arrBar[2]},
                                     objClipboard, {}, [this](int intMark) {
                                         arrSelectAsked.push_back(intMark);
                                         if (blnSelectRefused) return false;
                                         if (!blnSelectLater) Select(intMark);
                                         return true;
                                     });
        ShowBars(objPalette.arrMarkColour[0]);
    }

    void TearDown() override {
        delete frm.data();
        modSupport::SetFatalErrorHandler({});
        EXPECT_EQ(intFatalErrors, 0);
    }

    void ShowBars(const typColour& typValue) {
        blnShowingSelection = true;
        arrBar[0]->setValue(typValue.lngRed);
        arrBar[1]->setValue(typValue.lngGreen);
        arrBar[2]->setValue(typValue.lngBlue);
        blnShowingSelection = false;
    }

    void Select(int intMark) {
        objPalette.intSelectedMark = static_cast<std::int16_t>(intMark);
        emit objEvents->selectedMarkChanged(intMark);
        ShowBars(objPalette.arrMarkColour.at(intMark));
    }

    void SetMark(int intMark, int intRed, int intGreen, int intBlue, const std::string& strName) {
        objPalette.SetMarkColour(intMark, UnpackColour(PackColour(intRed, intGreen, intBlue)));
        objPalette.SetMarkName(intMark, strName);
        emit objEvents->markChanged(intMark);
    }

    ContrastSection& Contrast() { return *frm->objContrast; }
    ColourVisionSection& Vision() { return *frm->objColourVision; }
    std::string Text(QLabel* objLabel) { return objLabel->text().toStdString(); }
};

TEST_F(InspectorSectionsTest, TheSectionsAreTabsAfterTheNotations) {
    ASSERT_EQ(frm->tabSections->count(), 3);
    EXPECT_EQ(frm->tabSections->tabText(0).toStdString(), "Notations");
    EXPECT_EQ(frm->tabSections->tabText(1).toStdString(), "Contrast");
    EXPECT_EQ(frm->tabSections->tabText(2).toStdString(), "Colour vision");
    EXPECT_EQ(frm->stkSections->widget(1), frm->objContrast);
    EXPECT_EQ(frm->stkSections->widget(2), frm->objColourVision);
    EXPECT_EQ(frm->tabSections->currentIndex(), 0);
    frm->tabSections->setCurrentIndex(2);
    EXPECT_EQ(frm->stkSections->currentWidget(), frm->objColourVision);
}

TEST_F(InspectorSectionsTest, TheGridOfTheDefaultPaletteHasTheReferenceRatiosAndLevels) {
    const auto mapRatio = PairRows("ratio", 1);
    for (int intText = 0; intText < intMarkCount; ++intText) {
        EXPECT_EQ(Text(Contrast().lblTextMark[intText]),
                  "Text: mark " + std::to_string(intText + 1));
        EXPECT_EQ(Text(Contrast().lblOnMark[intText]), "On mark " + std::to_string(intText + 1));
        for (int intBack = 0; intBack < intMarkCount; ++intBack) {
            ContrastCell* objCell = Contrast().cmdCell[intText][intBack];
            if (intText == intBack) {
                EXPECT_EQ(objCell, nullptr);
                continue;
            }
            const auto& arrRow = mapRatio.at({arrDefaultHex[intText], arrDefaultHex[intBack]});
            const std::string strPair =
                "Mark " + std::to_string(intText + 1) + " on mark " + std::to_string(intBack + 1);
            SCOPED_TRACE(strPair);
            ASSERT_NE(objCell, nullptr);
            EXPECT_EQ(objCell->strFirstLine.toStdString(), arrRow.at(4) + ":1");
            EXPECT_EQ(objCell->strSecondLine.toStdString(), arrRow.at(10));
            EXPECT_EQ(AccessibleName(objCell),
                      strPair + ": " + arrRow.at(4) + " to 1, " + arrRow.at(10));
            // Drawn in the pair's own colours.
            EXPECT_EQ(Hex(objCell->typTextColour), arrDefaultHex[intText]);
            EXPECT_EQ(Hex(objCell->typBackColour), arrDefaultHex[intBack]);
        }
    }
    // The facts a user sees first: blue on yellow passes AAA, red on blue fails.
    EXPECT_EQ(AccessibleName(Contrast().cmdCell[4][1]), "Mark 5 on mark 2: 8.00 to 1, AAA");
    EXPECT_EQ(AccessibleName(Contrast().cmdCell[0][4]), "Mark 1 on mark 5: 2.14 to 1, fails");
    // A named mark's captions carry its name.
    SetMark(2, 0, 255, 0, "Lime");
    EXPECT_EQ(Text(Contrast().lblTextMark[2]), "Text: mark 3 Lime");
    EXPECT_EQ(Text(Contrast().lblOnMark[2]), "On mark 3 Lime");
}

TEST_F(InspectorSectionsTest, ACellsDetailHasEveryLevelTheApcaValueAndTheButtonsOfFailedLevels) {
    const auto mapRatio = PairRows("ratio", 1);
    const auto mapApca = PairRows("apca", 1);
    const std::array<const char*, 5> arrLevel{"AA (4.5 to 1)", "AA large (3 to 1)", "AAA (7 to 1)",
                                              "AAA large (4.5 to 1)", "Non-text (3 to 1)"};
    frm->tabSections->setCurrentIndex(1);
    frm->show();
    for (int intText = 0; intText < intMarkCount; ++intText) {
        for (int intBack = 0; intBack < intMarkCount; ++intBack) {
            if (intText == intBack) continue;
            const std::string strPair =
                "Mark " + std::to_string(intText + 1) + " on mark " + std::to_string(intBack + 1);
            SCOPED_TRACE(strPair);
            QTest::mouseClick(Contrast().cmdCell[intText][intBack], Qt::LeftButton);
            const auto& arrRow = mapRatio.at({arrDefaultHex[intText], arrDefaultHex[intBack]});
            EXPECT_EQ(Text(Contrast().lblPair), strPair);
            EXPECT_EQ(Text(Contrast().lblRatio), "Contrast ratio: " + arrRow.at(4) + " to 1");
            // The table's columns: aa, aa-large, aaa, aaa-large, non-text.
            for (int i = 0; i < 5; ++i)
                EXPECT_EQ(Text(Contrast().lblLevel[i]),
                          std::string(arrLevel[i]) + ": " +
                              (arrRow.at(5 + i) == "1" ? "passes" : "fails"));
            EXPECT_EQ(
                Text(Contrast().lblApca),
                "APCA Lc: " + mapApca.at({arrDefaultHex[intText], arrDefaultHex[intBack]}).at(4));
            EXPECT_EQ(Contrast().cmdPassAa->isVisible(), arrRow.at(5) == "0");
            EXPECT_EQ(Contrast().cmdPassAaa->isVisible(), arrRow.at(7) == "0");
            EXPECT_EQ(Hex(Contrast().picSampleLarge->typTextColour), arrDefaultHex[intText]);
            EXPECT_EQ(Hex(Contrast().picSampleNormal->typBackColour), arrDefaultHex[intBack]);
            EXPECT_TRUE(Contrast().cmdCell[intText][intBack]->blnChosen);
        }
    }
    EXPECT_EQ(Contrast().cmdPassAa->text().toStdString(), "Make text pass AA");
    EXPECT_EQ(Contrast().cmdPassAaa->text().toStdString(), "Make text pass AAA");
}

TEST_F(InspectorSectionsTest, MakeTextPassSelectsTheTextMarkAndChangesItAlone) {
    frm->tabSections->setCurrentIndex(1);
    frm->show();
    // Red on blue fails AA with the text mark selected; yellow on lime fails AA and cyan on
    // blue AAA with the text mark not selected.
    const struct {
        int intText, intBack;
        QPushButton* ContrastSection::*cmdButton;
        double dblLevel;
    } arrCase[] = {
        {0, 4, &ContrastSection::cmdPassAa, 4.5},
        {1, 2, &ContrastSection::cmdPassAa, 4.5},
        {3, 4, &ContrastSection::cmdPassAaa, 7},
    };
    for (const auto& objCase : arrCase) {
        SCOPED_TRACE(objCase.intText);
        arrSelectAsked.clear();
        const auto arrBefore = objPalette.arrMarkColour;
        const bool blnSelected = objPalette.intSelectedMark == objCase.intText;
        QTest::mouseClick(Contrast().cmdCell[objCase.intText][objCase.intBack], Qt::LeftButton);
        QPushButton* objButton = Contrast().*objCase.cmdButton;
        ASSERT_TRUE(objButton->isVisible() && objButton->isEnabled());
        QTest::mouseClick(objButton, Qt::LeftButton);
        QCoreApplication::processEvents();
        EXPECT_EQ(arrSelectAsked,
                  blnSelected ? std::vector<int>{} : std::vector<int>{objCase.intText});
        EXPECT_EQ(objPalette.intSelectedMark, objCase.intText);
        for (int i = 0; i < intMarkCount; ++i)
            if (i != objCase.intText) {
                EXPECT_EQ(objPalette.arrMarkColour[i], arrBefore[i]) << i;
            }
        const typColour& typNew = objPalette.arrMarkColour[objCase.intText];
        EXPECT_NE(typNew, arrBefore[objCase.intText]);
        // The new colour reaches the level on the background, and the grid and the detail
        // follow it; the button is gone.
        EXPECT_GE(ContrastRatio(typNew, objPalette.arrMarkColour[objCase.intBack]),
                  objCase.dblLevel);
        EXPECT_EQ(Contrast().cmdCell[objCase.intText][objCase.intBack]->typTextColour, typNew);
        EXPECT_FALSE(objButton->isVisible());
    }
    EXPECT_TRUE(objClipboard.arrTexts.empty());
}

TEST_F(InspectorSectionsTest, AColourForAMarkNotYetSelectedWaitsForItsSelection) {
    const typColour typGrey{.lngRed = 90, .lngBlue = 90, .lngGreen = 90};
    // A busy main window selects the mark later; the colour follows then, not before.
    blnSelectLater = true;
    const auto arrBefore = objPalette.arrMarkColour;
    frm->SetMarkColour(3, typGrey);
    QCoreApplication::processEvents();
    EXPECT_EQ(objPalette.arrMarkColour, arrBefore);
    Select(3);
    QCoreApplication::processEvents();
    EXPECT_EQ(objPalette.arrMarkColour[3], typGrey);
    // A mark the user chose meanwhile keeps its colour, and so does the one asked for.
    frm->SetMarkColour(4, typGrey);
    Select(5);
    QCoreApplication::processEvents();
    Select(4);
    QCoreApplication::processEvents();
    EXPECT_EQ(objPalette.arrMarkColour[4], arrBefore[4]);
    EXPECT_EQ(objPalette.arrMarkColour[5], arrBefore[5]);
    // A mark that cannot be selected now does not take the colour at a later selection.
    blnSelectRefused = true;
    frm->SetMarkColour(0, typGrey);
    Select(0);
    QCoreApplication::processEvents();
    EXPECT_EQ(objPalette.arrMarkColour[0], arrBefore[0]);
}

TEST_F(InspectorSectionsTest, AButtonWithNoPassingColourIsDisabledAndSaysWhy) {
    // Nothing reaches 7 to 1 on mid grey #808080 (relative luminance 0.2159): black gives
    // (0.2159 + 0.05) / 0.05 = 5.3 and white 1.05 / 0.2659 = 3.9.
    SetMark(1, 128, 128, 128, "");
    Contrast().SelectPair(0, 1);
    frm->tabSections->setCurrentIndex(1);
    frm->show();
    EXPECT_TRUE(Contrast().cmdPassAaa->isVisible());
    EXPECT_FALSE(Contrast().cmdPassAaa->isEnabled());
    EXPECT_EQ(Contrast().cmdPassAaa->toolTip().toStdString(),
              "No colour of mark 1's hue, lighter or darker, passes AAA on mark 2");
    // AA can be reached there, and its tool tip names the colour it gives.
    EXPECT_TRUE(Contrast().cmdPassAa->isEnabled());
    EXPECT_EQ(Contrast().cmdPassAa->toolTip().toStdString().rfind("Give mark 1 #", 0), 0u);
    const auto arrBefore = objPalette.arrMarkColour;
    Contrast().cmdPassAaa_Click();
    QCoreApplication::processEvents();
    EXPECT_EQ(objPalette.arrMarkColour, arrBefore);
}

TEST_F(InspectorSectionsTest, SwatchesShowTheReferenceSimulationsOfTheDefaultPalette) {
    std::map<std::pair<std::string, std::string>, std::string> mapSeen;
    for (const auto& arrRow : ReferenceRows("cvd")) mapSeen[{arrRow[1], arrRow[2]}] = arrRow[6];
    for (int v = 0; v < 4; ++v) {
        for (int i = 0; i < intMarkCount; ++i) {
            SCOPED_TRACE(std::string(arrVision[v]) + " " + arrDefaultHex[i]);
            std::string strSeen = mapSeen.at({arrVision[v], arrDefaultHex[i]});
            for (char& c : strSeen) c = static_cast<char>(std::toupper(c));
            EXPECT_EQ(AccessibleName(Vision().picSimulated[v][i]),
                      "Mark " + std::to_string(i + 1) + " as seen with " + arrVision[v] + ": #" +
                          strSeen);
        }
    }
    EXPECT_EQ(Text(Vision().lblVision[0]), "Protanopia");
    EXPECT_EQ(Text(Vision().lblVision[3]), "Achromatopsia");
}

TEST_F(InspectorSectionsTest, TheLookAlikeListHasThePairsTheReferenceFlags) {
    const std::array<const char*, 4> arrCaption{"Protanopia", "Deuteranopia", "Tritanopia",
                                                "Achromatopsia"};
    std::set<std::vector<std::string>> setAlike;
    for (const auto& arrRow : ReferenceRows("alike"))
        if (arrRow.at(5) == "1") setAlike.insert({arrRow[1], arrRow[2], arrRow[3]});
    std::string strExpected;
    for (int v = 0; v < 4; ++v)
        for (int i = 0; i < intMarkCount; ++i)
            for (int j = i + 1; j < intMarkCount; ++j)
                if (setAlike.count({arrVision[v], arrDefaultHex[i], arrDefaultHex[j]}) != 0)
                    strExpected += std::string(strExpected.empty() ? "" : "\n") + arrCaption[v] +
                                   ": mark " + std::to_string(i + 1) + " and mark " +
                                   std::to_string(j + 1) + " look alike";
    EXPECT_NE(strExpected.find("Protanopia: mark 2 and mark 3 look alike"), std::string::npos);
    EXPECT_EQ(strExpected.find("Deuteranopia"), std::string::npos);
    EXPECT_EQ(Text(Vision().lblLookAlike), strExpected);
    EXPECT_EQ(AccessibleName(Vision().lblLookAlike), strExpected);
    // Greys a fifth apart stay greys apart with every deficiency.
    for (int i = 0; i < intMarkCount; ++i) SetMark(i, i * 51, i * 51, i * 51, "");
    EXPECT_EQ(Text(Vision().lblLookAlike), "No pair of marks looks alike");
}

TEST_F(InspectorSectionsTest, AChangeOfAMarkWorksOutItsOwnRowAndColumnOnly) {
    const std::int64_t lngPairs = Contrast().lngPairsWorkedOut;
    const std::int64_t lngSimulated = Vision().lngColoursSimulated;
    EXPECT_EQ(lngPairs, 30);
    EXPECT_EQ(lngSimulated, 24);
    SetMark(2, 10, 20, 30, "");
    EXPECT_EQ(Contrast().lngPairsWorkedOut - lngPairs, 10);
    EXPECT_EQ(Vision().lngColoursSimulated - lngSimulated, 4);
    EXPECT_EQ(Hex(Contrast().cmdCell[2][0]->typTextColour), "0a141e");
    EXPECT_EQ(Hex(Contrast().cmdCell[5][2]->typBackColour), "0a141e");
    EXPECT_EQ(AccessibleName(Contrast().cmdCell[5][2]).rfind("Mark 6 on mark 3: ", 0), 0u);
    // A new name alone changes the captions, no ratio nor simulation.
    SetMark(2, 10, 20, 30, "Ink");
    EXPECT_EQ(Contrast().lngPairsWorkedOut - lngPairs, 10);
    EXPECT_EQ(Vision().lngColoursSimulated - lngSimulated, 4);
    EXPECT_EQ(Text(Contrast().lblTextMark[2]), "Text: mark 3 Ink");
}

TEST_F(InspectorSectionsTest, CellsKeepTheMarksColoursUnderADarkDesktopWhileCaptionsFollowIt) {
    const QPalette objSaved = QApplication::palette();
    for (const bool blnDark : {false, true}) {
        SCOPED_TRACE(blnDark ? "dark" : "light");
        QApplication::setPalette(blnDark ? DarkPalette() : objSaved);
        for (int intPage : {1, 2}) {
            frm->tabSections->setCurrentIndex(intPage);
            frm->show();
            QCoreApplication::processEvents();
            EXPECT_EQ(LowContrastTexts(frm, 4.5), std::vector<std::string>{});
            // With HUEVRA_SHOT_DIR set, the page is saved to be looked at.
            if (const char* strDir = std::getenv("HUEVRA_SHOT_DIR"))
                frm->grab().save(
                    QStringLiteral("%1/inspector-page%2-%3.png")
                        .arg(QString::fromLocal8Bit(strDir))
                        .arg(intPage)
                        .arg(blnDark ? QStringLiteral("dark") : QStringLiteral("light")));
        }
        frm->tabSections->setCurrentIndex(1);
        QCoreApplication::processEvents();
        // Blue on yellow, a cell not chosen: its edge is yellow and its middle holds blue text.
        ContrastCell* objCell = Contrast().cmdCell[4][1];
        const QImage objImage = objCell->grab().toImage();
        EXPECT_EQ(objImage.pixelColor(1, objImage.height() / 2), QColor(255, 255, 0));
        bool blnBlue = false;
        for (int y = 0; y < objImage.height() && !blnBlue; ++y)
            for (int x = 0; x < objImage.width() && !blnBlue; ++x)
                blnBlue = objImage.pixelColor(x, y) == QColor(0, 0, 255);
        EXPECT_TRUE(blnBlue);
        EXPECT_EQ(Contrast().lblTextMark[0]->palette().color(QPalette::WindowText),
                  QApplication::palette().color(QPalette::WindowText));
        EXPECT_EQ(BackColour(Vision().picSimulated[0][1]), PackColour(255, 244, 0));
    }
    QApplication::setPalette(objSaved);
}
