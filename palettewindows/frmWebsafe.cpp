#include "palettewindows/frmWebsafe.h"

#include "core/Classification.h"
#include "core/ColourValue.h"
#include "core/modSupport.h"
#include "palettewindows/PaletteCells.h"
#include "widgets/QtColour.h"
#include "widgets/Twips.h"

namespace {

constexpr int intCellSize = TwipsToPixelsNearest(315);
constexpr int intColumns = 36;
constexpr int intRows = 6;

}  // namespace

frmWebsafe::frmWebsafe(const ColourScrollBars& objScrollBars)
    : PaletteWindow(objScrollBars, "frmWebsafe", QStringLiteral("Websafe"),
                    QSize(intColumns * intCellSize, intRows * intCellSize)) {
    lblWebsafeColor = AddCells(WebsafeCells(), "lblWebsafeColor", QStringLiteral("Websafe colours"),
                               0, [this](int intIndex, Qt::MouseButton enmButton) {
                                   lblWebsafeColor_MouseDown(intIndex, enmButton);
                               });
    Form_Load();
}

std::vector<QRect> frmWebsafe::WebsafeCells() {
    std::vector<QRect> arrRect;
    arrRect.reserve(intWebsafeCount);
    for (int i = 0; i < intWebsafeCount; ++i) {
        const int intRedStep = i / 36;
        const int intGreenStep = (i / 6) % 6;
        const int intBlueStep = i % 6;
        arrRect.emplace_back((6 * intGreenStep + intRedStep) * intCellSize,
                             (5 - intBlueStep) * intCellSize, intCellSize, intCellSize);
    }
    return arrRect;
}

void frmWebsafe::Form_Load() {
    modSupport::Guarded([&] {
        for (int i = 0; i < intWebsafeCount; ++i) {
            const typColour typValue = typWebsafe(i);
            lblWebsafeColor->SetCellColour(i, QColourOfPacked(PackColour(typValue)));
            lblWebsafeColor->SetCellToolTip(i, QString::fromStdString(HashHexText(typValue)));
        }
    });
}

void frmWebsafe::lblWebsafeColor_MouseDown(int intIndex, Qt::MouseButton enmButton) {
    modSupport::Guarded([&] {
        if (enmButton != Qt::LeftButton) return;
        HandOverColour(lngWebsafe(intIndex));
    });
}
