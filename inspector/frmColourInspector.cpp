#include "inspector/frmColourInspector.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QStackedWidget>
#include <QTabBar>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

#include "core/modSupport.h"
#include "inspector/ColourVisionSection.h"
#include "inspector/ContrastSection.h"
#include "widgets/QtColour.h"

namespace {

using modSupport::Guarded;

// The longest row: an Android colour of a name that fills its field, with room to spare.
constexpr int intCodeFieldColumns = 56;

QString Text(std::string_view strText) {
    return QString::fromUtf8(strText.data(), static_cast<qsizetype>(strText.size()));
}

// A placeholder in a name field stands for no name at all.
std::string UsableName(const std::string& strName) {
    if (strName == strNoNamePlaceholder || strName == strNotJavaScriptPlaceholder) return {};
    return strName;
}

}  // namespace

QPoint ColourInspectorPosition(const QRect& rctMainFrame, const QSize& objFrameSize,
                               const QRect& rctScreen) {
    int intX = rctMainFrame.right() + 1;
    if (intX + objFrameSize.width() - 1 > rctScreen.right()) {
        const int intLeft = rctMainFrame.left() - objFrameSize.width();
        intX = intLeft >= rctScreen.left() ? intLeft : rctScreen.right() + 1 - objFrameSize.width();
    }
    intX = std::max(intX, rctScreen.left());
    int intY = std::min(rctMainFrame.top(), rctScreen.bottom() + 1 - objFrameSize.height());
    intY = std::max(intY, rctScreen.top());
    return {intX, intY};
}

frmColourInspector::frmColourInspector(const Palette& objPalette, PaletteEvents& objPaletteEvents,
                                       const ColourScrollBars& objScrollBars,
                                       IClipboard& objClipboard, std::function<void()> fnShowHelp,
                                       std::function<bool(int intMark)> fnSelectMark)
    : QWidget(nullptr),
      objPalette(objPalette),
      objPaletteEvents(&objPaletteEvents),
      objScrollBars(objScrollBars),
      objClipboard(objClipboard),
      fnShowHelp(std::move(fnShowHelp)),
      fnSelectMark(std::move(fnSelectMark)) {
    setObjectName(QStringLiteral("frmColourInspector"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Colour Inspector"));
    CreateControls();

    for (int i = 0; i < intColourNotationCount; ++i)
        connect(cmdCopy[i], &QPushButton::clicked, this, [this, i] { cmdCopy_Click(i); });
    connect(cmdSetColour, &QPushButton::clicked, this, [this] { cmdSetColour_Click(); });
    connect(txtColourText, &QLineEdit::returnPressed, this, [this] { cmdSetColour_Click(); });
    auto* objHelpKey = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(objHelpKey, &QShortcut::activated, this, [this] { Help(); });

    connect(&objPaletteEvents, &PaletteEvents::markChanged, this, [this](int intMark) {
        if (intMark == this->objPalette.intSelectedMark) ShowSelectedMark();
        if (intMark < 0 || intMark >= intMarkCount) return;
        objContrast->ShowMark(intMark);
        objColourVision->ShowMark(intMark);
    });
    connect(&objPaletteEvents, &PaletteEvents::selectedMarkChanged, this, [this](int intMark) {
        ShowSelectedMark();
        if (!typPendingColour) return;
        if (typPendingColour->first != intMark) {
            // The user chose another mark meanwhile: the colour is not for that one.
            typPendingColour.reset();
            return;
        }
        // The selection shows the mark's own colour first; the new one follows it.
        QTimer::singleShot(0, this, [this] { SetPendingColour(); });
    });
    // The window serves one main window and must not keep the program running without it; the
    // palette's events go before the palette itself.
    connect(&objPaletteEvents, &QObject::destroyed, this, &QWidget::close);
    if (objScrollBars.hsbRed)
        connect(objScrollBars.hsbRed, &QObject::destroyed, this, &QWidget::close);

    ShowSelectedMark();
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    // A page learns of its size by a resize event, which a window not yet shown does not get:
    // the first page is laid out here, so that its controls work before the first showing.
    layout()->activate();
    stkSections->layout()->setGeometry(stkSections->contentsRect());
    if (QWidget* objPage = stkSections->currentWidget(); objPage && objPage->layout())
        objPage->layout()->setGeometry(objPage->rect());
}

void frmColourInspector::CreateControls() {
    auto name = [](QWidget* objControl, const QString& strName) {
        objControl->setObjectName(strName);
    };
    QFont objCodeFont = QFontDatabase::systemFont(QFontDatabase::FixedFont);

    picSample = new QFrame(this);
    name(picSample, QStringLiteral("picSample"));
    picSample->setFrameShape(QFrame::Box);
    picSample->setAutoFillBackground(true);
    picSample->setFixedSize(32, 32);
    picSample->setAccessibleName(QStringLiteral("Colour of the selected mark"));
    lblMark = new QLabel(this);
    name(lblMark, QStringLiteral("lblMark"));
    lblMark->setTextFormat(Qt::PlainText);
    QFont objHeadingFont = lblMark->font();
    objHeadingFont.setBold(true);
    lblMark->setFont(objHeadingFont);

    auto* objRows = new QGridLayout;
    for (int i = 0; i < intColourNotationCount; ++i) {
        const QString strCaption = Text(arrColourNotationCaption.at(i));
        lblNotation[i] = new QLabel(strCaption, this);
        name(lblNotation[i], QStringLiteral("lblNotation%1").arg(i));
        lblNotation[i]->setTextFormat(Qt::PlainText);
        txtNotation[i] = new QLineEdit(this);
        name(txtNotation[i], QStringLiteral("txtNotation%1").arg(i));
        txtNotation[i]->setReadOnly(true);
        txtNotation[i]->setFont(objCodeFont);
        txtNotation[i]->setAccessibleName(strCaption);
        txtNotation[i]->setMinimumWidth(
            QFontMetrics(objCodeFont).horizontalAdvance(QLatin1Char('0')) * intCodeFieldColumns);
        lblNotation[i]->setBuddy(txtNotation[i]);
        cmdCopy[i] = new QPushButton(QStringLiteral("Copy"), this);
        name(cmdCopy[i], QStringLiteral("cmdCopy%1").arg(i));
        cmdCopy[i]->setAccessibleName(QStringLiteral("Copy ") + strCaption);
        cmdCopy[i]->setToolTip(QStringLiteral("Copy the %1 text").arg(strCaption));
        cmdCopy[i]->setAutoDefault(false);
        objRows->addWidget(lblNotation[i], i, 0);
        objRows->addWidget(txtNotation[i], i, 1);
        objRows->addWidget(cmdCopy[i], i, 2);
    }

    lblColourText = new QLabel(QStringLiteral("Any colour:"), this);
    name(lblColourText, QStringLiteral("lblColourText"));
    txtColourText = new QLineEdit(this);
    name(txtColourText, QStringLiteral("txtColourText"));
    txtColourText->setFont(objCodeFont);
    txtColourText->setAccessibleName(QStringLiteral("Any colour"));
    txtColourText->setToolTip(
        QStringLiteral("Type or paste a colour in any notation and press Enter"));
    lblColourText->setBuddy(txtColourText);
    cmdSetColour = new QPushButton(QStringLiteral("Set"), this);
    name(cmdSetColour, QStringLiteral("cmdSetColour"));
    cmdSetColour->setToolTip(QStringLiteral("Give the selected mark this colour"));
    cmdSetColour->setAutoDefault(false);
    lblColourTextMessage = new QLabel(this);
    name(lblColourTextMessage, QStringLiteral("lblColourTextMessage"));
    lblColourTextMessage->setTextFormat(Qt::PlainText);
    lblColourTextMessage->setWordWrap(true);
    lblColourTextMessage->setAccessibleDescription(QStringLiteral("Colour text message"));
    lblColourTextMessage->setTextInteractionFlags(Qt::TextSelectableByMouse);

    // The mark on top; the rows of notations; the colour text with its message under it.
    auto* objHeader = new QHBoxLayout;
    objHeader->addWidget(picSample);
    objHeader->addWidget(lblMark, 1);
    const int intAnyRow = intColourNotationCount;
    objRows->addWidget(lblColourText, intAnyRow, 0);
    objRows->addWidget(txtColourText, intAnyRow, 1);
    objRows->addWidget(cmdSetColour, intAnyRow, 2);
    objRows->addWidget(lblColourTextMessage, intAnyRow + 1, 1, 1, 2);
    objRows->setRowMinimumHeight(intAnyRow, txtColourText->sizeHint().height() * 3 / 2);
    objRows->setAlignment(lblColourText, Qt::AlignBottom);
    objRows->setAlignment(txtColourText, Qt::AlignBottom);
    objRows->setAlignment(cmdSetColour, Qt::AlignBottom);
    // The notations, the contrast and the colour vision each on a page of their own, so that
    // the window fits a screen of 1024 lines. A tab bar over a stack of pages, not a tab
    // widget: the window lays its pages out before it is first shown.
    tabSections = new QTabBar(this);
    name(tabSections, QStringLiteral("tabSections"));
    tabSections->setExpanding(false);
    stkSections = new QStackedWidget(this);
    name(stkSections, QStringLiteral("stkSections"));
    stkSections->setFrameShape(QFrame::StyledPanel);
    auto* objNotations = new QWidget(stkSections);
    objNotations->setObjectName(QStringLiteral("pageNotations"));
    auto* objNotationsLayout = new QVBoxLayout(objNotations);
    objNotationsLayout->addLayout(objRows);
    objNotationsLayout->addStretch(1);
    objContrast = new ContrastSection(
        objPalette,
        [this](int intMark, const typColour& typValue) { SetMarkColour(intMark, typValue); },
        stkSections);
    objColourVision = new ColourVisionSection(objPalette, stkSections);
    for (auto [objPage, strTab] :
         {std::pair<QWidget*, QString>{objNotations, QStringLiteral("Notations")},
          {objContrast, QStringLiteral("Contrast")},
          {objColourVision, QStringLiteral("Colour vision")}}) {
        stkSections->addWidget(objPage);
        tabSections->addTab(strTab);
    }
    connect(tabSections, &QTabBar::currentChanged, stkSections, &QStackedWidget::setCurrentIndex);
    auto* objWindow = new QVBoxLayout(this);
    objWindow->addLayout(objHeader);
    objWindow->addWidget(tabSections);
    objWindow->addWidget(stkSections);
    objWindow->setSpacing(0);
    // The message takes two lines at most; its room is kept so that the window keeps its size.
    lblColourTextMessage->setMinimumHeight(lblColourTextMessage->fontMetrics().lineSpacing() * 2);
    lblColourTextMessage->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    setTabOrder(tabSections, txtNotation[0]);
    setTabOrder(txtNotation[0], cmdCopy[0]);
    for (int i = 1; i < intColourNotationCount; ++i) {
        setTabOrder(cmdCopy[i - 1], txtNotation[i]);
        setTabOrder(txtNotation[i], cmdCopy[i]);
    }
    setTabOrder(cmdCopy[intColourNotationCount - 1], txtColourText);
    setTabOrder(txtColourText, cmdSetColour);
    txtColourText->setFocus();
}

void frmColourInspector::ShowSelectedMark() {
    Guarded([&] {
        if (!objPaletteEvents) return;
        const int intMark = objPalette.intSelectedMark;
        const typColour& typValue = objPalette.arrMarkColour.at(intMark);
        const std::string strName = UsableName(objPalette.arrMarkName.at(intMark));
        const auto intRed = static_cast<std::int16_t>(typValue.lngRed);
        const auto intGreen = static_cast<std::int16_t>(typValue.lngGreen);
        const auto intBlue = static_cast<std::int16_t>(typValue.lngBlue);
        SetBackColour(picSample, PackColour(typValue));
        QString strHeading = QStringLiteral("Mark %1").arg(intMark + 1);
        if (!strName.empty()) strHeading += QStringLiteral(" \u2014 ") + Text(VisibleText(strName));
        lblMark->setText(strHeading);
        for (int i = 0; i < intColourNotationCount; ++i) {
            txtNotation[i]->setText(
                Text(ColourNotationText(i, intRed, intGreen, intBlue, strName, intMark + 1)));
            txtNotation[i]->setCursorPosition(0);
        }
    });
}

void frmColourInspector::cmdCopy_Click(int intIndex) {
    Guarded([&] {
        const std::string strText = txtNotation.at(intIndex)->text().toStdString();
        try {
            objClipboard.Clear();
            objClipboard.SetText(strText);
        } catch (...) {
            // A clipboard held by another program: the text stays in its field to copy again.
        }
    });
}

void frmColourInspector::cmdSetColour_Click() {
    Guarded([&] {
        const QByteArray strUtf8 = txtColourText->text().toUtf8();
        const typColourTextResult typResult =
            ParseColourText(std::string_view(strUtf8.constData(), strUtf8.size()));
        if (!typResult.blnOk) {
            // Told by character, counted from 1, whatever the bytes of the text.
            const auto intByte = static_cast<qsizetype>(
                std::min<std::size_t>(typResult.intErrorPosition, strUtf8.size()));
            const QString strBefore = QString::fromUtf8(strUtf8.left(intByte));
            ShowMessage(QStringLiteral("Not a colour at character %1: %2")
                            .arg(strBefore.toUcs4().size() + 1)
                            .arg(Text(typResult.strError)));
            txtColourText->setCursorPosition(static_cast<int>(strBefore.size()));
            return;
        }
        QStringList arrNote;
        if (typResult.blnMapped) arrNote << QStringLiteral("mapped into sRGB");
        if (typResult.blnAlphaIgnored) arrNote << QStringLiteral("alpha ignored");
        ShowMessage(arrNote.join(QStringLiteral("; ")));
        // Last: the bars' changes may delete this window.
        SetColourScrollBars(objScrollBars, typResult.typValue);
    });
}

void frmColourInspector::Help() {
    Guarded([&] {
        if (fnShowHelp) fnShowHelp();
    });
}

void frmColourInspector::SetMarkColour(int intMark, const typColour& typValue) {
    Guarded([&] {
        if (intMark < 0 || intMark >= intMarkCount) return;
        if (intMark == objPalette.intSelectedMark) {
            typPendingColour.reset();
            // Last: the bars' changes may delete this window.
            SetColourScrollBars(objScrollBars, typValue);
            return;
        }
        typPendingColour = std::pair{intMark, typValue};
        // The selection tells of itself through the palette's events, at once or, while the
        // main window is busy, once it is done.
        if (!fnSelectMark || !fnSelectMark(intMark)) typPendingColour.reset();
    });
}

void frmColourInspector::SetPendingColour() {
    Guarded([&] {
        if (!typPendingColour || !objPaletteEvents) return;
        const auto [intMark, typValue] = *typPendingColour;
        typPendingColour.reset();
        if (intMark != objPalette.intSelectedMark) return;
        // Last: the bars' changes may delete this window.
        SetColourScrollBars(objScrollBars, typValue);
    });
}

void frmColourInspector::ShowMessage(const QString& strMessage) {
    lblColourTextMessage->setText(strMessage);
    // A screen reader reads the label's name; its description says what the label is for.
    lblColourTextMessage->setAccessibleName(strMessage);
}
