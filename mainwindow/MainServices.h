#pragma once

// The platform services the main window works with, handed over by the entry routine.

#include "core/Platform.h"

struct MainServices {
    IClipboard& objClipboard;
    IMessageBox& objMessages;
    IScreen& objScreen;
    IRegistry& objRegistry;
    IFileDialogs& objFileDialogs;
    IShell& objShell;
    IHelpViewer& objHelp;
};
