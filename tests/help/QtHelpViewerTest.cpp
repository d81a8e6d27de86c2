// The real help viewer on the help file compiled by this build.

#include <gtest/gtest.h>

#include <QHelpEngine>
#include <QHelpSearchEngine>
#include <QHelpSearchResult>
#include <QSignalSpy>
#include <QTextBrowser>
#include <string>

#include "core/modSupport.h"
#include "help/QtHelpViewer.h"
#include "help/frmHelpViewer.h"

namespace {

const std::string strHelpFile = HUEVRA_TEST_HELP_FILE;

class QtHelpViewerTest : public ::testing::Test {
protected:
    QtHelpViewer objViewer;
    int intFatalErrors = 0;

    void SetUp() override {
        modSupport::SetFatalErrorHandler([this] { ++intFatalErrors; });
    }
    void TearDown() override { modSupport::SetFatalErrorHandler({}); }

    std::string PageTitle() const {
        return objViewer.Window()->txtTopic->documentTitle().toStdString();
    }
};

TEST_F(QtHelpViewerTest, ShowsTheTopicsPageWithItsTitle) {
    ASSERT_TRUE(objViewer.ShowTopic(strHelpFile, "huevra1.htm"));
    frmHelpViewer* frm = objViewer.Window();
    ASSERT_NE(frm, nullptr);
    EXPECT_TRUE(frm->isVisible());
    EXPECT_EQ(PageTitle(), "The main window");
    EXPECT_EQ(frm->windowTitle().toStdString(), "Huevra Help - The main window");
    // The page's text comes from the help file, not just its title.
    EXPECT_TRUE(frm->txtTopic->toPlainText().contains(QStringLiteral("Lower Case HTML Hex")));
    EXPECT_EQ(intFatalErrors, 0);
}

TEST_F(QtHelpViewerTest, RefusesMissingFilesAndTopicsItDoesNotHold) {
    const struct {
        std::string strFile;
        const char* strTopic;
        const char* strWhy;
    } arrCase[] = {
        {"/nonexistent/huevra.qch", "huevra1.htm", "missing file"},
        {"", "huevra1.htm", "empty path"},
        {HUEVRA_TEST_DATA_DIR "/palette-a.txt", "huevra1.htm", "not a help file"},
        {HUEVRA_TEST_DATA_DIR, "huevra1.htm", "a folder"},
        {strHelpFile, "huevra99.htm", "missing topic"},
        {strHelpFile, "", "empty topic"},
        {strHelpFile, "../huevra1.htm", "topic outside the help file"},
    };
    for (const auto& objCase : arrCase) {
        SCOPED_TRACE(objCase.strWhy);
        EXPECT_FALSE(objViewer.ShowTopic(objCase.strFile, objCase.strTopic));
        EXPECT_TRUE(objViewer.Window() == nullptr || !objViewer.Window()->isVisible());
    }
    EXPECT_EQ(intFatalErrors, 0);
}

TEST_F(QtHelpViewerTest, ReusesOneWindowForEveryTopic) {
    ASSERT_TRUE(objViewer.ShowTopic(strHelpFile, "huevra1.htm"));
    frmHelpViewer* frmFirst = objViewer.Window();
    ASSERT_TRUE(objViewer.ShowTopic(strHelpFile, "huevra10.htm"));
    EXPECT_EQ(objViewer.Window(), frmFirst);
    EXPECT_EQ(PageTitle(), "Custom Format");
    // A topic with an anchor shows its page; a missing topic leaves the page shown.
    ASSERT_TRUE(objViewer.ShowTopic(strHelpFile, "huevra1.htm#formats"));
    EXPECT_EQ(PageTitle(), "The main window");
    EXPECT_FALSE(objViewer.ShowTopic(strHelpFile, "nothing.htm"));
    EXPECT_EQ(objViewer.Window(), frmFirst);
    EXPECT_EQ(PageTitle(), "The main window");
}

TEST_F(QtHelpViewerTest, FollowsLinksBetweenPages) {
    ASSERT_TRUE(objViewer.ShowTopic(strHelpFile, "index.htm"));
    frmHelpViewer* frm = objViewer.Window();
    frm->txtTopic->setSource(QUrl(QStringLiteral("huevra2.htm")));
    EXPECT_EQ(PageTitle(), "Websafe palette");
    frm->txtTopic->backward();
    EXPECT_EQ(PageTitle(), "Huevra Help");
}

TEST_F(QtHelpViewerTest, SearchFindsThePagesThatMentionAWord) {
    ASSERT_TRUE(objViewer.ShowTopic(strHelpFile, "huevra1.htm"));
    QHelpSearchEngine* objSearch = objViewer.Window()->Engine()->searchEngine();
    QSignalSpy objIndexed(objSearch, &QHelpSearchEngine::indexingFinished);
    // The index is written in the engine's own thread; wait for it unless it is done already.
    if (!objViewer.Window()->SearchReady()) {
        ASSERT_TRUE(objIndexed.wait(10000));
    }
    EXPECT_TRUE(objViewer.Window()->SearchReady());
    QSignalSpy objSearched(objSearch, &QHelpSearchEngine::searchingFinished);
    objSearch->search(QStringLiteral("dithering"));
    ASSERT_TRUE(objSearched.count() > 0 || objSearched.wait(10000));
    const QList<QHelpSearchResult> arrResult = objSearch->searchResults(0, 10);
    ASSERT_EQ(arrResult.size(), 1);
    EXPECT_TRUE(arrResult[0].url().toString().endsWith(QStringLiteral("/huevra2.htm")));
}

}  // namespace
