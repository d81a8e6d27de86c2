// Fixed backgrounds and the text drawn on them.

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <string>

#include "core/ColourValue.h"
#include "widgets/QtColour.h"

TEST(QtColour, ContrastRatioFollowsTheAccessibilityGuidelines) {
    struct Case {
        QColor objFirst, objSecond;
        double dblRatio;
    };
    const Case arrCase[] = {
        {Qt::black, Qt::white, 21.0},
        {Qt::white, Qt::black, 21.0},
        {QColor(119, 119, 119), Qt::white, 4.48},
        {QColor(118, 118, 118), Qt::white, 4.54},
        {QColor(245, 245, 245), QColor(245, 245, 245), 1.0},
        {QColor(255, 0, 0), Qt::white, 4.0},
    };
    for (const Case& objCase : arrCase) {
        SCOPED_TRACE(objCase.objFirst.name().toStdString() + " on " +
                     objCase.objSecond.name().toStdString());
        EXPECT_NEAR(ContrastRatio(objCase.objFirst, objCase.objSecond), objCase.dblRatio, 0.01);
    }
}

TEST(QtColour, ReadableTextIsBlackOnLightAndWhiteOnDarkBackgrounds) {
    EXPECT_EQ(ReadableTextColour(Qt::white), QColor(Qt::black));
    EXPECT_EQ(ReadableTextColour(QColor(255, 250, 205)), QColor(Qt::black));
    EXPECT_EQ(ReadableTextColour(QColor(192, 192, 192)), QColor(Qt::black));
    EXPECT_EQ(ReadableTextColour(QColor(0, 0, 128)), QColor(Qt::white));
    EXPECT_EQ(ReadableTextColour(Qt::black), QColor(Qt::white));
    // Pure red reads better in black (5.25) than in white (4.0).
    EXPECT_EQ(ReadableTextColour(QColor(255, 0, 0)), QColor(Qt::black));
}

TEST(QtColour, SetBackColourFixesTheTextDrawnOnTheBackgroundToo) {
    QWidget objWindow;
    QPalette objDark;
    for (auto enmRole : {QPalette::Window, QPalette::Base, QPalette::Button})
        objDark.setColor(enmRole, QColor(40, 40, 40));
    for (auto enmRole : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        objDark.setColor(enmRole, QColor(230, 230, 230));
    objWindow.setPalette(objDark);
    auto* objLabel = new QLabel(QStringLiteral("label"), &objWindow);
    auto* objField = new QLineEdit(&objWindow);
    auto* objButton = new QPushButton(&objWindow);

    struct Case {
        QWidget* objWidget;
        std::int32_t lngBack;
        QPalette::ColorRole enmTextRole;
    };
    const Case arrCase[] = {
        {objLabel, PackColour(255, 255, 255), QPalette::WindowText},
        {objField, PackColour(255, 250, 205), QPalette::Text},
        {objButton, PackColour(0, 0, 128), QPalette::ButtonText},
        // Set again with another colour: the text follows.
        {objField, PackColour(10, 10, 10), QPalette::Text},
    };
    for (const Case& objCase : arrCase) {
        SCOPED_TRACE(objCase.objWidget->metaObject()->className());
        SetBackColour(objCase.objWidget, objCase.lngBack);
        const QPalette& objPalette = objCase.objWidget->palette();
        EXPECT_EQ(BackColour(objCase.objWidget), objCase.lngBack);
        const QColor objBack = QColourOfPacked(objCase.lngBack);
        for (auto enmGroup : {QPalette::Active, QPalette::Inactive}) {
            EXPECT_GE(ContrastRatio(objPalette.color(enmGroup, objCase.enmTextRole), objBack), 7.0);
        }
        // Disabled text stays legible but is set apart from enabled text.
        const QColor objDisabled = objPalette.color(QPalette::Disabled, objCase.enmTextRole);
        EXPECT_GE(ContrastRatio(objDisabled, objBack), 2.5);
        EXPECT_NE(objDisabled, objPalette.color(QPalette::Active, objCase.enmTextRole));
    }
    // The window's own text colour is left to the desktop.
    EXPECT_EQ(objWindow.palette().color(QPalette::WindowText), QColor(230, 230, 230));
}
