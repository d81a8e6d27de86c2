#pragma once

// The magnifier of Precise Pick: a square of screen pixels blown up without smoothing, its
// centre pixel framed, and the centre's colour and position written under it.

#include <QRect>
#include <QString>
#include <QWidget>
#include <cstdint>
#include <vector>

#include "core/Platform.h"

/// The magnifications the keys step through, smallest first.
inline constexpr int arrMagnifierZooms[] = {5, 10, 20};
inline constexpr int intDefaultMagnifierZoom = 10;
/// The pixels shown across and down: the centre and 7 on each side.
inline constexpr int intMagnifierSpan = 15;
/// The physical pixels between the pointer's hot spot and the magnifier.
inline constexpr int intMagnifierGap = 16;

/// The next magnification up (intStep 1) or down (-1), stopping at the ends.
int NextMagnifierZoom(int intZoom, int intStep);

/// Where the magnifier of a size goes for a pointer, all in physical pixels: below and right of
/// the pointer, flipped to the other side along each axis where it would leave the monitor, and
/// kept on the monitor in any case.
QRect MagnifierPlacement(QPoint objPointer, QSize objSize, const QRect& objMonitor,
                         int intGap = intMagnifierGap);

/// The colour of the frame around the centre pixel: black or white, whichever contrasts more.
std::int32_t MagnifierFrameColour(std::int32_t lngCentre);

/// "#RRGGBB" of a packed colour.
QString MagnifierHex(std::int32_t lngColour);

/// What a screen reader reads: "Precise Pick: #RRGGBB at x, y".
QString MagnifierName(std::int32_t lngColour, int intX, int intY);

/// The magnifier. It paints in physical pixels, whatever the scaling, so that one screen pixel is
/// exactly zoom by zoom pixels.
class Magnifier : public QWidget {
    Q_OBJECT
public:
    explicit Magnifier(const std::vector<ScreenShot>& arrScreens, QWidget* parent = nullptr);

    /// Shows the pixels around a physical point at a magnification; returns the magnifier's size
    /// in physical pixels for the ratio of device to logical pixels given.
    QSize Show(int intX, int intY, int intZoom, qreal dblRatio);
    /// The size in physical pixels of the magnifier at a magnification.
    QSize PhysicalSize(int intZoom, qreal dblRatio) const;
    /// The packed colour of a physical pixel of the frozen screens; grey outside them.
    std::int32_t FrozenPixel(int intX, int intY) const;

    int intX = 0;
    int intY = 0;
    int intZoom = intDefaultMagnifierZoom;
    std::int32_t lngCentre = 0;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const std::vector<ScreenShot>& arrScreens;
    qreal dblRatio = 1.0;
    int LabelHeight(qreal dblRatio) const;
    int LabelWidth(qreal dblRatio) const;
};
