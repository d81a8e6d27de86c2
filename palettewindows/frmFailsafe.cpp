#include "palettewindows/frmFailsafe.h"

#include "core/Classification.h"
#include "core/modSupport.h"
#include "palettewindows/PaletteCells.h"
#include "widgets/QtColour.h"
#include "widgets/Twips.h"

namespace {

constexpr int intCellStep = 708;  // twips
constexpr int intCellWidth = TwipsToPixelsNearest(720);
constexpr int intCellHeight = TwipsToPixelsNearest(705);

}  // namespace

frmFailsafe::frmFailsafe(const ColourScrollBars& objScrollBars)
    : PaletteWindow(objScrollBars, "frmFailsafe", QStringLiteral("Failsafe"),
                    QSize(TwipsToPixelsNearest(intCellStep * (intFailsafeCount - 1)) + intCellWidth,
                          intCellHeight)) {
    lblFailsafeColor =
        AddCells(FailsafeCells(), "lblFailsafeColor", QStringLiteral("Failsafe colours"), 0,
                 [this](int intIndex, Qt::MouseButton enmButton) {
                     lblFailsafeColor_MouseDown(intIndex, enmButton);
                 });
    Form_Load();
}

std::vector<QRect> frmFailsafe::FailsafeCells() {
    std::vector<QRect> arrRect;
    arrRect.reserve(intFailsafeCount);
    for (int i = 0; i < intFailsafeCount; ++i)
        arrRect.emplace_back(TwipsToPixelsNearest(intCellStep * i), 0, intCellWidth, intCellHeight);
    return arrRect;
}

void frmFailsafe::Form_Load() {
    modSupport::Guarded([&] {
        for (int i = 0; i < intFailsafeCount; ++i) {
            lblFailsafeColor->SetCellColour(i, QColourOfPacked(lngFailsafe(i)));
            lblFailsafeColor->SetCellToolTip(i, QString::fromStdString(strFailsafe(i)));
        }
    });
}

void frmFailsafe::lblFailsafeColor_MouseDown(int intIndex, Qt::MouseButton enmButton) {
    modSupport::Guarded([&] {
        if (enmButton != Qt::LeftButton) return;
        HandOverColour(lngFailsafe(intIndex));
    });
}
