#pragma once

// The one place where a packed colour value (red in the low byte) meets QColor.

#include <QColor>
#include <QPalette>
#include <cstdint>

class QWidget;

/// Returns the QColor of a packed value red + 256 * green + 65536 * blue.
QColor QColourOfPacked(std::int32_t lngPacked);

/// Returns the packed value of a QColor.
std::int32_t PackedOfQColour(const QColor& objColour);

/// Paints a widget's background (its background role) with a packed colour, and sets the text
/// drawn on it (the matching text role) to black or white, whichever reads better, so that the
/// text stays readable whatever the desktop's palette.
void SetBackColour(QWidget* objWidget, std::int32_t lngPacked);

/// Sets one text role of a widget to black or white, whichever reads better on a packed
/// background colour that the widget shows without it being its background role (a menu bar
/// draws its items' text in ButtonText on the window's colour).
void SetTextColourOn(QWidget* objWidget, QPalette::ColorRole enmTextRole, std::int32_t lngBack);

/// Returns the contrast ratio of two colours as the Web Content Accessibility Guidelines define
/// it: from 1 (the same brightness) to 21 (black on white).
double ContrastRatio(const QColor& objFirst, const QColor& objSecond);

/// Returns black or white, whichever has the higher contrast with the background.
QColor ReadableTextColour(const QColor& objBack);

/// Returns the text role drawn on a background role: WindowText on Window, Text on Base,
/// ButtonText on Button; NoRole for any other.
QPalette::ColorRole TextRoleOn(QPalette::ColorRole enmBackRole);

/// Returns the packed colour of a widget's background role.
std::int32_t BackColour(const QWidget* objWidget);
