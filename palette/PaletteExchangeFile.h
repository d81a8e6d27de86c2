#pragma once

// Interchange files on disk: export of the six marks, written as safely as a save, and import
// into the palette's load buffer.

#include <optional>
#include <string>
#include <vector>

#include "palette/PaletteExchange.h"
#include "palette/PaletteModel.h"

/// What an import or export did: done or not, why not, and notes for the user.
struct typExchangeFileResult {
    bool blnOk = false;
    std::string strError;
    std::vector<std::string> arrNotes;
};

/// Returns the colours of the marks with their names; a placeholder name is no name.
std::vector<typExchangeColour> MarkColours(const std::array<typColour, intMarkCount>& arrColour,
                                           const std::array<std::string, intMarkCount>& arrName);

/// Returns the name a GIMP palette gets from a file path: the file name without its extension.
std::string PaletteNameOfPath(const std::string& strPath);

/// Writes the marks to strPath in a format (the GIMP palette named after the file), replacing an
/// existing file only once the new one is complete. Does not touch the saved state.
typExchangeFileResult ExportPaletteFile(const std::string& strPath, PaletteFormat enmFormat,
                                        const std::array<typColour, intMarkCount>& arrColour,
                                        const std::array<std::string, intMarkCount>& arrName);

/// Fills the load buffer from imported colours: the first six become the marks with their names
/// cut as a name field holds them, the rest of the marks get the default palette's. Adds the
/// note "The file holds N colours. Huevra took the first six." when there were more.
void LoadImportedColours(const typImportResult& typImported, Palette& objPalette,
                         std::vector<std::string>& arrNotes);

/// Reads a file of at most intMaxPaletteBytes (never a pipe or a device) in a format, or in the
/// format GuessPaletteFormat finds, into the load buffer; leaves the palette untouched when the
/// file is refused. The caller commits the load.
typExchangeFileResult ImportPaletteFile(const std::string& strPath,
                                        std::optional<PaletteFormat> enmFormat,
                                        Palette& objPalette);
