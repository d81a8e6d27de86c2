#pragma once

// Precise Pick: every screen read once and shown frozen, full-screen, with a magnifier that
// follows the pointer; the arrow keys move it a physical pixel at a time.

#include <QObject>
#include <QPointer>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/Platform.h"

class Magnifier;
class QEvent;
class QWidget;
class QWindow;
class ScreenOverlay;

/// One precise pick on X11: reads every screen once, shows the frozen screens full-screen with
/// a magnifier, and reports once. (Where the desktop picks, callers use IScreen::StartDesktopPick.)
class PrecisePick : public QObject {
    Q_OBJECT
public:
    explicit PrecisePick(IScreen& objScreen, QObject* objParent = nullptr);
    ~PrecisePick() override;
    PrecisePick(const PrecisePick&) = delete;
    PrecisePick& operator=(const PrecisePick&) = delete;
    /// Reads the screens and shows the overlays. Returns false and sets strError (a sentence for
    /// the user) when the screens cannot be read; then nothing is shown and no signal follows.
    bool Start(std::string& strError);
    /// Ends a running pick as Escape does (cancelled() follows).
    void Cancel();
    bool IsRunning() const;

    /// What F1 does during a pick, after cancelling it: usually opens the pick's help topic.
    void SetHelpOpener(std::function<void()> fnOpenHelp);
    /// The physical pixel under the magnifier's centre and the magnification.
    int PointX() const { return intX; }
    int PointY() const { return intY; }
    int Zoom() const { return intZoom; }
    /// The magnifier while a pick runs; nullptr otherwise.
    Magnifier* CurrentMagnifier() const;
    /// The full-screen windows of a running pick, one a monitor.
    std::vector<QWidget*> Overlays() const;

signals:
    /// The pixel taken: its packed colour as IScreen::PixelAt returns it, and its physical
    /// root-window coordinates.
    void taken(std::int32_t lngColour, int intX, int intY);
    void cancelled();

protected:
    bool eventFilter(QObject* objWatched, QEvent* event) override;

private:
    IScreen& objScreen;
    std::vector<ScreenShot> arrScreens;
    std::vector<QPointer<ScreenOverlay>> arrOverlays;
    /// The overlays of ended picks, waiting for their deletion.
    std::vector<QPointer<ScreenOverlay>> arrClosing;
    QPointer<Magnifier> objMagnifier;
    std::function<void()> fnOpenHelp;
    bool blnRunning = false;
    int intX = 0;
    int intY = 0;
    int intZoom = 10;
    /// The monitor the magnifier is shown on.
    std::size_t lngMonitor = 0;

    /// Moves the point to a physical pixel, kept on the monitors; bool: also the pointer.
    void MoveTo(int intNewX, int intNewY, bool blnMovePointer);
    void ShowMagnifier();
    void Take();
    /// Closes the overlays; the pick then no longer runs.
    void Finish();
    bool KeyPress(int intKey, Qt::KeyboardModifiers enmModifiers);
    void FocusWindowChanged(QWindow* objWindow);
    std::size_t MonitorOf(int intPixelX, int intPixelY) const;
};
