// The opener of the Colour Inspector.

#include <QGuiApplication>
#include <QPointer>
#include <QRadioButton>
#include <QScreen>

#include "core/modSupport.h"
#include "help/HelpSupport.h"
#include "inspector/frmColourInspector.h"
#include "mainwindow/frmMain.h"

void frmMain::mnuToolsColourInspector_Click() {
    modSupport::Guarded([&] {
        // An open window is shown again and brought forward where the user left it.
        if (!objColourInspector) {
            objColourInspector = new frmColourInspector(
                objPalette, objPaletteEvents, {hsbRed, hsbGreen, hsbBlue}, objServices.objClipboard,
                HelpTopicOpener(objHTMLHelp, objServices.objMessages, strColourInspectorTopic),
                [objMark = optColor](int intMark) {
                    // As the user's click: a mark chosen while the window is busy waits for it.
                    QRadioButton* objOption = objMark.at(intMark);
                    if (!objOption->isEnabled()) return false;
                    objOption->click();
                    return true;
                });
            // Beside the main window; its frame is taken to be as thick as the main window's.
            objColourInspector->adjustSize();
            const QSize objFrameSize =
                objColourInspector->size() + (frameGeometry().size() - geometry().size());
            QScreen* objScreen = screen() != nullptr ? screen() : QGuiApplication::primaryScreen();
            if (objScreen != nullptr)
                objColourInspector->move(ColourInspectorPosition(frameGeometry(), objFrameSize,
                                                                 objScreen->availableGeometry()));
        }
        objColourInspector->showNormal();
        objColourInspector->raise();
        objColourInspector->activateWindow();
    });
}
