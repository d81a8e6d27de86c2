#include "palette/FileCommands.h"

#include <exception>
#include <vector>

#include "core/modSupport.h"
#include "palette/PaletteExchangeFile.h"
#include "palette/PaletteFile.h"

namespace {
const std::string strCrLf = "\r\n";
}  // namespace

std::string NotAPaletteText(const std::string& strPath) {
    return "You tried to open the file" + strCrLf + strCrLf + strPath + strCrLf + strCrLf +
           "This file has not been made in Huevra and cannot be opened in Huevra";
}

std::string PaletteFormatFilter(PaletteFormat enmFormat) {
    const std::string strPattern = " (*." + std::string(PaletteFormatKey(enmFormat)) + ")";
    switch (enmFormat) {
        case PaletteFormat::Gpl:
            return "GIMP palette" + strPattern;
        case PaletteFormat::Css:
            return "CSS custom properties" + strPattern;
        case PaletteFormat::Scss:
            return "SCSS variables" + strPattern;
        case PaletteFormat::Json:
            return "Design tokens" + strPattern;
        case PaletteFormat::Ase:
            return "Swatch exchange" + strPattern;
    }
    return "Palette" + strPattern;
}

std::optional<PaletteFormat> PaletteFormatOfFilter(const std::string& strFilter) {
    for (int i = 0; i < intPaletteFormatCount; ++i) {
        const auto enmFormat = static_cast<PaletteFormat>(i);
        if (strFilter == PaletteFormatFilter(enmFormat)) return enmFormat;
    }
    return std::nullopt;
}

std::string ExportFailedText(const std::string& strPath, const std::string& strWhy) {
    return "Could not export the palette to" + strCrLf + strCrLf + strPath + strCrLf + strCrLf +
           strWhy;
}

std::string ImportFailedText(const std::string& strPath, const std::string& strWhy) {
    return "Could not import the file" + strCrLf + strCrLf + strPath + strCrLf + strCrLf + strWhy;
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

bool FileCommands::Export() {
    std::string strFilter;
    const std::string strPath = ChooseExchangePath(strExportDialogTitle, true, strFilter);
    modSupport::DoEvents();
    if (strPath.empty()) return false;
    // A typed extension of a format chooses it over the filter.
    std::optional<PaletteFormat> enmFormat = PaletteFormatFromPath(strPath);
    if (!enmFormat) enmFormat = PaletteFormatOfFilter(strFilter);
    if (!enmFormat) enmFormat = PaletteFormat::Gpl;
    const typExchangeFileResult typResult =
        ExportPaletteFile(strPath, *enmFormat, objPalette.arrMarkColour, objPalette.arrMarkName);
    if (!typResult.blnOk) {
        ShowWarning(ExportFailedText(strPath, typResult.strError));
        return false;
    }
    return true;
}

bool FileCommands::Import() {
    blnSaveCancelled = false;
    const PromptResult enmPrompt = OfferToSave();
    if (enmPrompt == PromptResult::Stop) return false;
    if (enmPrompt == PromptResult::Discarded) modSupport::DoEvents();

    std::string strFilter;
    const std::string strPath = ChooseExchangePath(strImportDialogTitle, false, strFilter);
    if (strPath.empty()) return false;
    // The file's extension names its format; without one the chosen filter does, and under
    // "All palette files" the content.
    std::optional<PaletteFormat> enmFormat = PaletteFormatFromPath(strPath);
    if (!enmFormat) enmFormat = PaletteFormatOfFilter(strFilter);
    const typExchangeFileResult typResult = ImportPaletteFile(strPath, enmFormat, objPalette);
    if (!typResult.blnOk) {
        // The load buffer may hold part of the file; it is never committed.
        ShowWarning(ImportFailedText(strPath, typResult.strError));
        return false;
    }
    objView.LockRedraw();
    objPalette.strPalettePath.clear();
    objView.ApplyLoadedPalette(PaletteTitle(objPalette.strPalettePath));
    // Nothing of the imported marks is saved anywhere yet.
    objPalette.ForgetSavedState();
    if (!typResult.arrNotes.empty()) {
        std::string strNotes;
        for (const std::string& strNote : typResult.arrNotes)
            strNotes += (strNotes.empty() ? "" : strCrLf + strCrLf) + strNote;
        objMessages.Show(strNotes, strProgramTitle, MessageIcon::Information, MessageButtons::Ok);
    }
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

std::string FileCommands::ChooseExchangePath(const char* strTitle, bool blnSave,
                                             std::string& strFilter) {
    FileDialogRequest objRequest;
    objRequest.strTitle = strTitle;
    for (int i = 0; i < intPaletteFormatCount; ++i)
        objRequest.arrFilters.push_back(PaletteFormatFilter(static_cast<PaletteFormat>(i)));
    if (!blnSave)
        objRequest.arrFilters.insert(objRequest.arrFilters.begin(), strAllPaletteFilesFilter);
    objRequest.strFilter = objRequest.arrFilters.front();
    objRequest.strDefaultSuffix = blnSave ? std::string(PaletteFormatKey(PaletteFormat::Gpl)) : "";
    objRequest.strInitialFolder = objSettings.StartingFolder();
    objRequest.blnSave = blnSave;
    objRequest.blnOverwritePrompt = blnSave;
    strFilter.clear();
    objRequest.pstrChosenFilter = &strFilter;
    return objDialogs.ChooseFile(objRequest);
}

void FileCommands::ShowWarning(const std::string& strText) {
    objMessages.Show(strText, strProgramTitle, MessageIcon::Warning, MessageButtons::Ok);
}
