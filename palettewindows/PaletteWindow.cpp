#include "palettewindows/PaletteWindow.h"

#include <QTimer>

#include "core/ColourValue.h"
#include "core/modSupport.h"

namespace {

// Shared by all palette windows: a click in one may arrive while another sets the bars.
bool blnHandingOver = false;

}  // namespace

PaletteWindow::PaletteWindow(const PaletteScrollBars& objScrollBars, const char* strName,
                             const QString& strCaption, QSize objClientSize)
    : QWidget(nullptr), objScrollBars(objScrollBars) {
    setObjectName(QLatin1String(strName));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setAttribute(Qt::WA_DeleteOnClose);
    // The cells' tips tell the colours while the user works in the main window beside.
    setAttribute(Qt::WA_AlwaysShowToolTips);
    setContextMenuPolicy(Qt::PreventContextMenu);
    setWindowTitle(strCaption);
    setFixedSize(objClientSize);
    // The window serves one main window and must not keep the program running without it.
    if (objScrollBars.hsbRed)
        connect(objScrollBars.hsbRed, &QObject::destroyed, this, &QWidget::close);
}

void PaletteWindow::HandOverColour(std::int32_t lngColour) {
    if (blnHandingOver) {
        // Each bar's change lets pending events run; handing this colour over now would leave
        // the bars with parts of two colours.
        QTimer::singleShot(0, this, [this, lngColour] {
            modSupport::Guarded([&] { HandOverColour(lngColour); });
        });
        return;
    }
    modSupport::ScopedFlag objRunning(blnHandingOver, true);
    const typColour typValue = UnpackColour(lngColour);
    // A bar may go while an earlier one's change runs; the main window is closing then.
    auto set = [](const QPointer<QScrollBar>& objBar, std::int32_t lngValue) {
        if (objBar) objBar->setValue(lngValue);
    };
    set(objScrollBars.hsbRed, typValue.lngRed);
    set(objScrollBars.hsbGreen, typValue.lngGreen);
    set(objScrollBars.hsbBlue, typValue.lngBlue);
}
