#include "help/frmAbout.h"

#include <QCursor>
#include <QEvent>
#include <QFont>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPalette>
#include <QPushButton>

#include "core/ColourValue.h"
#include "core/modSupport.h"
#include "help/HelpSupport.h"
#include "widgets/QtColour.h"

namespace {

using modSupport::Guarded;

constexpr std::int32_t lngBorderColour = PackColour(154, 205, 50);
constexpr std::int32_t lngLinkColour = PackColour(0, 0, 192);
constexpr int intWidth = 420;
constexpr int intHeight = 300;
constexpr int intBorder = 8;

}  // namespace

frmAbout::frmAbout(IShell& objShellService, IMessageBox& objMessageService, QWidget* parent)
    : QDialog(parent), objShell(objShellService), objMessages(objMessageService) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About Huevra"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setModal(true);
    SetBackColour(this, lngBorderColour);
    CreateControls();
    setFixedSize(intWidth, intHeight);
    // The window sees key presses before any of its controls.
    installEventFilter(this);
    for (QWidget* objChild : findChildren<QWidget*>()) objChild->installEventFilter(this);
    cmdOK->setFocus();
}

void frmAbout::CreateControls() {
    auto name = [](QObject* objControl, const char* strName) {
        objControl->setObjectName(QLatin1String(strName));
    };
    const int intPanelWidth = intWidth - 2 * intBorder;
    picInfo = new QFrame(this);
    name(picInfo, "picInfo");
    SetBackColour(picInfo, lngWhite);
    picInfo->setGeometry(intBorder, intBorder, intPanelWidth, intHeight - 56);

    const int intTextWidth = intPanelWidth - 32;
    auto label = [&](const char* strName, const QString& strCaption, int intTop,
                     int intLabelHeight) {
        auto* objLabel = new QLabel(strCaption, picInfo);
        name(objLabel, strName);
        objLabel->setTextFormat(Qt::PlainText);
        objLabel->setGeometry(16, intTop, intTextWidth, intLabelHeight);
        QPalette objPalette = objLabel->palette();
        objPalette.setColor(QPalette::WindowText, Qt::black);
        objLabel->setPalette(objPalette);
        return objLabel;
    };

    lblTitle = label("lblTitle", QStringLiteral("Huevra 2004"), 14, 26);
    QFont objTitleFont(QStringLiteral("Arial"), 12, QFont::Bold);
    // Another sans-serif face stands in where Arial is not installed.
    objTitleFont.setStyleHint(QFont::SansSerif);
    lblTitle->setFont(objTitleFont);
    lblTitle->adjustSize();
    lblSR = label("lblSR", QStringLiteral("SR1"), 14, 26);
    lblSR->setGeometry(lblTitle->geometry().right() + 10, 14, 60, lblTitle->height());
    lblSlogan = label("lblSlogan",
                      QStringLiteral("The smart and easy colour manager for developers, "
                                     "designers, and other artistic people."),
                      46, 36);
    lblSlogan->setWordWrap(true);
    lblMoreInfo =
        label("lblMoreInfo", QStringLiteral("Learn more about Huevra on the web:"), 92, 18);
    lblLink = label("lblLink", QString::fromUtf8(strHomePageAddress), 110, 18);
    lblFeedbackInfo =
        label("lblFeedbackInfo", QStringLiteral("Send comments and suggestions to:"), 138, 18);
    lblMailLink = label("lblMailLink", QString::fromUtf8(strFeedbackAddress), 156, 18);
    lblCopyright = label("lblCopyright",
                         QStringLiteral("Copyright \u00A9 2004 Pellmark. This program is provided "
                                        "as is, without warranty of any kind."),
                         186, 36);
    lblCopyright->setWordWrap(true);

    for (QLabel* objLink : {lblLink, lblMailLink}) {
        QPalette objPalette = objLink->palette();
        objPalette.setColor(QPalette::WindowText, QColourOfPacked(lngLinkColour));
        objLink->setPalette(objPalette);
        QFont objFont = objLink->font();
        objFont.setUnderline(true);
        objLink->setFont(objFont);
        objLink->setCursor(Qt::PointingHandCursor);
        // Only as wide as the address, so that the hand shows over the address alone.
        objLink->adjustSize();
    }

    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    name(cmdOK, "cmdOK");
    cmdOK->setDefault(true);
    cmdOK->setAutoDefault(true);
    cmdOK->setGeometry(intWidth - intBorder - 90, intHeight - 40, 90, 30);
    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
}

bool frmAbout::eventFilter(QObject* objWatched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* objKey = static_cast<QKeyEvent*>(event);
        Form_KeyDown(objKey->key(), objKey->modifiers());
        if (objKey->key() == Qt::Key_Escape) return true;
    } else if (event->type() == QEvent::MouseButtonRelease &&
               (objWatched == lblLink || objWatched == lblMailLink)) {
        auto* objMouse = static_cast<QMouseEvent*>(event);
        auto* objLabel = static_cast<QLabel*>(objWatched);
        // A click ends over the label that it began on.
        if (objMouse->button() == Qt::LeftButton &&
            objLabel->rect().contains(objMouse->position().toPoint())) {
            if (objLabel == lblLink)
                lblLink_Click();
            else
                lblMailLink_Click();
            return true;
        }
    }
    return QDialog::eventFilter(objWatched, event);
}

void frmAbout::Form_KeyDown(int intKeyCode, Qt::KeyboardModifiers) {
    Guarded([&] {
        if (intKeyCode == Qt::Key_Escape) close();
    });
}

void frmAbout::cmdOK_Click() {
    Guarded([&] { close(); });
}

void frmAbout::lblLink_Click() {
    Guarded([&] { OpenWebPage(objShell, objMessages, lblLink->text().toStdString()); });
}

void frmAbout::lblMailLink_Click() {
    Guarded([&] { OpenMailTo(objShell, objMessages, lblMailLink->text().toStdString()); });
}
