#pragma once

// How the inspector's sections write a mark: its name as shown, and a colour as hex.

#include <QString>
#include <string>

#include "core/ColourValue.h"
#include "palette/PaletteModel.h"

namespace InspectorText {

inline QString Text(std::string_view strText) {
    return QString::fromUtf8(strText.data(), static_cast<qsizetype>(strText.size()));
}

/// The mark's name as the user reads it; empty for no name, which a placeholder stands for.
inline QString MarkName(const Palette& objPalette, int intMark) {
    const std::string& strName = objPalette.arrMarkName.at(intMark);
    if (strName.empty() || strName == strNoNamePlaceholder ||
        strName == strNotJavaScriptPlaceholder)
        return {};
    return Text(VisibleText(strName));
}

/// "#RRGGBB".
inline QString HexText(const typColour& typValue) {
    return QStringLiteral("#%1%2%3")
        .arg(typValue.lngRed, 2, 16, QLatin1Char('0'))
        .arg(typValue.lngGreen, 2, 16, QLatin1Char('0'))
        .arg(typValue.lngBlue, 2, 16, QLatin1Char('0'))
        .toUpper();
}

}  // namespace InspectorText
