#pragma once

// The five per-user settings, held for the whole run, with their load, check and restore.

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "core/Platform.h"

/// Where the settings live: HKEY_CURRENT_USER\Software\Pellmark\Huevra 2004.
inline constexpr const char* strSettingsKey = "Software\\Pellmark\\Huevra 2004";

/// The longest Custom template the settings accept, in characters (UTF-16 code units, as Qt's
/// text fields count them).
inline constexpr int intCustomFormatMaxLength = 250;

/// What a settings store tells beyond its values: that its stored data cannot be read at all.
class IStoreCheck {
public:
    virtual ~IStoreCheck() = default;
    /// Returns the message that tells the user why the stored settings cannot be read, once:
    /// the empty text when they can be read or when the user has already been told.
    virtual std::string TakeUnreadableStoreText() = 0;
    /// Returns the message that tells the user where and why values could not be stored just
    /// now, for a write that failed.
    virtual std::string UnsavedStoreText() = 0;
};

/// The message of a restore whose writes failed.
inline constexpr const char* strRestoreNotSavedText =
    "Unusable settings found in Registry. Default settings are used, but they could not be "
    "saved.";

/// The message of settings that could not be stored, from a store that cannot say why.
inline constexpr const char* strSettingsNotSavedText =
    "Huevra could not save the settings. Huevra uses the new settings until it is closed.";

/// The program-wide settings variables.
struct ProgramSettings {
    std::string strCustomFormat;
    std::int16_t intStandardFormat = 0;
    std::int16_t intCurrentFormat = 0;
    std::int16_t intSortIndex = 0;
    std::int16_t intPromptToSave = 0;
    std::string strStandardFolder;
    std::string strDefaultFolder;
    bool blnJavaScriptNamesOnly = false;
    /// The texts the store refused during this run, by value name. LoadSettings takes them in
    /// place of the stored ones, so that the run keeps what the user chose.
    std::map<std::string, std::string> mapUnsavedValue;
};

/// A value name and the text to store under it.
using SettingText = std::pair<std::string, std::string>;

/// Sets strDefaultFolder to the user's desktop folder, or the home folder when the desktop folder
/// does not exist; false (and "") when neither exists.
bool GetDefaultFolder(ProgramSettings& objSettings);

/// Replaces where GetDefaultFolder learns the desktop folder; an empty function restores the
/// platform's answer. A provider that returns "" stands for a platform without a desktop folder.
void SetDesktopLocationProvider(std::function<std::string()> fnProvider);

/// True when path names an existing folder whose last component matches its name exactly.
bool FolderExists(const std::string& strPath);

/// Reads and checks the five settings; restores, stores and reports the defaults when one is
/// unusable, with a warning when the defaults could not be stored. A store that is an
/// IStoreCheck and cannot be read is told about once.
void LoadSettings(ProgramSettings& objSettings, IRegistry& objRegistry, IMessageBox& objMessages);

/// Stores the texts in order. A text the store refuses is kept for the rest of the run in
/// mapUnsavedValue, and the user is told once, with the store's reason when it gives one.
/// Returns true when every text was stored.
bool StoreSettings(ProgramSettings& objSettings, IRegistry& objRegistry, IMessageBox& objMessages,
                   const std::vector<SettingText>& arrTexts);
