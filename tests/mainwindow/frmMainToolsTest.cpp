#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

#include "palettewindows/PaletteCells.h"
#include "palettewindows/frmFailsafe.h"
#include "palettewindows/frmJavaScript.h"
#include "palettewindows/frmWebsafe.h"
#include "settings/frmCustomFormat.h"
#include "settings/frmOptions.h"
#include "tests/mainwindow/frmMainFixture.h"

namespace {

/// Runs fnWork on the modal dialog of type T once it is open; fails the test when none opens.
template <class T>
void WhenOpen(bool& blnSeen, std::function<void(T&)> fnWork) {
    QTimer::singleShot(0, [&blnSeen, fnWork] {
        auto* frmDialog = qobject_cast<T*>(QApplication::activeModalWidget());
        ASSERT_NE(frmDialog, nullptr);
        blnSeen = true;
        fnWork(*frmDialog);
    });
}

/// Clicks near the top left corner of a widget the way the window system does, so that a window
/// blocked by a modal dialog refuses the click.
void ClickAsTheWindowSystem(QWidget* objWidget) {
    QWidget* objWindow = objWidget->window();
    QTest::mouseClick(objWindow->windowHandle(), Qt::LeftButton, Qt::NoModifier,
                      objWidget->mapTo(objWindow, QPoint(4, 4)));
}

/// Refuses every write, as a read-only settings file does.
class ReadOnlyRegistry : public FakeRegistry {
public:
    bool WriteString(RegistryHive, const std::string&, const std::string&,
                     const std::string&) override {
        return false;
    }
};

}  // namespace

TEST_F(frmMainTest, NewStandardFormatWaitsForTheNextStart) {
    OpenActive();
    frm->lstAutocopy->setCurrentRow(3);
    bool blnSeen = false;
    WhenOpen<frmOptions>(blnSeen, [this](frmOptions& frmDialog) {
        EXPECT_TRUE(frmDialog.isModal());
        EXPECT_EQ(frmDialog.parentWidget(), frm.get());
        frmDialog.lstStandardFormat->setCurrentRow(5);
        frmDialog.cmdOK_Click();
    });
    frm->ToolButton(11)->trigger();
    ASSERT_TRUE(blnSeen);
    frm->Form_Activate();
    EXPECT_EQ(frm->lstAutocopy->currentRow(), 3);
    EXPECT_EQ(frm->lblClipboard->text().toStdString(), "RGB(255, 0, 0)");
    EXPECT_EQ(objRegistry.ReadString(RegistryHive::CurrentUser, strSettingsKey, "FormatIndex"),
              "5");

    // The next start selects it.
    frm.reset();
    objSettings = ProgramSettings{};
    OpenActive();
    EXPECT_EQ(frm->lstAutocopy->currentRow(), 5);
}

TEST_F(frmMainTest, NewCustomTemplateShowsAtTheNextActivation) {
    OpenActive();
    frm->lstAutocopy->setCurrentRow(intCustomFormat);
    ASSERT_EQ(frm->lblClipboard->text().toStdString(), "");
    bool blnSeen = false;
    WhenOpen<frmCustomFormat>(blnSeen, [this](frmCustomFormat& frmDialog) {
        EXPECT_TRUE(frmDialog.isModal());
        EXPECT_EQ(frmDialog.parentWidget(), frm.get());
        QTest::keyClicks(frmDialog.txtFormat, QStringLiteral("rgb("));
        QTest::mouseClick(frmDialog.cmdDR, Qt::LeftButton);
        QTest::keyClicks(frmDialog.txtFormat, QStringLiteral(" "));
        QTest::mouseClick(frmDialog.cmdLG, Qt::LeftButton);
        QTest::keyClicks(frmDialog.txtFormat, QStringLiteral(")"));
        QTest::mouseClick(frmDialog.cmdOK, Qt::LeftButton);
    });
    frm->ToolButton(10)->trigger();
    ASSERT_TRUE(blnSeen);
    frm->Form_Activate();
    EXPECT_EQ(frm->lstAutocopy->currentRow(), intCustomFormat);
    EXPECT_EQ(frm->lblClipboard->text().toStdString(), "rgb(255 00)");
    // Each dialog is gone once closed.
    EXPECT_TRUE(frm->findChildren<QDialog*>().isEmpty());
}

TEST_F(frmMainTest, EachOpeningStartsFromTheStoredTemplate) {
    StoreSetting("CustomFormat", "%UR%");
    OpenActive();
    bool blnSeen = false;
    WhenOpen<frmCustomFormat>(blnSeen, [](frmCustomFormat& frmDialog) {
        QTest::keyClicks(frmDialog.txtFormat, QStringLiteral(" not kept"));
        frmDialog.cmdCancel_Click();
    });
    frm->mnuToolsCustomFormat_Click();
    ASSERT_TRUE(blnSeen);
    std::string strShown;
    WhenOpen<frmCustomFormat>(blnSeen, [&strShown](frmCustomFormat& frmDialog) {
        strShown = frmDialog.txtFormat->text().toStdString();
        frmDialog.cmdCancel_Click();
    });
    frm->mnuToolsCustomFormat_Click();
    EXPECT_EQ(strShown, "%UR%");
    EXPECT_EQ(objSettings.strCustomFormat, "%UR%");
}

// Custom Format is modal to the main window alone, so that help opened from it takes input; the
// palette windows, which have no owner, must not take a click meanwhile either. Options holds them
// the same way.
TEST_F(frmMainTest, PaletteWindowsTakeNoClicksWhileASettingsDialogIsOpen) {
    OpenActive();
    frm->show();
    for (QAction* objOpener : {frm->ToolButton(10), frm->ToolButton(11)}) {
        SCOPED_TRACE(objOpener->text().toStdString());
        frm->cmdWebsafe_Click();
        frm->cmdFailsafe_Click();
        frm->cmdJavaScript_Click();
        ASSERT_TRUE(frm->objWebsafe && frm->objFailsafe && frm->objJavaScript);
        const std::array<QWidget*, 3> arrCells{frm->objWebsafe->lblWebsafeColor,
                                               frm->objFailsafe->lblFailsafeColor,
                                               frm->objJavaScript->lblJavaScriptColor};
        SetColour(1, 2, 3);
        bool blnSeen = false;
        QWidget* objActiveAfter = nullptr;
        QTimer::singleShot(0, [&] {
            blnSeen = true;
            QWidget* objDialog = QApplication::activeModalWidget();
            for (QWidget* objCells : arrCells) ClickAsTheWindowSystem(objCells);
            // A palette window the window manager activates hands the activation on.
            frm->objWebsafe->activateWindow();
            QCoreApplication::processEvents();
            objActiveAfter = QApplication::activeWindow();
            if (objDialog) objDialog->close();
            EXPECT_EQ(objActiveAfter, objDialog);
        });
        objOpener->trigger();
        ASSERT_TRUE(blnSeen);
        EXPECT_EQ(Bars(), (std::array<int, 3>{1, 2, 3}));
        // Once the dialog is closed, they do again.
        for (QWidget* objCells : arrCells) {
            SetColour(1, 2, 3);
            ClickAsTheWindowSystem(objCells);
            QCoreApplication::processEvents();
            EXPECT_NE(Bars(), (std::array<int, 3>{1, 2, 3}));
        }
    }
    frm.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST_F(frmMainTest, ChoicesTheStoreRefusesStayInUseAndInTheNextDialogs) {
    ReadOnlyRegistry objReadOnly;
    objReadOnly.mapValue = objRegistry.mapValue;
    objReadOnly.mapValue[{strSettingsKey, "CustomFormat"}] = "stored %UR%";
    frm = std::make_unique<frmMain>(MainServices{objClipboard, objMessages, objScreen, objReadOnly,
                                                 objFileDialogs, objShell, objHelpViewer,
                                                 objSettings});
    frm->StopClipboardTimer();
    frm->Form_Activate();
    frm->lstAutocopy->setCurrentRow(intCustomFormat);
    bool blnSeen = false;
    WhenOpen<frmCustomFormat>(blnSeen, [](frmCustomFormat& frmDialog) {
        frmDialog.txtFormat->setText(QStringLiteral("mine %DR%"));
        frmDialog.cmdOK_Click();
    });
    frm->mnuToolsCustomFormat_Click();
    ASSERT_TRUE(blnSeen);
    ASSERT_EQ(objMessages.arrShown.size(), 1U);
    EXPECT_EQ(objMessages.arrShown[0].enmIcon, MessageIcon::Warning);
    frm->Form_Activate();
    EXPECT_EQ(frm->lblClipboard->text().toStdString(), "mine 255");

    // Options loads the settings again; the template in use stays, and F8 shows it.
    WhenOpen<frmOptions>(blnSeen, [](frmOptions& frmDialog) {
        frmDialog.lstStandardFormat->setCurrentRow(4);
        frmDialog.cmdOK_Click();
    });
    frm->mnuToolsOptions_Click();
    EXPECT_EQ(objMessages.arrShown.size(), 2U);
    frm->Form_Activate();
    EXPECT_EQ(frm->lblClipboard->text().toStdString(), "mine 255");
    std::string strShown;
    WhenOpen<frmCustomFormat>(blnSeen, [&strShown](frmCustomFormat& frmDialog) {
        strShown = frmDialog.txtFormat->text().toStdString();
        frmDialog.cmdCancel_Click();
    });
    frm->mnuToolsCustomFormat_Click();
    EXPECT_EQ(strShown, "mine %DR%");
    int intRow = -1;
    WhenOpen<frmOptions>(blnSeen, [&intRow](frmOptions& frmDialog) {
        intRow = frmDialog.lstStandardFormat->currentRow();
        frmDialog.cmdCancel_Click();
    });
    frm->mnuToolsOptions_Click();
    EXPECT_EQ(intRow, 4);
    EXPECT_EQ(objMessages.arrShown.size(), 2U);
}
