// Feeds arbitrary text to the settings loader as the settings file. Whatever the file holds,
// loading must not crash or hang, must leave every setting in its range, must write nothing
// unless it restores the defaults, and a restore it calls done must load cleanly next time.
// Large files come in the compact form of FuzzInput.h.

#include <QByteArray>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/Platform.h"
#include "fuzz/FuzzInput.h"
#include "settings/RegistryStringHandler.h"
#include "settings/SettingsStore.h"

namespace {

void Check(bool blnCondition) {
    if (!blnCondition) std::abort();
}

class CountingMessageBox : public IMessageBox {
public:
    int intShown = 0;
    std::string strLast;
    MessageAnswer Show(const std::string& strText, const std::string&, MessageIcon,
                       MessageButtons) override {
        ++intShown;
        strLast = strText;
        return MessageAnswer::Ok;
    }
};

QByteArray FileBytes(const QString& strFileName) {
    QFile objFile(strFileName);
    if (!objFile.open(QIODevice::ReadOnly)) return {};
    return objFile.readAll();
}

// The settings folder of this process: in memory where the system offers it.
QString ConfigFolder() {
    static const QString strRoot = [] {
        const QString strShm = QStringLiteral("/dev/shm");
        const QString strBase = (QDir(strShm).exists() ? strShm : QDir::tempPath()) +
                                QLatin1String("/huevra-settings-fuzz-") +
                                QString::number(QCoreApplication::applicationPid());
        const QString strDesktop = strBase + QLatin1String("/Desktop");
        QDir().mkpath(strDesktop);
        QDir().mkpath(strBase + QLatin1String("/config/Pellmark"));
        SetDesktopLocationProvider(
            [strDesktop] { return QDir::toNativeSeparators(strDesktop).toStdString(); });
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(strBase + QLatin1String("/config")));
        return strBase + QLatin1String("/config");
    }();
    return strRoot;
}

// QSettings keeps a parsed file while its size and time stay the same, as they may between two
// quick runs, so every run's file gets a modification time of its own.
void WriteSettingsFile(const QString& strFileName, const QByteArray& arrText) {
    static qint64 lngRun = 0;
    QFile::remove(strFileName + QLatin1String(".lock"));
    QFile objFile(strFileName);
    Check(objFile.open(QIODevice::WriteOnly | QIODevice::Truncate));
    Check(objFile.write(arrText) == arrText.size());
    Check(objFile.setFileTime(QDateTime::fromSecsSinceEpoch(1000000000 + lngRun++),
                              QFileDevice::FileModificationTime));
}

// QSettings' writer sets aside room for one and a half bytes a character and then grows its text
// a few bytes at a time for each character it writes longer: non-ASCII characters, control
// characters and escapes. Its reader grows a list at each element. The system's allocator moves
// the pages; the sanitizers' copy them all. A large text full of these is read and written in
// milliseconds by the program and in up to minutes here, so such texts are left out: a few
// thousand of them already reach every path of ours that tells characters apart.
bool IsSlowOnlyUnderSanitizers(const QByteArray& arrText) {
    if (arrText.size() > lngMaxSettingsFileBytes) return false;  // never reaches QSettings
    qint64 lngNonAscii = 0;
    qint64 lngWrittenLonger = 0;
    qint64 lngCommas = 0;
    for (const char chr : arrText) {
        const auto intByte = static_cast<unsigned char>(chr);
        if (intByte >= 0x80)
            ++lngNonAscii;
        else if ((intByte < 0x20 && chr != '\n' && chr != '\r') || chr == '"' || chr == '\\')
            ++lngWrittenLonger;
        else if (chr == ',')
            ++lngCommas;
    }
    if (lngNonAscii > 2048) return true;
    return arrText.size() > 32 * 1024 && (lngWrittenLonger > 2048 || lngCommas > 2048);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* arrData, std::size_t intSize) {
    const QString strFileName = ConfigFolder() + QLatin1String("/Pellmark/Huevra 2004.conf");
    const QByteArray arrText = QByteArray::fromStdString(ExpandedInput(arrData, intSize));
    if (IsSlowOnlyUnderSanitizers(arrText)) return -1;
    WriteSettingsFile(strFileName, arrText);

    ProgramSettings objSettings;
    CountingMessageBox objMessages;
    {
        RegistryStringHandler objRegistry;
        LoadSettings(objSettings, objRegistry, objMessages);
    }
    Check(objSettings.intStandardFormat >= 0 && objSettings.intStandardFormat <= 11);
    Check(objSettings.intCurrentFormat >= 0 && objSettings.intCurrentFormat <= 11);
    Check(objSettings.intSortIndex == 0 || objSettings.intSortIndex == 1);
    Check(objSettings.intPromptToSave == 0 || objSettings.intPromptToSave == 1);
    Check(QString::fromStdString(objSettings.strCustomFormat).size() <= 250);
    // A folder that does not exist is kept when its path is absolute (a disk may be away).
    Check(objSettings.strStandardFolder.empty() || FolderExists(objSettings.strStandardFolder) ||
          QDir::isAbsolutePath(QString::fromStdString(objSettings.strStandardFolder)));

    const bool blnTooLarge = arrText.size() > lngMaxSettingsFileBytes;
    if (blnTooLarge) {
        // Told once, read as the defaults, never written.
        Check(objMessages.intShown == 1);
        Check(objSettings.intSortIndex == 0 && objSettings.intPromptToSave == 1);
        Check(FileBytes(strFileName) == arrText);
    } else if (objMessages.intShown == 0) {
        Check(FileBytes(strFileName) == arrText);
    } else {
        Check(objMessages.intShown == 1);
        // A file that cannot be read safely is never written.
        if (objMessages.strLast.starts_with("Huevra could not read its settings"))
            Check(FileBytes(strFileName) == arrText);
        if (objMessages.strLast ==
            "Unusable settings found in Registry. Default settings restored.") {
            // What was restored is usable: the next start is silent and writes nothing.
            const QByteArray arrRestored = FileBytes(strFileName);
            ProgramSettings objAgain;
            CountingMessageBox objSecond;
            RegistryStringHandler objRegistry;
            LoadSettings(objAgain, objRegistry, objSecond);
            Check(objSecond.intShown == 0);
            Check(FileBytes(strFileName) == arrRestored);
            Check(objAgain.intSortIndex == 0 && objAgain.intPromptToSave == 1 &&
                  objAgain.strCustomFormat.empty() && objAgain.intCurrentFormat == 0);
        }
    }
    return 0;
}
