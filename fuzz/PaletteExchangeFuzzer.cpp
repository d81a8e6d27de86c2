// Feeds arbitrary bytes to the interchange readers; the first byte chooses the format. Whatever
// the bytes, a reader either reads colours or refuses with a place inside the file; what it
// reads writes a file that reads back as the same colours and writes the same file again.
// Large texts come in the compact form of FuzzInput.h.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "fuzz/FuzzInput.h"
#include "palette/PaletteExchange.h"

namespace {

void Check(bool blnCondition) {
    if (!blnCondition) std::abort();
}

bool IsComponent(std::int32_t lngValue) { return lngValue >= 0 && lngValue <= 255; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* arrData, std::size_t intSize) {
    if (intSize == 0) return 0;
    const auto enmFormat = static_cast<PaletteFormat>(arrData[0] % intPaletteFormatCount);
    const std::string strFile = ExpandedInput(arrData + 1, intSize - 1);

    const typImportResult typRead = ImportPalette(enmFormat, strFile);
    if (!typRead.blnOk) {
        Check(!typRead.strError.empty() && typRead.arrColours.empty());
        Check(typRead.intErrorOffset <= strFile.size());
        return 0;
    }
    Check(!typRead.arrColours.empty() && typRead.strError.empty());
    for (const typExchangeColour& typEntry : typRead.arrColours) {
        Check(IsComponent(typEntry.typValue.lngRed) && IsComponent(typEntry.typValue.lngGreen) &&
              IsComponent(typEntry.typValue.lngBlue));
    }

    const std::string strWritten = ExportPalette(enmFormat, typRead.arrColours, "fuzz");
    const typImportResult typBack = ImportPalette(enmFormat, strWritten);
    Check(typBack.blnOk && typBack.arrColours.size() == typRead.arrColours.size());
    for (std::size_t i = 0; i < typRead.arrColours.size(); ++i) {
        Check(typBack.arrColours[i].typValue == typRead.arrColours[i].typValue);
        // GIMP palettes and swatches keep the names; the CSS family makes them variable names.
        if (enmFormat == PaletteFormat::Gpl || enmFormat == PaletteFormat::Ase)
            Check(typBack.arrColours[i].strName == typRead.arrColours[i].strName);
    }
    Check(typBack.arrNotes.empty());
    Check(ExportPalette(enmFormat, typBack.arrColours, "fuzz") == strWritten);
    return 0;
}
