#pragma once

// The 148 colour names of CSS: the 140 named colours, the "grey" spellings beside "gray" and
// "rebeccapurple".

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

inline constexpr int intCssNamedColourCount = 148;

/// Alphabetical order: lower-case name and packed value. Each throws std::out_of_range outside
/// 0..147.
const std::string& strCssNamedColour(int intIndex);
std::int32_t lngCssNamedColour(int intIndex);

/// Returns the packed value of a name in any case ("RebeccaPurple"), or -1.
std::int32_t FindCssNamedColour(std::string_view strName);

/// Returns every name of a packed colour in alphabetical order ("aqua", "cyan"); none when it
/// has no name.
std::vector<std::string> CssNamesOfColour(std::int32_t lngValue);
