#include "platform/QtScreen.h"

#include <QColor>
#include <QCursor>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <stdexcept>

#include "core/ColourValue.h"
#include "platform/PortalColourPick.h"

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

bool QtScreen::PicksThroughDesktop() {
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland")) ||
           qEnvironmentVariableIntValue("HUEVRA_PICK_THROUGH_PORTAL") == 1;
}

void QtScreen::StartDesktopPick(DesktopPickDone fnDone) {
    PortalColourPick::Start(std::move(fnDone));
}
