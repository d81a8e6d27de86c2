#include "cli/HuevraCliPalette.h"

#include <optional>
#include <ostream>
#include <sstream>
#include <string>
#include <string_view>

#include "cli/HuevraCli.h"
#include "palette/PaletteExchange.h"
#include "palette/PaletteExchangeFile.h"
#include "palette/PaletteFile.h"
#include "palette/PaletteModel.h"

namespace {

constexpr std::string_view strPrefix = "huevra-cli: ";

struct typPaletteRequest {
    bool blnExport = false;
    std::optional<PaletteFormat> enmFormat;
    std::string strOutput;
    std::string strInput;
};

// A file name for a message: quoted, control characters as "?".
std::string ShownPath(const std::string& strPath) {
    std::string strShown = "\"";
    for (const char c : strPath) {
        const auto chr = static_cast<unsigned char>(c);
        strShown += chr < 0x20 || chr == 0x7F ? '?' : c;
    }
    return strShown + "\"";
}

// Reads the arguments after "palette"; returns the message of a usage error, or "".
std::string ParsePaletteArguments(const std::vector<std::string>& arrArgs,
                                  typPaletteRequest& typRead) {
    if (arrArgs.empty()) return "palette needs export or import";
    if (arrArgs.front() == "export") {
        typRead.blnExport = true;
    } else if (arrArgs.front() != "import") {
        return "unknown palette command " + ShownPath(arrArgs.front()) +
               "; the palette commands are export and import";
    }
    const std::string strCommand = "palette " + arrArgs.front();
    std::vector<std::string> arrFiles;
    bool blnOptionsEnded = false;
    for (std::size_t i = 1; i < arrArgs.size(); ++i) {
        const std::string& strArg = arrArgs[i];
        if (blnOptionsEnded || strArg.size() < 2 || strArg.front() != '-') {
            arrFiles.push_back(strArg);
            continue;
        }
        if (strArg == "--") {
            blnOptionsEnded = true;
            continue;
        }
        std::string strOption = strArg;
        std::string strValue;
        bool blnHasValue = false;
        const std::size_t intEquals = strArg.find('=');
        if (strArg.rfind("--", 0) == 0 && intEquals != std::string::npos) {
            strOption = strArg.substr(0, intEquals);
            strValue = strArg.substr(intEquals + 1);
            blnHasValue = true;
        } else if (strArg.size() > 2 &&
                   (strArg.rfind("-f", 0) == 0 || strArg.rfind("-o", 0) == 0)) {
            strOption = strArg.substr(0, 2);
            strValue = strArg.substr(2);
            blnHasValue = true;
        }
        if (strOption == "-f") strOption = "--format";
        if (strOption == "-o") strOption = "--output";
        if (strOption != "--format" && strOption != "--output") {
            return "unknown option " + ShownPath(strOption) + " for " + strCommand +
                   " (huevra-cli --help lists the options)";
        }
        if (!blnHasValue) {
            if (i + 1 >= arrArgs.size()) return "option " + strOption + " needs a value";
            strValue = arrArgs[++i];
        }
        if (strOption == "--format") {
            typRead.enmFormat = PaletteFormatFromKey(strValue);
            if (!typRead.enmFormat) {
                return "unknown format " + ShownPath(strValue) +
                       " for --format; the formats are gpl, css, scss, json and ase";
            }
        } else {
            if (strValue.empty()) return "option --output needs a file name";
            typRead.strOutput = strValue;
        }
    }
    if (typRead.blnExport && !typRead.enmFormat)
        return "palette export needs --format gpl, css, scss, json or ase";
    if (arrFiles.size() != 1) {
        return strCommand + " takes one file, not " + std::to_string(arrFiles.size());
    }
    typRead.strInput = arrFiles.front();
    return "";
}

// Writes the bytes to standard output, or in place of the --output file.
int WriteResult(const typPaletteRequest& typRequested, const std::string& strBytes,
                std::ostream& objOut, std::ostream& objErr) {
    if (typRequested.strOutput.empty()) {
        objOut.write(strBytes.data(), static_cast<std::streamsize>(strBytes.size()));
        return intExitOk;
    }
    const std::string strWhy = ReplaceFileContents(typRequested.strOutput, strBytes);
    if (!strWhy.empty()) {
        objErr << strPrefix << "cannot write " << ShownPath(typRequested.strOutput) << ": "
               << strWhy << '\n';
        return intExitRefused;
    }
    return intExitOk;
}

int RunExport(const typPaletteRequest& typRequested, std::ostream& objOut, std::ostream& objErr) {
    std::vector<std::string> arrFileLine;
    const LineReadResult enmRead = ReadPaletteLinesFromFile(typRequested.strInput, arrFileLine);
    Palette objPalette;
    if (enmRead == LineReadResult::CannotRead) {
        objErr << strPrefix << "cannot read " << ShownPath(typRequested.strInput)
               << " (it is missing, unreadable or no regular file)\n";
        return intExitRefused;
    }
    if (enmRead == LineReadResult::Rejected || !ReadPaletteFile(arrFileLine, objPalette)) {
        objErr << strPrefix << ShownPath(typRequested.strInput)
               << " is no Huevra palette file (or is larger than 1 MiB)\n";
        return intExitRefused;
    }
    // The GIMP palette is named after the file written, or after the palette file.
    const std::string strName = PaletteNameOfPath(
        typRequested.strOutput.empty() ? typRequested.strInput : typRequested.strOutput);
    const std::string strBytes =
        ExportPalette(*typRequested.enmFormat,
                      MarkColours(objPalette.arrLoadColour, objPalette.arrLoadName), strName);
    return WriteResult(typRequested, strBytes, objOut, objErr);
}

int RunImport(const typPaletteRequest& typRequested, std::ostream& objOut, std::ostream& objErr) {
    Palette objPalette;
    const typExchangeFileResult typResult =
        ImportPaletteFile(typRequested.strInput, typRequested.enmFormat, objPalette);
    if (!typResult.blnOk) {
        objErr << strPrefix << "cannot import " << ShownPath(typRequested.strInput) << ": "
               << typResult.strError << '\n';
        return intExitRefused;
    }
    for (const std::string& strNote : typResult.arrNotes)
        objErr << strPrefix << ShownPath(typRequested.strInput) << ": " << strNote << '\n';
    objPalette.CommitLoad();
    // As a save writes it; there is no custom template on the command line.
    std::ostringstream objText;
    WritePaletteText(objText, objPalette, objPalette.arrMarkName, "");
    return WriteResult(typRequested, objText.str(), objOut, objErr);
}

}  // namespace

int RunPaletteCommand(const std::vector<std::string>& arrArgs, std::ostream& objOut,
                      std::ostream& objErr) {
    typPaletteRequest typRequested;
    const std::string strUsageError = ParsePaletteArguments(arrArgs, typRequested);
    if (!strUsageError.empty()) {
        objErr << strPrefix << strUsageError << '\n';
        return intExitUsage;
    }
    return typRequested.blnExport ? RunExport(typRequested, objOut, objErr)
                                  : RunImport(typRequested, objOut, objErr);
}
