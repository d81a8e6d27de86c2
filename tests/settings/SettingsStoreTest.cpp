#include <gtest/gtest.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QString>
#include <QTemporaryDir>
#include <stdexcept>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "core/modSupport.h"
#include "settings/RegistryStringHandler.h"
#include "settings/SettingsStore.h"
#include "tests/support/Fakes.h"

namespace {

using Write = std::tuple<std::string, std::string, std::string>;

const std::string strRestoredText =
    "Unusable settings found in Registry. Default settings restored.";

std::string Native(const QString& strPath) {
    return QDir::toNativeSeparators(strPath).toStdString();
}

std::string Repeated(const std::string& strPiece, int intCount) {
    std::string strResult;
    for (int i = 0; i < intCount; ++i) strResult += strPiece;
    return strResult;
}

/// Refuses to read one value, as a store that fails half-way would.
class FailingRegistry : public FakeRegistry {
public:
    std::string strFailingName;
    std::string ReadString(RegistryHive enmHive, const std::string& strMyKey,
                           const std::string& strMyValueName) override {
        if (strMyValueName == strFailingName) throw std::runtime_error("store unavailable");
        return FakeRegistry::ReadString(enmHive, strMyKey, strMyValueName);
    }
};

/// Refuses to store one value, or throws while storing it, as a read-only store would.
class RefusingRegistry : public FakeRegistry {
public:
    std::string strRefusedName;
    bool WriteString(RegistryHive enmHive, const std::string& strMyKey,
                     const std::string& strMyValueName, const std::string& strMyData) override {
        if (strMyValueName == strRefusedName) {
            if (strMyValueName == "StandardFolder") throw std::runtime_error("store unavailable");
            return false;
        }
        return FakeRegistry::WriteString(enmHive, strMyKey, strMyValueName, strMyData);
    }
};

/// Sets an environment variable for the life of a scope.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* strName, const QString& strValue)
        : strName(strName),
          arrOld(qgetenv(strName)),
          blnHadValue(qEnvironmentVariableIsSet(strName)) {
        qputenv(strName, QFile::encodeName(strValue));
    }
    ~ScopedEnvironment() {
        if (blnHadValue)
            qputenv(strName, arrOld);
        else
            qunsetenv(strName);
    }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    const char* strName;
    QByteArray arrOld;
    bool blnHadValue;
};

}  // namespace

/// A desktop folder and a settings folder of the test's own, and an empty store in memory.
class SettingsStoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(objRoot.isValid());
        ASSERT_TRUE(QDir(objRoot.path()).mkpath("Desktop"));
        ASSERT_TRUE(QDir(objRoot.path()).mkpath("config"));
        ASSERT_TRUE(QDir(objRoot.path()).mkpath("Palettes/Work"));
        strDesktop = Native(objRoot.path() + "/Desktop");
        strConfig = objRoot.path() + "/config";
        SetDesktopLocationProvider([this] { return strDesktop; });
        arrOldConfigHome = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(strConfig));
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, strConfig);
    }
    void TearDown() override {
        SetDesktopLocationProvider({});
        qputenv("XDG_CONFIG_HOME", arrOldConfigHome);
    }

    void Store(const std::string& strName, const std::string& strText) {
        objRegistry.mapValue[{strSettingsKey, strName}] = strText;
    }
    std::string Folder(const char* strRelative) const {
        return Native(objRoot.path() + "/" + strRelative);
    }
    std::vector<Write> RestoreWrites(const std::string& strFolder) const {
        return {{strSettingsKey, "CustomFormat", ""},
                {strSettingsKey, "FormatIndex", "0"},
                {strSettingsKey, "SortIndex", "0"},
                {strSettingsKey, "PromptToSave", "1"},
                {strSettingsKey, "StandardFolder", strFolder}};
    }
    // True when the load restored the defaults and said so once.
    bool Restored() const {
        return objRegistry.arrWrites == RestoreWrites(strDesktop) &&
               objMessages.arrShown.size() == 1;
    }

    QTemporaryDir objRoot;
    std::string strDesktop;
    QString strConfig;
    QByteArray arrOldConfigHome;
    FakeRegistry objRegistry;
    FakeMessageBox objMessages;
    ProgramSettings objSettings;
};

TEST_F(SettingsStoreTest, FirstRunTakesTheDefaultsSilently) {
    objSettings.intCurrentFormat = 7;
    LoadSettings(objSettings, objRegistry, objMessages);
    EXPECT_EQ(objSettings.strCustomFormat, "");
    EXPECT_EQ(objSettings.intStandardFormat, 0);
    EXPECT_EQ(objSettings.intCurrentFormat, 0);
    EXPECT_EQ(objSettings.intSortIndex, 0);
    EXPECT_EQ(objSettings.intPromptToSave, 1);
    EXPECT_EQ(objSettings.strDefaultFolder, strDesktop);
    EXPECT_EQ(objSettings.strStandardFolder, strDesktop);
    EXPECT_TRUE(objRegistry.arrWrites.empty());
    EXPECT_TRUE(objMessages.arrShown.empty());
}

TEST_F(SettingsStoreTest, FirstRunLeavesTheRealStoreUntouched) {
    RegistryStringHandler objStore;
    LoadSettings(objSettings, objStore, objMessages);
    EXPECT_TRUE(objMessages.arrShown.empty());
    EXPECT_TRUE(QDir(strConfig).isEmpty());
}

TEST_F(SettingsStoreTest, StoredValuesAreTaken) {
    const std::string strFolder = Folder("Palettes/Work");
    Store("CustomFormat", "#%HEX%, %R%");
    Store("FormatIndex", "11");
    Store("SortIndex", "1");
    Store("PromptToSave", "0");
    Store("StandardFolder", strFolder);
    LoadSettings(objSettings, objRegistry, objMessages);
    EXPECT_EQ(objSettings.strCustomFormat, "#%HEX%, %R%");
    EXPECT_EQ(objSettings.intStandardFormat, 11);
    EXPECT_EQ(objSettings.intCurrentFormat, 11);
    EXPECT_EQ(objSettings.intSortIndex, 1);
    EXPECT_EQ(objSettings.intPromptToSave, 0);
    EXPECT_EQ(objSettings.strStandardFolder, strFolder);
    EXPECT_TRUE(objRegistry.arrWrites.empty());
    EXPECT_TRUE(objMessages.arrShown.empty());
}

TEST_F(SettingsStoreTest, EachValueAcceptsExactlyItsOwnTexts) {
    struct Case {
        std::string strName;
        std::string strText;
        bool blnUsable;
    };
    const std::vector<Case> arrCases = {
        {"CustomFormat", std::string(250, 'x'), true},
        {"CustomFormat", std::string(251, 'x'), false},
        {"CustomFormat", Repeated("é", 250), true},
        {"CustomFormat", Repeated("é", 251), false},
        {"FormatIndex", "0", true},
        {"FormatIndex", "11", true},
        {"FormatIndex", "12", false},
        {"FormatIndex", "-1", false},
        {"FormatIndex", "05", false},
        {"FormatIndex", " 1", false},
        {"FormatIndex", "1 ", false},
        {"FormatIndex", "+1", false},
        {"FormatIndex", "0x1", false},
        {"SortIndex", "1", true},
        {"SortIndex", "2", false},
        {"SortIndex", "00", false},
        {"PromptToSave", "0", true},
        {"PromptToSave", "2", false},
        {"PromptToSave", "yes", false},
        {"StandardFolder", Folder("Palettes/Work"), true},
        {"StandardFolder", Folder("Palettes/Work") + modSupport::strPathSeparator, true},
        // A folder that is not there now may be back later: it is kept, not restored.
        {"StandardFolder", Folder("Palettes/Gone"), true},
        {"StandardFolder", Folder("Palettes/work"), true},
        {"StandardFolder", Folder("Palettes/WORK"), true},
        // A relative path names no folder of its own.
        {"StandardFolder", "Palettes/Gone", false},
        {"StandardFolder", Folder("Palettes/Work") + std::string(1, '\0'), false},
    };
    for (const Case& objCase : arrCases) {
        SCOPED_TRACE(objCase.strName + " = \"" + objCase.strText + "\"");
        objRegistry = FakeRegistry();
        objMessages = FakeMessageBox();
        Store(objCase.strName, objCase.strText);
        LoadSettings(objSettings, objRegistry, objMessages);
        EXPECT_EQ(Restored(), !objCase.blnUsable);
        if (objCase.blnUsable) {
            EXPECT_TRUE(objRegistry.arrWrites.empty());
            EXPECT_TRUE(objMessages.arrShown.empty());
        }
    }
}

TEST_F(SettingsStoreTest, RestoreWritesTheFiveDefaultsInOrderAndSaysSo) {
    Store("CustomFormat", "%HEX%");
    Store("FormatIndex", "5");
    Store("SortIndex", "7");
    Store("PromptToSave", "0");
    objSettings.intSortIndex = 1;
    objSettings.intPromptToSave = 0;
    LoadSettings(objSettings, objRegistry, objMessages);

    EXPECT_EQ(objRegistry.arrWrites, RestoreWrites(strDesktop));
    ASSERT_EQ(objMessages.arrShown.size(), 1u);
    EXPECT_EQ(objMessages.arrShown[0].strText, strRestoredText);
    EXPECT_EQ(objMessages.arrShown[0].strTitle, "Huevra");
    EXPECT_EQ(objMessages.arrShown[0].enmIcon, MessageIcon::Information);
    EXPECT_EQ(objMessages.arrShown[0].enmButtons, MessageButtons::Ok);

    EXPECT_EQ(objSettings.strCustomFormat, "");
    EXPECT_EQ(objSettings.intStandardFormat, 5);
    EXPECT_EQ(objSettings.intCurrentFormat, 0);
    EXPECT_EQ(objSettings.intSortIndex, 0);
    EXPECT_EQ(objSettings.intPromptToSave, 1);
    EXPECT_EQ(objSettings.strStandardFolder, strDesktop);

    // What was restored loads cleanly next time.
    objRegistry.arrWrites.clear();
    LoadSettings(objSettings, objRegistry, objMessages);
    EXPECT_TRUE(objRegistry.arrWrites.empty());
    EXPECT_EQ(objMessages.arrShown.size(), 1u);
}

TEST_F(SettingsStoreTest, RestoreKeepsTheLastStandardFormatTaken) {
    objSettings.intStandardFormat = 7;
    Store("FormatIndex", "12");
    LoadSettings(objSettings, objRegistry, objMessages);
    EXPECT_TRUE(Restored());
    EXPECT_EQ(objSettings.intStandardFormat, 7);
}

TEST_F(SettingsStoreTest, NamesOnlyModeKeepsTheCurrentFormatUnlessRestored) {
    objSettings.blnJavaScriptNamesOnly = true;
    objSettings.intCurrentFormat = 9;
    Store("FormatIndex", "4");
    LoadSettings(objSettings, objRegistry, objMessages);
    EXPECT_EQ(objSettings.intStandardFormat, 4);
    EXPECT_EQ(objSettings.intCurrentFormat, 9);

    Store("PromptToSave", "3");
    LoadSettings(objSettings, objRegistry, objMessages);
    EXPECT_TRUE(Restored());
    EXPECT_EQ(objSettings.intStandardFormat, 4);
    EXPECT_EQ(objSettings.intCurrentFormat, 0);
}

TEST_F(SettingsStoreTest, StoreThatFailsWhileReadingCountsAsUnusable) {
    FailingRegistry objFailing;
    objFailing.strFailingName = "SortIndex";
    LoadSettings(objSettings, objFailing, objMessages);
    EXPECT_EQ(objFailing.arrWrites, RestoreWrites(strDesktop));
    EXPECT_EQ(objMessages.arrShown.size(), 1u);
}

TEST_F(SettingsStoreTest, WithoutADesktopFirstRunsAreSilentAndARestoreStoresNoFolder) {
    strDesktop.clear();
    for (int intRun = 0; intRun < 2; ++intRun) {
        SCOPED_TRACE(intRun);
        LoadSettings(objSettings, objRegistry, objMessages);
        EXPECT_EQ(objSettings.strDefaultFolder, "");
        EXPECT_EQ(objSettings.strStandardFolder, "");
        EXPECT_TRUE(objRegistry.arrWrites.empty());
        EXPECT_TRUE(objMessages.arrShown.empty());
    }
    Store("SortIndex", "9");
    LoadSettings(objSettings, objRegistry, objMessages);
    EXPECT_EQ(objRegistry.arrWrites, RestoreWrites(""));
    EXPECT_EQ(objMessages.arrShown.size(), 1u);
    // The restored empty folder is no unusable value at the next start.
    LoadSettings(objSettings, objRegistry, objMessages);
    EXPECT_EQ(objMessages.arrShown.size(), 1u);
}

TEST_F(SettingsStoreTest, MissingHomeNeverGivesAFolderThatDoesNotExist) {
    SetDesktopLocationProvider({});
    ScopedEnvironment objHome("HOME", objRoot.path() + "/nonexistent");
    EXPECT_FALSE(GetDefaultFolder(objSettings));
    EXPECT_EQ(objSettings.strDefaultFolder, "");

    RegistryStringHandler objStore;
    for (int intRun = 0; intRun < 2; ++intRun) {
        SCOPED_TRACE(intRun);
        LoadSettings(objSettings, objStore, objMessages);
        EXPECT_TRUE(objMessages.arrShown.empty());
        EXPECT_TRUE(QDir(strConfig).isEmpty());
    }
}

TEST_F(SettingsStoreTest, RestoreWhoseWritesFailSaysTheDefaultsWereNotSaved) {
    for (const std::string strFailing : {"CustomFormat", "StandardFolder"}) {
        SCOPED_TRACE(strFailing);
        RefusingRegistry objRefusing;
        objRefusing.strRefusedName = strFailing;
        objRefusing.mapValue[{strSettingsKey, "PromptToSave"}] = "2";
        objMessages = FakeMessageBox();
        LoadSettings(objSettings, objRefusing, objMessages);
        EXPECT_EQ(objSettings.intPromptToSave, 1);
        ASSERT_EQ(objMessages.arrShown.size(), 1u);
        EXPECT_EQ(objMessages.arrShown[0].strText, strRestoreNotSavedText);
        EXPECT_EQ(objMessages.arrShown[0].strTitle, "Huevra");
        EXPECT_EQ(objMessages.arrShown[0].enmIcon, MessageIcon::Warning);
    }
}

TEST_F(SettingsStoreTest, NumberTypedValueInTheRealStoreGivesTheDefaultSilently) {
    {
        QSettings objFile(QSettings::NativeFormat, QSettings::UserScope, "Pellmark", "Huevra 2004");
        objFile.setValue("FormatIndex", QByteArray("5"));
        objFile.setValue("SortIndex", "1");
    }
    RegistryStringHandler objStore;
    LoadSettings(objSettings, objStore, objMessages);
    EXPECT_EQ(objSettings.intStandardFormat, 0);
    EXPECT_EQ(objSettings.intSortIndex, 1);
    EXPECT_TRUE(objMessages.arrShown.empty());
}

TEST_F(SettingsStoreTest, RestoreReachesTheRealStore) {
    RegistryStringHandler objStore;
    objStore.WriteString(RegistryHive::CurrentUser, strSettingsKey, "CustomFormat",
                         std::string(251, 'x'));
    objStore.WriteString(RegistryHive::CurrentUser, strSettingsKey, "SortIndex", "1");
    LoadSettings(objSettings, objStore, objMessages);
    EXPECT_EQ(objMessages.arrShown.size(), 1u);
    for (const auto& [strKey, strName, strText] : RestoreWrites(strDesktop)) {
        SCOPED_TRACE(strName);
        EXPECT_EQ(objStore.ReadString(RegistryHive::CurrentUser, strKey, strName), strText);
    }
    LoadSettings(objSettings, objStore, objMessages);
    EXPECT_EQ(objMessages.arrShown.size(), 1u);
}

TEST_F(SettingsStoreTest, DefaultFolderFallsBackToHomeWhenTheDesktopIsMissing) {
    ScopedEnvironment objHome("HOME", objRoot.path());
    const std::string strHome = Native(QDir::homePath());

    EXPECT_TRUE(GetDefaultFolder(objSettings));
    EXPECT_EQ(objSettings.strDefaultFolder, strDesktop);

    strDesktop = Folder("NoDesktop");
    EXPECT_TRUE(GetDefaultFolder(objSettings));
    EXPECT_EQ(objSettings.strDefaultFolder, strHome);

    // First run without a desktop folder: nothing to restore.
    LoadSettings(objSettings, objRegistry, objMessages);
    EXPECT_EQ(objSettings.strStandardFolder, strHome);
    EXPECT_TRUE(objRegistry.arrWrites.empty());
    EXPECT_TRUE(objMessages.arrShown.empty());

    strDesktop.clear();
    EXPECT_FALSE(GetDefaultFolder(objSettings));
    EXPECT_EQ(objSettings.strDefaultFolder, "");
}

TEST_F(SettingsStoreTest, PlatformDesktopFolderIsUsedWhenItExists) {
    SetDesktopLocationProvider({});
    ScopedEnvironment objHome("HOME", objRoot.path() + "/Palettes");
    EXPECT_TRUE(GetDefaultFolder(objSettings));
    EXPECT_EQ(objSettings.strDefaultFolder, Folder("Palettes"));

    ASSERT_TRUE(QDir(objRoot.path()).mkpath("Palettes/Desktop"));
    EXPECT_TRUE(GetDefaultFolder(objSettings));
    EXPECT_EQ(objSettings.strDefaultFolder, Folder("Palettes/Desktop"));
}

TEST_F(SettingsStoreTest, FolderExistsOnlyForDirectoriesNamedExactly) {
    QFile objFile(objRoot.path() + "/Palettes/colours.txt");
    ASSERT_TRUE(objFile.open(QIODevice::WriteOnly));
    objFile.close();
    const std::string strSeparator = modSupport::strPathSeparator;
    const std::vector<std::pair<std::string, bool>> arrCases = {
        {Folder("Palettes/Work"), true},
        {Folder("Palettes/Work") + strSeparator, true},
        {Folder("Palettes/Work") + strSeparator + strSeparator, false},
        {Folder("Palettes/work"), false},
        {Folder("palettes/Work"), false},
        {Folder("Palettes/Gone"), false},
        {Folder("Palettes/colours.txt"), false},
        {Folder("Palettes/Work/.."), true},
        {"", false},
        {Folder("Palettes/Work") + std::string(1, '\0'), false},
        {strSeparator, true},
    };
    for (const auto& [strPath, blnExists] : arrCases) {
        SCOPED_TRACE(strPath);
        EXPECT_EQ(FolderExists(strPath), blnExists);
    }
}

#ifndef _WIN32
TEST_F(SettingsStoreTest, ShortPathsAreFoldersWhenTheyNameADirectory) {
    const QString strOld = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(objRoot.path() + "/Palettes"));
    ASSERT_TRUE(QDir().mkpath("ab"));
    const std::vector<std::pair<std::string, bool>> arrCases = {
        {"ab", true}, {"ab/", true},  {"zz", false},   {".", true},
        {"..", true}, {"Work", true}, {"work", false},
    };
    for (const auto& [strPath, blnExists] : arrCases) {
        SCOPED_TRACE(strPath);
        EXPECT_EQ(FolderExists(strPath), blnExists);
    }
    QDir::setCurrent(strOld);
}
#endif

TEST_F(SettingsStoreTest, MissingStandardFolderIsKeptWithoutTouchingTheOtherSettings) {
    const std::string strFolder = Folder("Removable/Palettes");
    Store("CustomFormat", "%UR%%UG%%UB%");
    Store("FormatIndex", "11");
    Store("SortIndex", "1");
    Store("PromptToSave", "0");
    Store("StandardFolder", strFolder);
    LoadSettings(objSettings, objRegistry, objMessages);
    EXPECT_EQ(objSettings.strCustomFormat, "%UR%%UG%%UB%");
    EXPECT_EQ(objSettings.intStandardFormat, 11);
    EXPECT_EQ(objSettings.intSortIndex, 1);
    EXPECT_EQ(objSettings.intPromptToSave, 0);
    // The setting stays as stored; whoever starts a file dialog checks that the folder is there.
    EXPECT_EQ(objSettings.strStandardFolder, strFolder);
    EXPECT_FALSE(FolderExists(objSettings.strStandardFolder));
    EXPECT_TRUE(objRegistry.arrWrites.empty());
    EXPECT_TRUE(objMessages.arrShown.empty());

    // The disk is back.
    ASSERT_TRUE(QDir(objRoot.path()).mkpath("Removable/Palettes"));
    LoadSettings(objSettings, objRegistry, objMessages);
    EXPECT_EQ(objSettings.strStandardFolder, strFolder);
    EXPECT_TRUE(FolderExists(objSettings.strStandardFolder));
    EXPECT_TRUE(objRegistry.arrWrites.empty());
}

/// Explains why it refuses, as the settings file does.
class ExplainingRegistry : public RefusingRegistry, public IStoreCheck {
public:
    std::string TakeUnreadableStoreText() override { return {}; }
    std::string UnsavedStoreText() override { return "the reason"; }
};

TEST_F(SettingsStoreTest, RefusedSettingsAreKeptForTheRunAndToldOncePerStore) {
    struct Case {
        std::string strRefused;
        bool blnExplains;
        std::string strText;
    };
    const std::vector<Case> arrCases = {
        {"SortIndex", false, strSettingsNotSavedText},
        {"StandardFolder", false, strSettingsNotSavedText},  // a store that throws
        {"SortIndex", true, "the reason"},
    };
    for (const Case& objCase : arrCases) {
        SCOPED_TRACE(objCase.strRefused + (objCase.blnExplains ? " explained" : ""));
        ExplainingRegistry objExplaining;
        RefusingRegistry objPlain;
        RefusingRegistry& objStore = objCase.blnExplains ? objExplaining : objPlain;
        objStore.strRefusedName = objCase.strRefused;
        objStore.mapValue[{strSettingsKey, "SortIndex"}] = "0";
        objStore.mapValue[{strSettingsKey, "StandardFolder"}] = strDesktop;
        objSettings = ProgramSettings{};
        objMessages = FakeMessageBox();
        const std::string strFolder = Folder("Palettes/Work");
        EXPECT_FALSE(StoreSettings(objSettings, objStore, objMessages,
                                   {{"FormatIndex", "7"},
                                    {"SortIndex", "1"},
                                    {"PromptToSave", "0"},
                                    {"StandardFolder", strFolder}}));
        ASSERT_EQ(objMessages.arrShown.size(), 1u);
        EXPECT_EQ(objMessages.arrShown[0].strText, objCase.strText);
        EXPECT_EQ(objMessages.arrShown[0].strTitle, "Huevra");
        EXPECT_EQ(objMessages.arrShown[0].enmIcon, MessageIcon::Warning);
        // The values taken are stored; the refused one is not, but the run keeps it.
        EXPECT_EQ(objStore.arrWrites.size(), 3u);
        LoadSettings(objSettings, objStore, objMessages);
        EXPECT_EQ(objSettings.intStandardFormat, 7);
        EXPECT_EQ(objSettings.intSortIndex, 1);
        EXPECT_EQ(objSettings.intPromptToSave, 0);
        EXPECT_EQ(objSettings.strStandardFolder, strFolder);
        EXPECT_EQ(objMessages.arrShown.size(), 1u);

        // Once the store takes a later text, the store counts again.
        objStore.strRefusedName.clear();
        const bool blnSort = objCase.strRefused == "SortIndex";
        EXPECT_TRUE(StoreSettings(objSettings, objStore, objMessages,
                                  {{objCase.strRefused, blnSort ? "0" : strDesktop}}));
        LoadSettings(objSettings, objStore, objMessages);
        EXPECT_EQ(objSettings.intSortIndex, blnSort ? 0 : 1);
        EXPECT_EQ(objSettings.strStandardFolder, blnSort ? strFolder : strDesktop);
        EXPECT_EQ(objMessages.arrShown.size(), 1u);
    }
}

TEST_F(SettingsStoreTest, DefaultsARestoreCouldNotStoreHoldForTheRestOfTheRun) {
    RefusingRegistry objRefusing;
    objRefusing.strRefusedName = "SortIndex";
    objRefusing.mapValue[{strSettingsKey, "SortIndex"}] = "9";
    LoadSettings(objSettings, objRefusing, objMessages);
    ASSERT_EQ(objMessages.arrShown.size(), 1u);
    EXPECT_EQ(objMessages.arrShown[0].strText, strRestoreNotSavedText);
    // The next dialog's load takes the defaults in use, without restoring and telling again.
    objRefusing.arrWrites.clear();
    LoadSettings(objSettings, objRefusing, objMessages);
    EXPECT_EQ(objSettings.intSortIndex, 0);
    EXPECT_TRUE(objRefusing.arrWrites.empty());
    EXPECT_EQ(objMessages.arrShown.size(), 1u);
}
