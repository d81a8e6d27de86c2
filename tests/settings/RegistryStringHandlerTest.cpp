#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPoint>
#include <QProcess>
#include <QSettings>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "settings/RegistryStringHandler.h"
#include "settings/SettingsStore.h"
#include "tests/support/Fakes.h"

namespace {

const std::string strKey = strSettingsKey;

std::string Repeated(const std::string& strPiece, int intCount) {
    std::string strResult;
    for (int i = 0; i < intCount; ++i) strResult += strPiece;
    return strResult;
}

/// Texts that a plain text store could easily mangle.
std::vector<std::string> AwkwardTexts() {
    return {"#%HEX%, rgb(%R%, %G%, %B%)",
            "\"quoted\" and 'single'",
            "back\\slash\\",
            "\\\\server\\share",
            "a=b; c",
            "  leading and trailing  ",
            " ",
            "@leading at",
            "@@two",
            "@ByteArray(abc)",
            "@Variant(x)",
            "@Invalid()",
            "[General]",
            "Grün, ÿ, 日本, 🎨",
            "tab\there",
            "two\nlines",
            "%U0041 %41",
            Repeated("x", 250),
            Repeated("é,", 125),
            ""};
}

}  // namespace

/// Every test gets a settings folder of its own, never the user's.
class RegistryStringHandlerTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(objConfig.isValid());
        arrOldConfigHome = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(objConfig.path()));
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, objConfig.path());
    }
    void TearDown() override { qputenv("XDG_CONFIG_HOME", arrOldConfigHome); }

    static std::string TrimKeyPath(const std::string& strKeyPath) {
        return RegistryStringHandler::TrimKeyPath(strKeyPath);
    }
    QString SettingsFile() const { return objConfig.path() + "/Pellmark/Huevra 2004.conf"; }
    void WriteSettingsFile(const QByteArray& arrText) const {
        ASSERT_TRUE(QDir(objConfig.path()).mkpath("Pellmark"));
        QFile objFile(SettingsFile());
        ASSERT_TRUE(objFile.open(QIODevice::WriteOnly));
        objFile.write(arrText);
    }
    std::string Read(const std::string& strValueName, const std::string& strKeyPath = strKey) {
        return objRegistry.ReadString(RegistryHive::CurrentUser, strKeyPath, strValueName);
    }
    bool Write(const std::string& strValueName, const std::string& strData,
               const std::string& strKeyPath = strKey) {
        return objRegistry.WriteString(RegistryHive::CurrentUser, strKeyPath, strValueName,
                                       strData);
    }
    // Runs the probe in a second process on the same settings folder.
    QString RunProbe(const QStringList& arrArguments) {
        QProcess objProbe;
        QProcessEnvironment objEnvironment = QProcessEnvironment::systemEnvironment();
        objEnvironment.insert("XDG_CONFIG_HOME", objConfig.path());
        objProbe.setProcessEnvironment(objEnvironment);
        objProbe.start(HUEVRA_SETTINGS_PROBE, arrArguments);
        // The long wait only keeps a broken probe from hanging the run.
        EXPECT_TRUE(objProbe.waitForFinished(60000)) << objProbe.errorString().toStdString();
        EXPECT_EQ(objProbe.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(objProbe.exitCode(), 0) << objProbe.readAllStandardError().toStdString();
        return QString::fromLatin1(objProbe.readAllStandardOutput());
    }

    QTemporaryDir objConfig;
    QByteArray arrOldConfigHome;
    RegistryStringHandler objRegistry;
};

TEST_F(RegistryStringHandlerTest, AwkwardTextsReadBackExactly) {
    for (const std::string& strText : AwkwardTexts()) {
        SCOPED_TRACE(strText);
        EXPECT_TRUE(Write("CustomFormat", strText));
        EXPECT_EQ(
            RegistryStringHandler().ReadString(RegistryHive::CurrentUser, strKey, "CustomFormat"),
            strText);
    }
    // The key maps to the organisation's folder and the application's file, values at the top.
    QSettings objFile(SettingsFile(), QSettings::IniFormat);
    EXPECT_EQ(objFile.childKeys(), QStringList{"CustomFormat"});
    EXPECT_TRUE(objFile.childGroups().isEmpty());
}

TEST_F(RegistryStringHandlerTest, TrimKeyPathDropsOuterBackslashesOnly) {
    const std::vector<std::pair<std::string, std::string>> arrCases = {
        {"", ""},
        {"\\", ""},
        {"\\\\\\", ""},
        {"Software\\Pellmark", "Software\\Pellmark"},
        {"\\Software\\Pellmark\\", "Software\\Pellmark"},
        {"\\\\Software\\\\Pellmark\\\\", "Software\\\\Pellmark"},
        {"a", "a"},
        {" \\a\\ ", " \\a\\ "},
    };
    for (const auto& [strIn, strOut] : arrCases) {
        SCOPED_TRACE(strIn);
        EXPECT_EQ(TrimKeyPath(strIn), strOut);
    }
}

TEST_F(RegistryStringHandlerTest, OuterBackslashesAddressTheSameKey) {
    EXPECT_TRUE(Write("SortIndex", "1", "\\" + strKey + "\\\\"));
    EXPECT_EQ(Read("SortIndex"), "1");
    EXPECT_TRUE(Write("SortIndex", "0"));
    EXPECT_EQ(Read("SortIndex", "\\\\" + strKey), "0");
    EXPECT_EQ(Read("SortIndex", strKey + "\\"), "0");
}

TEST_F(RegistryStringHandlerTest, KeyPathsOutsideTheStoreAreRefused) {
    const std::vector<std::string> arrKeys = {
        "",
        "\\",
        "Pellmark\\Huevra 2004",
        "Software",
        "Software\\Pellmark",
        "Software\\\\Pellmark\\Huevra 2004",
        "Software\\..\\Huevra 2004",
        "Software\\Pellmark\\..",
        "Software\\Pell/mark\\Huevra 2004",
        "Software\\Pellmark\\Huevra 2004\\\\Recent",
    };
    for (const std::string& strKeyPath : arrKeys) {
        SCOPED_TRACE(strKeyPath);
        EXPECT_FALSE(Write("SortIndex", "1", strKeyPath));
        EXPECT_EQ(Read("SortIndex", strKeyPath), "");
    }
    for (const std::string strName : {"", "a/b", "a\\b"}) {
        SCOPED_TRACE(strName);
        EXPECT_FALSE(Write(strName, "1"));
        EXPECT_EQ(Read(strName), "");
    }
    EXPECT_TRUE(QDir(objConfig.path()).isEmpty());
}

TEST_F(RegistryStringHandlerTest, MissingKeyOrValueReadsEmptyAndCreatesNothing) {
    EXPECT_EQ(Read("FormatIndex"), "");
    EXPECT_TRUE(QDir(objConfig.path()).isEmpty());

    // Values stored for the whole organisation belong to another key.
    QFile objOrganisation(objConfig.path() + "/Pellmark.conf");
    ASSERT_TRUE(objOrganisation.open(QIODevice::WriteOnly));
    objOrganisation.write("[General]\nFormatIndex=3\n");
    objOrganisation.close();
    EXPECT_EQ(Read("FormatIndex"), "");

    EXPECT_TRUE(Write("SortIndex", "1"));
    EXPECT_EQ(Read("FormatIndex"), "");
    EXPECT_EQ(Read("sortindex"), "");
}

TEST_F(RegistryStringHandlerTest, HandEditedLinesReadAsTheUserWroteThem) {
    WriteSettingsFile(
        "[General]\n"
        "CustomFormat=a, b\n"
        "Tight=rgb(%R%,%G%,%B%)\n"
        "Quoted=\"x, y\"\n"
        "Padded=   hello world   \n"
        "Trailing=a,\n"
        "Escaped=C:\\\\Temp, D:\\\\Temp\n"
        "; a comment\n"
        "Unicode=Grün, blau\n");
    const std::vector<std::pair<std::string, std::string>> arrCases = {
        {"CustomFormat", "a, b"},  {"Tight", "rgb(%R%,%G%,%B%)"},
        {"Quoted", "x, y"},        {"Padded", "hello world"},
        {"Trailing", "a,"},        {"Escaped", "C:\\Temp, D:\\Temp"},
        {"Unicode", "Grün, blau"},
    };
    for (const auto& [strName, strText] : arrCases) {
        SCOPED_TRACE(strName);
        EXPECT_EQ(Read(strName), strText);
    }
}

TEST_F(RegistryStringHandlerTest, FileWithBrokenLinesStillReadsAndWrites) {
    WriteSettingsFile("[General]\nstray words\nSortIndex=1\n[Recent\nPromptToSave=0\n");
    EXPECT_TRUE(Write("FormatIndex", "@3, 4"));
    EXPECT_EQ(Read("FormatIndex"), "@3, 4");
    EXPECT_EQ(Read("SortIndex"), "1");
}

TEST_F(RegistryStringHandlerTest, ValuesThatAreNoStringsReadEmpty) {
    {
        QSettings objSettings(QSettings::NativeFormat, QSettings::UserScope, "Pellmark",
                              "Huevra 2004");
        objSettings.setValue("Bytes", QByteArray("5"));
        objSettings.setValue("Point", QPoint(1, 2));
        objSettings.setValue("Nothing", QVariant());
        objSettings.setValue("Recent/File", "a.txt");  // a subkey, not a value
    }
    for (const std::string strName : {"Bytes", "Point", "Nothing", "Recent"}) {
        SCOPED_TRACE(strName);
        EXPECT_EQ(Read(strName), "");
    }
    EXPECT_EQ(Read("File", strKey + "\\Recent"), "a.txt");
}

TEST_F(RegistryStringHandlerTest, SubkeysKeepTheirOwnValues) {
    const std::string strSubkey = strKey + "\\Recent\\Files";
    EXPECT_TRUE(Write("SortIndex", "sub", strSubkey));
    EXPECT_TRUE(Write("SortIndex", "top"));
    EXPECT_EQ(Read("SortIndex", strSubkey), "sub");
    EXPECT_EQ(Read("SortIndex"), "top");
    EXPECT_EQ(Read("SortIndex", strKey + "\\Recent"), "");
}

TEST_F(RegistryStringHandlerTest, FailedWriteReturnsFalse) {
    // A file where the organisation's folder belongs: nothing can be stored, not even by root.
    QFile objBlocker(objConfig.path() + "/Pellmark");
    ASSERT_TRUE(objBlocker.open(QIODevice::WriteOnly));
    objBlocker.close();
    EXPECT_FALSE(Write("SortIndex", "1"));
    EXPECT_EQ(Read("SortIndex"), "");
}

// Permission bits stop every user but root, and QSettings replaces the file through a new one
// beside it. So a write to a read-only file or folder fails for a user and succeeds for root;
// either way the answer must agree with the file. A file where the folder belongs stops root too.
TEST_F(RegistryStringHandlerTest, WriteAnswerAgreesWithTheFileAndFailuresSayWhy) {
    const bool blnRoot = geteuid() == 0;
    const QString strFolder = objConfig.path() + "/Pellmark";
    struct Case {
        const char* strName;
        std::function<void()> fnPrepare;
        bool blnStored;
        QString strShownFile;
        const char* strReason;
    };
    const auto ReadOnly = [](const QString& strPath, bool blnFolder) {
        ASSERT_EQ(chmod(QFile::encodeName(strPath).constData(), blnFolder ? 0555 : 0444), 0);
    };
    const std::vector<Case> arrCases = {
        {"folder is a file",
         [&] {
             QFile objBlocker(strFolder);
             ASSERT_TRUE(objBlocker.open(QIODevice::WriteOnly));
         },
         false, SettingsFile(), "Its folder does not exist and cannot be created."},
        {"read-only file",
         [&] {
             WriteSettingsFile("[General]\nSortIndex=0\n");
             ReadOnly(SettingsFile(), false);
         },
         blnRoot, SettingsFile(), "The file is read-only."},
        {"read-only folder",
         [&] {
             WriteSettingsFile("[General]\nSortIndex=0\n");
             ReadOnly(strFolder, true);
         },
         blnRoot, SettingsFile(), "Its folder is read-only."},
        {"folder where the file belongs",
         [&] { ASSERT_TRUE(QDir(objConfig.path()).mkpath("Pellmark/Huevra 2004.conf")); }, false,
         SettingsFile(), "It is not a regular file."},
    };
    for (const Case& objCase : arrCases) {
        SCOPED_TRACE(objCase.strName);
        ASSERT_TRUE(objConfig.isValid());
        objCase.fnPrepare();
        const bool blnWritten = Write("SortIndex", "1");
        EXPECT_EQ(blnWritten, objCase.blnStored);
        QFile objFile(SettingsFile());
        const bool blnInFile =
            objFile.open(QIODevice::ReadOnly) && objFile.readAll().contains("SortIndex=1");
        EXPECT_EQ(blnWritten, blnInFile);
        if (!blnWritten) {
            EXPECT_EQ(objRegistry.UnsavedStoreText(),
                      "Huevra could not save the settings to the file\r\n\r\n" +
                          QDir::toNativeSeparators(objCase.strShownFile).toStdString() +
                          "\r\n\r\n" + objCase.strReason +
                          " Huevra uses the new settings until it is closed.");
        }
        // A fresh settings folder for the next case.
        chmod(QFile::encodeName(strFolder).constData(), 0755);
        if (QFileInfo(strFolder).isDir())
            QDir(strFolder).removeRecursively();
        else
            QFile::remove(strFolder);
    }
}

TEST_F(RegistryStringHandlerTest, AnotherProcessReadsTheSameTexts) {
    const std::vector<std::string> arrTexts = AwkwardTexts();
    QStringList arrWrite = {"write", QString::fromStdString(strKey)};
    QStringList arrRead = {"read", QString::fromStdString(strKey)};
    for (std::size_t i = 0; i < arrTexts.size(); ++i) {
        const QString strName = "Value" + QString::number(i);
        arrWrite << strName << QByteArray::fromStdString(arrTexts[i]).toHex();
        arrRead << strName;
    }

    // Written here, read there.
    for (std::size_t i = 0; i < arrTexts.size(); ++i)
        EXPECT_TRUE(Write("Value" + std::to_string(i), arrTexts[i]));
    const QStringList arrLines = RunProbe(arrRead).split('\n');
    ASSERT_GE(arrLines.size(), static_cast<qsizetype>(arrTexts.size()));
    for (std::size_t i = 0; i < arrTexts.size(); ++i) {
        SCOPED_TRACE(arrTexts[i]);
        EXPECT_EQ(QByteArray::fromHex(arrLines[i].toLatin1()).toStdString(), arrTexts[i]);
    }

    // Written there, read here.
    ASSERT_TRUE(QFile::remove(SettingsFile()));
    RunProbe(arrWrite);
    for (std::size_t i = 0; i < arrTexts.size(); ++i) {
        SCOPED_TRACE(arrTexts[i]);
        EXPECT_EQ(Read("Value" + std::to_string(i)), arrTexts[i]);
    }
}

// Each case puts something where QSettings would open a file; reading and writing must neither
// wait on it nor change it, and the loader says once that the settings cannot be read. An alarm
// turns a hang into a failure. Binary values are refused in every spelling QSettings would
// decode; the first asks QDataStream for a list of two billion texts.
TEST_F(RegistryStringHandlerTest, UnsafeSettingsFileIsNeverOpened) {
    ASSERT_TRUE(QDir(objConfig.path()).mkpath("Pellmark"));
    const QByteArray arrFile = QFile::encodeName(SettingsFile());
    const QByteArray arrHuge = "[General]\nSortIndex=7\n; " +
                               QByteArray(static_cast<int>(lngMaxSettingsFileBytes), 'x') + "\n";
    struct Case {
        const char* strName;
        std::function<void()> fnPrepare;
        const char* strReason;
        const char* strRefusedSuffix = "";  // the file the message names, after SettingsFile()
    };
    std::vector<Case> arrCases = {
        {"FIFO", [&] { ASSERT_EQ(mkfifo(arrFile.constData(), 0600), 0); },
         "It is not a regular file."},
        {"folder", [&] { ASSERT_TRUE(QDir().mkpath(SettingsFile())); },
         "It is not a regular file."},
        {"FIFO as the lock file",
         [&] {
             WriteSettingsFile("[General]\nSortIndex=7\n");
             ASSERT_EQ(mkfifo((arrFile + ".lock").constData(), 0600), 0);
         },
         "It is not a regular file.", ".lock"},
        {"over 1 MiB", [&] { WriteSettingsFile(arrHuge); }, "It is larger than 1 MiB."},
    };
    const char* strNotText = "It holds a value that is not text.";
    for (const char* strLine :
         {"FormatIndex=@Variant(\\0\\0\\0\\xByteArray(1)", "X=\"@Var\"iant(\\0\\0\\0\\x9)",
          "X=\\x40Variant(\\0)", "X=\\100\\x56\\141riant(\\0)", "X = 1, \"@Variant(\\0)\"",
          "X=@DateTime(\\0)"}) {
        arrCases.push_back({strLine, [&, strLine] {
                                WriteSettingsFile(QByteArray("[General]\nSortIndex=1\n") +
                                                  "[Other]\n" + strLine + "\n");
                            },
                            strNotText});
    }
    for (const Case& objCase : arrCases) {
        SCOPED_TRACE(objCase.strName);
        ASSERT_TRUE(QDir(objConfig.path() + "/Pellmark").removeRecursively());
        ASSERT_TRUE(QDir(objConfig.path()).mkpath("Pellmark"));
        objCase.fnPrepare();
        const QStringList arrBefore = QDir(objConfig.path() + "/Pellmark").entryList();
        const qint64 lngSizeBefore = QFileInfo(SettingsFile()).size();

        alarm(60);
        RegistryStringHandler objStore;
        EXPECT_EQ(objStore.ReadString(RegistryHive::CurrentUser, strKey, "SortIndex"), "");
        EXPECT_FALSE(objStore.WriteString(RegistryHive::CurrentUser, strKey, "SortIndex", "1"));
        ProgramSettings objSettings;
        FakeMessageBox objMessages;
        LoadSettings(objSettings, objStore, objMessages);
        LoadSettings(objSettings, objStore, objMessages);
        alarm(0);

        EXPECT_EQ(objSettings.intSortIndex, 0);
        EXPECT_EQ(objSettings.intPromptToSave, 1);
        ASSERT_EQ(objMessages.arrShown.size(), 1u);
        const std::string strExpected =
            "Huevra could not read its settings from the file\r\n\r\n" +
            QDir::toNativeSeparators(SettingsFile() + objCase.strRefusedSuffix).toStdString() +
            "\r\n\r\n" + objCase.strReason +
            " Huevra uses the default settings and does not change the file.";
        EXPECT_EQ(objMessages.arrShown[0].strText, strExpected);
        EXPECT_EQ(objMessages.arrShown[0].strTitle, "Huevra");
        EXPECT_EQ(objMessages.arrShown[0].enmIcon, MessageIcon::Warning);
        EXPECT_EQ(QDir(objConfig.path() + "/Pellmark").entryList(), arrBefore);
        EXPECT_EQ(QFileInfo(SettingsFile()).size(), lngSizeBefore);
    }
}

// Texts that mention a binary form without QSettings decoding it, as the program writes them.
TEST_F(RegistryStringHandlerTest, TextsThatOnlyLookBinaryAreRead) {
    const std::vector<std::pair<QByteArray, std::string>> arrCases = {
        {"@@Variant(1)", "@Variant(1)"},
        {"\"a, @Variant(x)\"", "a, @Variant(x)"},
        {"x@DateTime(y)", "x@DateTime(y)"},
        {"\"@\"@Variant(x)", "@Variant(x)"},
    };
    for (const auto& [arrLine, strExpected] : arrCases) {
        SCOPED_TRACE(arrLine.toStdString());
        WriteSettingsFile("[General]\nCustomFormat=" + arrLine + "\n");
        EXPECT_EQ(Read("CustomFormat"), strExpected);
        EXPECT_TRUE(objRegistry.TakeUnreadableStoreText().empty());
    }
    for (const std::string strText : {"@Variant(x)", "a, @Variant(x)", "@DateTime(x), y"}) {
        SCOPED_TRACE(strText);
        ASSERT_TRUE(Write("CustomFormat", strText));
        EXPECT_EQ(Read("CustomFormat"), strText);
    }
}

TEST_F(RegistryStringHandlerTest, OnlyTheProgramsOwnFileIsOpened) {
    // The organisation's file is no part of the key; a FIFO there must not be opened.
    ASSERT_TRUE(QDir(objConfig.path()).mkpath("Pellmark"));
    ASSERT_EQ(mkfifo(QFile::encodeName(objConfig.path() + "/Pellmark.conf").constData(), 0600), 0);
    alarm(60);
    EXPECT_TRUE(Write("SortIndex", "1"));
    EXPECT_EQ(Read("SortIndex"), "1");
    alarm(0);
    EXPECT_TRUE(objRegistry.TakeUnreadableStoreText().empty());
}

TEST_F(RegistryStringHandlerTest, FileOfExactlyTheLimitIsStillRead) {
    QByteArray arrText = "[General]\nSortIndex=1\n; ";
    arrText += QByteArray(static_cast<int>(lngMaxSettingsFileBytes) - arrText.size() - 1, 'x');
    arrText += "\n";
    WriteSettingsFile(arrText);
    ASSERT_EQ(QFileInfo(SettingsFile()).size(), lngMaxSettingsFileBytes);
    EXPECT_EQ(Read("SortIndex"), "1");
    EXPECT_TRUE(objRegistry.TakeUnreadableStoreText().empty());
}
