#include "widgets/QtColour.h"

#include <QPalette>
#include <QWidget>
#include <algorithm>
#include <cmath>

#include "core/ColourValue.h"

QColor QColourOfPacked(std::int32_t lngPacked) {
    const typColour typValue = UnpackColour(lngPacked);
    return QColor(typValue.lngRed, typValue.lngGreen, typValue.lngBlue);
}

std::int32_t PackedOfQColour(const QColor& objColour) {
    return PackColour(objColour.red(), objColour.green(), objColour.blue());
}

namespace {

/// The relative luminance of a colour, from 0 (black) to 1 (white).
double Luminance(const QColor& objColour) {
    auto linear = [](int intComponent) {
        const double dblValue = intComponent / 255.0;
        return dblValue <= 0.04045 ? dblValue / 12.92 : std::pow((dblValue + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(objColour.red()) + 0.7152 * linear(objColour.green()) +
           0.0722 * linear(objColour.blue());
}

/// Halfway between two colours: disabled text, readable but set apart from enabled text.
QColor Midway(const QColor& objFirst, const QColor& objSecond) {
    return QColor((objFirst.red() + objSecond.red()) / 2,
                  (objFirst.green() + objSecond.green()) / 2,
                  (objFirst.blue() + objSecond.blue()) / 2);
}

}  // namespace

namespace {

/// Sets a text role to black or white for the background, and its disabled form to halfway.
void SetReadableText(QPalette& objPalette, QPalette::ColorRole enmTextRole, const QColor& objBack) {
    const QColor objText = ReadableTextColour(objBack);
    const QColor objDisabledText = Midway(objText, objBack);
    objPalette.setColor(QPalette::Active, enmTextRole, objText);
    objPalette.setColor(QPalette::Inactive, enmTextRole, objText);
    objPalette.setColor(QPalette::Disabled, enmTextRole, objDisabledText);
    if (enmTextRole == QPalette::Text)
        objPalette.setColor(QPalette::PlaceholderText, objDisabledText);
}

}  // namespace

void SetBackColour(QWidget* objWidget, std::int32_t lngPacked) {
    // Text fields and lists paint their own base; boxes and labels need filling.
    if (objWidget->backgroundRole() == QPalette::Window) objWidget->setAutoFillBackground(true);
    const QColor objColour = QColourOfPacked(lngPacked);
    const QPalette::ColorRole enmRole = objWidget->backgroundRole();
    const QPalette::ColorRole enmTextRole = TextRoleOn(enmRole);
    QPalette objPalette = objWidget->palette();
    objPalette.setColor(enmRole, objColour);
    if (enmTextRole != QPalette::NoRole) SetReadableText(objPalette, enmTextRole, objColour);
    // The update path sets the same colours again and again; an unchanged palette is left alone.
    if (objPalette == objWidget->palette() &&
        objWidget->palette().isBrushSet(QPalette::Active, enmRole))
        return;
    objWidget->setPalette(objPalette);
}

void SetTextColourOn(QWidget* objWidget, QPalette::ColorRole enmTextRole, std::int32_t lngBack) {
    QPalette objPalette = objWidget->palette();
    SetReadableText(objPalette, enmTextRole, QColourOfPacked(lngBack));
    if (objPalette == objWidget->palette() &&
        objWidget->palette().isBrushSet(QPalette::Active, enmTextRole))
        return;
    objWidget->setPalette(objPalette);
}

double ContrastRatio(const QColor& objFirst, const QColor& objSecond) {
    const double dblFirst = Luminance(objFirst);
    const double dblSecond = Luminance(objSecond);
    return (std::max(dblFirst, dblSecond) + 0.05) / (std::min(dblFirst, dblSecond) + 0.05);
}

QColor ReadableTextColour(const QColor& objBack) {
    const QColor objBlack(0, 0, 0);
    const QColor objWhite = QColourOfPacked(lngWhite);
    return ContrastRatio(objBlack, objBack) >= ContrastRatio(objWhite, objBack) ? objBlack
                                                                                : objWhite;
}

QPalette::ColorRole TextRoleOn(QPalette::ColorRole enmBackRole) {
    switch (enmBackRole) {
        case QPalette::Window:
            return QPalette::WindowText;
        case QPalette::Base:
        case QPalette::AlternateBase:
            return QPalette::Text;
        case QPalette::Button:
            return QPalette::ButtonText;
        default:
            return QPalette::NoRole;
    }
}

std::int32_t BackColour(const QWidget* objWidget) {
    return PackedOfQColour(objWidget->palette().color(objWidget->backgroundRole()));
}
