#pragma once

// Helpers the interchange readers and writers share: UTF-8 and UTF-16, places in a text and
// refusals that name them.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "palette/PaletteExchange.h"
#include "palette/Utf8.h"

namespace exchange {

// The one UTF-8 codec of the palette library.
using Utf8::AppendUtf8;
using Utf8::FirstInvalidUtf8;
using Utf8::Utf16FromUtf8;
using Utf8::Utf8FromUtf16;

/// Decodes the character at intPos and moves past it; a byte that starts no well-formed UTF-8
/// sequence gives U+FFFD and is passed alone.
inline std::uint32_t NextCodePoint(std::string_view strText, std::size_t& intPos) {
    return Utf8::DecodeNext(strText, intPos).value_or(0xFFFD);
}

/// Returns the 1-based line of a byte offset; lines end at LF, CR LF or a lone CR.
std::size_t LineOfOffset(std::string_view strText, std::size_t intOffset);

/// Returns a refusal at a byte offset: "Line N: reason" when blnByLine, else
/// "Byte offset N: reason".
typImportResult Refusal(std::string_view strText, std::size_t intOffset,
                        const std::string& strReason, bool blnByLine);

/// Returns the refusal of a text file that is not UTF-8, or an empty error; strText loses a
/// leading byte order mark (the offsets of its refusals still count it).
typImportResult CheckTextFile(std::string_view strBytes, std::string_view& strText);

/// Returns the text without spaces and tabs at both ends.
std::string_view Trimmed(std::string_view strText);

/// Returns the CSS variable names of the colours without "--": ExchangeName's, a duplicate
/// given "-2", "-3" and so on until it is unique.
std::vector<std::string> UniqueVariableNames(const std::vector<typExchangeColour>& arrColours);

/// Returns "#rrggbb" of a colour; throws std::out_of_range for a component outside 0..255.
std::string LowerHexText(const typColour& typValue);

}  // namespace exchange
