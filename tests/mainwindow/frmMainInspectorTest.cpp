// The Colour Inspector with a real main window: its menu item, its single window, the colour it
// follows and the colour it sets.

#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "frmMainFixture.h"
#include "help/HelpSupport.h"
#include "inspector/frmColourInspector.h"
#include "palettewindows/frmWebsafe.h"

class frmMainInspectorTest : public frmMainTest {
protected:
    frmColourInspector* OpenInspector() {
        frm->mnuToolsColourInspector->trigger();
        return frm->objColourInspector;
    }

    static std::string Row(frmColourInspector* frmInspector, int intNotation) {
        return frmInspector->txtNotation.at(intNotation)->text().toStdString();
    }

    std::size_t InspectorWindows() const {
        std::size_t intCount = 0;
        for (QWidget* objWindow : QApplication::topLevelWidgets())
            if (qobject_cast<frmColourInspector*>(objWindow) != nullptr && objWindow->isVisible())
                ++intCount;
        return intCount;
    }
};

TEST_F(frmMainInspectorTest, TheToolsMenuHoldsTheInspectorOnF6AfterOptions) {
    OpenActive();
    const QList<QAction*> arrItem = frm->mnuTools->actions();
    // Precise Pick follows it (see tests/precisepick).
    ASSERT_EQ(arrItem.size(), 4);
    EXPECT_EQ(arrItem[0], frm->mnuToolsCustomFormat);
    EXPECT_EQ(arrItem[1], frm->mnuToolsOptions);
    EXPECT_EQ(arrItem[2], frm->mnuToolsColourInspector);
    EXPECT_EQ(frm->mnuToolsColourInspector->text().toStdString(), "Colour &Inspector...");
    EXPECT_EQ(frm->mnuToolsColourInspector->shortcut(), QKeySequence(Qt::Key_F6));
    // No other command of the window answers F6.
    for (QAction* objAction : frm->findChildren<QAction*>()) {
        if (objAction == frm->mnuToolsColourInspector) continue;
        SCOPED_TRACE(objAction->objectName().toStdString());
        EXPECT_NE(objAction->shortcut(), QKeySequence(Qt::Key_F6));
    }
}

TEST_F(frmMainInspectorTest, ASecondOpeningBringsTheSameWindowForward) {
    OpenActive();
    frm->show();
    frmColourInspector* frmInspector = OpenInspector();
    ASSERT_NE(frmInspector, nullptr);
    EXPECT_TRUE(frmInspector->isVisible());
    EXPECT_EQ(frmInspector->windowTitle().toStdString(), "Colour Inspector");
    EXPECT_EQ(frmInspector->parentWidget(), nullptr);
    frmInspector->showMinimized();
    EXPECT_EQ(OpenInspector(), frmInspector);
    EXPECT_FALSE(frmInspector->isMinimized());
    EXPECT_EQ(InspectorWindows(), 1u);
}

TEST_F(frmMainInspectorTest, RowsFollowEveryColourSourceAndTheSelection) {
    OpenActive();
    frmColourInspector* frmInspector = OpenInspector();
    ASSERT_NE(frmInspector, nullptr);
    EXPECT_EQ(Row(frmInspector, intNotationHex), "#ff0000");
    // A Websafe cell: cell 5 is blue.
    frm->cmdWebsafe_Click();
    ASSERT_NE(frm->objWebsafe, nullptr);
    frm->objWebsafe->lblWebsafeColor_MouseDown(5, Qt::LeftButton);
    EXPECT_EQ(Row(frmInspector, intNotationHex), "#0000ff");
    EXPECT_EQ(Row(frmInspector, intNotationRgb), "rgb(0 0 255)");
    // The value fields with Enter.
    frm->txtSetGreen->setText(QStringLiteral("128"));
    frm->cmdSetColor_Click();
    EXPECT_EQ(Row(frmInspector, intNotationQt), "QColor(0, 128, 255)");
    // A name typed for the mark.
    frm->txtName[0]->setText(QStringLiteral("Ocean"));
    EXPECT_EQ(Row(frmInspector, intNotationCssVariable), "--ocean: #0080ff;");
    // Another mark, then New back to the default palette.
    frm->optColor[2]->click();
    EXPECT_EQ(frmInspector->lblMark->text().toStdString(), "Mark 3");
    EXPECT_EQ(Row(frmInspector, intNotationHex), frm->lblClipboard->text().toLower().toStdString());
    objMessages.arrAnswers.push_back(MessageAnswer::No);
    frm->mnuFileNew_Click();
    EXPECT_EQ(frmInspector->lblMark->text().toStdString(), "Mark 1");
    EXPECT_EQ(Row(frmInspector, intNotationHex), "#ff0000");
}

TEST_F(frmMainInspectorTest, SetGivesTheMarkTheColourAndTheClipboardFollowsOnTheThirdTick) {
    OpenActive();
    frmColourInspector* frmInspector = OpenInspector();
    ASSERT_NE(frmInspector, nullptr);
    Tick(3);
    objClipboard.arrTexts.clear();
    frmInspector->txtColourText->setText(QStringLiteral("hsl(48 100% 50%)"));
    QTest::keyClick(frmInspector->txtColourText, Qt::Key_Return);
    EXPECT_EQ(Bars(), (std::array<int, 3>{255, 204, 0}));
    EXPECT_EQ(Components(frm->objPalette.arrMarkColour[0]), (std::array<int, 3>{255, 204, 0}));
    EXPECT_EQ(frm->SampleColour(0), PackColour(255, 204, 0));
    EXPECT_EQ(frm->lblClipboard->text().toStdString(), "#FFCC00");
    EXPECT_EQ(Row(frmInspector, intNotationHex), "#ffcc00");
    // The clipboard waits for the colour to settle, as after a palette window's click.
    Tick(2);
    EXPECT_TRUE(objClipboard.arrTexts.empty());
    Tick();
    EXPECT_EQ(objClipboard.arrTexts, std::vector<std::string>{"#FFCC00"});
    // A refused text leaves the mark and the clipboard alone.
    frmInspector->txtColourText->setText(QStringLiteral("hsl(48 100%"));
    frmInspector->cmdSetColour->click();
    Tick(3);
    EXPECT_EQ(Components(frm->objPalette.arrMarkColour[0]), (std::array<int, 3>{255, 204, 0}));
    EXPECT_EQ(objClipboard.arrTexts, std::vector<std::string>{"#FFCC00"});
    EXPECT_EQ(frmInspector->lblColourTextMessage->text().toStdString(),
              "Not a colour at character 12: expected a number");
}

TEST_F(frmMainInspectorTest, ItClosesWithTheMainWindowAndAfterAFatalError) {
    for (const bool blnFatal : {false, true}) {
        SCOPED_TRACE(blnFatal ? "fatal error" : "close");
        OpenActive();
        frm->show();
        QPointer<frmColourInspector> frmInspector = OpenInspector();
        ASSERT_FALSE(frmInspector.isNull());
        if (blnFatal) {
            modSupport::FatalError();
            EXPECT_EQ(objMessages.arrShown.size(), 1u);
        } else {
            EXPECT_TRUE(frm->close());
        }
        EXPECT_FALSE(frm->isVisible());
        EXPECT_TRUE(frmInspector.isNull() || !frmInspector->isVisible());
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(frmInspector.isNull());
        frm.reset();
        objMessages.arrShown.clear();
    }
    // A main window deleted without closing takes the inspector along too.
    OpenActive();
    QPointer<frmColourInspector> frmInspector = OpenInspector();
    frm.reset();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(frmInspector.isNull());
}

TEST_F(frmMainInspectorTest, F1OpensTheInspectorsOwnPage) {
    OpenActive();
    frmColourInspector* frmInspector = OpenInspector();
    ASSERT_NE(frmInspector, nullptr);
    frmInspector->Help();
    EXPECT_EQ(objHelpViewer.arrTopics, std::vector<std::string>{strColourInspectorTopic});
}

// Custom Format is modal to the main window alone; the inspector, which has no owner, must not
// set a colour behind it, nor behind Options.
TEST_F(frmMainInspectorTest, ItTakesNoInputWhileASettingsDialogIsOpen) {
    OpenActive();
    frm->show();
    QPointer<frmColourInspector> frmInspector = OpenInspector();
    ASSERT_FALSE(frmInspector.isNull());
    frmInspector->txtColourText->setText(QStringLiteral("#123456"));
    for (QAction* objOpener : {frm->mnuToolsCustomFormat, frm->mnuToolsOptions}) {
        SCOPED_TRACE(objOpener->text().toStdString());
        SetColour(1, 2, 3);
        bool blnSeen = false;
        QTimer::singleShot(0, [&] {
            blnSeen = true;
            QWidget* objDialog = QApplication::activeModalWidget();
            // A click as the window system delivers it, which a blocked window refuses.
            QTest::mouseClick(frmInspector->windowHandle(), Qt::LeftButton, Qt::NoModifier,
                              frmInspector->cmdSetColour->mapTo(frmInspector, QPoint(4, 4)));
            QCoreApplication::processEvents();
            if (objDialog) objDialog->close();
        });
        objOpener->trigger();
        ASSERT_TRUE(blnSeen);
        EXPECT_EQ(Bars(), (std::array<int, 3>{1, 2, 3}));
        ASSERT_FALSE(frmInspector.isNull());
        EXPECT_TRUE(frmInspector->isEnabled());
    }
    // Once the dialog is closed, it does again.
    QTest::mouseClick(frmInspector->windowHandle(), Qt::LeftButton, Qt::NoModifier,
                      frmInspector->cmdSetColour->mapTo(frmInspector, QPoint(4, 4)));
    QCoreApplication::processEvents();
    EXPECT_EQ(Bars(), (std::array<int, 3>{18, 52, 86}));
}
