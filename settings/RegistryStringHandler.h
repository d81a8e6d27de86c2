#pragma once

// All access to the per-user settings store goes through this class.

#include <string>

#include "core/Platform.h"
#include "settings/SettingsStore.h"

/// A settings file larger than this is never read or written.
inline constexpr long long lngMaxSettingsFileBytes = 1024 * 1024;

/// Text values under a key path "Software\<organisation>\<application>[\<group>...]" of the
/// current user, kept with QSettings in the platform's native format. Where that format is a
/// text file, a file that is not a regular file or is larger than lngMaxSettingsFileBytes is
/// never opened: its values read as empty and nothing is written to it.
class RegistryStringHandler : public IRegistry, public IStoreCheck {
public:
    std::string ReadString(RegistryHive enmHive, const std::string& strMyKey,
                           const std::string& strMyValueName) override;
    bool WriteString(RegistryHive enmHive, const std::string& strMyKey,
                     const std::string& strMyValueName, const std::string& strMyData) override;
    /// The message for the program's own settings file when it cannot be read, the first time
    /// this is asked; the empty text after that and whenever the file can be read.
    std::string TakeUnreadableStoreText() override;
    /// The message for the program's own settings file when values could not be written to it:
    /// its path and, as far as the file and its folder show it, the reason.
    std::string UnsavedStoreText() override;

private:
    bool blnUnreadableTold = false;
    static std::string TrimKeyPath(const std::string& strKey);
    friend class RegistryStringHandlerTest;
};
