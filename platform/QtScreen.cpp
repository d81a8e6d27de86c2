#include "platform/QtScreen.h"

#include <QtGui/qguiapplication_platform.h>

#include <QColor>
#include <QCursor>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QRect>
#include <QScreen>
#include <bit>  // std::popcount, std::countr_zero
#include <cstdlib>
#include <memory>
#include <optional>
#include <stdexcept>
#include <vector>
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

// The X server of the program, and the root window of its screen; empty off X11.
struct X11Root {
    xcb_connection_t* objConnection = nullptr;
    const xcb_setup_t* objSetup = nullptr;
    const xcb_screen_t* objScreen = nullptr;
};

std::optional<X11Root> X11RootWindow() {
    const auto* objX11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (objX11 == nullptr) return std::nullopt;
    xcb_connection_t* objConnection = objX11->connection();
    if (objConnection == nullptr || xcb_connection_has_error(objConnection) != 0)
        return std::nullopt;
    const xcb_setup_t* objSetup = xcb_get_setup(objConnection);
    // The screen the pointer is on: the one the program's windows are shown on.
    for (auto itScreen = xcb_setup_roots_iterator(objSetup); itScreen.rem != 0;
         xcb_screen_next(&itScreen)) {
        const auto objPointer = Owned(xcb_query_pointer_reply(
            objConnection, xcb_query_pointer(objConnection, itScreen.data->root), nullptr));
        if (objPointer && objPointer->same_screen != 0)
            return X11Root{objConnection, objSetup, itScreen.data};
    }
    return std::nullopt;
}

// How the pixels of an image of the server are laid out: bytes per pixel, their order and
// the colour masks of the visual. Empty when they are not true colour of 2 to 4 bytes.
struct PixelLayout {
    int intBytes = 0;
    bool blnLsbFirst = true;
    std::uint32_t lngRedMask = 0;
    std::uint32_t lngGreenMask = 0;
    std::uint32_t lngBlueMask = 0;

    std::int32_t Colour(const std::uint8_t* arrData) const {
        std::uint32_t lngPixel = 0;
        for (int i = 0; i < intBytes; ++i)
            lngPixel |= static_cast<std::uint32_t>(arrData[i])
                        << (8 * (blnLsbFirst ? i : intBytes - 1 - i));
        return PackColour(MaskedComponent(lngPixel, lngRedMask),
                          MaskedComponent(lngPixel, lngGreenMask),
                          MaskedComponent(lngPixel, lngBlueMask));
    }
};

std::optional<PixelLayout> LayoutOf(const X11Root& objRoot, const xcb_get_image_reply_t& objImage) {
    // The size of a pixel from the depth's format, its colours from the visual.
    int intBitsPerPixel = 0;
    for (auto itFormat = xcb_setup_pixmap_formats_iterator(objRoot.objSetup); itFormat.rem != 0;
         xcb_format_next(&itFormat))
        if (itFormat.data->depth == objImage.depth) intBitsPerPixel = itFormat.data->bits_per_pixel;
    const xcb_visualid_t lngVisual =
        objImage.visual != 0 ? objImage.visual : objRoot.objScreen->root_visual;
    const xcb_visualtype_t* objVisual = nullptr;
    for (auto itDepth = xcb_screen_allowed_depths_iterator(objRoot.objScreen);
         itDepth.rem != 0 && objVisual == nullptr; xcb_depth_next(&itDepth))
        for (auto itVisual = xcb_depth_visuals_iterator(itDepth.data); itVisual.rem != 0;
             xcb_visualtype_next(&itVisual))
            if (itVisual.data->visual_id == lngVisual) objVisual = itVisual.data;
    const int intBytes = intBitsPerPixel / 8;
    if (objVisual == nullptr || objVisual->_class != XCB_VISUAL_CLASS_TRUE_COLOR || intBytes < 2 ||
        intBytes > 4 || intBitsPerPixel % 8 != 0)
        return std::nullopt;
    return PixelLayout{intBytes, objRoot.objSetup->image_byte_order == XCB_IMAGE_ORDER_LSB_FIRST,
                       objVisual->red_mask, objVisual->green_mask, objVisual->blue_mask};
}

// Reads a rectangle of the root window in the server's own (physical) coordinates.
XcbReply<xcb_get_image_reply_t> RootImage(const X11Root& objRoot, int intX, int intY, int intWidth,
                                          int intHeight) {
    return Owned(xcb_get_image_reply(
        objRoot.objConnection,
        xcb_get_image(objRoot.objConnection, XCB_IMAGE_FORMAT_Z_PIXMAP, objRoot.objScreen->root,
                      static_cast<std::int16_t>(intX), static_cast<std::int16_t>(intY),
                      static_cast<std::uint16_t>(intWidth), static_cast<std::uint16_t>(intHeight),
                      ~0U),
        nullptr));
}

// The pixel under the pointer, read from the X server in its own (physical) coordinates, so
// that neither Qt's scaling nor the layout of the monitors can shift it. Empty when the
// program does not run on X11 or the pixel cannot be read.
std::optional<std::int32_t> X11PixelUnderPointer() {
    const std::optional<X11Root> objRoot = X11RootWindow();
    if (!objRoot) return std::nullopt;
    const auto objPointer = Owned(xcb_query_pointer_reply(
        objRoot->objConnection, xcb_query_pointer(objRoot->objConnection, objRoot->objScreen->root),
        nullptr));
    if (!objPointer) return std::nullopt;
    const auto objImage = RootImage(*objRoot, objPointer->root_x, objPointer->root_y, 1, 1);
    if (!objImage) return std::nullopt;
    const std::optional<PixelLayout> objLayout = LayoutOf(*objRoot, *objImage);
    if (!objLayout || xcb_get_image_data_length(objImage.get()) < objLayout->intBytes)
        return std::nullopt;
    return objLayout->Colour(xcb_get_image_data(objImage.get()));
}

// The monitors in physical root-window pixels: Qt keeps a screen's top left in the server's
// pixels and divides only its size by the scale.
std::vector<QRect> PhysicalMonitors(int intRootWidth, int intRootHeight) {
    std::vector<QRect> arrMonitors;
    const QRect objRootRect(0, 0, intRootWidth, intRootHeight);
    for (const QScreen* objScreen : QGuiApplication::screens()) {
        const QRect objLogical = objScreen->geometry();
        const qreal dblRatio = objScreen->devicePixelRatio();
        const QRect objPhysical =
            QRect(objLogical.topLeft(), QSize(qRound(objLogical.width() * dblRatio),
                                              qRound(objLogical.height() * dblRatio))) &
            objRootRect;
        if (!objPhysical.isEmpty()) arrMonitors.push_back(objPhysical);
    }
    if (arrMonitors.empty()) arrMonitors.push_back(objRootRect);
    return arrMonitors;
}

bool X11ReadScreens(std::vector<ScreenShot>& arrScreens) {
    arrScreens.clear();
    const std::optional<X11Root> objRoot = X11RootWindow();
    if (!objRoot) return false;
    const int intRootWidth = objRoot->objScreen->width_in_pixels;
    const int intRootHeight = objRoot->objScreen->height_in_pixels;
    for (const QRect& objMonitor : PhysicalMonitors(intRootWidth, intRootHeight)) {
        const auto objImage = RootImage(*objRoot, objMonitor.x(), objMonitor.y(),
                                        objMonitor.width(), objMonitor.height());
        if (!objImage) {
            arrScreens.clear();
            return false;
        }
        const std::optional<PixelLayout> objLayout = LayoutOf(*objRoot, *objImage);
        const auto lngWidth = static_cast<std::size_t>(objMonitor.width());
        const auto lngHeight = static_cast<std::size_t>(objMonitor.height());
        if (!objLayout || lngWidth == 0 || lngHeight == 0) {
            arrScreens.clear();
            return false;
        }
        const std::size_t lngLength = xcb_get_image_data_length(objImage.get());
        // Rows are padded to the format's scanline unit: the stride is what the data holds.
        const std::size_t lngStride = lngLength / lngHeight;
        if (lngStride < lngWidth * static_cast<std::size_t>(objLayout->intBytes)) {
            arrScreens.clear();
            return false;
        }
        ScreenShot objShot;
        objShot.intX = objMonitor.x();
        objShot.intY = objMonitor.y();
        objShot.intWidth = objMonitor.width();
        objShot.intHeight = objMonitor.height();
        objShot.arrPixel.resize(lngWidth * lngHeight);
        const std::uint8_t* arrData = xcb_get_image_data(objImage.get());
        for (std::size_t y = 0; y < lngHeight; ++y) {
            const std::uint8_t* arrRow = arrData + y * lngStride;
            std::int32_t* arrOut = objShot.arrPixel.data() + y * lngWidth;
            for (std::size_t x = 0; x < lngWidth; ++x)
                arrOut[x] =
                    objLayout->Colour(arrRow + x * static_cast<std::size_t>(objLayout->intBytes));
        }
        arrScreens.push_back(std::move(objShot));
    }
    return !arrScreens.empty();
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

bool QtScreen::ReadScreens(std::vector<ScreenShot>& arrScreens) {
#if QT_CONFIG(xcb)
    if (!PicksThroughDesktop()) return X11ReadScreens(arrScreens);
#endif
    arrScreens.clear();
    return false;
}

bool QtScreen::MovePointer(int intX, int intY) {
#if QT_CONFIG(xcb)
    if (const std::optional<X11Root> objRoot = X11RootWindow()) {
        xcb_warp_pointer(objRoot->objConnection, XCB_NONE, objRoot->objScreen->root, 0, 0, 0, 0,
                         static_cast<std::int16_t>(intX), static_cast<std::int16_t>(intY));
        xcb_flush(objRoot->objConnection);
        return true;
    }
#endif
    static_cast<void>(intX);
    static_cast<void>(intY);
    return false;
}

bool QtScreen::PhysicalPointer(int& intX, int& intY) {
#if QT_CONFIG(xcb)
    if (const std::optional<X11Root> objRoot = X11RootWindow()) {
        const auto objPointer = Owned(xcb_query_pointer_reply(
            objRoot->objConnection,
            xcb_query_pointer(objRoot->objConnection, objRoot->objScreen->root), nullptr));
        if (!objPointer) return false;
        intX = objPointer->root_x;
        intY = objPointer->root_y;
        return true;
    }
#endif
    static_cast<void>(intX);
    static_cast<void>(intY);
    return false;
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
