#pragma once

// Layout sizes are kept in twips, fifteen to a pixel.

constexpr int Twips(int intTwips) { return intTwips / 15; }
