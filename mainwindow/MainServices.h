#pragma once

// The platform services and the settings the main window works with, created once and handed
// over by the entry routine.

#include "core/Platform.h"
#include "settings/SettingsStore.h"

struct MainServices {
    IClipboard& objClipboard;
    IMessageBox& objMessages;
    IScreen& objScreen;
    IRegistry& objRegistry;
    IFileDialogs& objFileDialogs;
    IShell& objShell;
    IHelpViewer& objHelpViewer;
    ProgramSettings& objSettings;
};
