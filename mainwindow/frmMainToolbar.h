#pragma once

// The toolbar's buttons in order: their keys, tool tips and images, and the 1-based indices
// by which frmMain::ToolButton finds them.

#include <QLatin1String>
#include <QString>
#include <array>
#include <string_view>

/// A toolbar button: its key, tool tip and image; a separator has no tool tip and no image.
struct ToolButtonDefinition {
    const char* strKey;
    const char* strToolTip;
    const char* strImage;
};

inline constexpr std::array<ToolButtonDefinition, 14> arrToolDefinition{{
    {"btnNew", "New Palette (Ctrl+N)", "New"},
    {"btnOpen", "Open Palette In Huevra (Ctrl+O)", "Open"},
    {"btnOpenInNotepad", "Open Palette In Notepad (Ctrl+I)", "Notepad"},
    {"btnSave", "Save Palette (Ctrl+S)", "Save"},
    {"tbrSeparator1", nullptr, nullptr},
    {"btnCopyColor", "Copy Colour From Selected Colour Mark (F2)", "Copy"},
    {"btnPasteColor", "Paste Colour To Selected Colour Mark (F3)", "Paste"},
    {"btnFind", "Find JavaScript Names (F5)", "Find"},
    {"btnSeparator2", nullptr, nullptr},
    {"btnCustomFormat", "Custom Format (F8)", "Custom"},
    {"btnOptions", "Options (F9)", "Options"},
    {"btnSeparator3", nullptr, nullptr},
    {"btnHelp", "Help (F1)", "Help"},
    {"btnColorProperties", "Colour Properties (F4)", "Properties"},
}};

// The 1-based indices of the buttons; the separators are 5, 9 and 12.
inline constexpr int intToolNew = 1;
inline constexpr int intToolOpen = 2;
inline constexpr int intToolOpenInNotepad = 3;
inline constexpr int intToolSave = 4;
inline constexpr int intToolCopyColour = 6;
inline constexpr int intToolPasteColour = 7;
inline constexpr int intToolFind = 8;
inline constexpr int intToolCustomFormat = 10;
inline constexpr int intToolOptions = 11;
inline constexpr int intToolHelp = 13;
inline constexpr int intToolColourProperties = 14;

namespace ToolbarDetail {
constexpr bool KeyAt(int intIndex, std::string_view strKey) {
    return std::string_view(arrToolDefinition.at(static_cast<std::size_t>(intIndex - 1)).strKey) ==
           strKey;
}
}  // namespace ToolbarDetail

static_assert(ToolbarDetail::KeyAt(intToolNew, "btnNew") &&
              ToolbarDetail::KeyAt(intToolOpen, "btnOpen") &&
              ToolbarDetail::KeyAt(intToolOpenInNotepad, "btnOpenInNotepad") &&
              ToolbarDetail::KeyAt(intToolSave, "btnSave") &&
              ToolbarDetail::KeyAt(intToolCopyColour, "btnCopyColor") &&
              ToolbarDetail::KeyAt(intToolPasteColour, "btnPasteColor") &&
              ToolbarDetail::KeyAt(intToolFind, "btnFind") &&
              ToolbarDetail::KeyAt(intToolCustomFormat, "btnCustomFormat") &&
              ToolbarDetail::KeyAt(intToolOptions, "btnOptions") &&
              ToolbarDetail::KeyAt(intToolHelp, "btnHelp") &&
              ToolbarDetail::KeyAt(intToolColourProperties, "btnColorProperties"));

/// The tool tip of the button at a 1-based index, as the toolbar is built with it.
inline QString ToolButtonTip(int intIndex) {
    return QLatin1String(arrToolDefinition.at(static_cast<std::size_t>(intIndex - 1)).strToolTip);
}
