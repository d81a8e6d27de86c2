// The File menu's Export and Import of interchange palette files.

#include "core/modSupport.h"
#include "mainwindow/frmMain.h"

namespace {
using modSupport::Guarded;
}  // namespace

void frmMain::mnuFileExport_Click() {
    Guarded([&] { objFileCommands.Export(); });
}

void frmMain::mnuFileImport_Click() {
    Guarded([&] { objFileCommands.Import(); });
}
