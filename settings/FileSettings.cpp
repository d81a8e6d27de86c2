#include "settings/FileSettings.h"

bool FileSettings::PromptToSave() const { return objSettings.intPromptToSave == 1; }

std::string FileSettings::CustomFormat() const { return objSettings.strCustomFormat; }

std::string FileSettings::StartingFolder() {
    if (FolderExists(objSettings.strStandardFolder)) return objSettings.strStandardFolder;
    // The standard folder is not there (a removed disk, a deleted folder): the dialogs start in
    // the default folder, and the setting stays, to serve again once the folder is back.
    GetDefaultFolder(objSettings);
    return objSettings.strDefaultFolder;
}
