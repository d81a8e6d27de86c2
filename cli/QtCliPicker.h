#pragma once

// The screen picker and clipboard of huevra-cli pick on a real desktop.

#include <QApplication>
#include <memory>
#include <string>

#include "cli/CliPicker.h"

/// Picks with the precise picker on X11 and through the desktop portal on Wayland; copies by
/// leaving a process of its own (X11) or wl-copy (Wayland) to serve the clipboard.
class QtCliPicker : public ICliPicker {
public:
    /// The arguments are main()'s, for the application object a pick creates.
    QtCliPicker(int& intArgc, char** arrArgv);
    ~QtCliPicker() override;
    typCliPick Pick() override;
    bool Copy(const std::string& strText, std::string& strError) override;

private:
    int& intArgc;
    char** arrArgv;
    std::unique_ptr<QApplication> objApp;
};

/// The argument that starts huevra-cli as the clipboard's keeper: "huevra-cli
/// --keep-clipboard TEXT" owns the clipboard with TEXT until another program takes it or 60 s
/// pass, then ends (a clipboard manager keeps the text after that).
inline constexpr const char* strKeepClipboardArgument = "--keep-clipboard";

/// Runs the clipboard's keeper; returns the exit status.
int KeepClipboard(int& intArgc, char** arrArgv, const std::string& strText);
