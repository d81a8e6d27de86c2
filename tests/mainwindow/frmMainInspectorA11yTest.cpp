// The Colour Inspector's "Make text pass" buttons with a real main window: the text mark is
// selected as a click on it selects it, takes the colour through the scroll bars, and the
// clipboard follows; a colour being set meanwhile is finished first.

#include <QCoreApplication>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "core/Contrast.h"
#include "frmMainFixture.h"
#include "inspector/ContrastSection.h"
#include "inspector/frmColourInspector.h"
#include "widgets/ColourScrollBars.h"

class frmMainInspectorA11yTest : public frmMainTest {
protected:
    frmColourInspector* OpenInspector() {
        frm->mnuToolsColourInspector->trigger();
        frmColourInspector* frmInspector = frm->objColourInspector;
        if (frmInspector != nullptr) frmInspector->tabSections->setCurrentIndex(1);
        return frmInspector;
    }

    static std::string Hex(const typColour& typValue) {
        return QStringLiteral("#%1%2%3")
            .arg(typValue.lngRed, 2, 16, QLatin1Char('0'))
            .arg(typValue.lngGreen, 2, 16, QLatin1Char('0'))
            .arg(typValue.lngBlue, 2, 16, QLatin1Char('0'))
            .toUpper()
            .toStdString();
    }
};

TEST_F(frmMainInspectorA11yTest, MakeTextPassSelectsTheTextMarkAndTheClipboardFollows) {
    OpenActive();
    frm->show();
    frmColourInspector* frmInspector = OpenInspector();
    ASSERT_NE(frmInspector, nullptr);
    Tick(3);
    objClipboard.arrTexts.clear();
    const auto arrBefore = frm->objPalette.arrMarkColour;
    ASSERT_EQ(frm->objPalette.intSelectedMark, 0);
    // Yellow (mark 2) on lime (mark 3) fails: 1.27 to 1.
    frmInspector->objContrast->SelectPair(1, 2);
    ASSERT_TRUE(frmInspector->objContrast->cmdPassAa->isEnabled());
    QTest::mouseClick(frmInspector->objContrast->cmdPassAa, Qt::LeftButton);
    QCoreApplication::processEvents();
    EXPECT_EQ(frm->objPalette.intSelectedMark, 1);
    EXPECT_TRUE(frm->optColor[1]->isChecked());
    const typColour typNew = frm->objPalette.arrMarkColour[1];
    EXPECT_GE(ContrastRatio(typNew, arrBefore[2]), 4.5);
    for (int i = 0; i < intMarkCount; ++i) {
        if (i == 1) continue;
        EXPECT_EQ(frm->objPalette.arrMarkColour[i], arrBefore[i]) << i;
    }
    EXPECT_EQ(Bars(), Components(typNew));
    EXPECT_EQ(frm->SampleColour(1), PackColour(typNew));
    EXPECT_EQ(frm->lblClipboard->text().toStdString(), Hex(typNew));
    // The clipboard waits for the colour to settle, as after any colour the user chose.
    Tick(3);
    EXPECT_EQ(objClipboard.arrTexts, std::vector<std::string>{Hex(typNew)});
    // The selected text mark takes the next colour straight away.
    frmInspector->objContrast->SelectPair(1, 4);
    QTest::mouseClick(frmInspector->objContrast->cmdPassAaa, Qt::LeftButton);
    QCoreApplication::processEvents();
    EXPECT_EQ(frm->objPalette.intSelectedMark, 1);
    EXPECT_GE(ContrastRatio(frm->objPalette.arrMarkColour[1], arrBefore[4]), 7);
}

TEST_F(frmMainInspectorA11yTest, AColourBeingSetIsFinishedBeforeTheTextMarkIsSelected) {
    OpenActive();
    frm->show();
    frmColourInspector* frmInspector = OpenInspector();
    ASSERT_NE(frmInspector, nullptr);
    const auto arrBefore = frm->objPalette.arrMarkColour;
    // Cyan (mark 4) on magenta (mark 6) fails AA: 2.50 to 1.
    frmInspector->objContrast->SelectPair(3, 5);
    // The button is pressed while the main window takes mark 1's new colour from a palette
    // window, bar by bar: between the bars, as a click the main window's events let through.
    bool blnPressed = false;
    const QMetaObject::Connection objOnce =
        QObject::connect(&frm->objPaletteEvents, &PaletteEvents::markChanged, frmInspector, [&] {
            if (std::exchange(blnPressed, true)) return;
            frmInspector->objContrast->cmdPassAa->click();
        });
    SetColourScrollBars({frm->hsbRed, frm->hsbGreen, frm->hsbBlue},
                        {.lngRed = 1, .lngBlue = 3, .lngGreen = 2});
    QObject::disconnect(objOnce);
    ASSERT_TRUE(blnPressed);
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
    EXPECT_EQ(Components(frm->objPalette.arrMarkColour[0]), (std::array<int, 3>{1, 2, 3}));
    EXPECT_EQ(frm->objPalette.intSelectedMark, 3);
    EXPECT_GE(ContrastRatio(frm->objPalette.arrMarkColour[3], arrBefore[5]), 4.5);
    for (int i : {1, 2, 4, 5}) EXPECT_EQ(frm->objPalette.arrMarkColour[i], arrBefore[i]) << i;
}
