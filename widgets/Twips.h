#pragma once

// Layout sizes are kept in twips, fifteen to a pixel.

/// Returns the pixel nearest to a length or position in twips. Whole pixels (multiples of 15)
/// convert exactly; cell edges that fall between pixels go to the nearer one.
constexpr int TwipsToPixelsNearest(int intTwips) { return (2 * intTwips + 15) / 30; }
