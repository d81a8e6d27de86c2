#include "cli/QtCliPicker.h"

#include <QApplication>
#include <QClipboard>
#include <QCoreApplication>
#include <QEventLoop>
#include <QGuiApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <cstdlib>
#include <memory>

#include "platform/QtScreen.h"
#include "precisepick/PrecisePick.h"

namespace {

// How long the keeper serves the clipboard when nobody takes it, as clipboard tools do.
constexpr int intKeepMs = 60 * 1000;

bool HasDisplay() {
    const char* strPlatform = std::getenv("QT_QPA_PLATFORM");
    if (strPlatform != nullptr && *strPlatform != '\0') return true;
    for (const char* strName : {"DISPLAY", "WAYLAND_DISPLAY"}) {
        const char* strValue = std::getenv(strName);
        if (strValue != nullptr && *strValue != '\0') return true;
    }
    return false;
}

bool OnWayland() {
    const char* strValue = std::getenv("WAYLAND_DISPLAY");
    return strValue != nullptr && *strValue != '\0';
}

}  // namespace

QtCliPicker::QtCliPicker(int& intArgc, char** arrArgv) : intArgc(intArgc), arrArgv(arrArgv) {}

QtCliPicker::~QtCliPicker() = default;

typCliPick QtCliPicker::Pick() {
    typCliPick typResult;
    if (!HasDisplay()) {
        typResult.strError = "there is no display to pick from (neither DISPLAY nor "
                             "WAYLAND_DISPLAY is set)";
        return typResult;
    }
    objApp = std::make_unique<QApplication>(intArgc, arrArgv);
    QtScreen objScreen;
    QEventLoop objLoop;
    if (objScreen.PicksThroughDesktop()) {
        bool blnDone = false;
        objScreen.StartDesktopPick([&](DesktopPickResult enmResult, std::int32_t lngColour) {
            switch (enmResult) {
                case DesktopPickResult::Picked:
                    typResult.enmResult = CliPickResult::Picked;
                    typResult.lngColour = lngColour;
                    break;
                case DesktopPickResult::Cancelled:
                    typResult.enmResult = CliPickResult::Cancelled;
                    break;
                case DesktopPickResult::Unavailable:
                    typResult.strError = "the desktop has no colour picker (the desktop portal "
                                         "is not running or cannot pick colours)";
                    break;
                case DesktopPickResult::InvalidColour:
                    typResult.strError = "the desktop's colour picker gave no usable colour";
                    break;
                case DesktopPickResult::NoAnswer:
                    typResult.strError = "the desktop's colour picker did not answer";
                    break;
            }
            blnDone = true;
            objLoop.quit();
        });
        if (!blnDone) objLoop.exec();
        return typResult;
    }
    PrecisePick objPick(objScreen);
    QObject::connect(&objPick, &PrecisePick::taken,
                     [&](std::int32_t lngColour, int /*intX*/, int /*intY*/) {
                         typResult.enmResult = CliPickResult::Picked;
                         typResult.lngColour = lngColour;
                         objLoop.quit();
                     });
    QObject::connect(&objPick, &PrecisePick::cancelled, [&] {
        typResult.enmResult = CliPickResult::Cancelled;
        objLoop.quit();
    });
    std::string strError;
    if (!objPick.Start(strError)) {
        typResult.strError = strError;
        return typResult;
    }
    objLoop.exec();
    return typResult;
}

bool QtCliPicker::Copy(const std::string& strText, std::string& strError) {
    const QString strValue = QString::fromStdString(strText);
    if (OnWayland()) {
        // A Wayland client without a focused window cannot set the clipboard; wl-copy can.
        const QString strWlCopy = QStandardPaths::findExecutable(QStringLiteral("wl-copy"));
        if (strWlCopy.isEmpty()) {
            strError = "on Wayland, --copy needs wl-copy (the package wl-clipboard)";
            return false;
        }
        QProcess objCopy;
        objCopy.start(strWlCopy, {QStringLiteral("--"), strValue});
        // wl-copy serves the clipboard from a process of its own and returns at once.
        if (!objCopy.waitForFinished(10000) || objCopy.exitStatus() != QProcess::NormalExit ||
            objCopy.exitCode() != 0) {
            strError = "wl-copy failed: " +
                       QString::fromLocal8Bit(objCopy.readAllStandardError()).trimmed().toStdString();
            return false;
        }
        return true;
    }
    // On X11 the text lives as long as its owner: a keeper of our own serves it after this
    // command has ended, so that a script reading the output does not wait.
    if (!objApp) {
        strError = "there is no pick to copy";
        return false;
    }
    const QString strProgram = QCoreApplication::applicationFilePath();
    if (!QProcess::startDetached(strProgram,
                                 {QString::fromLatin1(strKeepClipboardArgument), strValue})) {
        strError = "cannot start " + strProgram.toStdString() + " to keep the clipboard";
        return false;
    }
    return true;
}

int KeepClipboard(int& intArgc, char** arrArgv, const std::string& strText) {
    if (!HasDisplay()) return 1;
    QGuiApplication objApp(intArgc, arrArgv);
    QClipboard* objClipboard = QGuiApplication::clipboard();
    objClipboard->setText(QString::fromStdString(strText), QClipboard::Clipboard);
    // Another program (a clipboard manager too) took the clipboard: nothing left to serve.
    QObject::connect(objClipboard, &QClipboard::changed, &objApp, [objClipboard](QClipboard::Mode enmMode) {
        if (enmMode == QClipboard::Clipboard && !objClipboard->ownsClipboard())
            QCoreApplication::quit();
    });
    QTimer::singleShot(intKeepMs, &objApp, &QCoreApplication::quit);
    // On the way out Qt offers the text to a clipboard manager that asks for it.
    return QGuiApplication::exec();
}
