#include "palette/PaletteExchangeFile.h"

#include <QFileInfo>
#include <QString>
#include <exception>

#include "palette/PaletteFile.h"

std::vector<typExchangeColour> MarkColours(const std::array<typColour, intMarkCount>& arrColour,
                                           const std::array<std::string, intMarkCount>& arrName) {
    std::vector<typExchangeColour> arrColours;
    for (std::size_t k = 0; k < intMarkCount; ++k) {
        const std::string& strName = arrName.at(k);
        const bool blnUnnamed =
            strName == strNoNamePlaceholder || strName == strNotJavaScriptPlaceholder;
        arrColours.push_back({arrColour.at(k), blnUnnamed ? std::string() : strName});
    }
    return arrColours;
}

std::string PaletteNameOfPath(const std::string& strPath) {
    return QFileInfo(QString::fromStdString(strPath)).completeBaseName().toStdString();
}

typExchangeFileResult ExportPaletteFile(const std::string& strPath, PaletteFormat enmFormat,
                                        const std::array<typColour, intMarkCount>& arrColour,
                                        const std::array<std::string, intMarkCount>& arrName) {
    typExchangeFileResult typResult;
    const std::string strBytes =
        ExportPalette(enmFormat, MarkColours(arrColour, arrName), PaletteNameOfPath(strPath));
    typResult.strError = ReplaceFileContents(strPath, strBytes);
    typResult.blnOk = typResult.strError.empty();
    return typResult;
}

void LoadImportedColours(const typImportResult& typImported, Palette& objPalette,
                         std::vector<std::string>& arrNotes) {
    objPalette.SetDefaultPalette();
    const std::size_t intCount = typImported.arrColours.size();
    for (std::size_t k = 0; k < intMarkCount && k < intCount; ++k) {
        const typExchangeColour& typRead = typImported.arrColours.at(k);
        objPalette.arrLoadColour.at(k) = typRead.typValue;
        const std::string strName = FieldName(typRead.strName);
        objPalette.arrLoadName.at(k) = strName.empty() ? strNoNamePlaceholder : strName;
    }
    if (intCount > intMarkCount) {
        arrNotes.push_back("The file holds " + std::to_string(intCount) +
                           " colours. Huevra took the first six.");
    }
}

typExchangeFileResult ImportPaletteFile(const std::string& strPath,
                                        std::optional<PaletteFormat> enmFormat,
                                        Palette& objPalette) {
    typExchangeFileResult typResult;
    std::string strBytes;
    const QFileInfo objInfo(QString::fromStdString(strPath));
    if (objInfo.exists() && !objInfo.isFile()) {
        typResult.strError = "It is not a regular file.";
        return typResult;
    }
    switch (ReadPaletteFileBytes(strPath, strBytes)) {
        case LineReadResult::Ok:
            break;
        case LineReadResult::Rejected:
            typResult.strError = "The file is larger than 1 MiB.";
            return typResult;
        case LineReadResult::CannotRead:
            typResult.strError = "The file cannot be read.";
            return typResult;
    }
    if (!enmFormat) enmFormat = GuessPaletteFormat(strPath, strBytes);
    if (!enmFormat) {
        typResult.strError =
            "The file is none of GIMP palette, CSS, SCSS, design tokens and swatch exchange.";
        return typResult;
    }
    const typImportResult typImported = ImportPalette(*enmFormat, strBytes);
    if (!typImported.blnOk) {
        typResult.strError = typImported.strError;
        return typResult;
    }
    typResult.arrNotes = typImported.arrNotes;
    LoadImportedColours(typImported, objPalette, typResult.arrNotes);
    typResult.blnOk = true;
    return typResult;
}
