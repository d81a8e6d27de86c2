#pragma once

// The twelve code formats a colour is rendered in.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

/// Number of code formats; an index 0..11, with -1 for none selected.
inline constexpr int intCodeFormatCount = 12;
inline constexpr int intCustomFormat = 11;

/// The captions of the formats in index order.
inline constexpr std::array<std::string_view, intCodeFormatCount> arrCodeFormatCaption{
    "HTML Hex", "Lower Case HTML Hex", "VB Hex",   "VB",         "C++ Hex", "Delphi Hex",
    "Access",   ".NET HTML",           ".NET OLE", ".NET Win32", "Java",    "Custom"};

/// Returns the code text of a colour in a format; strTemplate is used by Custom only.
/// Throws std::out_of_range for a format outside 0..11 or a component outside 0..255.
std::string ColourCodeText(int intFormat, std::int16_t intRed, std::int16_t intGreen,
                           std::int16_t intBlue, const std::string& strTemplate);

/// Returns the Custom template with its ten codes replaced, in their fixed order.
std::string ExpandCustomTemplate(const std::string& strTemplate, std::int16_t intRed,
                                 std::int16_t intGreen, std::int16_t intBlue);
