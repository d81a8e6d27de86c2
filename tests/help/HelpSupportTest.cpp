// Where the program finds its help file.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <string>

#include "help/HelpSupport.h"

namespace {

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
    QFile::remove(QString::fromStdString(strBeside));  // left over by an interrupted run
    // Without a file beside the program, the path is the installed file or, failing that, the
    // path beside the program, so that the viewer reports the missing file.
    const std::string strFallback = HelpFilePath();
    EXPECT_TRUE(strFallback == strBeside || QFile::exists(QString::fromStdString(strFallback)));
    ASSERT_TRUE(
        QFile::copy(QString::fromUtf8(HUEVRA_TEST_HELP_FILE), QString::fromStdString(strBeside)));
    EXPECT_EQ(HelpFilePath(), strBeside);
    QFile::remove(QString::fromStdString(strBeside));
}

}  // namespace
