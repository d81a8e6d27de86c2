#pragma once

// The UTF-8 encoding the palette model and the palette file share: plain C++, no Qt.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace Utf8 {

/// True for the bytes 0x80..0xBF that continue a multi-byte character.
constexpr bool IsContinuationByte(unsigned char c) { return (c & 0xC0) == 0x80; }

/// Appends the code point (at most U+10FFFF) as one to four bytes.
void AppendUtf8(std::string& strOut, std::uint32_t lngCode);

/// Decodes the character at intPos and moves past it. A byte that starts no well-formed
/// sequence (overlong forms, surrogates, values past U+10FFFF, a cut-off end) gives no value
/// and is passed alone.
std::optional<std::uint32_t> DecodeNext(std::string_view strText, std::size_t& intPos);

/// True when every byte belongs to a well-formed character.
bool IsValidUtf8(std::string_view strText);

}  // namespace Utf8
