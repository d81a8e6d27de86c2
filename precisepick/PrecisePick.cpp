#include "precisepick/PrecisePick.h"

#include <QCursor>
#include <QGuiApplication>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <cmath>

#include "core/ColourValue.h"
#include "precisepick/Magnifier.h"

/// One monitor's frozen picture, full-screen and without a frame.
class ScreenOverlay : public QWidget {
public:
    ScreenOverlay(const ScreenShot& objShot, QScreen* objQtScreen)
        : intPhysicalX(objShot.intX), intPhysicalY(objShot.intY) {
        setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
        setAttribute(Qt::WA_DeleteOnClose);
        setAttribute(Qt::WA_OpaquePaintEvent);
        setObjectName(QStringLiteral("frmPrecisePick"));
        setWindowTitle(QStringLiteral("Precise Pick"));
        setAccessibleName(QStringLiteral("Precise Pick"));
        setMouseTracking(true);
        setCursor(Qt::CrossCursor);
        objPicture = QImage(objShot.intWidth, objShot.intHeight, QImage::Format_RGB32);
        for (int y = 0; y < objShot.intHeight; ++y) {
            auto* arrLine = reinterpret_cast<QRgb*>(objPicture.scanLine(y));
            const std::int32_t* arrIn =
                objShot.arrPixel.data() +
                static_cast<std::size_t>(y) * static_cast<std::size_t>(objShot.intWidth);
            for (int x = 0; x < objShot.intWidth; ++x) {
                const auto lngPixel = static_cast<std::uint32_t>(arrIn[x]);
                arrLine[x] = qRgb(static_cast<int>(lngPixel & 255U),
                                  static_cast<int>((lngPixel >> 8) & 255U),
                                  static_cast<int>((lngPixel >> 16) & 255U));
            }
        }
        if (objQtScreen != nullptr) {
            dblRatio = objQtScreen->devicePixelRatio();
            const QRect objGeometry = objQtScreen->geometry();
            // Qt keeps a monitor's top left in physical pixels and scales its size.
            objLogical =
                QRect(objGeometry.topLeft() +
                          QPoint(static_cast<int>((objShot.intX - objGeometry.x()) / dblRatio),
                                 static_cast<int>((objShot.intY - objGeometry.y()) / dblRatio)),
                      QSize(static_cast<int>(std::ceil(objShot.intWidth / dblRatio)),
                            static_cast<int>(std::ceil(objShot.intHeight / dblRatio))));
        } else {
            objLogical = QRect(objShot.intX, objShot.intY, objShot.intWidth, objShot.intHeight);
        }
        objPicture.setDevicePixelRatio(dblRatio);
        setGeometry(objLogical);
    }

    /// The monitor's top left in physical pixels.
    int intPhysicalX = 0;
    int intPhysicalY = 0;
    qreal dblRatio = 1.0;
    QRect objLogical;

    /// The physical pixel under a point of the window.
    QPoint PhysicalAt(QPointF objLocal) const {
        return {intPhysicalX + static_cast<int>(std::floor(objLocal.x() * dblRatio + 1e-6)),
                intPhysicalY + static_cast<int>(std::floor(objLocal.y() * dblRatio + 1e-6))};
    }

    /// The window's point of a physical pixel's top left.
    QPoint LogicalAt(QPoint objPhysical) const {
        return {static_cast<int>(std::floor((objPhysical.x() - intPhysicalX) / dblRatio)),
                static_cast<int>(std::floor((objPhysical.y() - intPhysicalY) / dblRatio))};
    }

protected:
    void paintEvent(QPaintEvent* event) override {
        QPainter objPainter(this);
        const QRectF objArea(event->rect());
        const QRectF objSource(objArea.topLeft() * dblRatio, objArea.size() * dblRatio);
        objPainter.drawImage(objArea, objPicture, objSource);
    }

private:
    QImage objPicture;
};

namespace {

// The Qt screen that shows a monitor: the one whose physical area overlaps it most.
QScreen* QtScreenOf(const ScreenShot& objShot) {
    const QRect objPhysical(objShot.intX, objShot.intY, objShot.intWidth, objShot.intHeight);
    QScreen* objBest = nullptr;
    long long lngBest = 0;
    for (QScreen* objScreen : QGuiApplication::screens()) {
        const QRect objGeometry = objScreen->geometry();
        const qreal dblRatio = objScreen->devicePixelRatio();
        const QRect objArea =
            QRect(objGeometry.topLeft(), QSize(qRound(objGeometry.width() * dblRatio),
                                               qRound(objGeometry.height() * dblRatio))) &
            objPhysical;
        const long long lngOverlap = static_cast<long long>(objArea.width()) * objArea.height();
        if (lngOverlap > lngBest) {
            lngBest = lngOverlap;
            objBest = objScreen;
        }
    }
    return objBest != nullptr ? objBest : QGuiApplication::primaryScreen();
}

const char* const strNoScreens =
    "The screen cannot be read here, so Precise Pick cannot show it. Use Colour Pick Mode to "
    "pick a colour from the screen.";

}  // namespace

PrecisePick::PrecisePick(IScreen& objScreen, QObject* objParent)
    : QObject(objParent), objScreen(objScreen) {
    connect(qGuiApp, &QGuiApplication::focusWindowChanged, this,
            [this](QWindow* objWindow) { FocusWindowChanged(objWindow); });
}

PrecisePick::~PrecisePick() {
    Finish();
    // No event of the overlays is under way when their pick goes: those still waiting for
    // their deletion go now, also when no event loop runs again.
    for (QPointer<ScreenOverlay>& objOverlay : arrClosing) delete objOverlay.data();
}

void PrecisePick::SetHelpOpener(std::function<void()> fnOpen) { fnOpenHelp = std::move(fnOpen); }

bool PrecisePick::IsRunning() const { return blnRunning; }

Magnifier* PrecisePick::CurrentMagnifier() const {
    return blnRunning ? objMagnifier.data() : nullptr;
}

std::vector<QWidget*> PrecisePick::Overlays() const {
    std::vector<QWidget*> arrWindows;
    for (const QPointer<ScreenOverlay>& objOverlay : arrOverlays)
        if (objOverlay) arrWindows.push_back(objOverlay);
    return arrWindows;
}

bool PrecisePick::Start(std::string& strError) {
    if (blnRunning) return true;
    std::vector<ScreenShot> arrRead;
    bool blnRead = false;
    try {
        blnRead = objScreen.ReadScreens(arrRead);
    } catch (...) {
        blnRead = false;
    }
    // Every monitor must hold its pixels, or nothing is shown.
    for (const ScreenShot& objShot : arrRead)
        if (objShot.intWidth <= 0 || objShot.intHeight <= 0 ||
            objShot.arrPixel.size() != static_cast<std::size_t>(objShot.intWidth) *
                                           static_cast<std::size_t>(objShot.intHeight))
            blnRead = false;
    if (!blnRead || arrRead.empty()) {
        strError = strNoScreens;
        return false;
    }
    arrScreens = std::move(arrRead);
    blnRunning = true;
    intZoom = intDefaultMagnifierZoom;
    int intPointerX = 0;
    int intPointerY = 0;
    if (!objScreen.PhysicalPointer(intPointerX, intPointerY)) {
        intPointerX = arrScreens.front().intX + arrScreens.front().intWidth / 2;
        intPointerY = arrScreens.front().intY + arrScreens.front().intHeight / 2;
    }
    lngMonitor = MonitorOf(intPointerX, intPointerY);
    const ScreenShot& objHome = arrScreens[lngMonitor];
    intX = std::clamp(intPointerX, objHome.intX, objHome.intX + objHome.intWidth - 1);
    intY = std::clamp(intPointerY, objHome.intY, objHome.intY + objHome.intHeight - 1);
    for (const ScreenShot& objShot : arrScreens) {
        auto* objOverlay = new ScreenOverlay(objShot, QtScreenOf(objShot));
        objOverlay->installEventFilter(this);
        arrOverlays.emplace_back(objOverlay);
    }
    objMagnifier = new Magnifier(arrScreens, arrOverlays[lngMonitor]);
    objMagnifier->installEventFilter(this);
    for (const QPointer<ScreenOverlay>& objOverlay : arrOverlays) {
        objOverlay->show();
        objOverlay->setGeometry(objOverlay->objLogical);
    }
    ShowMagnifier();
    ScreenOverlay* objKeys = arrOverlays[lngMonitor];
    objKeys->raise();
    objKeys->activateWindow();
    objMagnifier->setFocus(Qt::OtherFocusReason);
    return true;
}

std::size_t PrecisePick::MonitorOf(int intPixelX, int intPixelY) const {
    for (std::size_t i = 0; i < arrScreens.size(); ++i)
        if (arrScreens[i].Contains(intPixelX, intPixelY)) return i;
    // Off every monitor: the nearest one.
    std::size_t lngNearest = 0;
    long long lngBest = -1;
    for (std::size_t i = 0; i < arrScreens.size(); ++i) {
        const ScreenShot& objShot = arrScreens[i];
        const long long dx = std::max(
            {objShot.intX - intPixelX, 0, intPixelX - (objShot.intX + objShot.intWidth - 1)});
        const long long dy = std::max(
            {objShot.intY - intPixelY, 0, intPixelY - (objShot.intY + objShot.intHeight - 1)});
        if (lngBest < 0 || dx * dx + dy * dy < lngBest) {
            lngBest = dx * dx + dy * dy;
            lngNearest = i;
        }
    }
    return lngNearest;
}

void PrecisePick::MoveTo(int intNewX, int intNewY, bool blnMovePointer) {
    if (!blnRunning) return;
    // A point off every monitor stops at the edge of the monitor it left.
    if (MonitorOf(intNewX, intNewY) != lngMonitor ||
        !arrScreens[lngMonitor].Contains(intNewX, intNewY)) {
        const std::size_t lngTarget = MonitorOf(intNewX, intNewY);
        if (!arrScreens[lngTarget].Contains(intNewX, intNewY)) {
            const ScreenShot& objHome = arrScreens[lngMonitor];
            intNewX = std::clamp(intNewX, objHome.intX, objHome.intX + objHome.intWidth - 1);
            intNewY = std::clamp(intNewY, objHome.intY, objHome.intY + objHome.intHeight - 1);
        }
    }
    if (intNewX == intX && intNewY == intY) return;
    intX = intNewX;
    intY = intNewY;
    if (blnMovePointer) objScreen.MovePointer(intX, intY);
    ShowMagnifier();
}

void PrecisePick::ShowMagnifier() {
    if (!blnRunning || !objMagnifier) return;
    const std::size_t lngNow = MonitorOf(intX, intY);
    if (lngNow != lngMonitor || objMagnifier->parentWidget() != arrOverlays[lngNow]) {
        const bool blnHadFocus = objMagnifier->hasFocus();
        lngMonitor = lngNow;
        objMagnifier->setParent(arrOverlays[lngMonitor]);
        if (blnHadFocus) objMagnifier->setFocus(Qt::OtherFocusReason);
    }
    ScreenOverlay* objOverlay = arrOverlays[lngMonitor];
    const ScreenShot& objShot = arrScreens[lngMonitor];
    const QSize objPhysical = objMagnifier->Show(intX, intY, intZoom, objOverlay->dblRatio);
    const QRect objPlace =
        MagnifierPlacement(QPoint(intX, intY), objPhysical,
                           QRect(objShot.intX, objShot.intY, objShot.intWidth, objShot.intHeight));
    // The logical place rounds inwards, so that the magnifier never leaves the window.
    QPoint objLocal = objOverlay->LogicalAt(objPlace.topLeft());
    objLocal.setX(
        std::clamp(objLocal.x(), 0, std::max(0, objOverlay->width() - objMagnifier->width())));
    objLocal.setY(
        std::clamp(objLocal.y(), 0, std::max(0, objOverlay->height() - objMagnifier->height())));
    if (objMagnifier->pos() != objLocal) objMagnifier->move(objLocal);
    if (objMagnifier->isHidden()) objMagnifier->show();
}

void PrecisePick::Take() {
    if (!blnRunning) return;
    const int intTakenX = intX;
    const int intTakenY = intY;
    // What the user sees is what is taken: the frozen pixel.
    const std::int32_t lngColour = objMagnifier ? objMagnifier->FrozenPixel(intX, intY) : 0;
    Finish();
    emit taken(lngColour, intTakenX, intTakenY);
}

void PrecisePick::Cancel() {
    if (!blnRunning) return;
    Finish();
    emit cancelled();
}

void PrecisePick::Finish() {
    blnRunning = false;
    if (objMagnifier) objMagnifier->removeEventFilter(this);
    for (QPointer<ScreenOverlay>& objOverlay : arrOverlays) {
        if (!objOverlay) continue;
        objOverlay->removeEventFilter(this);
        objOverlay->hide();
        // The magnifier is a child of one overlay and goes with it. An overlay may be in the
        // middle of the event that ended the pick, so it goes once that event is done.
        objOverlay->deleteLater();
        arrClosing.push_back(objOverlay);
    }
    arrOverlays.clear();
    std::erase_if(arrClosing,
                  [](const QPointer<ScreenOverlay>& objOverlay) { return !objOverlay; });
    arrScreens.clear();
}

void PrecisePick::FocusWindowChanged(QWindow* objWindow) {
    if (!blnRunning) return;
    // Focus within the overlays, or none only while the windows still come up, keeps the pick.
    for (const QPointer<ScreenOverlay>& objOverlay : arrOverlays)
        if (objOverlay && objOverlay->windowHandle() == objWindow) return;
    bool blnAnyActive = false;
    for (const QPointer<ScreenOverlay>& objOverlay : arrOverlays)
        if (objOverlay && objOverlay->isActiveWindow()) blnAnyActive = true;
    if (objWindow == nullptr && blnAnyActive) return;
    // Another window has the keyboard, or the program has lost it.
    Cancel();
}

bool PrecisePick::KeyPress(int intKey, Qt::KeyboardModifiers enmModifiers) {
    const int intStep = (enmModifiers & Qt::ShiftModifier) ? 10 : 1;
    switch (intKey) {
        case Qt::Key_Left:
            MoveTo(intX - intStep, intY, true);
            return true;
        case Qt::Key_Right:
            MoveTo(intX + intStep, intY, true);
            return true;
        case Qt::Key_Up:
            MoveTo(intX, intY - intStep, true);
            return true;
        case Qt::Key_Down:
            MoveTo(intX, intY + intStep, true);
            return true;
        case Qt::Key_PageUp:
        case Qt::Key_PageDown: {
            const int intNew = NextMagnifierZoom(intZoom, intKey == Qt::Key_PageUp ? 1 : -1);
            if (intNew != intZoom) {
                intZoom = intNew;
                ShowMagnifier();
            }
            return true;
        }
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Space:
            Take();
            return true;
        case Qt::Key_Escape:
            Cancel();
            return true;
        case Qt::Key_F1: {
            Cancel();
            // The opener may outlive this object's caller; a copy runs it.
            const std::function<void()> fnHelp = fnOpenHelp;
            if (fnHelp) fnHelp();
            return true;
        }
        default:
            // Nothing else reaches the overlays while the pick runs.
            return true;
    }
}

bool PrecisePick::eventFilter(QObject* objWatched, QEvent* event) {
    if (!blnRunning) return false;
    auto* objWidget = qobject_cast<QWidget*>(objWatched);
    if (objWidget == nullptr) return false;
    switch (event->type()) {
        case QEvent::KeyPress: {
            const auto* objKey = static_cast<QKeyEvent*>(event);
            return KeyPress(objKey->key(), objKey->modifiers());
        }
        case QEvent::ShortcutOverride:
            // The overlays' keys are the pick's own, never a shortcut of another window.
            event->accept();
            return true;
        case QEvent::MouseMove:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick: {
            const auto* objMouse = static_cast<QMouseEvent*>(event);
            if (event->type() == QEvent::MouseMove) {
                // The server's own pointer is exact at every scale; the event's position, in
                // Qt's scaled pixels, is the way where the server cannot tell it.
                int intPointerX = 0;
                int intPointerY = 0;
                if (objScreen.PhysicalPointer(intPointerX, intPointerY)) {
                    MoveTo(intPointerX, intPointerY, false);
                } else {
                    ScreenOverlay* objOverlay = arrOverlays[lngMonitor];
                    QPointF objLocal = objMouse->position();
                    for (const QPointer<ScreenOverlay>& objCandidate : arrOverlays)
                        if (objCandidate == objWidget) objOverlay = objCandidate;
                    if (objMagnifier == objWidget)
                        objLocal = objMouse->position() + QPointF(objMagnifier->pos());
                    if (objOverlay != nullptr) {
                        const QPoint objPhysical = objOverlay->PhysicalAt(objLocal);
                        MoveTo(objPhysical.x(), objPhysical.y(), false);
                    }
                }
            } else if (objMouse->button() == Qt::LeftButton) {
                Take();
            } else if (objMouse->button() == Qt::RightButton) {
                Cancel();
            }
            return true;
        }
        case QEvent::MouseButtonRelease:
        case QEvent::Wheel:
            return true;
        case QEvent::Close:
            // Closed by the window manager: as Escape.
            Cancel();
            return false;
        default:
            return false;
    }
}
