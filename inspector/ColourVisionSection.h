#pragma once

// The Colour Inspector's colour-vision section: the marks as they look with each deficiency,
// and the pairs of marks that then look alike.

#include <QWidget>
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "core/ColourVision.h"
#include "palette/PaletteModel.h"

class QFrame;
class QLabel;

class ColourVisionSection : public QWidget {
    Q_OBJECT
public:
    ColourVisionSection(const Palette& objPalette, QWidget* objParent);

    // Controls, in creation order; rows by ColourVision.
    std::array<QLabel*, intMarkCount> lblMarkNumber{};
    std::array<QLabel*, intColourVisionCount> lblVision{};
    std::array<std::array<QFrame*, intMarkCount>, intColourVisionCount> picSimulated{};
    QLabel* lblLookAlike = nullptr;

    /// Shows every mark anew.
    void ShowAll();
    /// Shows one mark's change; nothing is worked out again when its colour stayed.
    void ShowMark(int intMark);

    /// The simulated colours shown, by ColourVision and mark.
    std::array<std::array<typColour, intMarkCount>, intColourVisionCount> arrSimulated{};
    /// How many colours were simulated for the swatches, for the tests of what a change redoes.
    std::int64_t lngColoursSimulated = 0;

private:
    void CreateControls();
    /// Simulates a mark's colour for the swatches; false when it was shown already.
    bool SimulateMark(int intMark);
    void ShowLookAlikes();

    const Palette& objPalette;
    std::array<std::optional<typColour>, intMarkCount> arrShownColour{};
};
