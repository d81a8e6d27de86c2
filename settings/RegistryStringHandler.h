#pragma once

// All access to the per-user settings store goes through this class.

#include <string>

#include "core/Platform.h"

/// Text values under a key path "Software\<organisation>\<application>[\<group>...]" of the
/// current user, kept with QSettings in the platform's native format.
class RegistryStringHandler : public IRegistry {
public:
    std::string ReadString(RegistryHive enmHive, const std::string& strMyKey,
                           const std::string& strMyValueName) override;
    bool WriteString(RegistryHive enmHive, const std::string& strMyKey,
                     const std::string& strMyValueName, const std::string& strMyData) override;
    bool DeleteValue(RegistryHive enmHive, const std::string& strMyKey,
                     const std::string& strMyValueName);
    bool DeleteKey(RegistryHive enmHive, const std::string& strMyKey);

private:
    static std::string TrimKeyPath(const std::string& strKey);
    friend class RegistryStringHandlerTest;
};
