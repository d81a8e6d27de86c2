#include "widgets/ColourScrollBars.h"

#include <QTimer>
#include <cstdint>
#include <utility>

#include "core/modSupport.h"

namespace {

// Shared by every window: a click in one may arrive while another's colour is being set.
bool blnSettingBars = false;
std::uint64_t lngSettingsBegun = 0;

}  // namespace

void SetColourScrollBars(ColourScrollBars objBars, typColour typValue, ColourBarsTurn enmTurn) {
    if (enmTurn == ColourBarsTurn::AfterOthers && blnSettingBars) {
        // The red bar carries the wait: when it goes, the colour has nowhere to go.
        if (!objBars.hsbRed) return;
        QTimer::singleShot(0, objBars.hsbRed.data(), [objBars, typValue] {
            modSupport::Guarded([&] { SetColourScrollBars(objBars, typValue); });
        });
        return;
    }
    const modSupport::ScopedFlag objSetting(blnSettingBars, true);
    const std::uint64_t lngThis = ++lngSettingsBegun;
    for (const auto& [objBar, lngValue] : {std::pair{objBars.hsbRed, typValue.lngRed},
                                           std::pair{objBars.hsbGreen, typValue.lngGreen},
                                           std::pair{objBars.hsbBlue, typValue.lngBlue}}) {
        // A setting that ran meanwhile has shown its colour; the rest of this one would mix.
        if (lngSettingsBegun != lngThis) return;
        if (objBar) objBar->setValue(lngValue);
    }
}

ThumbColour ColourAtThumbs(const QScrollBar* hsbRed, const QScrollBar* hsbGreen,
                           const QScrollBar* hsbBlue) {
    return {static_cast<std::int16_t>(hsbRed->sliderPosition()),
            static_cast<std::int16_t>(hsbGreen->sliderPosition()),
            static_cast<std::int16_t>(hsbBlue->sliderPosition())};
}
