// Checks that hold for every window the program can open: names for screen readers, and
// readable text under a dark desktop palette.

#include <QApplication>
#include <QPushButton>
#include <functional>

#include "frmMainFixture.h"
#include "help/HelpSupport.h"
#include "help/frmAbout.h"
#include "help/frmHelpViewer.h"
#include "inspector/frmColourInspector.h"
#include "palettewindows/frmFailsafe.h"
#include "palettewindows/frmJavaScript.h"
#include "palettewindows/frmWebsafe.h"
#include "settings/frmCustomFormat.h"
#include "settings/frmOptions.h"
#include "tests/support/WindowChecks.h"

namespace {

/// The services the windows other than the main one are made with.
struct WindowServices {
    IRegistry& objRegistry;
    IMessageBox& objMessages;
    IFileDialogs& objFileDialogs;
    IShell& objShell;
    ProgramSettings& objSettings;
};

/// A window of the program and how a user opens it. The opener returns the shown window; any
/// window but the main one is deleted after the checks. The modal dialogs are made as their
/// openers make them, without running their own event loop.
struct WindowOpener {
    const char* strName;
    std::function<QWidget*(frmMain& frm, WindowServices& objServices)> Open;
};

const std::vector<WindowOpener>& EveryWindow() {
    static const std::vector<WindowOpener> arrWindow{
        {"frmMain", [](frmMain& frm, WindowServices&) -> QWidget* { return &frm; }},
        {"frmWebsafe",
         [](frmMain& frm, WindowServices&) -> QWidget* {
             frm.cmdWebsafe->click();
             return frm.objWebsafe;
         }},
        {"frmFailsafe",
         [](frmMain& frm, WindowServices&) -> QWidget* {
             frm.cmdFailsafe->click();
             return frm.objFailsafe;
         }},
        {"frmJavaScript",
         [](frmMain& frm, WindowServices&) -> QWidget* {
             frm.cmdJavaScript->click();
             return frm.objJavaScript;
         }},
        {"frmColourInspector",
         [](frmMain& frm, WindowServices&) -> QWidget* {
             frm.mnuToolsColourInspector->trigger();
             return frm.objColourInspector;
         }},
        {"frmOptions",
         [](frmMain& frm, WindowServices& objServices) -> QWidget* {
             return new frmOptions(objServices.objSettings, objServices.objRegistry,
                                   objServices.objMessages, objServices.objFileDialogs, &frm);
         }},
        {"frmCustomFormat",
         [](frmMain& frm, WindowServices& objServices) -> QWidget* {
             return new frmCustomFormat(
                 objServices.objSettings, objServices.objRegistry, objServices.objMessages,
                 HelpTopicOpener(frm.objHTMLHelp, objServices.objMessages, strCustomFormatTopic),
                 &frm);
         }},
        {"frmAbout",
         [](frmMain& frm, WindowServices& objServices) -> QWidget* {
             return new frmAbout(objServices.objShell, objServices.objMessages, &frm);
         }},
        {"frmHelpViewer",
         [](frmMain&, WindowServices&) -> QWidget* { return new frmHelpViewer(); }},
    };
    return arrWindow;
}

/// Restores the application's palette when a test is done with its own.
class PaletteScope {
public:
    explicit PaletteScope(const QPalette& objPalette) : objSaved(QApplication::palette()) {
        QApplication::setPalette(objPalette);
    }
    ~PaletteScope() { QApplication::setPalette(objSaved); }
    PaletteScope(const PaletteScope&) = delete;
    PaletteScope& operator=(const PaletteScope&) = delete;

private:
    QPalette objSaved;
};

}  // namespace

class EveryWindowTest : public frmMainTest {
protected:
    /// Opens each window in turn, shown, and runs the check on it.
    void ForEachWindow(const std::function<void(QWidget*)>& Check) {
        OpenActive();
        frm->show();
        for (const WindowOpener& objOpener : EveryWindow()) {
            SCOPED_TRACE(objOpener.strName);
            WindowServices objServices{objRegistry, objMessages, objFileDialogs, objShell,
                                       objSettings};
            QWidget* objWindow = objOpener.Open(*frm, objServices);
            ASSERT_NE(objWindow, nullptr);
            objWindow->show();
            QCoreApplication::processEvents();
            Check(objWindow);
            if (objWindow != frm.get()) delete objWindow;
        }
    }
};

TEST_F(EveryWindowTest, EveryInteractiveControlHasANameForScreenReaders) {
    ForEachWindow([](QWidget* objWindow) {
        EXPECT_EQ(UnnamedControls(objWindow), std::vector<std::string>{});
    });
}

TEST_F(EveryWindowTest, MainWindowNamesTheControlsThatShowNoCaption) {
    OpenActive();
    std::vector<std::pair<QWidget*, const char*>> arrExpected{
        {frm->txtSetRed, "Red value"},    {frm->txtSetGreen, "Green value"},
        {frm->txtSetBlue, "Blue value"},  {frm->hsbRed, "Red"},
        {frm->hsbGreen, "Green"},         {frm->hsbBlue, "Blue"},
        {frm->lstAutocopy, "Code format"}};
    for (int i = 0; i < intMarkCount; ++i) {
        static const std::array<const char*, intMarkCount> arrMark{
            "Colour mark 1", "Colour mark 2", "Colour mark 3",
            "Colour mark 4", "Colour mark 5", "Colour mark 6"};
        static const std::array<const char*, intMarkCount> arrName{
            "Name of colour mark 1", "Name of colour mark 2", "Name of colour mark 3",
            "Name of colour mark 4", "Name of colour mark 5", "Name of colour mark 6"};
        arrExpected.emplace_back(frm->optColor[i], arrMark[i]);
        arrExpected.emplace_back(frm->txtName[i], arrName[i]);
    }
    for (const auto& [objControl, strName] : arrExpected) {
        SCOPED_TRACE(WidgetLabel(objControl));
        QAccessibleInterface* objItem = QAccessible::queryAccessibleInterface(objControl);
        ASSERT_NE(objItem, nullptr);
        EXPECT_EQ(objItem->text(QAccessible::Name).toStdString(), strName);
    }
    // The visible captions stay as they were.
    EXPECT_TRUE(frm->optColor[0]->text().isEmpty());
    EXPECT_EQ(frm->txtName[0]->text().toStdString(), "Type a colour name");
}

TEST_F(EveryWindowTest, EveryTextIsReadableUnderADarkDesktopPalette) {
    const PaletteScope objDark(DarkPalette());
    ForEachWindow([this](QWidget* objWindow) {
        EXPECT_EQ(LowContrastTexts(objWindow, 4.5), std::vector<std::string>{});
        if (objWindow != frm.get()) return;
        // A stale name keeps its pale yellow and dark text; the fixed backgrounds stay fixed.
        frm->txtName[0]->setText(QStringLiteral("Crimson"));
        SetColour(10, 20, 30);
        EXPECT_EQ(frm->NameBackColour(0), lngStaleNameColour);
        EXPECT_EQ(LowContrastTexts(objWindow, 4.5), std::vector<std::string>{});
    });
}

TEST_F(EveryWindowTest, EveryTextIsReadableUnderTheLightDefaultPalette) {
    ForEachWindow([](QWidget* objWindow) {
        EXPECT_EQ(LowContrastTexts(objWindow, 4.5), std::vector<std::string>{});
    });
}
