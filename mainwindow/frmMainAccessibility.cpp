// The names a screen reader announces for the main window's controls that show no caption.

#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QScrollBar>

#include "mainwindow/frmMain.h"
#include "widgets/ColourCells.h"

void frmMain::NameControlsForScreenReaders() {
    txtSetRed->setAccessibleName(QStringLiteral("Red value"));
    txtSetGreen->setAccessibleName(QStringLiteral("Green value"));
    txtSetBlue->setAccessibleName(QStringLiteral("Blue value"));
    hsbRed->setAccessibleName(QStringLiteral("Red"));
    hsbGreen->setAccessibleName(QStringLiteral("Green"));
    hsbBlue->setAccessibleName(QStringLiteral("Blue"));
    lstAutocopy->setAccessibleName(QStringLiteral("Code format"));
    lblColorBar->setAccessibleName(QStringLiteral("Colour bar"));
    for (int i = 0; i < intMarkCount; ++i) {
        const QString strMark = QString::number(i + 1);
        optColor.at(i)->setAccessibleName(QStringLiteral("Colour mark ") + strMark);
        txtName.at(i)->setAccessibleName(QStringLiteral("Name of colour mark ") + strMark);
    }
}
