// The Help menu of the main window: the manual, the home page, the About window and closing the
// help viewer.

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QRegularExpression>
#include <QTimer>

#include "help/HelpSupport.h"
#include "help/frmAbout.h"
#include "tests/mainwindow/frmMainFixture.h"

namespace {

class frmMainHelpTest : public frmMainTest {};

TEST_F(frmMainHelpTest, HelpAndItsButtonOpenTheMainTopicBesideTheProgram) {
    OpenActive();
    frm->mnuHelpHelp->trigger();
    frm->ToolButton(13)->trigger();
    const std::vector<std::string> arrTopic{"huevra1.htm", "huevra1.htm"};
    EXPECT_EQ(objHelpViewer.arrTopics, arrTopic);
    ASSERT_EQ(objHelpViewer.arrFiles.size(), 2U);
    EXPECT_EQ(objHelpViewer.arrFiles[0], HelpFilePath());
    EXPECT_EQ(frm->objHTMLHelp.TopicURL(), "huevra1.htm");
    EXPECT_EQ(frm->objHTMLHelp.CHMFile(), HelpFilePath());
    EXPECT_TRUE(objMessages.arrShown.empty());
}

TEST_F(frmMainHelpTest, HelpThatCannotBeShownIsToldOnceEachTimeAndTheProgramGoesOn) {
    OpenActive();
    frm->show();
    objHelpViewer.blnFail = true;
    frm->mnuHelpHelp_Click();
    ASSERT_EQ(objMessages.arrShown.size(), 1U);
    EXPECT_EQ(objMessages.arrShown[0].strText, "Problem with HTML Help.");
    EXPECT_EQ(objMessages.arrShown[0].enmIcon, MessageIcon::Warning);
    objHelpViewer.blnThrow = true;
    frm->mnuHelpHelp_Click();
    EXPECT_EQ(objMessages.arrShown.size(), 2U);
    EXPECT_FALSE(frm->blnClosingAfterError);
    EXPECT_TRUE(frm->isVisible());
}

TEST_F(frmMainHelpTest, HomePageOpensThroughTheShell) {
    OpenActive();
    frm->mnuHomePage->trigger();
    EXPECT_EQ(objShell.arrUrls, std::vector<std::string>{strHomePageAddress});
    EXPECT_TRUE(objMessages.arrShown.empty());
    objShell.blnFail = true;
    frm->mnuHomePage_Click();
    ASSERT_EQ(objMessages.arrShown.size(), 1U);
    EXPECT_EQ(objMessages.arrShown[0].strText, "Problem with browser.");
    EXPECT_FALSE(frm->blnClosingAfterError);
}

TEST_F(frmMainHelpTest, AboutIsModalOwnedByTheWindowAndLoadedAnewEachTime) {
    OpenActive();
    frm->show();
    std::vector<QPointer<frmAbout>> arrShown;
    auto answer = [&] {
        auto* frmShown = qobject_cast<frmAbout*>(QApplication::activeModalWidget());
        arrShown.emplace_back(frmShown);
        if (frmShown == nullptr) return;
        EXPECT_EQ(frmShown->parentWidget(), frm.get());
        EXPECT_TRUE(frmShown->isVisible());
        // Escape reaches the window first, whichever control has the focus.
        QTest::keyClick(frmShown->cmdOK, Qt::Key_Escape);
    };
    for (int i = 0; i < 2; ++i) {
        QTimer::singleShot(0, frm.get(), answer);
        frm->mnuHelpAboutHuevra->trigger();
    }
    ASSERT_EQ(arrShown.size(), 2U);
    // Each opening made its own window, and none is left after it closed.
    EXPECT_TRUE(arrShown[0].isNull());
    EXPECT_TRUE(arrShown[1].isNull());
    EXPECT_EQ(frm->findChild<frmAbout*>(), nullptr);
    EXPECT_FALSE(frm->blnClosingAfterError);
}

TEST_F(frmMainHelpTest, ClosingTheWindowClosesTheHelpViewer) {
    OpenActive();
    frm->show();
    frm->mnuHelpHelp_Click();
    EXPECT_EQ(objHelpViewer.intCloses, 0);
    frm->close();
    EXPECT_FALSE(frm->isVisible());
    EXPECT_EQ(objHelpViewer.intCloses, 1);
}

TEST_F(frmMainHelpTest, AFatalErrorClosesTheHelpViewer) {
    OpenActive();
    frm->show();
    frm->mnuHelpHelp_Click();
    frm->objPalette.intSelectedMark = 9;
    frm->mnuEditCopyColor_Click();
    EXPECT_TRUE(frm->blnClosingAfterError);
    EXPECT_GE(objHelpViewer.intCloses, 1);
    EXPECT_FALSE(frm->isVisible());
}

}  // namespace

// The manual's page of menus and keys has a row for every menu command with a shortcut, so that
// a new command cannot be left out of it: "<tr><td>Menu, Command</td><td>Key</td>".
TEST_F(frmMainHelpTest, TheKeysPageListsEveryShortcutOfTheMenus) {
    Open();
    QFile objPage(QStringLiteral(HUEVRA_HELP_PAGES_DIR "/huevra9.htm"));
    ASSERT_TRUE(objPage.open(QIODevice::ReadOnly));
    const QString strPage = QString::fromUtf8(objPage.readAll());
    int intShortcuts = 0;
    for (QAction* objMenuAction : frm->menuBar()->actions()) {
        QMenu* objMenu = objMenuAction->menu();
        if (objMenu == nullptr) continue;
        const QString strMenu = objMenu->title().remove(QLatin1Char('&'));
        for (QAction* objAction : objMenu->actions()) {
            if (objAction->shortcut().isEmpty()) continue;
            ++intShortcuts;
            const QString strKey = objAction->shortcut().toString(QKeySequence::PortableText);
            SCOPED_TRACE(objAction->text().toStdString() + " " + strKey.toStdString());
            const QRegularExpression objRow(
                QStringLiteral("<tr><td>%1, [^<]+</td><td>%2</td>")
                    .arg(QRegularExpression::escape(strMenu), QRegularExpression::escape(strKey)));
            EXPECT_TRUE(objRow.match(strPage).hasMatch());
        }
    }
    EXPECT_GE(intShortcuts, 15);
}
