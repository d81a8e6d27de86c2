#pragma once

// The 140 named ("JavaScript") colours, alphabetical and in the .NET palette order.

#include <cstdint>
#include <string>

inline constexpr int intNamedColourCount = 140;

/// Alphabetical order: packed value, lower-case name, tip text ("aliceblue #F0F8FF").
/// Each throws std::out_of_range outside 0..139.
std::int32_t lngNamedColour(int intIndex);
const std::string& strNamedColour(int intIndex);
const std::string& strNamedColourTip(int intIndex);

/// The .NET palette order: packed value and tip text.
std::int32_t lngNamedColourNet(int intIndex);
const std::string& strNamedColourTipNet(int intIndex);

/// Returns the first alphabetical index whose value equals lngValue, or -1.
std::int16_t FindNamedColour(std::int32_t lngValue);

/// Returns "cyan" for "aqua", "magenta" for "fuchsia", and any other name unchanged.
std::string PreferredColourName(const std::string& strName);

/// Returns the preferred name of six upper-case hex digits (red, green, blue), or "".
std::string JavaScriptNameOfHex(const std::string& strDigits);
