// The help object, the help file's path and the links, on fake services.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <string>
#include <vector>

#include "core/modSupport.h"
#include "help/HTMLHelp.h"
#include "help/HelpSupport.h"
#include "tests/support/Fakes.h"

namespace {

TEST(HTMLHelp, ShowsItsTopicOfItsFileAndClosesTheViewer) {
    FakeHelpViewer objViewer;
    HTMLHelp objHelp(objViewer);
    EXPECT_EQ(objHelp.CHMFile(), "");
    EXPECT_EQ(objHelp.TopicURL(), "");
    objHelp.SetCHMFile("/opt/huevra/huevra.qch");
    objHelp.SetTopicURL("huevra10.htm");
    EXPECT_TRUE(objHelp.DisplayTopicURL());
    objViewer.blnFail = true;
    EXPECT_FALSE(objHelp.DisplayTopicURL());
    objHelp.HelpClose();
    EXPECT_EQ(objViewer.arrFiles,
              (std::vector<std::string>{"/opt/huevra/huevra.qch", "/opt/huevra/huevra.qch"}));
    EXPECT_EQ(objViewer.arrTopics, (std::vector<std::string>{"huevra10.htm", "huevra10.htm"}));
    EXPECT_EQ(objViewer.intCloses, 1);
}

TEST(HelpSupport, FormsTheHelpPathFromTheFolder) {
    const struct {
        const char* strFolder;
        const char* strPath;
    } arrCase[] = {
        {"/opt/huevra", "/opt/huevra/huevra.qch"},
        {"/home/ann/my programs", "/home/ann/my programs/huevra.qch"},
        // A program in the root folder gets a doubled separator, which still names the file.
        {"/", "//huevra.qch"},
    };
    for (const auto& objCase : arrCase) {
        SCOPED_TRACE(objCase.strFolder);
        EXPECT_EQ(HelpFileIn(objCase.strFolder), objCase.strPath);
    }
}

TEST(HelpSupport, PrefersTheHelpFileBesideTheProgram) {
    const std::string strBeside = HelpFileIn(QCoreApplication::applicationDirPath().toStdString());
    ASSERT_FALSE(QFile::exists(QString::fromStdString(strBeside)));
    // Without a file beside the program, the path is the installed file or, failing that, the
    // path beside the program, so that the viewer reports the missing file.
    const std::string strFallback = HelpFilePath();
    EXPECT_TRUE(strFallback == strBeside || QFile::exists(QString::fromStdString(strFallback)));
    ASSERT_TRUE(
        QFile::copy(QString::fromUtf8(HUEVRA_TEST_HELP_FILE), QString::fromStdString(strBeside)));
    EXPECT_EQ(HelpFilePath(), strBeside);
    QFile::remove(QString::fromStdString(strBeside));
}

TEST(HelpSupport, TellsEachHelpProblemOnceAndGoesOn) {
    int intFatalErrors = 0;
    modSupport::SetFatalErrorHandler([&] { ++intFatalErrors; });
    for (const bool blnThrow : {false, true}) {
        SCOPED_TRACE(blnThrow ? "viewer throws" : "viewer refuses");
        FakeHelpViewer objViewer;
        objViewer.blnFail = true;
        objViewer.blnThrow = blnThrow;
        FakeMessageBox objMessages;
        HTMLHelp objHelp(objViewer);
        EXPECT_FALSE(OpenHelpTopic(objHelp, objMessages, strCustomFormatTopic));
        ASSERT_EQ(objMessages.arrShown.size(), 1U);
        EXPECT_EQ(objMessages.arrShown[0].strText, "Problem with HTML Help.");
        EXPECT_EQ(objMessages.arrShown[0].strTitle, "Huevra");
        EXPECT_EQ(objMessages.arrShown[0].enmIcon, MessageIcon::Warning);
        EXPECT_EQ(objHelp.TopicURL(), "huevra10.htm");
        EXPECT_EQ(objHelp.CHMFile(), HelpFilePath());
    }
    EXPECT_EQ(intFatalErrors, 0);
    modSupport::SetFatalErrorHandler({});
}

TEST(HelpSupport, OpensAddressesThroughTheShellAndTellsFailures) {
    for (const bool blnFail : {false, true}) {
        SCOPED_TRACE(blnFail ? "shell fails" : "shell opens");
        FakeShell objShell;
        objShell.blnFail = blnFail;
        FakeMessageBox objMessages;
        OpenWebPage(objShell, objMessages, "https://colours.example.org/");
        OpenMailTo(objShell, objMessages, "ann@example.org");
        EXPECT_EQ(objShell.arrUrls, (std::vector<std::string>{"https://colours.example.org/",
                                                              "mailto:ann@example.org"}));
        if (!blnFail) {
            EXPECT_TRUE(objMessages.arrShown.empty());
            continue;
        }
        ASSERT_EQ(objMessages.arrShown.size(), 2U);
        EXPECT_EQ(objMessages.arrShown[0].strText, "Problem with browser.");
        EXPECT_EQ(objMessages.arrShown[1].strText, "Problem with mail client.");
        for (const auto& objShown : objMessages.arrShown) {
            EXPECT_EQ(objShown.strTitle, "Huevra");
            EXPECT_EQ(objShown.enmIcon, MessageIcon::Warning);
        }
    }
}

}  // namespace
