#pragma once

// The UTF-8 encoding the palette model, the palette file and the interchange formats share:
// plain C++, no Qt.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace Utf8 {

/// True for the bytes 0x80..0xBF that continue a multi-byte character.
constexpr bool IsContinuationByte(unsigned char c) { return (c & 0xC0) == 0x80; }

/// Appends the code point as one to four bytes; a surrogate or a value past U+10FFFF is
/// appended as U+FFFD.
void AppendUtf8(std::string& strOut, std::uint32_t lngCode);

/// Decodes the character at intPos and moves past it. A byte that starts no well-formed
/// sequence (overlong forms, surrogates, values past U+10FFFF, a cut-off end) gives no value
/// and is passed alone.
std::optional<std::uint32_t> DecodeNext(std::string_view strText, std::size_t& intPos);

/// Returns the offset of the first byte that belongs to no well-formed character, or npos.
std::size_t FirstInvalidUtf8(std::string_view strText);

/// True when every byte belongs to a well-formed character.
bool IsValidUtf8(std::string_view strText);

/// Returns the UTF-16 code units of a UTF-8 text; a byte of no well-formed character gives
/// U+FFFD.
std::u16string Utf16FromUtf8(std::string_view strText);

/// Returns the UTF-8 text of UTF-16 code units; an unpaired surrogate becomes U+FFFD.
std::string Utf8FromUtf16(const std::u16string& strText);

}  // namespace Utf8
