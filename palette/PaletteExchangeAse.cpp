// Adobe Swatch Exchange (.ase), big-endian: "ASEF", version 1.0, a block count, then blocks of a
// type, a length and their data. A colour entry (0x0001) holds a UTF-16 name with its
// terminating 0, a model ("RGB ", "CMYK", "LAB ", "Gray"), float32 values and a type (0 global,
// 1 spot, 2 normal); 0xC001 and 0xC002 begin and end a group.

#include <algorithm>
#include <bit>  // std::bit_cast
#include <cmath>
#include <cstdint>
#include <string>

#include "core/ColourSpaces.h"
#include "palette/PaletteExchange.h"
#include "palette/PaletteExchangeText.h"

namespace {

constexpr std::uint16_t intColourEntry = 0x0001;
constexpr std::uint16_t intGlobalColour = 0;

void PutUint16(std::string& strOut, std::uint32_t lngValue) {
    strOut += static_cast<char>((lngValue >> 8) & 0xFF);
    strOut += static_cast<char>(lngValue & 0xFF);
}

void PutUint32(std::string& strOut, std::uint32_t lngValue) {
    PutUint16(strOut, lngValue >> 16);
    PutUint16(strOut, lngValue & 0xFFFF);
}

// Reads big-endian numbers within the bytes, each read bounded by what is left.
class SwatchReader {
public:
    explicit SwatchReader(std::string_view strBytes) : strBytes(strBytes) {}
    std::size_t intPos = 0;

    std::size_t Left() const { return strBytes.size() - intPos; }

    std::uint32_t Number(std::size_t intBytes) {
        std::uint32_t lngValue = 0;
        for (std::size_t k = 0; k < intBytes; ++k)
            lngValue = (lngValue << 8) | static_cast<unsigned char>(strBytes[intPos++]);
        return lngValue;
    }

private:
    std::string_view strBytes;
};

std::int32_t ByteOf(double dblUnit) { return ByteOfUnit(dblUnit); }

}  // namespace

std::string WriteSwatchPalette(const std::vector<typExchangeColour>& arrColours) {
    std::string strOut = "ASEF";
    PutUint16(strOut, 1);
    PutUint16(strOut, 0);
    PutUint32(strOut, static_cast<std::uint32_t>(arrColours.size()));
    for (std::size_t i = 0; i < arrColours.size(); ++i) {
        const typColour& typValue = arrColours[i].typValue;
        exchange::LowerHexText(typValue);  // refuses components outside 0..255
        std::u16string strName = exchange::Utf16FromUtf8(
            ExchangeName(PaletteFormat::Ase, arrColours[i].strName, static_cast<int>(i) + 1));
        // The length field counts 16-bit units, the terminating 0 with them.
        if (strName.size() > 0xFFFE) strName.resize(0xFFFE);
        strName += u'\0';
        std::string strBlock;
        PutUint16(strBlock, static_cast<std::uint32_t>(strName.size()));
        for (const char16_t chrUnit : strName) PutUint16(strBlock, chrUnit);
        strBlock += "RGB ";
        for (const std::int32_t lngValue : {typValue.lngRed, typValue.lngGreen, typValue.lngBlue})
            PutUint32(strBlock,
                      std::bit_cast<std::uint32_t>(static_cast<float>(lngValue) / 255.0F));
        PutUint16(strBlock, intGlobalColour);
        PutUint16(strOut, intColourEntry);
        PutUint32(strOut, static_cast<std::uint32_t>(strBlock.size()));
        strOut += strBlock;
    }
    return strOut;
}

typImportResult ReadSwatchPalette(std::string_view strBytes) {
    auto refuse = [&](std::size_t intOffset, const std::string& strReason) {
        return exchange::Refusal(strBytes, intOffset, strReason, false);
    };
    SwatchReader objIn(strBytes);
    if (strBytes.size() < 12 || strBytes.substr(0, 4) != "ASEF")
        return refuse(0, "a swatch exchange file begins with \"ASEF\" and a 12-byte header");
    objIn.intPos = 4;
    const std::uint32_t intMajor = objIn.Number(2);
    const std::uint32_t intMinor = objIn.Number(2);
    if (intMajor != 1) {
        return refuse(4, "version " + std::to_string(intMajor) + "." + std::to_string(intMinor) +
                             " is not 1.x");
    }
    const std::uint32_t lngBlocks = objIn.Number(4);

    typImportResult typResult;
    bool blnCmyk = false;
    bool blnLab = false;
    bool blnMapped = false;
    for (std::uint32_t lngBlock = 0; lngBlock < lngBlocks; ++lngBlock) {
        const std::size_t intBlockStart = objIn.intPos;
        if (objIn.Left() < 6) {
            return refuse(intBlockStart, "the file ends where block " +
                                             std::to_string(lngBlock + 1) + " of " +
                                             std::to_string(lngBlocks) + " should begin");
        }
        const std::uint32_t intType = objIn.Number(2);
        const std::uint32_t lngLength = objIn.Number(4);
        if (lngLength > objIn.Left()) {
            return refuse(intBlockStart + 2, "the block is " + std::to_string(lngLength) +
                                                 " bytes long, but only " +
                                                 std::to_string(objIn.Left()) + " follow");
        }
        const std::size_t intBlockEnd = objIn.intPos + lngLength;
        if (intType != intColourEntry) {
            // Group starts and ends, and blocks of other kinds: the groups are flattened.
            objIn.intPos = intBlockEnd;
            continue;
        }
        std::size_t intLeft = lngLength;
        if (intLeft < 2) return refuse(objIn.intPos, "the colour entry has no name length");
        const std::uint32_t intUnits = objIn.Number(2);
        intLeft -= 2;
        if (std::size_t{intUnits} * 2 > intLeft) {
            return refuse(objIn.intPos - 2, "the name of " + std::to_string(intUnits) +
                                                " UTF-16 units runs past its block");
        }
        std::u16string strName;
        for (std::uint32_t k = 0; k < intUnits; ++k)
            strName += static_cast<char16_t>(objIn.Number(2));
        intLeft -= std::size_t{intUnits} * 2;
        while (!strName.empty() && strName.back() == u'\0') strName.pop_back();
        // As long as a written name may be, so that a name read is written back whole.
        if (strName.size() > 0xFFFE) strName.resize(0xFFFE);

        if (intLeft < 4) return refuse(objIn.intPos, "the colour entry ends before its model");
        const std::size_t intModelAt = objIn.intPos;
        const std::string_view strModel = strBytes.substr(intModelAt, 4);
        objIn.intPos += 4;
        intLeft -= 4;
        std::size_t intValues = 0;
        if (strModel == "RGB " || strModel == "LAB ") {
            intValues = 3;
        } else if (strModel == "CMYK") {
            intValues = 4;
        } else if (strModel == "Gray") {
            intValues = 1;
        } else {
            return refuse(intModelAt,
                          "the colour model is none of \"RGB \", \"CMYK\", \"LAB \" and \"Gray\"");
        }
        if (intLeft < intValues * 4) {
            return refuse(objIn.intPos, "the colour entry ends before its " +
                                            std::to_string(intValues) + " values");
        }
        double arrValue[4] = {0, 0, 0, 0};
        for (std::size_t k = 0; k < intValues; ++k) {
            const std::size_t intValueAt = objIn.intPos;
            arrValue[k] = std::bit_cast<float>(objIn.Number(4));
            if (!std::isfinite(arrValue[k])) return refuse(intValueAt, "the value is no number");
        }
        // The colour type (global, spot or normal) that follows does not change the colour.
        objIn.intPos = intBlockEnd;

        typColour typValue;
        if (strModel == "RGB ") {
            typValue.lngRed = ByteOf(arrValue[0]);
            typValue.lngGreen = ByteOf(arrValue[1]);
            typValue.lngBlue = ByteOf(arrValue[2]);
        } else if (strModel == "Gray") {
            typValue.lngRed = typValue.lngGreen = typValue.lngBlue = ByteOf(arrValue[0]);
        } else if (strModel == "CMYK") {
            // Without the printer's profile: each of red, green and blue is what the ink of its
            // complement and the black leave.
            blnCmyk = true;
            const double dblKey = 1 - arrValue[3];
            typValue.lngRed = ByteOf((1 - arrValue[0]) * dblKey);
            typValue.lngGreen = ByteOf((1 - arrValue[1]) * dblKey);
            typValue.lngBlue = ByteOf((1 - arrValue[2]) * dblKey);
        } else {
            // L is stored as 0..1, a and b as they are; the white is D50. Values far outside
            // any colour are held to the nearest that the conversion can take.
            blnLab = true;
            const typSrgbBytes typNearest =
                NearestSrgbBytes(ColourSpace::Lab, {std::clamp(arrValue[0], 0.0, 1.0) * 100,
                                                    std::clamp(arrValue[1], -1000.0, 1000.0),
                                                    std::clamp(arrValue[2], -1000.0, 1000.0)});
            typValue = typNearest.typValue;
            blnMapped = blnMapped || typNearest.blnMapped;
        }
        typResult.arrColours.push_back({typValue, exchange::Utf8FromUtf16(strName)});
    }
    if (blnCmyk) {
        typResult.arrNotes.push_back(
            "CMYK colours were converted naively, without a colour profile; they may look "
            "different in print.");
    }
    if (blnLab) {
        typResult.arrNotes.push_back(blnMapped ? "Lab colours were converted to sRGB; some lay "
                                                 "outside it and were mapped into it."
                                               : "Lab colours were converted to sRGB.");
    }
    if (typResult.arrColours.empty())
        return refuse(strBytes.size(), "the file holds no colour entry");
    typResult.blnOk = true;
    return typResult;
}
