#pragma once

// The File commands: New, Open, Open in Notepad, Save, Save As, the save prompt and the close
// request's prompt step, with the three file dialogs behind them.

#include <array>
#include <optional>
#include <string>

#include "core/Platform.h"
#include "palette/PaletteExchange.h"
#include "palette/PaletteModel.h"

/// What the File commands read of the program's settings. The settings implement it.
class IFileSettings {
public:
    virtual ~IFileSettings() = default;
    /// True when a changed palette is offered for saving before the window closes.
    virtual bool PromptToSave() const = 0;
    /// The Custom format's template, whose code the palette file holds for each mark.
    virtual std::string CustomFormat() const = 0;
    /// The folder the file dialogs start in: the standard folder, or the default folder while
    /// the standard one is not there.
    virtual std::string StartingFolder() = 0;
};

// The window side that the File commands act on. The main window implements it.

class IPaletteView {
public:
    virtual ~IPaletteView() = default;
    /// Moves the load buffer into the marks and refreshes the window with this title; releases
    /// frozen drawing once the marks are shown.
    virtual void ApplyLoadedPalette(const std::string& strTitle) = 0;
    virtual void SetWindowTitle(const std::string& strTitle) = 0;
    /// Every name field's background becomes white.
    virtual void SetNameBackgroundsWhite() = 0;
    /// Freezes the window's drawing until ApplyLoadedPalette releases it.
    virtual void LockRedraw() = 0;
};

/// The save prompt's text.
inline constexpr const char* strSavePromptText =
    "The palette has been changed. Do you want to save it?";
inline constexpr const char* strSaveFailedText =
    "Could not save. Check if file or folder is read-only.";
inline constexpr const char* strNotepadFailedText = "Could not open file in Notepad.";

/// The file dialogs' titles, filter and default suffix.
inline constexpr const char* strSaveDialogTitle = "Save Palette As";
inline constexpr const char* strOpenDialogTitle = "Open Palette In Huevra";
inline constexpr const char* strNotepadDialogTitle = "Open Palette In Notepad";
inline constexpr const char* strPaletteFileFilter = "Text Files (*.txt)";
inline constexpr const char* strPaletteFileSuffix = "txt";

/// The Export and Import dialogs' titles, and the Import dialog's filter of every format.
inline constexpr const char* strExportDialogTitle = "Export Palette";
inline constexpr const char* strImportDialogTitle = "Import Palette";
inline constexpr const char* strAllPaletteFilesFilter =
    "All palette files (*.gpl *.css *.scss *.json *.ase)";

/// Returns a format's dialog filter ("GIMP palette (*.gpl)").
std::string PaletteFormatFilter(PaletteFormat enmFormat);

/// Returns the format a dialog filter of PaletteFormatFilter stands for, or nothing.
std::optional<PaletteFormat> PaletteFormatOfFilter(const std::string& strFilter);

/// Returns the message for a failed export or import: the full path between two empty lines,
/// then why.
std::string ExportFailedText(const std::string& strPath, const std::string& strWhy);
std::string ImportFailedText(const std::string& strPath, const std::string& strWhy);

/// Returns the message for a file that is not a palette, with the full path between two
/// empty lines.
std::string NotAPaletteText(const std::string& strPath);

/// Returns the message for a file that cannot be opened or read, with the full path between
/// two empty lines.
std::string CannotReadText(const std::string& strPath);

/// The File menu's commands on one palette. Unexpected failures are not caught here; they go
/// up to the calling handler's guard.
class FileCommands {
public:
    FileCommands(Palette& objPalette, IFileSettings& objSettings, IPaletteView& objView,
                 IFileDialogs& objDialogs, IMessageBox& objMessages, IShell& objShell);
    FileCommands(const FileCommands&) = delete;
    FileCommands& operator=(const FileCommands&) = delete;

    /// Set when the Save As dialog is cancelled; cleared at the start of New and Open.
    bool blnSaveCancelled = false;
    /// The result of the last palette read by Open.
    bool blnLastOpenValid = false;

    /// Replaces the palette with the default one, after offering to save a changed one.
    void New();
    /// Offers to save a changed palette, then reads a chosen file into it.
    void Open();
    /// Opens a chosen file in the user's text editor; the palette is not touched.
    void OpenInNotepad();
    /// Writes the palette to its own file, or asks for one when it has none; true when written.
    bool Save();
    /// Asks for a file and writes the palette to it; true when written.
    bool SaveAs();
    /// Writes the marks to a chosen file in the format its extension or the chosen filter
    /// names; the palette's title, path and saved state stay as they are. True when written.
    bool Export();
    /// Offers to save a changed palette as Open does, then reads a chosen interchange file into
    /// the marks; the palette is then untitled and changed. True when imported.
    bool Import();

    /// The prompt step of the main window's close request; true when the close may go on.
    bool QueryClose(bool blnClosingAfterError);

    /// The chosen full path of each file dialog, or the empty text when it is cancelled.
    std::string GetSavePath();
    std::string GetOpenPath();
    std::string GetNotepadPath();

private:
    enum class PromptResult { Unchanged, Saved, Discarded, Stop };

    /// Shows the save prompt when the palette has changed and saves on Yes; Stop on Cancel and
    /// when the asked-for save was cancelled or failed.
    PromptResult OfferToSave();
    /// Writes to strPath; shows the save-failed message and returns false when writing fails.
    bool WriteTo(const std::string& strPath);
    std::string ChoosePath(const char* strTitle, bool blnSave);
    /// Shows a dialog with one filter per format (and "All palette files" to open); sets the
    /// chosen filter.
    std::string ChooseExchangePath(const char* strTitle, bool blnSave, std::string& strFilter);
    void ShowWarning(const std::string& strText);

    Palette& objPalette;
    IFileSettings& objSettings;
    IPaletteView& objView;
    IFileDialogs& objDialogs;
    IMessageBox& objMessages;
    IShell& objShell;
};
