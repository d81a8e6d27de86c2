// The Tools menu of the main window: the Custom Format and Options dialogs.

#include <QEvent>
#include <QListWidget>
#include <QPointer>
#include <QWidget>
#include <initializer_list>
#include <vector>

#include "core/modSupport.h"
#include "help/HelpSupport.h"
#include "inspector/frmColourInspector.h"
#include "mainwindow/frmMain.h"
#include "palettewindows/frmFailsafe.h"
#include "palettewindows/frmJavaScript.h"
#include "palettewindows/frmWebsafe.h"
#include "settings/SettingsStore.h"
#include "settings/frmCustomFormat.h"
#include "settings/frmOptions.h"

namespace {

using modSupport::Guarded;

// A dialog reloads the settings, which also resets the format the main window selects at its
// next activation. The window keeps the format it shows, as its deactivation records it.
void KeepCurrentFormat(const QListWidget& lstAutocopy, ProgramSettings& objSettings) {
    if (!objSettings.blnJavaScriptNamesOnly)
        objSettings.intCurrentFormat = static_cast<std::int16_t>(lstAutocopy.currentRow());
}

// Keeps the open palette windows from taking input while a settings dialog is open, and hands
// the activation of one on to the dialog. The Custom Format dialog is modal to the main window
// only, so that the help viewer opened from it takes input; the palette windows have no owner, so
// that modality alone would let a click there change the colour and the clipboard behind the
// dialog. Options, modal to the whole program, has them look and act the same way.
class PaletteWindowsHeld : public QObject {
public:
    PaletteWindowsHeld(QWidget& objDialog, std::initializer_list<QWidget*> arrWindows)
        : objDialog(objDialog) {
        for (QWidget* objWindow : arrWindows) {
            if (!objWindow || !objWindow->isEnabled()) continue;
            objWindow->setEnabled(false);
            objWindow->installEventFilter(this);
            arrHeld.emplace_back(objWindow);
        }
    }
    ~PaletteWindowsHeld() override {
        // A window closed meanwhile is gone.
        for (const QPointer<QWidget>& objWindow : arrHeld) {
            if (!objWindow) continue;
            objWindow->removeEventFilter(this);
            objWindow->setEnabled(true);
        }
    }
    PaletteWindowsHeld(const PaletteWindowsHeld&) = delete;
    PaletteWindowsHeld& operator=(const PaletteWindowsHeld&) = delete;

protected:
    bool eventFilter(QObject* objWatched, QEvent* event) override {
        if (event->type() == QEvent::WindowActivate && objDialog.isVisible()) {
            objDialog.raise();
            objDialog.activateWindow();
        }
        return QObject::eventFilter(objWatched, event);
    }

private:
    QWidget& objDialog;
    std::vector<QPointer<QWidget>> arrHeld;
};

}  // namespace

void frmMain::mnuToolsCustomFormat_Click() {
    Guarded([&] {
        frmCustomFormat frm(
            objServices.objSettings, objServices.objRegistry, objServices.objMessages,
            HelpTopicOpener(objHTMLHelp, objServices.objMessages, strCustomFormatTopic), this);
        const PaletteWindowsHeld objHeld(
            frm, {objWebsafe, objFailsafe, objJavaScript, objColourInspector});
        frm.exec();
        KeepCurrentFormat(*lstAutocopy, objServices.objSettings);
    });
}

void frmMain::mnuToolsOptions_Click() {
    Guarded([&] {
        frmOptions frm(objServices.objSettings, objServices.objRegistry, objServices.objMessages,
                       objServices.objFileDialogs, this);
        const PaletteWindowsHeld objHeld(
            frm, {objWebsafe, objFailsafe, objJavaScript, objColourInspector});
        frm.exec();
        KeepCurrentFormat(*lstAutocopy, objServices.objSettings);
    });
}
