#pragma once

// The one place where a packed colour value (red in the low byte) meets QColor.

#include <QColor>
#include <cstdint>

class QWidget;

/// Returns the QColor of a packed value red + 256 * green + 65536 * blue.
QColor QColourOfPacked(std::int32_t lngPacked);

/// Returns the packed value of a QColor.
std::int32_t PackedOfQColour(const QColor& objColour);

/// Paints a widget's background (its background role) with a packed colour.
void SetBackColour(QWidget* objWidget, std::int32_t lngPacked);

/// Returns the packed colour of a widget's background role.
std::int32_t BackColour(const QWidget* objWidget);
