#pragma once

// The red, green and blue scroll bars that hold the colour being edited, and the one way every
// window sets them.

#include <QPointer>
#include <QScrollBar>
#include <cstdint>

#include "core/ColourValue.h"

/// The colour scroll bars of the main window, as the windows that set them know them.
struct ColourScrollBars {
    QPointer<QScrollBar> hsbRed;
    QPointer<QScrollBar> hsbGreen;
    QPointer<QScrollBar> hsbBlue;
};

/// When a setting of the bars comes while another is under way (a bar's change lets pending
/// events run, and one of them may ask for a colour).
enum class ColourBarsTurn {
    AfterOthers,  ///< a colour the user chose: it waits until the other one is set
    Now,          ///< a mark's own colour shown anew: it is set at once and the other one stops
};

/// Sets red, then green, then blue to a colour; a bar that has gone is passed over. The bars
/// never end with parts of two colours: the colour asked for last stands.
/// After a bar's change the call uses nothing but its own copies: the events that ran may have
/// deleted any window, the caller's own included.
void SetColourScrollBars(ColourScrollBars objBars, typColour typValue,
                         ColourBarsTurn enmTurn = ColourBarsTurn::AfterOthers);

/// The colour at the bars' thumbs.
struct ThumbColour {
    std::int16_t intRed = 0;
    std::int16_t intGreen = 0;
    std::int16_t intBlue = 0;
};

/// Reads the colour where the three thumbs stand: while a thumb is dragged its value stays
/// behind, and the position is where the user is.
ThumbColour ColourAtThumbs(const QScrollBar* hsbRed, const QScrollBar* hsbGreen,
                           const QScrollBar* hsbBlue);
