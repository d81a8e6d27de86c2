#pragma once

// The round trip of a colour through every notation: the printed text reads back as the same
// colour, in sRGB and opaque. Shared by the sampled test and the exhaustive run.

#include <cstddef>
#include <string>

#include "core/ColourText.h"
#include "core/ColourValue.h"

/// Returns the most decimals any number of a text has.
inline int DecimalsOfText(const std::string& strText) {
    int intMost = 0;
    for (std::size_t i = 0; i < strText.size(); ++i) {
        if (strText[i] != '.') continue;
        int intCount = 0;
        while (i + 1 < strText.size() && strText[i + 1] >= '0' && strText[i + 1] <= '9') {
            ++intCount;
            ++i;
        }
        intMost = std::max(intMost, intCount);
    }
    return intMost;
}

/// Returns "" when every notation of the colour reads back as itself, else the first text
/// that does not. arrDecimals (optional) counts, per notation, the texts by their decimals.
inline std::string RoundTripFailure(int intRed, int intGreen, int intBlue,
                                    long long (*arrDecimals)[6] = nullptr) {
    const typColour typWanted{intRed, intBlue, intGreen};
    for (int intNotation = 0; intNotation < intColourNotationCount; ++intNotation) {
        const std::string strText = ColourNotationText(
            intNotation, static_cast<std::int16_t>(intRed), static_cast<std::int16_t>(intGreen),
            static_cast<std::int16_t>(intBlue), "Round trip", 1);
        const typColourTextResult typRead = ParseColourText(strText);
        if (!typRead.blnOk || typRead.blnMapped || typRead.blnAlphaIgnored ||
            !(typRead.typValue == typWanted)) {
            return strText;
        }
        const int intDecimals = DecimalsOfText(strText);
        if (intDecimals > 5) return strText;
        if (arrDecimals != nullptr) ++arrDecimals[intNotation][intDecimals];
    }
    return {};
}
