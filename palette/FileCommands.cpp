#include "palette/FileCommands.h"

#include <exception>
#include <vector>

#include "core/modSupport.h"
#include "palette/PaletteFile.h"

namespace {
const std::string strCrLf = "\r\n";
}  // namespace

std::string NotAPaletteText(const std::string& strPath) {
    return "You tried to open the file" + strCrLf + strCrLf + strPath + strCrLf + strCrLf +
           "This file has not been made in Huevra and cannot be opened in Huevra";
}

std::string CannotReadText(const std::string& strPath) {
    return "Could not open the file" + strCrLf + strCrLf + strPath + strCrLf + strCrLf +
           "Check that the file exists and that you may read it.";
}

FileCommands::FileCommands(Palette& objPalette, IFileSettings& objSettings, IPaletteView& objView,
                           IFileDialogs& objDialogs, IMessageBox& objMessages, IShell& objShell)
    : objPalette(objPalette),
      objSettings(objSettings),
      objView(objView),
      objDialogs(objDialogs),
      objMessages(objMessages),
      objShell(objShell) {}

void FileCommands::New() {
    blnSaveCancelled = false;
    if (OfferToSave() == PromptResult::Stop) return;
    objPalette.SetDefaultPalette();
    objView.LockRedraw();
    objPalette.strPalettePath.clear();
    objView.ApplyLoadedPalette(PaletteTitle(objPalette.strPalettePath));
}

void FileCommands::Open() {
    blnSaveCancelled = false;
    const PromptResult enmPrompt = OfferToSave();
    if (enmPrompt == PromptResult::Stop) return;
    if (enmPrompt == PromptResult::Discarded) modSupport::DoEvents();

    const std::string strPath = GetOpenPath();
    if (strPath.empty()) return;

    std::vector<std::string> arrFileLine;
    switch (ReadPaletteLinesFromFile(strPath, arrFileLine)) {
        case LineReadResult::Ok:
            break;
        case LineReadResult::Rejected:
            ShowWarning(NotAPaletteText(strPath));
            return;
        case LineReadResult::CannotRead:
            ShowWarning(CannotReadText(strPath));
            return;
    }

    const bool blnOk = ReadPaletteFile(arrFileLine, objPalette);
    blnLastOpenValid = blnOk;
    if (!blnOk) {
        // The load buffer may hold part of the file; it is never committed.
        ShowWarning(NotAPaletteText(strPath));
        return;
    }
    objPalette.strPalettePath = strPath;
    objView.ApplyLoadedPalette(PaletteTitle(strPath));
}

void FileCommands::OpenInNotepad() {
    const std::string strPath = GetNotepadPath();
    if (strPath.empty()) return;
    modSupport::DoEvents();
    // The path goes to the editor as one file name, never through a command line.
    if (!objShell.OpenInTextEditor(strPath)) ShowWarning(strNotepadFailedText);
}

bool FileCommands::Save() {
    if (objPalette.strPalettePath.empty()) return SaveAs();
    if (!WriteTo(objPalette.strPalettePath)) return false;
    objView.SetNameBackgroundsWhite();
    return true;
}

bool FileCommands::SaveAs() {
    const std::string strPath = GetSavePath();
    modSupport::DoEvents();
    if (strPath.empty()) {
        blnSaveCancelled = true;
        return false;
    }
    // A failed write keeps the palette's path and title as they were.
    if (!WriteTo(strPath)) return false;
    objPalette.strPalettePath = strPath;
    objView.SetWindowTitle(PaletteTitle(strPath));
    objView.SetNameBackgroundsWhite();
    return true;
}

bool FileCommands::QueryClose(bool blnClosingAfterError) {
    if (blnClosingAfterError) return true;
    if (!objSettings.PromptToSave()) return true;
    if (!objPalette.PaletteChanged()) return true;
    switch (objMessages.Show(strSavePromptText, strProgramTitle, MessageIcon::Question,
                             MessageButtons::YesNoCancel)) {
        case MessageAnswer::No:
            return true;
        // A palette the user asked to keep is not lost: a cancelled or failed save keeps the
        // window open.
        case MessageAnswer::Yes:
            return Save();
        default:
            return false;
    }
}

std::string FileCommands::GetSavePath() { return ChoosePath(strSaveDialogTitle, true); }

std::string FileCommands::GetOpenPath() { return ChoosePath(strOpenDialogTitle, false); }

std::string FileCommands::GetNotepadPath() { return ChoosePath(strNotepadDialogTitle, false); }

FileCommands::PromptResult FileCommands::OfferToSave() {
    if (!objPalette.PaletteChanged()) return PromptResult::Unchanged;
    switch (objMessages.Show(strSavePromptText, strProgramTitle, MessageIcon::Question,
                             MessageButtons::YesNoCancel)) {
        case MessageAnswer::No:
            return PromptResult::Discarded;
        case MessageAnswer::Yes: {
            const bool blnSaved = Save();
            modSupport::DoEvents();
            // Going on after a failed or cancelled save would drop the palette the user
            // asked to keep.
            return blnSaved && !blnSaveCancelled ? PromptResult::Saved : PromptResult::Stop;
        }
        default:
            return PromptResult::Stop;
    }
}

bool FileCommands::WriteTo(const std::string& strPath) {
    bool blnWritten = false;
    try {
        blnWritten = WritePaletteFile(strPath, objPalette, objPalette.arrMarkName,
                                      objSettings.CustomFormat());
    } catch (const std::exception&) {
        // Any failure of the writing itself is told as a failed save.
        blnWritten = false;
    }
    if (!blnWritten) ShowWarning(strSaveFailedText);
    return blnWritten;
}

std::string FileCommands::ChoosePath(const char* strTitle, bool blnSave) {
    FileDialogRequest objRequest;
    objRequest.strTitle = strTitle;
    objRequest.strFilter = strPaletteFileFilter;
    objRequest.strDefaultSuffix = strPaletteFileSuffix;
    objRequest.strInitialFolder = objSettings.StartingFolder();
    objRequest.blnSave = blnSave;
    objRequest.blnOverwritePrompt = blnSave;
    return objDialogs.ChooseFile(objRequest);
}

void FileCommands::ShowWarning(const std::string& strText) {
    objMessages.Show(strText, strProgramTitle, MessageIcon::Warning, MessageButtons::Ok);
}
