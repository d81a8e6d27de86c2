// Feeds arbitrary bytes to the palette line reader and parser. Whatever the bytes, reading must
// not crash, and a palette that reads must come back unchanged from the writer. Large texts come
// in the compact form of FuzzInput.h.

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "fuzz/FuzzInput.h"
#include "palette/PaletteFile.h"
#include "palette/PaletteModel.h"

namespace {

// The writer turns line breaks in names into blanks and the Find placeholder into the other.
std::string AsWritten(std::string strName) {
    if (strName == strNotJavaScriptPlaceholder) return strNoNamePlaceholder;
    for (char& c : strName) {
        if (c == '\r' || c == '\n') c = ' ';
    }
    return strName;
}

void Check(bool blnCondition) {
    if (!blnCondition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* arrData, std::size_t intSize) {
    std::istringstream objIn(ExpandedInput(arrData, intSize));
    std::vector<std::string> arrFileLine;
    const LineReadResult enmResult = ReadPaletteLines(objIn, arrFileLine);
    Check(enmResult != LineReadResult::CannotRead);
    if (enmResult != LineReadResult::Ok) {
        Check(arrFileLine.empty());
        return 0;
    }
    Check(!arrFileLine.empty() && arrFileLine.size() <= intMaxPaletteLines);

    Palette objRead;
    if (!ReadPaletteFile(arrFileLine, objRead)) return 0;

    // Every palette the reader accepts is a valid palette and survives a save and a reopen.
    Palette objWritten;
    objWritten.arrMarkColour = objRead.arrLoadColour;
    std::ostringstream objOut;
    WritePaletteText(objOut, objWritten, objRead.arrLoadName, "%UR%%LG%%DB%%LD%");

    std::istringstream objBack(objOut.str());
    std::vector<std::string> arrBackLine;
    Check(ReadPaletteLines(objBack, arrBackLine) == LineReadResult::Ok);
    Check(arrBackLine.size() == 100);
    Palette objReread;
    Check(ReadPaletteFile(arrBackLine, objReread));
    Check(objReread.arrLoadColour == objRead.arrLoadColour);
    for (std::size_t k = 0; k < intMarkCount; ++k) {
        Check(objReread.arrLoadName.at(k) == AsWritten(objRead.arrLoadName.at(k)));
    }
    return 0;
}
