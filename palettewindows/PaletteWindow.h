#pragma once

// What the three palette windows share: a fixed window of their own that hands a colour to the
// main window through its red, green and blue scroll bars.

#include <QPointer>
#include <QScrollBar>
#include <QSize>
#include <QString>
#include <QWidget>
#include <cstdint>

/// The main window's colour scroll bars, the only part of it that a palette window knows.
struct PaletteScrollBars {
    QPointer<QScrollBar> hsbRed;
    QPointer<QScrollBar> hsbGreen;
    QPointer<QScrollBar> hsbBlue;
};

/// Returns the pixel nearest to a layout position in twips (fifteen to a pixel), for cells
/// whose edges fall between pixels.
constexpr int PixelEdge(int intTwips) { return (2 * intTwips + 15) / 30; }

class PaletteWindow : public QWidget {
    Q_OBJECT
public:
    PaletteWindow(const PaletteWindow&) = delete;
    PaletteWindow& operator=(const PaletteWindow&) = delete;

protected:
    /// A top-level window without owner that is deleted when closed; it closes by itself when
    /// the scroll bars go.
    PaletteWindow(const PaletteScrollBars& objScrollBars, const char* strName,
                  const QString& strCaption, QSize objClientSize);

    /// Sets red, then green, then blue to a packed colour. A colour that comes while another is
    /// still being handed over waits until that one is done.
    void HandOverColour(std::int32_t lngColour);

private:
    PaletteScrollBars objScrollBars;
};
