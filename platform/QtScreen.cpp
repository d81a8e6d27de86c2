#include "platform/QtScreen.h"

#include <QtGui/qguiapplication_platform.h>

#include <QColor>
#include <QCursor>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <bit>  // std::popcount, std::countr_zero
#include <cstdlib>
#include <memory>
#include <optional>
#include <stdexcept>
#if QT_CONFIG(xcb)
#include <xcb/xcb.h>
#endif

#include "core/ColourValue.h"
#include "platform/PortalColourPick.h"

namespace {

#if QT_CONFIG(xcb)
// Replies of xcb are released with free().
template <class Reply>
using XcbReply = std::unique_ptr<Reply, decltype(&std::free)>;

template <class Reply>
XcbReply<Reply> Owned(Reply* objReply) {
    return XcbReply<Reply>(objReply, &std::free);
}

// The 8-bit value of the bits of a colour mask in a pixel.
int MaskedComponent(std::uint32_t lngPixel, std::uint32_t lngMask) {
    if (lngMask == 0) return 0;
    const std::uint32_t lngMax = lngMask >> std::countr_zero(lngMask);
    const std::uint32_t lngValue = (lngPixel & lngMask) >> std::countr_zero(lngMask);
    return static_cast<int>((lngValue * 255 + lngMax / 2) / lngMax);
}

// The pixel under the pointer, read from the X server in its own (physical) coordinates, so
// that neither Qt's scaling nor the layout of the monitors can shift it. Empty when the
// program does not run on X11 or the pixel cannot be read.
std::optional<std::int32_t> X11PixelUnderPointer() {
    const auto* objX11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (objX11 == nullptr) return std::nullopt;
    xcb_connection_t* objConnection = objX11->connection();
    if (objConnection == nullptr || xcb_connection_has_error(objConnection) != 0)
        return std::nullopt;
    const xcb_setup_t* objSetup = xcb_get_setup(objConnection);
    for (auto itScreen = xcb_setup_roots_iterator(objSetup); itScreen.rem != 0;
         xcb_screen_next(&itScreen)) {
        const xcb_screen_t* objScreen = itScreen.data;
        const auto objPointer = Owned(xcb_query_pointer_reply(
            objConnection, xcb_query_pointer(objConnection, objScreen->root), nullptr));
        if (!objPointer || objPointer->same_screen == 0) continue;
        const auto objImage = Owned(xcb_get_image_reply(
            objConnection,
            xcb_get_image(objConnection, XCB_IMAGE_FORMAT_Z_PIXMAP, objScreen->root,
                          objPointer->root_x, objPointer->root_y, 1, 1, ~0U),
            nullptr));
        if (!objImage) return std::nullopt;
        // The layout of a pixel: its size from the depth's format, its colours from the visual.
        int intBitsPerPixel = 0;
        for (auto itFormat = xcb_setup_pixmap_formats_iterator(objSetup); itFormat.rem != 0;
             xcb_format_next(&itFormat))
            if (itFormat.data->depth == objImage->depth)
                intBitsPerPixel = itFormat.data->bits_per_pixel;
        const xcb_visualid_t lngVisual =
            objImage->visual != 0 ? objImage->visual : objScreen->root_visual;
        const xcb_visualtype_t* objVisual = nullptr;
        for (auto itDepth = xcb_screen_allowed_depths_iterator(objScreen);
             itDepth.rem != 0 && objVisual == nullptr; xcb_depth_next(&itDepth))
            for (auto itVisual = xcb_depth_visuals_iterator(itDepth.data); itVisual.rem != 0;
                 xcb_visualtype_next(&itVisual))
                if (itVisual.data->visual_id == lngVisual) objVisual = itVisual.data;
        const int intBytes = intBitsPerPixel / 8;
        if (objVisual == nullptr || objVisual->_class != XCB_VISUAL_CLASS_TRUE_COLOR ||
            intBytes < 2 || intBytes > 4 || xcb_get_image_data_length(objImage.get()) < intBytes)
            return std::nullopt;
        const std::uint8_t* arrData = xcb_get_image_data(objImage.get());
        std::uint32_t lngPixel = 0;
        for (int i = 0; i < intBytes; ++i) {
            const int intShift =
                8 *
                (objSetup->image_byte_order == XCB_IMAGE_ORDER_LSB_FIRST ? i : intBytes - 1 - i);
            lngPixel |= static_cast<std::uint32_t>(arrData[i]) << intShift;
        }
        return PackColour(MaskedComponent(lngPixel, objVisual->red_mask),
                          MaskedComponent(lngPixel, objVisual->green_mask),
                          MaskedComponent(lngPixel, objVisual->blue_mask));
    }
    return std::nullopt;
}
#endif

}  // namespace

std::int32_t QtScreen::PixelAt(int intX, int intY) {
    const QPoint objPoint(intX, intY);
    QScreen* objScreen = QGuiApplication::screenAt(objPoint);
    if (objScreen == nullptr) objScreen = QGuiApplication::primaryScreen();
    if (objScreen == nullptr) throw std::runtime_error("no screen");
    // Grab coordinates are relative to the screen; the top-left physical pixel is the one read.
    const QPoint objOnScreen = objPoint - objScreen->geometry().topLeft();
    const QImage objImage =
        objScreen->grabWindow(0, objOnScreen.x(), objOnScreen.y(), 1, 1).toImage();
    if (objImage.isNull() || objImage.width() < 1 || objImage.height() < 1)
        throw std::runtime_error("pixel not readable");
    const QColor objColour = objImage.pixelColor(0, 0);
    return PackColour(objColour.red(), objColour.green(), objColour.blue());
}

void QtScreen::CursorPos(int& intX, int& intY) {
    const QPoint objPos = QCursor::pos();
    intX = objPos.x();
    intY = objPos.y();
}

int QtScreen::BitsPerPixel() {
    QScreen* objScreen = QGuiApplication::primaryScreen();
    if (objScreen == nullptr) throw std::runtime_error("no screen");
    return objScreen->depth();
}

std::int32_t QtScreen::PixelUnderCursor() {
#if QT_CONFIG(xcb)
    if (const std::optional<std::int32_t> lngPixel = X11PixelUnderPointer()) return *lngPixel;
#endif
    return IScreen::PixelUnderCursor();
}

bool QtScreen::PicksThroughDesktop() {
    // Under a Wayland desktop an X11 program sees only the other X11 programs' windows.
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland")) ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
           qEnvironmentVariableIntValue("HUEVRA_PICK_THROUGH_PORTAL") == 1;
}

void QtScreen::StartDesktopPick(DesktopPickDone fnDone) {
    PortalColourPick::Start(std::move(fnDone));
}
