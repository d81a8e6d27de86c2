#include "settings/RegistryStringHandler.h"

#include <QByteArray>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <algorithm>
#include <cstring>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace {

// On these systems the native store is an INI-style text file that a user may edit by hand.
#if !defined(Q_OS_WIN) && !defined(Q_OS_DARWIN)
constexpr bool blnTextFileStore = true;
#else
constexpr bool blnTextFileStore = false;
#endif

/// Where a key path lives in QSettings terms.
struct KeyLocation {
    QString strOrganisation;
    QString strApplication;
    QStringList arrGroups;
};

// QSettings reads "/" and "\" in a name as group separators, so such names cannot be stored.
bool UsableName(const QString& strName) {
    return !strName.isEmpty() && !strName.contains(QLatin1Char('/')) &&
           !strName.contains(QLatin1Char('\\'));
}

// Splits "Software\<organisation>\<application>[\<group>...]"; nothing for any other path.
std::optional<KeyLocation> LocateKey(const std::string& strTrimmedKey) {
    const QStringList arrParts = QString::fromStdString(strTrimmedKey).split(QLatin1Char('\\'));
    if (arrParts.size() < 3 || arrParts[0].compare(QLatin1String("Software"), Qt::CaseInsensitive))
        return std::nullopt;
    for (qsizetype i = 1; i < arrParts.size(); ++i) {
        if (!UsableName(arrParts[i])) return std::nullopt;
    }
    // The organisation and the application become a folder and a file name.
    for (qsizetype i = 1; i <= 2; ++i) {
        if (arrParts[i] == QLatin1String(".") || arrParts[i] == QLatin1String(".."))
            return std::nullopt;
    }
    return KeyLocation{arrParts[1], arrParts[2], arrParts.mid(3)};
}

// The file that holds an application's values: where QSettings keeps the user's native
// settings on these systems, "<config>/<organisation>/<application>.conf".
QString StoreFileName(const KeyLocation& objKey) {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QLatin1Char('/') + objKey.strOrganisation + QLatin1Char('/') + objKey.strApplication +
           QLatin1String(".conf");
}

enum class StoreFileState { Usable, NotAFile, TooLarge, NotText };

bool HoldsDataStreamValue(const QFileInfo& objInfo);

// Opening a FIFO or a device waits for a writer or never ends, and QSettings parses the whole
// file at every read and write, so such files are refused before QSettings sees them. The lock
// file QSettings reads before each write is refused the same way. So is a file with a value
// that QSettings would decode as binary data: its counts and lengths are taken on trust, and a
// few bytes can ask for gigabytes or nest deeper than the stack. The program writes texts only.
StoreFileState CheckStoreFile(const QString& strFileName, QString* strRefused = nullptr) {
    for (const QString& strName : {strFileName, strFileName + QLatin1String(".lock")}) {
        const QFileInfo objInfo(strName);
        if (!objInfo.exists()) continue;
        if (strRefused) *strRefused = strName;
        if (!objInfo.isFile()) return StoreFileState::NotAFile;
        if (objInfo.size() > lngMaxSettingsFileBytes) return StoreFileState::TooLarge;
        if (strName == strFileName && HoldsDataStreamValue(objInfo)) return StoreFileState::NotText;
    }
    return StoreFileState::Usable;
}

// Nothing when the store's file may not be opened.
std::unique_ptr<QSettings> OpenKey(const KeyLocation& objKey) {
    std::unique_ptr<QSettings> objSettings;
    if constexpr (blnTextFileStore) {
        // The file is named, so that QSettings reads this one file and not also the
        // organisation's and the system's files, which would be opened without the checks.
        const QString strFileName = StoreFileName(objKey);
        if (CheckStoreFile(strFileName) != StoreFileState::Usable) return nullptr;
        objSettings = std::make_unique<QSettings>(strFileName, QSettings::IniFormat);
    } else {
        objSettings = std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                                  objKey.strOrganisation, objKey.strApplication);
    }
    // A registry key holds its own values only, never the organisation's or the system's.
    objSettings->setFallbacksEnabled(false);
    for (const QString& strGroup : objKey.arrGroups) objSettings->beginGroup(strGroup);
    return objSettings;
}

QString FullKey(const KeyLocation& objKey, const QString& strName) {
    QStringList arrParts = objKey.arrGroups;
    arrParts.append(strName);
    return arrParts.join(QLatin1Char('/'));
}

// The reader below follows the text file syntax of QSettings, except that a comma is part of the
// text: a hand-edited line "CustomFormat=a, b" is one text to us, not a list of two.

bool IsLineSpace(char chr) { return chr == ' ' || chr == '\t' || chr == '\n' || chr == '\r'; }

bool IsHexDigit(char chr) {
    return (chr >= '0' && chr <= '9') || (chr >= 'a' && chr <= 'f') || (chr >= 'A' && chr <= 'F');
}

int HexValue(char chr) {
    if (chr >= '0' && chr <= '9') return chr - '0';
    if (chr >= 'a' && chr <= 'f') return chr - 'a' + 10;
    return chr - 'A' + 10;
}

struct IniLine {
    qsizetype lngStart = 0;
    qsizetype lngLength = 0;
    qsizetype lngEquals = -1;
};

// Finds the next logical line from lngPos on. Quoted text and escaped line ends continue a line;
// ";" starts a comment outside quotes.
bool NextIniLine(const QByteArray& arrData, qsizetype& lngPos, IniLine& objLine) {
    const qsizetype lngSize = arrData.size();
    bool blnInQuotes = false;
    objLine.lngEquals = -1;
    objLine.lngStart = lngPos;
    while (objLine.lngStart < lngSize && IsLineSpace(arrData[objLine.lngStart])) ++objLine.lngStart;
    qsizetype i = objLine.lngStart;
    while (i < lngSize) {
        // Ordinary bytes are passed over in bulk. The data ends with a NUL, where strcspn stops
        // at the latest; a NUL inside it is an ordinary byte.
        i += static_cast<qsizetype>(std::strcspn(arrData.constData() + i, "=\n\r\\\";"));
        if (i >= lngSize) break;
        const char chr = arrData[i++];
        if (chr == '\0') {
            continue;
        } else if (chr == '=') {
            if (!blnInQuotes && objLine.lngEquals == -1) objLine.lngEquals = i - 1;
        } else if (chr == '\n' || chr == '\r') {
            if (i == objLine.lngStart + 1) {
                ++objLine.lngStart;
            } else if (!blnInQuotes) {
                --i;
                break;
            }
        } else if (chr == '\\') {
            if (i < lngSize) {
                const char chrNext = arrData[i++];
                if (i < lngSize) {
                    const char chrAfter = arrData[i];
                    if ((chrNext == '\n' && chrAfter == '\r') ||
                        (chrNext == '\r' && chrAfter == '\n'))
                        ++i;
                }
            }
        } else if (chr == '"') {
            blnInQuotes = !blnInQuotes;
        } else if (chr == ';') {
            if (i == objLine.lngStart + 1) {
                while (i < lngSize && arrData[i] != '\n' && arrData[i] != '\r') ++i;
                objLine.lngStart = i;
            } else if (!blnInQuotes) {
                --i;
                break;
            }
        }
    }
    lngPos = i;
    objLine.lngLength = i - objLine.lngStart;
    return objLine.lngLength > 0;
}

// Section and key names: "\" separates groups, %XX and %UXXXX are escaped characters.
QString UnescapedIniKey(const QByteArray& arrKey) {
    QString strResult;
    qsizetype i = 0;
    while (i < arrKey.size()) {
        const char chr = arrKey[i];
        if (chr == '\\') {
            strResult += QLatin1Char('/');
            ++i;
            continue;
        }
        if (chr == '%' && i + 1 < arrKey.size()) {
            const qsizetype lngDigits = arrKey[i + 1] == 'U' ? 4 : 2;
            const qsizetype lngFirst = arrKey[i + 1] == 'U' ? i + 2 : i + 1;
            bool blnOk = false;
            const int intCode = lngFirst + lngDigits <= arrKey.size()
                                    ? arrKey.mid(lngFirst, lngDigits).toInt(&blnOk, 16)
                                    : 0;
            if (blnOk) {
                strResult += QChar(intCode);
                i = lngFirst + lngDigits;
                continue;
            }
        }
        strResult += QLatin1Char(chr);
        ++i;
    }
    return strResult;
}

// The character a one-letter escape such as "\n" stands for; 0 when chrCode is no such escape.
char SimpleEscape(char chrCode) {
    static constexpr char arrEscapes[][2] = {{'a', '\a'}, {'b', '\b'},  {'f', '\f'}, {'n', '\n'},
                                             {'r', '\r'}, {'t', '\t'},  {'v', '\v'}, {'"', '"'},
                                             {'?', '?'},  {'\'', '\''}, {'\\', '\\'}};
    for (const auto& arrEscape : arrEscapes) {
        if (chrCode == arrEscape[0]) return arrEscape[1];
    }
    return 0;
}

// A value's text with quotes and escapes resolved and commas kept where they stand. Where
// arrListCommas is given, it receives the position in the text after each comma at which
// QSettings would start a list element.
QString UnescapedIniText(const QByteArray& arrData, qsizetype lngFrom, qsizetype lngTo,
                         std::vector<qsizetype>* arrListCommas = nullptr) {
    QString strResult;
    bool blnInQuotes = false;
    bool blnQuoted = false;
    qsizetype lngChopLimit = 0;
    qsizetype i = lngFrom;
    const auto SkipSpaces = [&] {
        while (i < lngTo && (arrData[i] == ' ' || arrData[i] == '\t')) ++i;
    };
    SkipSpaces();
    while (i < lngTo) {
        const char chr = arrData[i];
        if (chr == '\\') {
            if (++i >= lngTo) break;
            const char chrCode = arrData[i++];
            if (const char chrEscaped = SimpleEscape(chrCode)) {
                strResult += QLatin1Char(chrEscaped);
            } else if (chrCode == 'x') {
                if (i < lngTo && IsHexDigit(arrData[i])) {
                    unsigned intCode = 0;
                    while (i < lngTo && IsHexDigit(arrData[i]))
                        intCode = intCode * 16 + HexValue(arrData[i++]);
                    strResult += QChar(static_cast<char16_t>(intCode));
                }
            } else if (chrCode >= '0' && chrCode <= '7') {
                unsigned intCode = static_cast<unsigned>(chrCode - '0');
                while (i < lngTo && arrData[i] >= '0' && arrData[i] <= '7')
                    intCode = intCode * 8 + static_cast<unsigned>(arrData[i++] - '0');
                strResult += QChar(static_cast<char16_t>(intCode));
            } else if (chrCode == '\n' || chrCode == '\r') {
                if (i < lngTo && (arrData[i] == '\n' || arrData[i] == '\r') &&
                    arrData[i] != chrCode)
                    ++i;
            }
            lngChopLimit = strResult.size();
        } else if (chr == '"') {
            ++i;
            blnQuoted = true;
            blnInQuotes = !blnInQuotes;
            if (!blnInQuotes) {
                SkipSpaces();
                lngChopLimit = strResult.size();
            }
        } else if (chr == ',' && !blnInQuotes && arrListCommas) {
            strResult += QLatin1Char(',');
            ++i;
            arrListCommas->push_back(strResult.size());
        } else {
            qsizetype j = i + 1;
            while (j < lngTo && arrData[j] != '\\' && arrData[j] != '"' && arrData[j] != ',') ++j;
            strResult += QString::fromUtf8(arrData.constData() + i, j - i);
            i = j;
        }
    }
    if (!blnQuoted) {
        while (strResult.size() > lngChopLimit &&
               (strResult.back() == QLatin1Char(' ') || strResult.back() == QLatin1Char('\t')))
            strResult.chop(1);
    }
    return strResult;
}

// The text of strFullKey ("group/name") as written in the settings file; the last line wins.
std::optional<QString> TextAsWritten(const QString& strFileName, const QString& strFullKey) {
    QFile objFile(strFileName);
    if (!objFile.open(QIODevice::ReadOnly)) return std::nullopt;
    const QByteArray arrData = objFile.readAll();
    qsizetype lngPos = arrData.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    QString strSection;
    std::optional<QString> strFound;
    IniLine objLine;
    while (NextIniLine(arrData, lngPos, objLine)) {
        if (arrData[objLine.lngStart] == '[') {
            const qsizetype lngClose = arrData.indexOf(']', objLine.lngStart);
            const qsizetype lngEnd =
                lngClose == -1 || lngClose >= objLine.lngStart + objLine.lngLength
                    ? objLine.lngStart + objLine.lngLength
                    : lngClose;
            const QByteArray arrSection =
                arrData.mid(objLine.lngStart + 1, lngEnd - objLine.lngStart - 1).trimmed();
            if (arrSection.compare("general", Qt::CaseInsensitive) == 0) {
                strSection.clear();
            } else if (arrSection.compare("%general", Qt::CaseInsensitive) == 0) {
                strSection = QString::fromLatin1(arrSection.mid(1)) + QLatin1Char('/');
            } else {
                strSection = UnescapedIniKey(arrSection) + QLatin1Char('/');
            }
            continue;
        }
        if (objLine.lngEquals == -1) continue;
        qsizetype lngKeyEnd = objLine.lngEquals;
        while (lngKeyEnd > objLine.lngStart &&
               (arrData[lngKeyEnd - 1] == ' ' || arrData[lngKeyEnd - 1] == '\t'))
            --lngKeyEnd;
        const QString strKey = strSection + UnescapedIniKey(arrData.mid(
                                                objLine.lngStart, lngKeyEnd - objLine.lngStart));
        if (strKey == strFullKey)
            strFound = UnescapedIniText(arrData, objLine.lngEquals + 1,
                                        objLine.lngStart + objLine.lngLength);
    }
    return strFound;
}

// True when a value of the file, or an element of a value QSettings would read as a list, begins
// with "@Variant(" or "@DateTime(", the forms QSettings decodes with QDataStream. The text is
// taken with its escapes resolved, as QSettings takes it. A stored text of ours that begins with
// "@" is written as "@@", and one with a comma is quoted, so no file the program writes is
// refused.
bool HoldsDataStreamValue(const QByteArray& arrData) {
    // The "@" comes as itself or from an escape.
    if (!arrData.contains('@') && !arrData.contains('\\')) return false;
    const auto BeginsDataStream = [](QStringView strText) {
        return strText.startsWith(QLatin1String("@Variant(")) ||
               strText.startsWith(QLatin1String("@DateTime("));
    };
    qsizetype lngPos = arrData.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    IniLine objLine;
    while (NextIniLine(arrData, lngPos, objLine)) {
        if (arrData[objLine.lngStart] == '[' || objLine.lngEquals == -1) continue;
        std::vector<qsizetype> arrListCommas;
        const QString strText = UnescapedIniText(
            arrData, objLine.lngEquals + 1, objLine.lngStart + objLine.lngLength, &arrListCommas);
        if (BeginsDataStream(strText)) return true;
        // A list element begins after its comma and the spaces that follow it.
        for (qsizetype j : arrListCommas) {
            while (j < strText.size() &&
                   (strText[j] == QLatin1Char(' ') || strText[j] == QLatin1Char('\t')))
                ++j;
            if (BeginsDataStream(QStringView(strText).sliced(j))) return true;
        }
    }
    return false;
}

// The last file checked and the answer, kept while the file's size and times stay the same, as
// QSettings keeps its parsed file, since every read and write of a value asks again.
struct CheckedFile {
    QString strFileName;
    qint64 lngSize = -1;
    QDateTime datModified;
    QDateTime datChanged;
    bool blnHolds = false;
};

CheckedFile& LastCheckedFile() {
    static thread_local CheckedFile objLast;
    return objLast;
}

bool HoldsDataStreamValue(const QFileInfo& objInfo) {
    CheckedFile& objLast = LastCheckedFile();
    const QDateTime datModified = objInfo.lastModified();
    const QDateTime datChanged = objInfo.metadataChangeTime();
    if (objLast.strFileName == objInfo.filePath() && objLast.lngSize == objInfo.size() &&
        objLast.datModified == datModified && objLast.datChanged == datChanged)
        return objLast.blnHolds;
    QFile objFile(objInfo.filePath());
    // A file that cannot be opened is left to QSettings, which reports it.
    if (!objFile.open(QIODevice::ReadOnly)) return false;
    // read() sets aside all it may take, so it is asked for no more than the file holds.
    const QByteArray arrData =
        objFile.read(std::min<qint64>(objInfo.size(), lngMaxSettingsFileBytes) + 1);
    objLast = {objInfo.filePath(), objInfo.size(), datModified, datChanged,
               HoldsDataStreamValue(arrData)};
    return objLast.blnHolds;
}

// A file QSettings has just written back holds what it read from a checked file and our texts.
void RememberWrittenFile(const QString& strFileName) {
    const QFileInfo objInfo(strFileName);
    if (!objInfo.isFile()) return;
    LastCheckedFile() = {objInfo.filePath(), objInfo.size(), objInfo.lastModified(),
                         objInfo.metadataChangeTime(), false};
}

using ExpectedTexts = std::vector<std::pair<QString, std::optional<QString>>>;

// Saves pending changes; true when they reached the store. A file that did not parse when it was
// opened keeps that status even after it has been written anew, so then the file itself tells
// whether each full key now holds its expected text (nothing: the value is gone).
bool Saved(QSettings& objSettings, const ExpectedTexts& arrExpected) {
    objSettings.sync();
    if (blnTextFileStore) RememberWrittenFile(objSettings.fileName());
    if (objSettings.status() == QSettings::NoError) return true;
    if (!blnTextFileStore || objSettings.status() != QSettings::FormatError) return false;
    for (const auto& [strFullKey, strExpected] : arrExpected) {
        std::optional<QString> strText = TextAsWritten(objSettings.fileName(), strFullKey);
        // A stored text that begins with "@" is written with a second "@".
        if (strText && strText->startsWith(QLatin1String("@@"))) strText->remove(0, 1);
        if (strText != strExpected) return false;
    }
    return true;
}

}  // namespace

std::string RegistryStringHandler::ReadString(RegistryHive, const std::string& strMyKey,
                                              const std::string& strMyValueName) {
    try {
        const auto objKey = LocateKey(TrimKeyPath(strMyKey));
        const QString strName = QString::fromStdString(strMyValueName);
        if (!objKey || !UsableName(strName)) return {};
        const auto objSettings = OpenKey(*objKey);
        if (!objSettings || objSettings->status() == QSettings::AccessError) return {};
        const QVariant varValue = objSettings->value(strName);
        const int intType = varValue.typeId();
        if (intType == QMetaType::QString) return varValue.toString().toStdString();
        if (blnTextFileStore &&
            (intType == QMetaType::QStringList || intType == QMetaType::QVariantList)) {
            const auto strText = TextAsWritten(objSettings->fileName(), FullKey(*objKey, strName));
            if (strText) return strText->toStdString();
        }
        return {};
    } catch (...) {
        return {};
    }
}

bool RegistryStringHandler::WriteString(RegistryHive, const std::string& strMyKey,
                                        const std::string& strMyValueName,
                                        const std::string& strMyData) {
    try {
        const auto objKey = LocateKey(TrimKeyPath(strMyKey));
        const QString strName = QString::fromStdString(strMyValueName);
        if (!objKey || !UsableName(strName)) return false;
        const auto objSettings = OpenKey(*objKey);
        if (!objSettings || !objSettings->isWritable()) return false;
        const QString strData = QString::fromStdString(strMyData);
        objSettings->setValue(strName, strData);
        return Saved(*objSettings, {{FullKey(*objKey, strName), strData}});
    } catch (...) {
        return false;
    }
}

namespace {

// Why a file in a refused state is never opened; nothing for a usable one.
const char* RefusedFileReason(StoreFileState enmState) {
    switch (enmState) {
        case StoreFileState::Usable:
            break;
        case StoreFileState::NotAFile:
            return "It is not a regular file.";
        case StoreFileState::TooLarge:
            return "It is larger than 1 MiB.";
        case StoreFileState::NotText:
            return "It holds a value that is not text.";
    }
    return nullptr;
}

// A message that names a file on a line of its own, between empty lines.
std::string FileMessage(const char* strHeading, const QString& strFileName, const char* strReason,
                        const char* strOutcome) {
    const std::string strCrLf = "\r\n";
    return strHeading + strCrLf + strCrLf + QDir::toNativeSeparators(strFileName).toStdString() +
           strCrLf + strCrLf + strReason + " " + strOutcome;
}

// Why the settings file cannot be written, as far as the file and its folders show it. QSettings
// writes a new file beside the old one and puts it in its place, so the folder must take new
// files, and it refuses to replace a file it cannot open for writing.
const char* UnwritableFileReason(const QString& strFileName) {
    const QFileInfo objFile(strFileName);
    const QFileInfo objFolder(objFile.absolutePath());
    if (!objFolder.isDir()) {
        // The folder is made when it is missing, unless a file stands in its way or the
        // nearest folder that exists takes no new entries.
        return "Its folder does not exist and cannot be created.";
    }
    if (objFile.exists() && !objFile.isWritable()) return "The file is read-only.";
    if (!objFolder.isWritable()) return "Its folder is read-only.";
    return "The file cannot be written.";
}

constexpr const char* strUnsavedOutcome = "Huevra uses the new settings until it is closed.";

}  // namespace

std::string RegistryStringHandler::TakeUnreadableStoreText() {
    if constexpr (!blnTextFileStore) return {};
    if (blnUnreadableTold) return {};
    try {
        const auto objKey = LocateKey(TrimKeyPath(strSettingsKey));
        if (!objKey) return {};
        QString strRefused;
        const char* strReason =
            RefusedFileReason(CheckStoreFile(StoreFileName(*objKey), &strRefused));
        if (!strReason) return {};
        blnUnreadableTold = true;
        return FileMessage("Huevra could not read its settings from the file", strRefused,
                           strReason,
                           "Huevra uses the default settings and does not change the file.");
    } catch (...) {
        return {};
    }
}

std::string RegistryStringHandler::UnsavedStoreText() {
    try {
        const auto objKey = LocateKey(TrimKeyPath(strSettingsKey));
        if (!objKey) return {};
        if constexpr (!blnTextFileStore) {
            const auto objSettings = OpenKey(*objKey);
            return FileMessage("Huevra could not save the settings to", objSettings->fileName(),
                               "The store refused them.", strUnsavedOutcome);
        }
        const QString strFileName = StoreFileName(*objKey);
        QString strRefused;
        if (const char* strReason = RefusedFileReason(CheckStoreFile(strFileName, &strRefused)))
            return FileMessage("Huevra could not save the settings to the file", strRefused,
                               strReason, strUnsavedOutcome);
        return FileMessage("Huevra could not save the settings to the file", strFileName,
                           UnwritableFileReason(strFileName), strUnsavedOutcome);
    } catch (...) {
        return {};
    }
}

std::string RegistryStringHandler::TrimKeyPath(const std::string& strKey) {
    const auto lngFirst = strKey.find_first_not_of('\\');
    if (lngFirst == std::string::npos) return {};
    const auto lngLast = strKey.find_last_not_of('\\');
    return strKey.substr(lngFirst, lngLast - lngFirst + 1);
}
