#pragma once

// Websafe, failsafe and named: the three classes of a colour.

#include <cstdint>
#include <string>

#include "core/ColourValue.h"

inline constexpr int intWebsafeCount = 216;
inline constexpr int intFailsafeCount = 16;

/// The websafe table: red slowest, blue fastest, steps of 51. Throws outside 0..215.
typColour typWebsafe(int intIndex);
std::int32_t lngWebsafe(int intIndex);

/// The failsafe table in window order, and its "#RRGGBB" texts. Throws outside 0..15.
std::int32_t lngFailsafe(int intIndex);
const std::string& strFailsafe(int intIndex);

bool IsWebsafe(std::int32_t lngValue);
bool IsFailsafe(std::int32_t lngValue);
bool IsNamedColour(std::int32_t lngValue);

/// Returns "W", "F" and "J" in that order for the classes a packed colour is in.
std::string ColourClassLetters(std::int32_t lngValue);
