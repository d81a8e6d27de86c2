// The Tools menu of the main window: the Custom Format and Options dialogs.

#include <QListWidget>

#include "core/modSupport.h"
#include "mainwindow/frmMain.h"
#include "settings/SettingsStore.h"
#include "settings/frmCustomFormat.h"
#include "settings/frmOptions.h"

namespace {

using modSupport::Guarded;

// A dialog reloads the settings, which also resets the format the main window selects at its
// next activation. The window keeps the format it shows, as its deactivation records it.
void KeepCurrentFormat(const QListWidget& lstAutocopy) {
    ProgramSettings& objSettings = SharedSettings();
    if (!objSettings.blnJavaScriptNamesOnly)
        objSettings.intCurrentFormat = static_cast<std::int16_t>(lstAutocopy.currentRow());
}

}  // namespace

void frmMain::mnuToolsCustomFormat_Click() {
    Guarded([&] {
        frmCustomFormat frm(SharedSettings(), objServices.objRegistry, objServices.objMessages,
                            objHTMLHelp, this);
        frm.exec();
        KeepCurrentFormat(*lstAutocopy);
    });
}

void frmMain::mnuToolsOptions_Click() {
    Guarded([&] {
        frmOptions frm(SharedSettings(), objServices.objRegistry, objServices.objMessages,
                       objServices.objFileDialogs, this);
        frm.exec();
        KeepCurrentFormat(*lstAutocopy);
    });
}
