#include "settings/SettingsStore.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QStandardPaths>
#include <QString>
#include <utility>

#include "core/modSupport.h"

namespace {

std::function<std::string()>& DesktopLocationProvider() {
    static std::function<std::string()> fnProvider;
    return fnProvider;
}

std::string PlatformDesktopLocation() {
    return QStandardPaths::writableLocation(QStandardPaths::DesktopLocation).toStdString();
}

bool IsDirectory(const QString& strPath) {
    return !strPath.isEmpty() && QFileInfo(strPath).isDir();
}

// The number of a text that is exactly one of "0" ... intHighest in decimal; -1 for any other.
int ExactNumber(const std::string& strText, int intHighest) {
    for (int i = 0; i <= intHighest; ++i) {
        if (strText == std::to_string(i)) return i;
    }
    return -1;
}

// True for a path that may name a folder on a disk that is not there now: an absolute path.
// A relative path would name another folder in each run.
bool MayNameAFolder(const std::string& strPath) {
    const QString strFolder = QString::fromStdString(strPath);
    return !strFolder.contains(QChar(0)) && QDir::isAbsolutePath(strFolder);
}

// Writes one value. A value the store refuses is kept for the run, one it takes is no longer.
bool WriteSetting(ProgramSettings& objSettings, IRegistry& objRegistry,
                  const std::string& strValueName, const std::string& strData) {
    bool blnWritten = false;
    try {
        blnWritten = objRegistry.WriteString(RegistryHive::CurrentUser, strSettingsKey,
                                             strValueName, strData);
    } catch (...) {
        blnWritten = false;  // a store that fails is told like one that refuses
    }
    if (blnWritten)
        objSettings.mapUnsavedValue.erase(strValueName);
    else
        objSettings.mapUnsavedValue[strValueName] = strData;
    return blnWritten;
}

// Takes the stored values in their fixed order; false at the first one that is unusable.
bool TakeStoredSettings(ProgramSettings& objSettings, IRegistry& objRegistry) {
    const auto Read = [&](const char* strValueName) {
        // What the store refused this run stands in for what it holds.
        const auto it = objSettings.mapUnsavedValue.find(strValueName);
        if (it != objSettings.mapUnsavedValue.end()) return it->second;
        return objRegistry.ReadString(RegistryHive::CurrentUser, strSettingsKey, strValueName);
    };

    const std::string strCustomFormat = Read("CustomFormat");
    if (QString::fromStdString(strCustomFormat).size() > intCustomFormatMaxLength) return false;
    objSettings.strCustomFormat = strCustomFormat;

    std::string strText = Read("FormatIndex");
    const int intFormat = ExactNumber(strText.empty() ? "0" : strText, 11);
    if (intFormat < 0) return false;
    objSettings.intStandardFormat = static_cast<std::int16_t>(intFormat);
    if (!objSettings.blnJavaScriptNamesOnly)
        objSettings.intCurrentFormat = static_cast<std::int16_t>(intFormat);

    strText = Read("SortIndex");
    const int intSort = ExactNumber(strText.empty() ? "0" : strText, 1);
    if (intSort < 0) return false;
    objSettings.intSortIndex = static_cast<std::int16_t>(intSort);

    strText = Read("PromptToSave");
    const int intPrompt = ExactNumber(strText.empty() ? "1" : strText, 1);
    if (intPrompt < 0) return false;
    objSettings.intPromptToSave = static_cast<std::int16_t>(intPrompt);

    strText = Read("StandardFolder");
    if (strText.empty()) {
        // No folder stored: the default folder, or none at all when the account has neither a
        // desktop nor a home folder. Neither is a stored value that could be unusable.
        objSettings.strStandardFolder = objSettings.strDefaultFolder;
        return true;
    }
    // A folder on a removed disk, or one deleted or renamed, stays the setting, so that it serves
    // again once it is back; while it is missing the file dialogs start in the default folder.
    if (!FolderExists(strText) && !MayNameAFolder(strText)) return false;
    objSettings.strStandardFolder = strText;
    return true;
}

}  // namespace

void SetDesktopLocationProvider(std::function<std::string()> fnProvider) {
    DesktopLocationProvider() = std::move(fnProvider);
}

bool GetDefaultFolder(ProgramSettings& objSettings) {
    const auto& fnProvider = DesktopLocationProvider();
    const QString strDesktop =
        QString::fromStdString(fnProvider ? fnProvider() : PlatformDesktopLocation());
    if (strDesktop.isEmpty()) {
        objSettings.strDefaultFolder.clear();
        return false;
    }
    QString strFolder = strDesktop;
    // Many accounts have no desktop folder on disk. The home folder stands in, so that a first
    // run finds a usable folder and has nothing to restore. A folder that does not exist is
    // never taken: it would be stored and then refused at every start.
    if (!IsDirectory(strFolder)) strFolder = QDir::homePath();
    if (!IsDirectory(strFolder)) {
        objSettings.strDefaultFolder.clear();
        return false;
    }
    objSettings.strDefaultFolder = QDir::toNativeSeparators(strFolder).toStdString();
    return true;
}

bool FolderExists(const std::string& strPath) {
    try {
        QString strFolder = QString::fromStdString(strPath);
        // No file name holds a NUL, and Qt warns about any path that does.
        if (strFolder.isEmpty() || strFolder.contains(QChar(0))) return false;
        const QString strSeparator = QString::fromLatin1(modSupport::strPathSeparator);
        if (strFolder.size() <= 3) {
#ifdef _WIN32
            // A drive root: "C:" or "C:\".
            if (strFolder.endsWith(strSeparator)) strFolder.chop(strSeparator.size());
            return strFolder.size() == 2 && strFolder[0].isLetter() &&
                   strFolder[1] == QLatin1Char(':') && IsDirectory(strFolder + QLatin1String("/"));
#else
            return IsDirectory(strFolder);
#endif
        }
        if (strFolder.endsWith(strSeparator)) strFolder.chop(strSeparator.size());
        if (!IsDirectory(strFolder)) return false;
        const std::string strLast =
            modSupport::TextAfterLast(strFolder.toStdString(), modSupport::strPathSeparator);
        if (strLast.empty()) return false;
        if (strLast == "." || strLast == "..") return true;
        // The file system may ignore letter case; the name in the listing does not.
        const QString strName = QString::fromStdString(strLast);
        QString strParent = strFolder.left(strFolder.size() - strName.size());
        if (strParent.isEmpty()) strParent = QStringLiteral(".");
        QDirIterator objEntries(strParent,
                                QDir::Dirs | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
        while (objEntries.hasNext()) {
            objEntries.next();
            if (objEntries.fileName() == strName) return true;
        }
        return false;
    } catch (...) {
        return false;
    }
}

void LoadSettings(ProgramSettings& objSettings, IRegistry& objRegistry, IMessageBox& objMessages) {
    GetDefaultFolder(objSettings);

    bool blnUsable = false;
    try {
        blnUsable = TakeStoredSettings(objSettings, objRegistry);
    } catch (...) {
        blnUsable = false;  // a value that cannot be read or checked is as unusable as a wrong one
    }
    // A store that cannot be read gave empty texts, that is the defaults, and has written
    // nothing; the user is told once why their settings are not used.
    if (auto* objCheck = dynamic_cast<IStoreCheck*>(&objRegistry)) {
        const std::string strProblem = objCheck->TakeUnreadableStoreText();
        if (!strProblem.empty())
            objMessages.Show(strProblem, strProgramTitle, MessageIcon::Warning, MessageButtons::Ok);
    }
    if (blnUsable) return;

    // intStandardFormat is not part of the restore: it keeps the number it last took.
    objSettings.strCustomFormat.clear();
    objSettings.intCurrentFormat = 0;
    objSettings.intSortIndex = 0;
    objSettings.intPromptToSave = 1;
    objSettings.strStandardFolder = objSettings.strDefaultFolder;

    // A default the store refuses is kept for the run like a refused choice of the user, so that
    // the next load does not restore again.
    bool blnSaved = true;
    const auto Write = [&](const char* strValueName, const std::string& strData) {
        blnSaved = WriteSetting(objSettings, objRegistry, strValueName, strData) && blnSaved;
    };
    Write("CustomFormat", objSettings.strCustomFormat);
    Write("FormatIndex", std::to_string(objSettings.intCurrentFormat));
    Write("SortIndex", std::to_string(objSettings.intSortIndex));
    Write("PromptToSave", std::to_string(objSettings.intPromptToSave));
    Write("StandardFolder", objSettings.strStandardFolder);

    if (blnSaved) {
        objMessages.Show("Unusable settings found in Registry. Default settings restored.",
                         strProgramTitle, MessageIcon::Information, MessageButtons::Ok);
    } else {
        objMessages.Show(strRestoreNotSavedText, strProgramTitle, MessageIcon::Warning,
                         MessageButtons::Ok);
    }
}

bool StoreSettings(ProgramSettings& objSettings, IRegistry& objRegistry, IMessageBox& objMessages,
                   const std::vector<SettingText>& arrTexts) {
    bool blnSaved = true;
    for (const auto& [strValueName, strData] : arrTexts)
        blnSaved = WriteSetting(objSettings, objRegistry, strValueName, strData) && blnSaved;
    if (blnSaved) return true;
    std::string strText;
    if (auto* objCheck = dynamic_cast<IStoreCheck*>(&objRegistry)) {
        try {
            strText = objCheck->UnsavedStoreText();
        } catch (...) {
            strText.clear();  // the plain message still tells the user
        }
    }
    if (strText.empty()) strText = strSettingsNotSavedText;
    objMessages.Show(strText, strProgramTitle, MessageIcon::Warning, MessageButtons::Ok);
    return false;
}
