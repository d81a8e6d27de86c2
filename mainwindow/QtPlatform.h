#pragma once

// Qt implementations of the clipboard and screen services.

#include <cstdint>
#include <string>

#include "core/Platform.h"

/// The system clipboard (not the X11 selection), plain text.
class QtClipboard : public IClipboard {
public:
    void Clear() override;
    void SetText(const std::string& strText) override;
};

/// Screen pixels, the cursor position and the colour depth of the primary screen.
class QtScreen : public IScreen {
public:
    /// Throws std::runtime_error when the pixel cannot be read.
    std::int32_t PixelAt(int intX, int intY) override;
    void CursorPos(int& intX, int& intY) override;
    /// Throws std::runtime_error when there is no screen.
    int BitsPerPixel() override;
};
