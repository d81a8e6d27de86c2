#include "palette/PaletteModel.h"

#include <cstdint>
#include <string_view>

#include "core/modSupport.h"
#include "palette/Utf8.h"

namespace {

constexpr std::uint32_t lngReplacementCharacter = 0xFFFD;

// Characters that are invisible or reorder the text around them: C1 controls, the directional
// marks, embeddings, overrides and isolates, zero-width characters and the line and paragraph
// separators.
bool IsHiddenControl(std::uint32_t lngCode) {
    return (lngCode >= 0x80 && lngCode <= 0x9F) || lngCode == 0x061C ||
           (lngCode >= 0x200B && lngCode <= 0x200F) || (lngCode >= 0x2028 && lngCode <= 0x202E) ||
           (lngCode >= 0x2060 && lngCode <= 0x2069) || lngCode == 0xFEFF;
}

std::string CodePointName(std::uint32_t lngCode) {
    constexpr std::string_view strDigits = "0123456789ABCDEF";
    std::string strName = "<U+";
    for (int intShift = 12; intShift >= 0; intShift -= 4)
        strName += strDigits[(lngCode >> intShift) & 0xF];
    return strName + ">";
}

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

std::string VisibleText(const std::string& strText) {
    std::string strOut;
    strOut.reserve(strText.size());
    std::size_t intPos = 0;
    while (intPos < strText.size()) {
        const std::uint32_t lngCode =
            Utf8::DecodeNext(strText, intPos).value_or(lngReplacementCharacter);
        if (lngCode < 0x20) {
            Utf8::AppendUtf8(strOut,
                             0x2400 + lngCode);  // the control pictures, "\n" shows as U+240A
        } else if (lngCode == 0x7F) {
            Utf8::AppendUtf8(strOut, 0x2421);
        } else if (IsHiddenControl(lngCode)) {
            strOut += CodePointName(lngCode);
        } else {
            Utf8::AppendUtf8(strOut, lngCode);
        }
    }
    return strOut;
}

std::string PaletteTitle(const std::string& strPalettePath) {
    if (strPalettePath.empty()) return "Huevra - New palette";
    return "Huevra - " +
           VisibleText(modSupport::TextAfterLast(strPalettePath, modSupport::strPathSeparator));
}

void Palette::SetDefaultPalette() {
    arrLoadColour = arrDefaultColour;
    arrLoadName.fill(strNoNamePlaceholder);
}

void Palette::CommitLoad() {
    arrMarkColour = arrLoadColour;
    arrSavedColour = arrLoadColour;
    arrMarkName = arrLoadName;
    arrSavedName = arrLoadName;
    blnNothingSaved = false;
    intSelectedMark = 0;
}

void Palette::SetMarkColour(int intMark, const typColour& typValue) {
    arrMarkColour.at(static_cast<std::size_t>(intMark)) = typValue;
}

void Palette::SetMarkName(int intMark, const std::string& strName) {
    arrMarkName.at(static_cast<std::size_t>(intMark)) = strName;
}

void Palette::MarkSaved(const std::array<std::string, intMarkCount>& arrName) {
    for (std::size_t k = 0; k < intMarkCount; ++k) {
        const std::string& strName = arrName.at(k);
        arrSavedName.at(k) =
            strName == strNotJavaScriptPlaceholder ? strNoNamePlaceholder : strName;
    }
    arrSavedColour = arrMarkColour;
    blnNothingSaved = false;
}

bool Palette::PaletteChanged(const std::array<std::string, intMarkCount>& arrCurrentName) const {
    if (blnNothingSaved) return true;
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
