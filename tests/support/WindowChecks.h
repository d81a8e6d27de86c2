#pragma once

// Checks that apply to every window: each interactive control has a name a screen reader can
// announce, and every text is readable on the background it is drawn on.

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleInterface>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPalette>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextEdit>
#include <QToolButton>
#include <QWidget>
#include <set>
#include <string>
#include <vector>

#include "widgets/QtColour.h"

/// A dark desktop palette: light text on dark grey.
inline QPalette DarkPalette() {
    QPalette objPalette;
    const QColor objWindow(49, 54, 59), objText(239, 240, 241), objBase(35, 38, 41);
    const QColor objDisabledText(127, 140, 141);
    for (auto enmGroup : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        const bool blnDisabled = enmGroup == QPalette::Disabled;
        objPalette.setColor(enmGroup, QPalette::Window, objWindow);
        objPalette.setColor(enmGroup, QPalette::WindowText,
                            blnDisabled ? objDisabledText : objText);
        objPalette.setColor(enmGroup, QPalette::Base, objBase);
        objPalette.setColor(enmGroup, QPalette::AlternateBase, objWindow);
        objPalette.setColor(enmGroup, QPalette::Text, blnDisabled ? objDisabledText : objText);
        objPalette.setColor(enmGroup, QPalette::PlaceholderText, objDisabledText);
        objPalette.setColor(enmGroup, QPalette::Button, objWindow);
        objPalette.setColor(enmGroup, QPalette::ButtonText,
                            blnDisabled ? objDisabledText : objText);
        objPalette.setColor(enmGroup, QPalette::ToolTipBase, objBase);
        objPalette.setColor(enmGroup, QPalette::ToolTipText, objText);
        objPalette.setColor(enmGroup, QPalette::Highlight, QColor(61, 174, 233));
        objPalette.setColor(enmGroup, QPalette::HighlightedText, QColor(255, 255, 255));
        objPalette.setColor(enmGroup, QPalette::Light, QColor(71, 78, 84));
        objPalette.setColor(enmGroup, QPalette::Midlight, QColor(60, 66, 72));
        objPalette.setColor(enmGroup, QPalette::Mid, QColor(40, 44, 48));
        objPalette.setColor(enmGroup, QPalette::Dark, QColor(20, 22, 24));
        objPalette.setColor(enmGroup, QPalette::Shadow, QColor(0, 0, 0));
        objPalette.setColor(enmGroup, QPalette::Link, QColor(41, 128, 185));
    }
    return objPalette;
}

/// A readable name for a widget in failure messages.
inline std::string WidgetLabel(const QObject* objWidget) {
    const QString strName = objWidget->objectName();
    return (strName.isEmpty() ? QString::fromLatin1(objWidget->metaObject()->className()) : strName)
        .toStdString();
}

/// Returns the interactive controls of a window that reach the accessibility tree with no
/// name, each as "object name (role number)".
inline std::vector<std::string> UnnamedControls(QWidget* objWindow) {
    static const std::set<QAccessible::Role> arrInteractive{
        QAccessible::PushButton,   QAccessible::CheckBox,       QAccessible::RadioButton,
        QAccessible::EditableText, QAccessible::ScrollBar,      QAccessible::Slider,
        QAccessible::SpinBox,      QAccessible::ComboBox,       QAccessible::List,
        QAccessible::ListItem,     QAccessible::Table,          QAccessible::Tree,
        QAccessible::Cell,         QAccessible::PageTab,        QAccessible::Link,
        QAccessible::ButtonMenu,   QAccessible::ButtonDropDown, QAccessible::MenuItem,
        QAccessible::Dial,         QAccessible::HotkeyField,    QAccessible::ColorChooser};
    std::vector<std::string> arrUnnamed;
    std::vector<QAccessibleInterface*> arrPending{QAccessible::queryAccessibleInterface(objWindow)};
    while (!arrPending.empty()) {
        QAccessibleInterface* objItem = arrPending.back();
        arrPending.pop_back();
        if (objItem == nullptr || !objItem->isValid() || objItem->state().invisible) continue;
        if (arrInteractive.count(objItem->role()) != 0 &&
            objItem->text(QAccessible::Name).trimmed().isEmpty()) {
            QObject* objOwner = objItem->object();
            arrUnnamed.push_back((objOwner != nullptr ? WidgetLabel(objOwner) : std::string("?")) +
                                 " (role " + std::to_string(objItem->role()) + ")");
        }
        for (int i = 0; i < objItem->childCount(); ++i) arrPending.push_back(objItem->child(i));
    }
    return arrUnnamed;
}

/// The colour actually behind a widget's text: fields, lists and buttons paint their own
/// background, anything else shows the nearest filled parent's.
inline QColor VisibleBackColour(const QWidget* objWidget) {
    const auto* objButton = qobject_cast<const QPushButton*>(objWidget);
    if (qobject_cast<const QLineEdit*>(objWidget) != nullptr ||
        (objButton != nullptr && !objButton->isFlat()))
        return objWidget->palette().color(objWidget->backgroundRole());
    for (const QWidget* objBack = objWidget; objBack != nullptr;
         objBack = objBack->parentWidget()) {
        if (objBack->autoFillBackground() || objBack->isWindow())
            return objBack->palette().color(objBack->backgroundRole());
    }
    return objWidget->palette().color(objWidget->backgroundRole());
}

/// Returns the shown, enabled texts of a window whose contrast with their background is below
/// the given ratio, each as "object name: ratio".
inline std::vector<std::string> LowContrastTexts(QWidget* objWindow, double dblMinimum) {
    std::vector<std::string> arrLow;
    auto check = [&](const QWidget* objWidget, const QColor& objText, const QColor& objBack) {
        const double dblRatio = ContrastRatio(objText, objBack);
        if (dblRatio < dblMinimum)
            arrLow.push_back(WidgetLabel(objWidget) + ": " + std::to_string(dblRatio));
    };
    QList<QWidget*> arrWidget = objWindow->findChildren<QWidget*>();
    arrWidget.prepend(objWindow);
    for (const QWidget* objWidget : arrWidget) {
        if (!objWidget->isVisible() || !objWidget->isEnabled()) continue;
        const QPalette& objPalette = objWidget->palette();
        if (qobject_cast<const QAbstractItemView*>(objWidget) != nullptr) {
            check(objWidget, objPalette.color(QPalette::Text), objPalette.color(QPalette::Base));
        } else if (qobject_cast<const QTextEdit*>(objWidget) != nullptr ||
                   qobject_cast<const QPlainTextEdit*>(objWidget) != nullptr) {
            check(objWidget, objPalette.color(QPalette::Text), objPalette.color(QPalette::Base));
        } else if (qobject_cast<const QLineEdit*>(objWidget) != nullptr) {
            check(objWidget, objPalette.color(QPalette::Text), objPalette.color(QPalette::Base));
        } else if (const auto* objButton = qobject_cast<const QAbstractButton*>(objWidget)) {
            const auto* objTool = qobject_cast<const QToolButton*>(objWidget);
            if (objButton->text().isEmpty() ||
                (objTool != nullptr && objTool->toolButtonStyle() == Qt::ToolButtonIconOnly))
                continue;
            check(objWidget, objPalette.color(objWidget->foregroundRole()),
                  VisibleBackColour(objWidget));
        } else if (const auto* objLabel = qobject_cast<const QLabel*>(objWidget)) {
            if (objLabel->text().isEmpty()) continue;
            check(objWidget, objPalette.color(objWidget->foregroundRole()),
                  VisibleBackColour(objWidget));
        } else if (qobject_cast<const QMenuBar*>(objWidget) != nullptr) {
            // Menu bar items draw their text in ButtonText on the bar's own background.
            check(objWidget, objPalette.color(QPalette::ButtonText), VisibleBackColour(objWidget));
        } else if (const auto* objGroup = qobject_cast<const QGroupBox*>(objWidget)) {
            if (objGroup->title().isEmpty()) continue;
            check(objWidget, objPalette.color(QPalette::WindowText), VisibleBackColour(objWidget));
        }
    }
    return arrLow;
}
