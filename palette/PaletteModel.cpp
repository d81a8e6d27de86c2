#include "palette/PaletteModel.h"

#include <cstdint>
#include <string_view>

#include "core/modSupport.h"

namespace {

void AppendUtf8(std::string& strOut, std::uint32_t lngCode) {
    if (lngCode < 0x80) {
        strOut += static_cast<char>(lngCode);
    } else if (lngCode < 0x800) {
        strOut += static_cast<char>(0xC0 | (lngCode >> 6));
        strOut += static_cast<char>(0x80 | (lngCode & 0x3F));
    } else if (lngCode < 0x10000) {
        strOut += static_cast<char>(0xE0 | (lngCode >> 12));
        strOut += static_cast<char>(0x80 | ((lngCode >> 6) & 0x3F));
        strOut += static_cast<char>(0x80 | (lngCode & 0x3F));
    } else {
        strOut += static_cast<char>(0xF0 | (lngCode >> 18));
        strOut += static_cast<char>(0x80 | ((lngCode >> 12) & 0x3F));
        strOut += static_cast<char>(0x80 | ((lngCode >> 6) & 0x3F));
        strOut += static_cast<char>(0x80 | (lngCode & 0x3F));
    }
}

constexpr std::uint32_t lngReplacementCharacter = 0xFFFD;

// Decodes the character at intPos and moves past it; a byte that starts no well-formed UTF-8
// sequence gives U+FFFD and is passed alone.
std::uint32_t NextCodePoint(std::string_view strText, std::size_t& intPos) {
    const auto c = static_cast<unsigned char>(strText[intPos++]);
    if (c < 0x80) return c;
    std::size_t intLength = 0;
    std::uint32_t lngCode = 0;
    std::uint32_t lngLowest = 0;
    if (c >= 0xC2 && c <= 0xDF) {
        intLength = 2;
        lngCode = c & 0x1F;
        lngLowest = 0x80;
    } else if (c >= 0xE0 && c <= 0xEF) {
        intLength = 3;
        lngCode = c & 0x0F;
        lngLowest = 0x800;
    } else if (c >= 0xF0 && c <= 0xF4) {
        intLength = 4;
        lngCode = c & 0x07;
        lngLowest = 0x10000;
    } else {
        return lngReplacementCharacter;
    }
    if (strText.size() - intPos < intLength - 1) return lngReplacementCharacter;
    for (std::size_t j = 0; j + 1 < intLength; ++j) {
        const auto b = static_cast<unsigned char>(strText[intPos + j]);
        if ((b & 0xC0) != 0x80) return lngReplacementCharacter;
        lngCode = (lngCode << 6) | (b & 0x3F);
    }
    if (lngCode < lngLowest || lngCode > 0x10FFFF || (lngCode >= 0xD800 && lngCode <= 0xDFFF))
        return lngReplacementCharacter;
    intPos += intLength - 1;
    return lngCode;
}

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
        const std::uint32_t lngCode = NextCodePoint(strText, intPos);
        if (lngCode < 0x20) {
            AppendUtf8(strOut, 0x2400 + lngCode);  // the control pictures, "\n" shows as U+240A
        } else if (lngCode == 0x7F) {
            AppendUtf8(strOut, 0x2421);
        } else if (IsHiddenControl(lngCode)) {
            strOut += CodePointName(lngCode);
        } else {
            AppendUtf8(strOut, lngCode);
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
