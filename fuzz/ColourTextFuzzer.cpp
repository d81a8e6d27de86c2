// Feeds arbitrary text to the colour text reader. Any text either reads as a colour or gives an
// error inside the text; a colour read prints in every notation (the text itself serving as the
// mark's name) and each text reads back as the same colour, in sRGB and opaque.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/ColourText.h"

namespace {

void Check(bool blnCondition) {
    if (!blnCondition) std::abort();
}

bool IsVariableName(const std::string& strName) {
    if (strName.empty() || strName.front() == '-' || strName.back() == '-') return false;
    for (const char chr : strName) {
        if (!((chr >= 'a' && chr <= 'z') || (chr >= '0' && chr <= '9') || chr == '-' ||
              chr == '_')) {
            return false;
        }
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* arrData, std::size_t intSize) {
    const std::string strText(reinterpret_cast<const char*>(arrData), intSize);
    const typColourTextResult typRead = ParseColourText(strText);
    Check(IsVariableName(ColourVariableName(strText, 1)));
    if (!typRead.blnOk) {
        Check(typRead.intErrorPosition <= strText.size());
        Check(!typRead.strError.empty());
        return 0;
    }
    Check(typRead.strError.empty());
    Check(typRead.dblAlpha >= 0 && typRead.dblAlpha <= 1);
    Check(typRead.blnAlphaIgnored == (typRead.dblAlpha < 1));
    const typColour& typValue = typRead.typValue;
    for (const std::int32_t lngComponent : {typValue.lngRed, typValue.lngGreen, typValue.lngBlue}) {
        Check(lngComponent >= 0 && lngComponent <= 255);
    }
    for (int intNotation = 0; intNotation < intColourNotationCount; ++intNotation) {
        const std::string strPrinted = ColourNotationText(
            intNotation, static_cast<std::int16_t>(typValue.lngRed),
            static_cast<std::int16_t>(typValue.lngGreen),
            static_cast<std::int16_t>(typValue.lngBlue), strText, 1);
        const typColourTextResult typBack = ParseColourText(strPrinted);
        Check(typBack.blnOk && !typBack.blnMapped && !typBack.blnAlphaIgnored);
        Check(typBack.typValue == typValue);
    }
    return 0;
}
