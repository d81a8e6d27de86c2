#include "help/LazyHelpViewer.h"

#include <QCoreApplication>
#include <QDir>
#include <QString>
#include <utility>

#include "core/modSupport.h"
#include "help/HelpViewerModule.h"

LazyHelpViewer::LazyHelpViewer(std::vector<std::string> arrFolders)
    : arrModuleFolders(std::move(arrFolders)) {}

LazyHelpViewer::LazyHelpViewer()
    : LazyHelpViewer(
          {QCoreApplication::applicationDirPath().toStdString(),
           (QCoreApplication::applicationDirPath() +
            QStringLiteral("/" HUEVRA_HELP_MODULE_FROM_PROGRAM))
               .toStdString()}) {}

LazyHelpViewer::~LazyHelpViewer() = default;

bool LazyHelpViewer::Load() {
    if (objViewer != nullptr) return true;
    // A module that could not be loaded is not looked for again in this run.
    if (blnLoadFailed) return false;
    for (const std::string& strFolder : arrModuleFolders) {
        objModule.setFileName(
            QDir(QString::fromStdString(strFolder)).filePath(QStringLiteral("huevra_helpviewer")));
        if (!objModule.load()) continue;
        auto fnCreate =
            reinterpret_cast<HelpViewerFactory>(objModule.resolve(strHelpViewerFactory));
        if (fnCreate != nullptr) objViewer.reset(fnCreate(&modSupport::FatalError));
        if (objViewer != nullptr) return true;
        objModule.unload();
    }
    blnLoadFailed = true;
    return false;
}

bool LazyHelpViewer::ShowTopic(const std::string& strHelpFile, const std::string& strTopic) {
    return Load() && objViewer->ShowTopic(strHelpFile, strTopic);
}

void LazyHelpViewer::Close() {
    if (objViewer != nullptr) objViewer->Close();
}
