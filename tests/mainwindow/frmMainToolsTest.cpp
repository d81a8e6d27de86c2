#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

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
    SharedSettings() = ProgramSettings{};
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
    EXPECT_EQ(SharedSettings().strCustomFormat, "%UR%");
}
