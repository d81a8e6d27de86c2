#pragma once

#include <cstdint>

#include "core/Platform.h"

/// Screen pixels, the cursor position and the colour depth of the primary screen.
class QtScreen : public IScreen {
public:
    /// Throws std::runtime_error when the pixel cannot be read.
    std::int32_t PixelAt(int intX, int intY) override;
    void CursorPos(int& intX, int& intY) override;
    /// Throws std::runtime_error when there is no screen.
    int BitsPerPixel() override;
};
