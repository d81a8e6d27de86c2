#include "help/QtHelpViewer.h"

#include <QString>

#include "help/frmHelpViewer.h"

QtHelpViewer::~QtHelpViewer() { delete frmViewer; }

frmHelpViewer* QtHelpViewer::Window() const { return frmViewer; }

bool QtHelpViewer::ShowTopic(const std::string& strHelpFile, const std::string& strTopic) {
    // Another help file gets a viewer of its own; the window is kept for later topics.
    if (frmViewer != nullptr && strHelpFile != strLoadedFile) {
        delete frmViewer;
        strLoadedFile.clear();
    }
    if (frmViewer == nullptr) {
        auto* frmNew = new frmHelpViewer();
        if (!frmNew->LoadHelpFile(QString::fromStdString(strHelpFile))) {
            delete frmNew;
            return false;
        }
        frmViewer = frmNew;
        strLoadedFile = strHelpFile;
    }
    if (!frmViewer->ShowTopic(QString::fromStdString(strTopic))) return false;
    // A minimised viewer comes back as it was before, maximised or not.
    frmViewer->setWindowState((frmViewer->windowState() & ~Qt::WindowMinimized) |
                              Qt::WindowActive);
    frmViewer->show();
    frmViewer->raise();
    frmViewer->activateWindow();
    return true;
}

void QtHelpViewer::Close() {
    if (frmViewer != nullptr) frmViewer->close();
}
