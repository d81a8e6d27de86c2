#pragma once

// The program's settings as the File commands read them.

#include <string>

#include "palette/FileCommands.h"
#include "settings/SettingsStore.h"

class FileSettings : public IFileSettings {
public:
    explicit FileSettings(ProgramSettings& objSettings) : objSettings(objSettings) {}

    bool PromptToSave() const override;
    std::string CustomFormat() const override;
    std::string StartingFolder() override;

private:
    ProgramSettings& objSettings;
};
