// The program's help viewer service, loading the viewer module built beside the program.

#include <gtest/gtest.h>

#include <QApplication>
#include <QWidget>
#include <string>
#include <vector>

#include "core/modSupport.h"
#include "help/LazyHelpViewer.h"

namespace {

const std::string strHelpFile = HUEVRA_TEST_HELP_FILE;

/// The help viewer windows that are open, made by whichever copy of the viewer.
std::vector<QWidget*> ViewerWindows() {
    std::vector<QWidget*> arrWindow;
    for (QWidget* objWindow : QApplication::topLevelWidgets())
        if (objWindow->objectName() == QLatin1String("frmHelpViewer"))
            arrWindow.push_back(objWindow);
    return arrWindow;
}

TEST(LazyHelpViewer, LoadsTheModuleAtTheFirstTopicAndReusesItsWindow) {
    int intFatalErrors = 0;
    modSupport::SetFatalErrorHandler([&] { ++intFatalErrors; });
    {
        LazyHelpViewer objViewer({"/nonexistent", HUEVRA_TEST_MODULE_DIR});
        EXPECT_FALSE(objViewer.Loaded());
        EXPECT_TRUE(ViewerWindows().empty());
        objViewer.Close();  // nothing loaded yet
        ASSERT_TRUE(objViewer.ShowTopic(strHelpFile, "huevra1.htm"));
        EXPECT_TRUE(objViewer.Loaded());
        ASSERT_EQ(ViewerWindows().size(), 1U);
        QWidget* frmViewer = ViewerWindows()[0];
        EXPECT_TRUE(frmViewer->isVisible());
        EXPECT_EQ(frmViewer->windowTitle().toStdString(), "Huevra Help - The main window");

        ASSERT_TRUE(objViewer.ShowTopic(strHelpFile, "huevra10.htm"));
        EXPECT_EQ(ViewerWindows(), std::vector<QWidget*>{frmViewer});
        EXPECT_EQ(frmViewer->windowTitle().toStdString(), "Huevra Help - Custom Format");
        EXPECT_FALSE(objViewer.ShowTopic(strHelpFile, "huevra99.htm"));
        objViewer.Close();
        for (QWidget* objWindow : ViewerWindows()) EXPECT_FALSE(objWindow->isVisible());
    }
    // The window goes with the service.
    EXPECT_TRUE(ViewerWindows().empty());
    EXPECT_EQ(intFatalErrors, 0);
    modSupport::SetFatalErrorHandler({});
}

TEST(LazyHelpViewer, AMissingModuleMeansNoHelp) {
    LazyHelpViewer objViewer({"/nonexistent", HUEVRA_TEST_DATA_DIR});
    EXPECT_FALSE(objViewer.ShowTopic(strHelpFile, "huevra1.htm"));
    EXPECT_FALSE(objViewer.ShowTopic(strHelpFile, "huevra1.htm"));
    EXPECT_FALSE(objViewer.Loaded());
    objViewer.Close();
    EXPECT_TRUE(ViewerWindows().empty());
}

}  // namespace
