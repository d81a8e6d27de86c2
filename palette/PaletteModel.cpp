#include "palette/PaletteModel.h"

#include "core/modSupport.h"

namespace {

constexpr typColour MakeColour(std::int32_t lngRed, std::int32_t lngGreen, std::int32_t lngBlue) {
    typColour typValue;
    typValue.lngRed = lngRed;
    typValue.lngGreen = lngGreen;
    typValue.lngBlue = lngBlue;
    return typValue;
}

// Red, yellow, green, cyan, blue, magenta.
constexpr std::array<typColour, intMarkCount> arrDefaultColour{
    MakeColour(255, 0, 0),   MakeColour(255, 255, 0), MakeColour(0, 255, 0),
    MakeColour(0, 255, 255), MakeColour(0, 0, 255),   MakeColour(255, 0, 255)};

}  // namespace

std::string PaletteTitle(const std::string& strPalettePath) {
    if (strPalettePath.empty()) return "Huevra - New palette";
    return "Huevra - " + modSupport::TextAfterLast(strPalettePath, modSupport::strPathSeparator);
}

void Palette::SetDefaultPalette() {
    arrLoadColour = arrDefaultColour;
    arrLoadName.fill(strNoNamePlaceholder);
}

bool Palette::PaletteChanged(const std::array<std::string, intMarkCount>& arrCurrentName) const {
    const std::string strNoName = strNoNamePlaceholder;
    const std::string strNotJavaScript = strNotJavaScriptPlaceholder;
    for (int i = 0; i < intMarkCount; ++i) {
        const typColour& typMark = arrMarkColour.at(i);
        const typColour& typSaved = arrSavedColour.at(i);
        if (typMark.lngRed != typSaved.lngRed || typMark.lngGreen != typSaved.lngGreen ||
            typMark.lngBlue != typSaved.lngBlue) {
            return true;
        }
        const std::string& strCurrent = arrCurrentName.at(i);
        const std::string& strSaved = arrSavedName.at(i);
        if (strCurrent == strSaved) continue;
        // The two placeholders both mean "no name".
        if (strSaved == strNotJavaScript && strCurrent == strNoName) continue;
        if (strSaved == strNoName && strCurrent == strNotJavaScript) continue;
        return true;
    }
    return false;
}
