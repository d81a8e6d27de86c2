#pragma once

#include <cstdint>
#include <vector>

#include "core/Platform.h"

/// Screen pixels, the cursor position and the colour depth of the primary screen.
class QtScreen : public IScreen {
public:
    /// Throws std::runtime_error when the pixel cannot be read.
    std::int32_t PixelAt(int intX, int intY) override;
    void CursorPos(int& intX, int& intY) override;
    /// Throws std::runtime_error when there is no screen.
    int BitsPerPixel() override;
    /// On X11 reads the server's own pointer position and pixel, so that the pixel is exact
    /// whatever the scaling and the monitor; elsewhere the pixel at CursorPos. Throws
    /// std::runtime_error when the pixel cannot be read.
    std::int32_t PixelUnderCursor() override;
    /// True on a Wayland desktop, where the screen and the pointer cannot be read (also for a
    /// program on X11 there), and when the environment variable HUEVRA_PICK_THROUGH_PORTAL is
    /// 1 (for tests).
    bool PicksThroughDesktop() override;
    /// Picks through the desktop portal on the session bus.
    void StartDesktopPick(DesktopPickDone fnDone) override;
    /// On X11 reads each monitor of the root window from the server at its physical size;
    /// false where the desktop picks and off X11.
    bool ReadScreens(std::vector<ScreenShot>& arrScreens) override;
    /// On X11 warps the pointer to a physical root-window pixel; false off X11.
    bool MovePointer(int intX, int intY) override;
    /// On X11 the server's own pointer position; false off X11.
    bool PhysicalPointer(int& intX, int& intY) override;
};
