#include "widgets/QtColour.h"

#include <QPalette>
#include <QWidget>

#include "core/ColourValue.h"

QColor QColourOfPacked(std::int32_t lngPacked) {
    const typColour typValue = UnpackColour(lngPacked);
    return QColor(typValue.lngRed, typValue.lngGreen, typValue.lngBlue);
}

std::int32_t PackedOfQColour(const QColor& objColour) {
    return PackColour(objColour.red(), objColour.green(), objColour.blue());
}

void SetBackColour(QWidget* objWidget, std::int32_t lngPacked) {
    // Text fields and lists paint their own base; boxes and labels need filling.
    if (objWidget->backgroundRole() == QPalette::Window) objWidget->setAutoFillBackground(true);
    const QColor objColour = QColourOfPacked(lngPacked);
    QPalette objPalette = objWidget->palette();
    const QPalette::ColorRole enmRole = objWidget->backgroundRole();
    if (objPalette.color(QPalette::Active, enmRole) == objColour &&
        objPalette.color(QPalette::Inactive, enmRole) == objColour &&
        objPalette.color(QPalette::Disabled, enmRole) == objColour)
        return;
    objPalette.setColor(enmRole, objColour);
    objWidget->setPalette(objPalette);
}

std::int32_t BackColour(const QWidget* objWidget) {
    return PackedOfQColour(objWidget->palette().color(objWidget->backgroundRole()));
}
