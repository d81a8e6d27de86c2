#pragma once

// The five per-user settings, held for the whole run, with their load, check and restore.

#include <cstdint>
#include <functional>
#include <string>

#include "core/Platform.h"

/// Where the settings live: HKEY_CURRENT_USER\Software\Pellmark\Huevra 2004.
inline constexpr const char* strSettingsKey = "Software\\Pellmark\\Huevra 2004";

/// The longest Custom template the settings accept, in characters (UTF-16 code units, as Qt's
/// text fields count them).
inline constexpr int intCustomFormatMaxLength = 250;

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
};

/// The one copy of the settings that every window shares.
ProgramSettings& SharedSettings();

/// Sets strDefaultFolder to the user's desktop folder; false (and "") when there is none.
bool GetDefaultFolder(ProgramSettings& objSettings);

/// Replaces where GetDefaultFolder learns the desktop folder; an empty function restores the
/// platform's answer. A provider that returns "" stands for a platform without a desktop folder.
void SetDesktopLocationProvider(std::function<std::string()> fnProvider);

/// True when path names an existing folder whose last component matches its name exactly.
bool FolderExists(const std::string& strPath);

/// Reads and checks the five settings; restores, stores and reports the defaults when one is
/// unusable.
void LoadSettings(ProgramSettings& objSettings, IRegistry& objRegistry, IMessageBox& objMessages);
