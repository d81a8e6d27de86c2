#pragma once

// The Colour Inspector: the selected mark's colour written in the notations of today's CSS and
// platforms, each ready to copy, and a field that takes a colour in any of them.

#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QSize>
#include <QString>
#include <QWidget>
#include <array>
#include <functional>
#include <optional>
#include <string>
#include <utility>

#include "core/ColourText.h"
#include "core/Platform.h"
#include "palette/PaletteEvents.h"
#include "palette/PaletteModel.h"
#include "widgets/ColourScrollBars.h"

class ColourVisionSection;
class ContrastSection;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QStackedWidget;
class QTabBar;

/// Returns where a window of a frame size opens beside a main window's frame: to its right when
/// it fits on the screen's available area, else to its left, else at the screen's right edge;
/// level with the main window's top and kept on the screen.
QPoint ColourInspectorPosition(const QRect& rctMainFrame, const QSize& objFrameSize,
                               const QRect& rctScreen);

class frmColourInspector : public QWidget {
    Q_OBJECT
public:
    /// A top-level window without owner that is deleted when closed. It reads the palette when
    /// the palette's events tell of a change, sets a colour through the scroll bars, and closes
    /// by itself when the palette's events go. fnSelectMark selects a mark as a click on it
    /// does, and returns false when the mark cannot be selected; the window calls it before it
    /// sets a colour for a mark that is not the selected one.
    frmColourInspector(const Palette& objPalette, PaletteEvents& objPaletteEvents,
                       const ColourScrollBars& objScrollBars, IClipboard& objClipboard,
                       std::function<void()> fnShowHelp,
                       std::function<bool(int intMark)> fnSelectMark = {});
    frmColourInspector(const frmColourInspector&) = delete;
    frmColourInspector& operator=(const frmColourInspector&) = delete;

    // Controls, in creation order.
    QFrame* picSample = nullptr;
    QLabel* lblMark = nullptr;
    QTabBar* tabSections = nullptr;  // "Notations", "Contrast", "Colour vision"
    QStackedWidget* stkSections = nullptr;
    std::array<QLabel*, intColourNotationCount> lblNotation{};
    std::array<QLineEdit*, intColourNotationCount> txtNotation{};
    std::array<QPushButton*, intColourNotationCount> cmdCopy{};
    QLabel* lblColourText = nullptr;
    QLineEdit* txtColourText = nullptr;
    QPushButton* cmdSetColour = nullptr;
    QLabel* lblColourTextMessage = nullptr;
    ContrastSection* objContrast = nullptr;
    ColourVisionSection* objColourVision = nullptr;

    /// Shows the selected mark: its number, name and colour in every notation.
    void ShowSelectedMark();
    /// Puts the text of one notation's row on the clipboard.
    void cmdCopy_Click(int intIndex);
    /// Reads the colour text and sets the scroll bars to it, or tells why it cannot. The bars'
    /// changes let pending events run, which may close and delete this window.
    void cmdSetColour_Click();
    void Help();
    /// Gives a mark a colour through the scroll bars. Another mark than the selected one is
    /// selected first, as a click on it does, and takes the colour once it is the selected one.
    void SetMarkColour(int intMark, const typColour& typValue);

private:
    void SetPendingColour();

    void CreateControls();
    void ShowMessage(const QString& strMessage);

    const Palette& objPalette;
    QPointer<PaletteEvents> objPaletteEvents;
    ColourScrollBars objScrollBars;
    IClipboard& objClipboard;
    std::function<void()> fnShowHelp;
    std::function<bool(int)> fnSelectMark;
    /// A colour waiting for its mark to become the selected one.
    std::optional<std::pair<int, typColour>> typPendingColour;
};
