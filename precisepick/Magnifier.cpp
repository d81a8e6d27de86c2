#include "precisepick/Magnifier.h"

#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPaintEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "core/ColourValue.h"
#include "core/Contrast.h"

namespace {

// The magnifier's own colours, the same on light and dark desktops: white text on near black.
const QColor objMagnifierBack(32, 32, 32);
const QColor objMagnifierText(255, 255, 255);
// Outside every monitor.
constexpr std::int32_t lngOffScreen = PackColour(128, 128, 128);
constexpr int intBorder = 1;
constexpr int intFrame = 2;
constexpr int intLabelPixels = 12;

QColor ColourOf(std::int32_t lngColour) {
    const typColour typValue = UnpackColour(lngColour);
    return QColor(static_cast<int>(typValue.lngRed), static_cast<int>(typValue.lngGreen),
                  static_cast<int>(typValue.lngBlue));
}

QFont LabelFont(const QFont& objBase, qreal dblRatio) {
    QFont objFont(objBase);
    objFont.setPixelSize(std::max(1, static_cast<int>(std::lround(intLabelPixels * dblRatio))));
    return objFont;
}

}  // namespace

int NextMagnifierZoom(int intZoom, int intStep) {
    const auto* itBegin = std::begin(arrMagnifierZooms);
    const auto* itEnd = std::end(arrMagnifierZooms);
    const auto* it = std::find(itBegin, itEnd, intZoom);
    if (it == itEnd) return intDefaultMagnifierZoom;
    if (intStep > 0 && it + 1 != itEnd) return *(it + 1);
    if (intStep < 0 && it != itBegin) return *(it - 1);
    return intZoom;
}

QRect MagnifierPlacement(QPoint objPointer, QSize objSize, const QRect& objMonitor, int intGap) {
    int intLeft = objPointer.x() + intGap;
    if (intLeft + objSize.width() > objMonitor.x() + objMonitor.width())
        intLeft = objPointer.x() - intGap - objSize.width();
    int intTop = objPointer.y() + intGap;
    if (intTop + objSize.height() > objMonitor.y() + objMonitor.height())
        intTop = objPointer.y() - intGap - objSize.height();
    // A monitor too small for either side keeps the magnifier at its edge.
    intLeft = std::max(objMonitor.x(),
                       std::min(intLeft, objMonitor.x() + objMonitor.width() - objSize.width()));
    intTop = std::max(objMonitor.y(),
                      std::min(intTop, objMonitor.y() + objMonitor.height() - objSize.height()));
    return QRect(QPoint(intLeft, intTop), objSize);
}

std::int32_t MagnifierFrameColour(std::int32_t lngCentre) {
    const typColour typCentre = UnpackColour(lngCentre);
    const typColour typBlack = UnpackColour(PackColour(0, 0, 0));
    const typColour typWhite = UnpackColour(PackColour(255, 255, 255));
    return ContrastRatio(typBlack, typCentre) >= ContrastRatio(typWhite, typCentre)
               ? PackColour(0, 0, 0)
               : PackColour(255, 255, 255);
}

QString MagnifierHex(std::int32_t lngColour) {
    const typColour typValue = UnpackColour(lngColour);
    return QStringLiteral("#%1%2%3")
        .arg(static_cast<int>(typValue.lngRed), 2, 16, QLatin1Char('0'))
        .arg(static_cast<int>(typValue.lngGreen), 2, 16, QLatin1Char('0'))
        .arg(static_cast<int>(typValue.lngBlue), 2, 16, QLatin1Char('0'))
        .toUpper();
}

QString MagnifierName(std::int32_t lngColour, int intX, int intY) {
    return QStringLiteral("Precise Pick: %1 at %2, %3")
        .arg(MagnifierHex(lngColour))
        .arg(intX)
        .arg(intY);
}

Magnifier::Magnifier(const std::vector<ScreenShot>& arrScreens, QWidget* parent)
    : QWidget(parent), arrScreens(arrScreens) {
    setObjectName(QStringLiteral("picMagnifier"));
    // Painted whole every time: nothing behind it shows through.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleDescription(QStringLiteral(
        "Arrow keys move one pixel, Shift and arrow keys ten; Page Up and Page Down zoom; Enter "
        "takes the colour, Escape cancels"));
}

int Magnifier::LabelHeight(qreal dblRatioAsked) const {
    const QFontMetrics objMetrics(LabelFont(font(), dblRatioAsked));
    return 2 * objMetrics.lineSpacing() + 3 * static_cast<int>(std::lround(3 * dblRatioAsked));
}

int Magnifier::LabelWidth(qreal dblRatioAsked) const {
    const QFontMetrics objMetrics(LabelFont(font(), dblRatioAsked));
    return std::max(objMetrics.horizontalAdvance(QStringLiteral("#WWWWWW")),
                    objMetrics.horizontalAdvance(QStringLiteral("00000, 00000"))) +
           2 * static_cast<int>(std::lround(6 * dblRatioAsked));
}

QSize Magnifier::PhysicalSize(int intZoomAsked, qreal dblRatioAsked) const {
    const int intGrid = intMagnifierSpan * intZoomAsked;
    return {std::max(intGrid, LabelWidth(dblRatioAsked)) + 2 * intBorder,
            intGrid + 2 * intBorder + LabelHeight(dblRatioAsked)};
}

std::int32_t Magnifier::FrozenPixel(int intPixelX, int intPixelY) const {
    for (const ScreenShot& objShot : arrScreens)
        if (objShot.Contains(intPixelX, intPixelY)) return objShot.PixelAt(intPixelX, intPixelY);
    return lngOffScreen;
}

QSize Magnifier::Show(int intPixelX, int intPixelY, int intZoomAsked, qreal dblRatioAsked) {
    intX = intPixelX;
    intY = intPixelY;
    intZoom = intZoomAsked;
    dblRatio = dblRatioAsked > 0 ? dblRatioAsked : 1.0;
    lngCentre = FrozenPixel(intX, intY);
    const QSize objPhysical = PhysicalSize(intZoom, dblRatio);
    const QSize objLogical(static_cast<int>(std::ceil(objPhysical.width() / dblRatio)),
                           static_cast<int>(std::ceil(objPhysical.height() / dblRatio)));
    if (size() != objLogical) setFixedSize(objLogical);
    setAccessibleName(MagnifierName(lngCentre, intX, intY));
    update();
    return objPhysical;
}

void Magnifier::paintEvent(QPaintEvent*) {
    QPainter objPainter(this);
    objPainter.fillRect(rect(), objMagnifierBack);
    // From here on one unit is one physical pixel.
    objPainter.scale(1.0 / dblRatio, 1.0 / dblRatio);
    const int intGrid = intMagnifierSpan * intZoom;
    const QSize objPhysical = PhysicalSize(intZoom, dblRatio);
    const int intGridLeft = (objPhysical.width() - intGrid) / 2;
    constexpr int intHalf = intMagnifierSpan / 2;
    QImage objPixels(intMagnifierSpan, intMagnifierSpan, QImage::Format_RGB32);
    for (int dy = 0; dy < intMagnifierSpan; ++dy) {
        auto* arrLine = reinterpret_cast<QRgb*>(objPixels.scanLine(dy));
        for (int dx = 0; dx < intMagnifierSpan; ++dx) {
            const typColour typValue =
                UnpackColour(FrozenPixel(intX - intHalf + dx, intY - intHalf + dy));
            arrLine[dx] =
                qRgb(static_cast<int>(typValue.lngRed), static_cast<int>(typValue.lngGreen),
                     static_cast<int>(typValue.lngBlue));
        }
    }
    // Without smoothing each screen pixel is one block of zoom by zoom.
    objPainter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    objPainter.drawImage(QRect(intGridLeft, intBorder, intGrid, intGrid), objPixels);
    // The frame lies around the centre block, over the edge of its neighbours.
    const QRect objCentre(intGridLeft + intHalf * intZoom, intBorder + intHalf * intZoom, intZoom,
                          intZoom);
    const QRect objOuter = objCentre.adjusted(-intFrame, -intFrame, intFrame, intFrame);
    const QColor objFrame = ColourOf(MagnifierFrameColour(lngCentre));
    objPainter.fillRect(QRect(objOuter.left(), objOuter.top(), objOuter.width(), intFrame),
                        objFrame);
    objPainter.fillRect(QRect(objOuter.left(), objCentre.bottom() + 1, objOuter.width(), intFrame),
                        objFrame);
    objPainter.fillRect(QRect(objOuter.left(), objCentre.top(), intFrame, intZoom), objFrame);
    objPainter.fillRect(QRect(objCentre.right() + 1, objCentre.top(), intFrame, intZoom), objFrame);
    // The colour and the position, one a line, under the pixels.
    objPainter.setFont(LabelFont(font(), dblRatio));
    objPainter.setPen(objMagnifierText);
    const QRect objLabel(0, intBorder + intGrid, objPhysical.width(),
                         objPhysical.height() - intGrid - 2 * intBorder);
    objPainter.drawText(
        objLabel, Qt::AlignCenter,
        MagnifierHex(lngCentre) + QLatin1Char('\n') + QStringLiteral("%1, %2").arg(intX).arg(intY));
}
