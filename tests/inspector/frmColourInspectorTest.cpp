// The Colour Inspector on its own: a palette, its events, three scroll bars and a fake clipboard.

#include <gtest/gtest.h>

#include <QAccessible>
#include <QAccessibleInterface>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <array>
#include <cmath>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "core/modSupport.h"
#include "inspector/frmColourInspector.h"
#include "tests/support/Fakes.h"

namespace {

// The three values of a colour in another space, from the independent table of colour values.
struct ReferenceValues {
    std::array<double, 3> arrValue{};
    double dblTolerance = 0;
};

ReferenceValues LookUp(const std::string& strFrom, const std::array<double, 3>& arrFrom,
                       const std::string& strTo) {
    std::ifstream objFile(std::string(HUEVRA_TEST_DATA_DIR) + "/colour-values.tsv");
    for (std::string strLine; std::getline(objFile, strLine);) {
        if (strLine.empty() || strLine[0] == '#') continue;
        std::istringstream objRow(strLine);
        std::string strRowFrom;
        std::string strRowTo;
        std::array<double, 3> arrRowFrom{};
        ReferenceValues objFound;
        objRow >> strRowFrom >> arrRowFrom[0] >> arrRowFrom[1] >> arrRowFrom[2] >> strRowTo >>
            objFound.arrValue[0] >> objFound.arrValue[1] >> objFound.arrValue[2] >>
            objFound.dblTolerance;
        if (strRowFrom == strFrom && strRowTo == strTo && arrRowFrom == arrFrom) return objFound;
    }
    ADD_FAILURE() << "no " << strFrom << " to " << strTo << " in colour-values.tsv";
    return {};
}

// The three numbers of a text such as "lab(84.8% 8.2 84.8)", each with its count of decimals.
struct PrintedNumber {
    double dblValue = 0;
    int intDecimals = 0;
};

std::vector<PrintedNumber> NumbersIn(const std::string& strText) {
    std::vector<PrintedNumber> arrNumber;
    const std::size_t intOpen = strText.find('(');
    const std::size_t intClose = strText.rfind(')');
    if (intOpen == std::string::npos || intClose == std::string::npos) return arrNumber;
    std::istringstream objWords(strText.substr(intOpen + 1, intClose - intOpen - 1));
    for (std::string strWord; objWords >> strWord;) {
        if (strWord == "display-p3") continue;
        if (strWord.back() == '%') strWord.pop_back();
        const std::size_t intPoint = strWord.find('.');
        arrNumber.push_back(
            {std::stod(strWord),
             intPoint == std::string::npos ? 0 : static_cast<int>(strWord.size() - intPoint - 1)});
    }
    return arrNumber;
}

// The accessible name a screen reader announces for a widget.
std::string AccessibleName(QWidget* objWidget) {
    QAccessibleInterface* objItem = QAccessible::queryAccessibleInterface(objWidget);
    return objItem != nullptr ? objItem->text(QAccessible::Name).toStdString() : "?";
}

}  // namespace

class frmColourInspectorTest : public ::testing::Test {
protected:
    Palette objPalette;
    std::unique_ptr<PaletteEvents> objEvents = std::make_unique<PaletteEvents>();
    std::unique_ptr<QWidget> objBarsOwner = std::make_unique<QWidget>();
    std::array<QScrollBar*, 3> arrBar{};
    FakeClipboard objClipboard;
    int intHelpShown = 0;
    int intFatalErrors = 0;
    QPointer<frmColourInspector> frm;

    void SetUp() override {
        for (QScrollBar*& objBar : arrBar) {
            objBar = new QScrollBar(Qt::Horizontal, objBarsOwner.get());
            objBar->setRange(0, 255);
        }
        modSupport::SetFatalErrorHandler([this] { ++intFatalErrors; });
        objPalette.SetDefaultPalette();
        objPalette.CommitLoad();
        frm = new frmColourInspector(objPalette, *objEvents, {arrBar[0], arrBar[1], arrBar[2]},
                                     objClipboard, [this] { ++intHelpShown; });
    }

    void TearDown() override {
        delete frm.data();
        modSupport::SetFatalErrorHandler({});
        EXPECT_EQ(intFatalErrors, 0);
    }

    /// Gives a mark a colour and a name, as the main window does, and tells of it.
    void SetMark(int intMark, int intRed, int intGreen, int intBlue, const std::string& strName) {
        objPalette.SetMarkColour(intMark, UnpackColour(PackColour(intRed, intGreen, intBlue)));
        objPalette.SetMarkName(intMark, strName);
        emit objEvents->markChanged(intMark);
    }

    void Select(int intMark) {
        objPalette.intSelectedMark = static_cast<std::int16_t>(intMark);
        emit objEvents->selectedMarkChanged(intMark);
    }

    std::string Row(int intNotation) const {
        return frm->txtNotation.at(intNotation)->text().toStdString();
    }

    std::array<int, 3> Bars() const {
        return {arrBar[0]->value(), arrBar[1]->value(), arrBar[2]->value()};
    }

    /// Types a colour text into "Any colour:" and presses Enter.
    void Enter(const QString& strText) {
        frm->txtColourText->clear();
        QTest::keyClicks(frm->txtColourText, strText);
        QTest::keyClick(frm->txtColourText, Qt::Key_Return);
    }

    std::string Message() const { return frm->lblColourTextMessage->text().toStdString(); }
};

TEST_F(frmColourInspectorTest, RowsShowTheSelectedMarkAsTheReferenceValuesHaveIt) {
    // The exact rows are worked by hand from each notation's definition; the decimal ones are
    // held against the independent table, each within its printed rounding.
    struct Case {
        int intMark;
        std::array<int, 3> arrColour;
        const char* strName;
        const char* strHeading;
        std::array<const char*, intColourNotationCount> arrExact;  // "" for a decimal row
    };
    const Case arrCase[] = {
        {2,
         {255, 204, 0},
         "Sun Yellow",
         "Mark 3 \u2014 Sun Yellow",
         {"#ffcc00", "rgb(255 204 0)", "hsl(48 100% 50%)", "hwb(48 0% 0%)", "", "", "", "", "",
          "--sun-yellow: #ffcc00;", "QColor(255, 204, 0)", "Color(red: 1, green: 0.8, blue: 0)",
          "<color name=\"sun_yellow\">#FFFFCC00</color>", "Color(0xFFFFCC00)"}},
        {0,
         {0, 255, 255},
         "Type a colour name",
         "Mark 1",
         {"#00ffff", "rgb(0 255 255)", "hsl(180 100% 50%)", "hwb(180 0% 0%)", "", "", "", "", "",
          "--colour-1: #00ffff;", "QColor(0, 255, 255)", "Color(red: 0, green: 1, blue: 1)",
          "<color name=\"colour_1\">#FF00FFFF</color>", "Color(0xFF00FFFF)"}},
    };
    const std::array<const char*, intColourNotationCount> arrSpace{
        "", "", "", "", "lab", "lch", "oklab", "oklch", "display-p3", "", "", "", "", ""};
    const std::array<const char*, intColourNotationCount> arrPrefix{
        "", "", "", "", "lab(", "lch(", "oklab(", "oklch(", "color(display-p3 ",
        "", "", "", "", ""};
    for (const Case& objCase : arrCase) {
        SCOPED_TRACE(objCase.strName);
        SetMark(objCase.intMark, objCase.arrColour[0], objCase.arrColour[1], objCase.arrColour[2],
                objCase.strName);
        Select(objCase.intMark);
        EXPECT_EQ(frm->lblMark->text().toStdString(), objCase.strHeading);
        const std::array<double, 3> arrSrgb{objCase.arrColour[0] / 255.0,
                                            objCase.arrColour[1] / 255.0,
                                            objCase.arrColour[2] / 255.0};
        for (int i = 0; i < intColourNotationCount; ++i) {
            SCOPED_TRACE(std::string(arrColourNotationCaption.at(i)) + " " + Row(i));
            if (*objCase.arrExact.at(i) != '\0') {
                EXPECT_EQ(Row(i), objCase.arrExact.at(i));
                continue;
            }
            EXPECT_EQ(Row(i).rfind(arrPrefix.at(i), 0), 0u);
            const ReferenceValues objReference = LookUp("srgb", arrSrgb, arrSpace.at(i));
            const std::vector<PrintedNumber> arrNumber = NumbersIn(Row(i));
            ASSERT_EQ(arrNumber.size(), 3u);
            for (std::size_t j = 0; j < 3; ++j) {
                // Oklab's lightness is written as a percentage.
                const double dblScale =
                    j == 0 && (i == intNotationOklab || i == intNotationOklch) ? 100 : 1;
                const double dblRounding = 0.5 * std::pow(10.0, -arrNumber[j].intDecimals);
                EXPECT_NEAR(arrNumber[j].dblValue, objReference.arrValue.at(j) * dblScale,
                            dblRounding + objReference.dblTolerance * dblScale)
                    << "number " << j;
            }
        }
    }
}

TEST_F(frmColourInspectorTest, RowsFollowTheSelectedMarkOnly) {
    SetMark(0, 255, 204, 0, "Sun Yellow");
    Select(0);
    ASSERT_EQ(Row(intNotationHex), "#ffcc00");
    // Another mark's change leaves the rows as they are.
    SetMark(3, 1, 2, 3, "Other");
    EXPECT_EQ(Row(intNotationHex), "#ffcc00");
    // The selected mark's colour and name follow each change.
    SetMark(0, 18, 52, 86, "Deep Sea");
    EXPECT_EQ(Row(intNotationHex), "#123456");
    EXPECT_EQ(Row(intNotationCssVariable), "--deep-sea: #123456;");
    EXPECT_EQ(frm->lblMark->text().toStdString(), "Mark 1 \u2014 Deep Sea");
    // Find's placeholder is no name either.
    SetMark(0, 18, 52, 86, "Not JavaScript colour");
    EXPECT_EQ(Row(intNotationCssVariable), "--colour-1: #123456;");
    EXPECT_EQ(frm->lblMark->text().toStdString(), "Mark 1");
    Select(3);
    EXPECT_EQ(Row(intNotationRgb), "rgb(1 2 3)");
    EXPECT_EQ(Row(intNotationAndroid), "<color name=\"other\">#FF010203</color>");
    EXPECT_EQ(frm->picSample->palette().color(frm->picSample->backgroundRole()), QColor(1, 2, 3));
}

TEST_F(frmColourInspectorTest, EveryControlHasItsNameForScreenReaders) {
    const std::array<const char*, intColourNotationCount> arrCaption{
        "HEX",     "rgb()",      "hsl()",        "hwb()", "lab()",   "lch()",   "oklab()",
        "oklch()", "display-p3", "CSS variable", "Qt",    "SwiftUI", "Android", "Flutter"};
    for (int i = 0; i < intColourNotationCount; ++i) {
        SCOPED_TRACE(arrCaption.at(i));
        EXPECT_EQ(frm->lblNotation[i]->text().toStdString(), arrCaption.at(i));
        EXPECT_EQ(AccessibleName(frm->txtNotation[i]), arrCaption.at(i));
        EXPECT_TRUE(frm->txtNotation[i]->isReadOnly());
        EXPECT_EQ(frm->cmdCopy[i]->text().toStdString(), "Copy");
        EXPECT_EQ(AccessibleName(frm->cmdCopy[i]), std::string("Copy ") + arrCaption.at(i));
    }
    EXPECT_EQ(frm->windowTitle().toStdString(), "Colour Inspector");
    EXPECT_EQ(frm->lblColourText->text().toStdString(), "Any colour:");
    EXPECT_EQ(AccessibleName(frm->txtColourText), "Any colour");
    EXPECT_EQ(AccessibleName(frm->cmdSetColour), "Set");
    EXPECT_EQ(frm->lblColourTextMessage->accessibleDescription().toStdString(),
              "Colour text message");
}

TEST_F(frmColourInspectorTest, CopyPutsExactlyTheRowsTextOnTheClipboard) {
    SetMark(0, 255, 204, 0, "Sun Yellow");
    for (int i = 0; i < intColourNotationCount; ++i) {
        SCOPED_TRACE(arrColourNotationCaption.at(i));
        QTest::mouseClick(frm->cmdCopy[i], Qt::LeftButton);
        ASSERT_FALSE(objClipboard.arrTexts.empty());
        EXPECT_EQ(objClipboard.arrTexts.back(), Row(i));
    }
    EXPECT_EQ(objClipboard.arrTexts.size(), std::size_t{intColourNotationCount});
    EXPECT_EQ(objClipboard.arrTexts.at(intNotationAndroid),
              "<color name=\"sun_yellow\">#FFFFCC00</color>");
    // A clipboard held by another program is no failure of this one.
    objClipboard.blnThrow = true;
    frm->cmdCopy_Click(0);
    EXPECT_EQ(intFatalErrors, 0);
}

TEST_F(frmColourInspectorTest, AGoodTextSetsTheScrollBars) {
    // Each text with the colour the independent table gives it, and the notes of the set.
    struct Case {
        const char* strText;
        const char* strFrom;
        std::array<double, 3> arrFrom;
        const char* strTo;
        const char* strMessage;
    };
    const Case arrCase[] = {
        {"oklch(50% 0.2 270)", "oklch", {0.5, 0.2, 270}, "srgb", ""},
        {"color(display-p3 1 0 0)", "display-p3", {1, 0, 0}, "srgb-mapped", "mapped into sRGB"},
        {"  oklch(0.7 0.4 200)", "oklch", {0.7, 0.4, 200}, "srgb-mapped", "mapped into sRGB"},
        {"oklch(0.3 0.25 280 / 50%)",
         "oklch",
         {0.3, 0.25, 280},
         "srgb-mapped",
         "mapped into sRGB; alpha ignored"},
    };
    for (const Case& objCase : arrCase) {
        SCOPED_TRACE(objCase.strText);
        frm->lblColourTextMessage->setText(QStringLiteral("left over"));
        Enter(QString::fromUtf8(objCase.strText));
        const ReferenceValues objReference =
            LookUp(objCase.strFrom, objCase.arrFrom, objCase.strTo);
        std::array<int, 3> arrExpected{};
        for (std::size_t j = 0; j < 3; ++j)
            arrExpected[j] = static_cast<int>(std::lround(objReference.arrValue[j] * 255));
        EXPECT_EQ(Bars(), arrExpected);
        EXPECT_EQ(Message(), objCase.strMessage);
        EXPECT_EQ(AccessibleName(frm->lblColourTextMessage), objCase.strMessage);
    }
    // The Set button does as Enter does; an alpha below 1 is told.
    frm->txtColourText->setText(QStringLiteral("#ffcc0080"));
    QTest::mouseClick(frm->cmdSetColour, Qt::LeftButton);
    EXPECT_EQ(Bars(), (std::array<int, 3>{255, 204, 0}));
    EXPECT_EQ(Message(), "alpha ignored");
    EXPECT_TRUE(objClipboard.arrTexts.empty());
}

TEST_F(frmColourInspectorTest, ARefusedTextChangesNothingAndTellsWhere) {
    Enter(QStringLiteral("#123456"));
    ASSERT_EQ(Bars(), (std::array<int, 3>{18, 52, 86}));
    const struct {
        const char* strText;
        const char* strMessage;
    } arrCase[] = {
        {"rgb(1 2", "Not a colour at character 8: expected a number"},
        {"sunyellow", "Not a colour at character 1: unknown colour name"},
    };
    for (const auto& objCase : arrCase) {
        SCOPED_TRACE(objCase.strText);
        Enter(QString::fromUtf8(objCase.strText));
        EXPECT_EQ(Bars(), (std::array<int, 3>{18, 52, 86}));
        EXPECT_EQ(Message(), objCase.strMessage);
        EXPECT_EQ(AccessibleName(frm->lblColourTextMessage), objCase.strMessage);
        // The text stays for mending, the caret where it went wrong.
        EXPECT_EQ(frm->txtColourText->text().toStdString(), objCase.strText);
    }
    EXPECT_EQ(frm->txtColourText->cursorPosition(), 0);
    // The empty text is refused too.
    Enter(QString());
    EXPECT_EQ(Bars(), (std::array<int, 3>{18, 52, 86}));
    EXPECT_EQ(Message().rfind("Not a colour at character 1: ", 0), 0u) << Message();
    EXPECT_TRUE(objClipboard.arrTexts.empty());
}

TEST_F(frmColourInspectorTest, ItClosesWhenThePaletteOrTheScrollBarsGo) {
    frm->show();
    objEvents.reset();
    EXPECT_FALSE(frm->isVisible());
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(frm.isNull());

    objEvents = std::make_unique<PaletteEvents>();
    frm = new frmColourInspector(objPalette, *objEvents, {arrBar[0], arrBar[1], arrBar[2]},
                                 objClipboard, {});
    frm->show();
    objBarsOwner.reset();
    EXPECT_FALSE(frm->isVisible());
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(frm.isNull());
}

TEST_F(frmColourInspectorTest, F1OpensTheHelp) {
    frm->show();
    frm->activateWindow();
    QApplication::setActiveWindow(frm);
    QTest::keyClick(frm->txtColourText, Qt::Key_F1);
    EXPECT_EQ(intHelpShown, 1);
}

TEST(ColourInspectorPosition, OpensBesideTheMainWindowAndOnTheScreen) {
    const QRect rctScreen(0, 0, 1280, 1000);
    const QSize objSize(500, 600);
    const struct {
        const char* strCase;
        QRect rctMain;
        QPoint objExpected;
    } arrCase[] = {
        {"room on the right", QRect(100, 50, 600, 400), QPoint(700, 50)},
        {"exactly room on the right", QRect(180, 50, 600, 400), QPoint(780, 50)},
        {"room on the left only", QRect(600, 50, 600, 400), QPoint(100, 50)},
        {"room on neither side", QRect(300, 50, 700, 400), QPoint(780, 50)},
        {"low on the screen", QRect(100, 700, 600, 400), QPoint(700, 400)},
        {"above the screen", QRect(100, -30, 600, 400), QPoint(700, 0)},
    };
    for (const auto& objCase : arrCase) {
        SCOPED_TRACE(objCase.strCase);
        EXPECT_EQ(ColourInspectorPosition(objCase.rctMain, objSize, rctScreen),
                  objCase.objExpected);
    }
    // A screen that does not start at the origin.
    EXPECT_EQ(ColourInspectorPosition(QRect(1500, 0, 600, 400), objSize, QRect(1280, 0, 1024, 768)),
              QPoint(1280 + 1024 - 500, 0));
}
