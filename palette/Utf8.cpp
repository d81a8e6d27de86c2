#include "palette/Utf8.h"

namespace Utf8 {

void AppendUtf8(std::string& strOut, std::uint32_t lngCode) {
    if ((lngCode >= 0xD800 && lngCode <= 0xDFFF) || lngCode > 0x10FFFF) lngCode = 0xFFFD;
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

std::optional<std::uint32_t> DecodeNext(std::string_view strText, std::size_t& intPos) {
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
        return std::nullopt;
    }
    if (strText.size() - intPos < intLength - 1) return std::nullopt;
    for (std::size_t j = 0; j + 1 < intLength; ++j) {
        const auto b = static_cast<unsigned char>(strText[intPos + j]);
        if (!IsContinuationByte(b)) return std::nullopt;
        lngCode = (lngCode << 6) | (b & 0x3F);
    }
    if (lngCode < lngLowest || lngCode > 0x10FFFF || (lngCode >= 0xD800 && lngCode <= 0xDFFF))
        return std::nullopt;
    intPos += intLength - 1;
    return lngCode;
}

std::size_t FirstInvalidUtf8(std::string_view strText) {
    std::size_t intPos = 0;
    while (intPos < strText.size()) {
        const std::size_t intStart = intPos;
        if (!DecodeNext(strText, intPos)) return intStart;
    }
    return std::string_view::npos;
}

bool IsValidUtf8(std::string_view strText) {
    return FirstInvalidUtf8(strText) == std::string_view::npos;
}

std::u16string Utf16FromUtf8(std::string_view strText) {
    std::u16string strOut;
    std::size_t intPos = 0;
    while (intPos < strText.size()) {
        const std::uint32_t lngCode = DecodeNext(strText, intPos).value_or(0xFFFD);
        if (lngCode < 0x10000) {
            strOut += static_cast<char16_t>(lngCode);
        } else {
            strOut += static_cast<char16_t>(0xD800 + ((lngCode - 0x10000) >> 10));
            strOut += static_cast<char16_t>(0xDC00 + ((lngCode - 0x10000) & 0x3FF));
        }
    }
    return strOut;
}

std::string Utf8FromUtf16(const std::u16string& strText) {
    std::string strOut;
    for (std::size_t i = 0; i < strText.size(); ++i) {
        const std::uint32_t lngUnit = strText[i];
        if (lngUnit >= 0xD800 && lngUnit <= 0xDBFF && i + 1 < strText.size() &&
            strText[i + 1] >= 0xDC00 && strText[i + 1] <= 0xDFFF) {
            AppendUtf8(strOut, 0x10000 + ((lngUnit - 0xD800) << 10) + (strText[i + 1] - 0xDC00));
            ++i;
        } else {
            AppendUtf8(strOut, lngUnit);  // a lone surrogate becomes U+FFFD
        }
    }
    return strOut;
}

}  // namespace Utf8
