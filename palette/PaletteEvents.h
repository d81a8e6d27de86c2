#pragma once

// How other windows learn that the palette changed: the main window owns the palette and emits
// these signals after each change it makes; listeners read the palette itself.

#include <QObject>

class PaletteEvents : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

signals:
    /// A mark's colour or name changed (mark 0..5).
    void markChanged(int intMark);
    /// Another mark became the selected one, or a palette was loaded (which selects mark 0).
    void selectedMarkChanged(int intMark);
};
