#include "inspector/ContrastSection.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <QVBoxLayout>
#include <utility>

#include "core/modSupport.h"
#include "inspector/MarkText.h"

using InspectorText::HexText;
using InspectorText::MarkName;
using InspectorText::Text;

namespace {

QColor QColourOf(const typColour& typValue) {
    return {typValue.lngRed, typValue.lngGreen, typValue.lngBlue};
}

// The levels as the detail names them, by ContrastLevel.
constexpr std::array<const char*, intContrastLevelCount> arrLevelCaption{"AA", "AA large", "AAA",
                                                                         "AAA large", "Non-text"};

// The ratio a level asks for, as few digits as it needs: "4.5", "3", "7".
QString LevelRatioText(ContrastLevel enmLevel) {
    return QString::number(ContrastLevelRatio(enmLevel));
}

// The pair as a screen reader and the detail's heading name it: "Mark 3 on mark 5".
QString PairText(int intText, int intBackground) {
    return QStringLiteral("Mark %1 on mark %2").arg(intText + 1).arg(intBackground + 1);
}

constexpr std::array<ContrastLevel, 2> arrButtonLevel{ContrastLevel::AaText,
                                                      ContrastLevel::AaaText};

}  // namespace

ContrastCell::ContrastCell(QWidget* objParent) : QAbstractButton(objParent) {
    setFocusPolicy(Qt::StrongFocus);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

void ContrastCell::ShowPair(const typColour& typText, const typColour& typBackground,
                            const QString& strFirst, const QString& strSecond) {
    typTextColour = typText;
    typBackColour = typBackground;
    strFirstLine = strFirst;
    strSecondLine = strSecond;
    update();
}

QSize ContrastCell::sizeHint() const {
    const QFontMetrics objMetrics(font());
    const int intWidth = std::max(objMetrics.horizontalAdvance(QStringLiteral("21.00:1")),
                                  objMetrics.horizontalAdvance(QStringLiteral("AA large")));
    return {intWidth + 16, objMetrics.lineSpacing() * 2 + 10};
}

void ContrastCell::paintEvent(QPaintEvent* /*objEvent*/) {
    QPainter objPainter(this);
    const QRect rctCell = rect();
    objPainter.fillRect(rctCell, QColourOf(typBackColour));
    // The chosen pair and the keyboard's cell are framed in the theme's colours, outside the
    // text, so that the pair's own colours stay as they are.
    if (blnChosen || hasFocus()) {
        QPen objPen(palette().color(QPalette::Highlight));
        objPen.setWidth(blnChosen ? 3 : 1);
        if (hasFocus() && !blnChosen) objPen.setStyle(Qt::DashLine);
        objPainter.setPen(objPen);
        objPainter.drawRect(rctCell.adjusted(1, 1, -2, -2));
        if (blnChosen && hasFocus()) {
            QPen objInner(palette().color(QPalette::HighlightedText));
            objInner.setStyle(Qt::DotLine);
            objPainter.setPen(objInner);
            objPainter.drawRect(rctCell.adjusted(3, 3, -4, -4));
        }
    }
    objPainter.setPen(QColourOf(typTextColour));
    objPainter.drawText(rctCell, Qt::AlignCenter, strFirstLine + QLatin1Char('\n') + strSecondLine);
}

ContrastSample::ContrastSample(const QString& strSampleText, bool blnLarge, QWidget* objParent)
    : QWidget(objParent), strText(strSampleText) {
    if (blnLarge) {
        // Large text is 18 points, or 14 points bold; the sample shows the plain kind.
        QFont objFont = font();
        objFont.setPointSizeF(18);
        setFont(objFont);
    }
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void ContrastSample::ShowPair(const typColour& typText, const typColour& typBackground) {
    typTextColour = typText;
    typBackColour = typBackground;
    update();
}

QSize ContrastSample::sizeHint() const {
    const QFontMetrics objMetrics(font());
    return {objMetrics.horizontalAdvance(strText) + 16, objMetrics.lineSpacing() + 8};
}

void ContrastSample::paintEvent(QPaintEvent* /*objEvent*/) {
    QPainter objPainter(this);
    objPainter.fillRect(rect(), QColourOf(typBackColour));
    objPainter.setPen(QColourOf(typTextColour));
    objPainter.drawText(rect().adjusted(8, 0, -8, 0), Qt::AlignLeft | Qt::AlignVCenter, strText);
}

ContrastSection::ContrastSection(
    const Palette& objPalette,
    std::function<void(int intMark, const typColour& typValue)> fnSetMarkColour, QWidget* objParent)
    : QWidget(objParent), objPalette(objPalette), fnSetMarkColour(std::move(fnSetMarkColour)) {
    setObjectName(QStringLiteral("ContrastSection"));
    CreateControls();
    for (int intText = 0; intText < intMarkCount; ++intText)
        for (int intBack = 0; intBack < intMarkCount; ++intBack)
            if (ContrastCell* objCell = cmdCell[intText][intBack])
                connect(objCell, &QAbstractButton::clicked, this,
                        [this, intText, intBack] { SelectPair(intText, intBack); });
    connect(cmdPassAa, &QPushButton::clicked, this, [this] { cmdPassAa_Click(); });
    connect(cmdPassAaa, &QPushButton::clicked, this, [this] { cmdPassAaa_Click(); });
    ShowAll();
}

void ContrastSection::CreateControls() {
    auto name = [](QWidget* objControl, const QString& strName) {
        objControl->setObjectName(strName);
    };
    auto* objGrid = new QGridLayout;
    objGrid->setSpacing(2);
    for (int i = 0; i < intMarkCount; ++i) {
        lblTextMark[i] = new QLabel(this);
        name(lblTextMark[i], QStringLiteral("lblTextMark%1").arg(i));
        lblTextMark[i]->setTextFormat(Qt::PlainText);
        lblOnMark[i] = new QLabel(this);
        name(lblOnMark[i], QStringLiteral("lblOnMark%1").arg(i));
        lblOnMark[i]->setTextFormat(Qt::PlainText);
        lblOnMark[i]->setWordWrap(true);
        lblOnMark[i]->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
        objGrid->addWidget(lblTextMark[i], i + 1, 0);
        objGrid->addWidget(lblOnMark[i], 0, i + 1);
    }
    for (int intText = 0; intText < intMarkCount; ++intText) {
        for (int intBack = 0; intBack < intMarkCount; ++intBack) {
            if (intText == intBack) continue;
            auto* objCell = new ContrastCell(this);
            name(objCell, QStringLiteral("cmdCell%1%2").arg(intText).arg(intBack));
            cmdCell[intText][intBack] = objCell;
            objGrid->addWidget(objCell, intText + 1, intBack + 1);
        }
    }

    lblPair = new QLabel(this);
    name(lblPair, QStringLiteral("lblPair"));
    lblPair->setTextFormat(Qt::PlainText);
    QFont objHeadingFont = lblPair->font();
    objHeadingFont.setBold(true);
    lblPair->setFont(objHeadingFont);
    lblRatio = new QLabel(this);
    name(lblRatio, QStringLiteral("lblRatio"));
    lblRatio->setTextFormat(Qt::PlainText);
    auto* objLevels = new QGridLayout;
    for (int i = 0; i < intContrastLevelCount; ++i) {
        lblLevel[i] = new QLabel(this);
        name(lblLevel[i], QStringLiteral("lblLevel%1").arg(i));
        lblLevel[i]->setTextFormat(Qt::PlainText);
        objLevels->addWidget(lblLevel[i], i % 3, i / 3);
    }
    lblApca = new QLabel(this);
    name(lblApca, QStringLiteral("lblApca"));
    lblApca->setTextFormat(Qt::PlainText);
    lblApca->setToolTip(QStringLiteral(
        "APCA lightness contrast: positive for dark text on light, negative for light on dark"));
    objLevels->addWidget(lblApca, 2, 1);
    const QString strSample = QStringLiteral("The quick brown fox jumps over the lazy dog");
    picSampleNormal = new ContrastSample(strSample, false, this);
    name(picSampleNormal, QStringLiteral("picSampleNormal"));
    picSampleNormal->setAccessibleName(QStringLiteral("Sample of normal text"));
    picSampleLarge = new ContrastSample(strSample, true, this);
    name(picSampleLarge, QStringLiteral("picSampleLarge"));
    picSampleLarge->setAccessibleName(QStringLiteral("Sample of large text"));
    cmdPassAa = new QPushButton(QStringLiteral("Make text pass AA"), this);
    name(cmdPassAa, QStringLiteral("cmdPassAa"));
    cmdPassAaa = new QPushButton(QStringLiteral("Make text pass AAA"), this);
    name(cmdPassAaa, QStringLiteral("cmdPassAaa"));
    auto* objButtons = new QHBoxLayout;
    for (QPushButton* objButton : {cmdPassAa, cmdPassAaa}) {
        objButton->setAutoDefault(false);
        // A level the pair passes has no button; the others keep their places.
        QSizePolicy objPolicy = objButton->sizePolicy();
        objPolicy.setRetainSizeWhenHidden(true);
        objButton->setSizePolicy(objPolicy);
        objButtons->addWidget(objButton);
    }
    objButtons->addStretch(1);

    auto* objSection = new QVBoxLayout(this);
    objSection->addLayout(objGrid);
    objSection->addSpacing(objHeadingFont.pointSize());
    objSection->addWidget(lblPair);
    objSection->addWidget(lblRatio);
    objSection->addLayout(objLevels);
    objSection->addWidget(picSampleNormal);
    objSection->addWidget(picSampleLarge);
    objSection->addLayout(objButtons);
    objSection->addStretch(1);
}

void ContrastSection::ShowAll() {
    modSupport::Guarded([&] {
        ShowCaptions();
        arrShownColour = objPalette.arrMarkColour;
        for (int intText = 0; intText < intMarkCount; ++intText)
            for (int intBack = 0; intBack < intMarkCount; ++intBack)
                if (intText != intBack) ShowCell(intText, intBack);
        ShowDetail();
    });
}

void ContrastSection::ShowMark(int intMark) {
    modSupport::Guarded([&] {
        ShowCaptions();
        const typColour& typValue = objPalette.arrMarkColour.at(intMark);
        if (arrShownColour.at(intMark) == typValue) return;
        arrShownColour.at(intMark) = typValue;
        // Its row and its column: the other pairs stay as they are.
        for (int i = 0; i < intMarkCount; ++i) {
            if (i == intMark) continue;
            ShowCell(intMark, i);
            ShowCell(i, intMark);
        }
        if (intMark == intTextMark || intMark == intBackMark) ShowDetail();
    });
}

void ContrastSection::ShowCaptions() {
    for (int i = 0; i < intMarkCount; ++i) {
        const QString strName = MarkName(objPalette, i);
        const QString strAfter = strName.isEmpty() ? QString() : QStringLiteral(" ") + strName;
        lblTextMark[i]->setText(QStringLiteral("Text: mark %1").arg(i + 1) + strAfter);
        lblOnMark[i]->setText(QStringLiteral("On mark %1").arg(i + 1) + strAfter);
    }
}

void ContrastSection::ShowCell(int intText, int intBackground) {
    const typColour& typText = objPalette.arrMarkColour.at(intText);
    const typColour& typBack = objPalette.arrMarkColour.at(intBackground);
    const double dblRatio = ContrastRatio(typText, typBack);
    ++lngPairsWorkedOut;
    const QString strRatio = Text(ContrastRatioText(dblRatio));
    const QString strGrade = Text(ContrastGradeText(dblRatio));
    ContrastCell* objCell = cmdCell.at(intText).at(intBackground);
    objCell->ShowPair(typText, typBack, strRatio + QStringLiteral(":1"), strGrade);
    objCell->setAccessibleName(QStringLiteral("%1: %2 to 1, %3")
                                   .arg(PairText(intText, intBackground), strRatio, strGrade));
}

void ContrastSection::SelectPair(int intText, int intBackground) {
    modSupport::Guarded([&] {
        if (intText == intBackground || intText < 0 || intBackground < 0 ||
            intText >= intMarkCount || intBackground >= intMarkCount)
            return;
        cmdCell[intTextMark][intBackMark]->blnChosen = false;
        cmdCell[intTextMark][intBackMark]->update();
        intTextMark = intText;
        intBackMark = intBackground;
        cmdCell[intTextMark][intBackMark]->blnChosen = true;
        cmdCell[intTextMark][intBackMark]->update();
        ShowDetail();
    });
}

void ContrastSection::ShowDetail() {
    const typColour& typText = objPalette.arrMarkColour.at(intTextMark);
    const typColour& typBack = objPalette.arrMarkColour.at(intBackMark);
    cmdCell[intTextMark][intBackMark]->blnChosen = true;
    const typContrastReport typReport = ContrastReport(typText, typBack);
    lblPair->setText(PairText(intTextMark, intBackMark));
    lblRatio->setText(QStringLiteral("Contrast ratio: %1 to 1").arg(Text(typReport.strRatio)));
    for (int i = 0; i < intContrastLevelCount; ++i) {
        const auto enmLevel = static_cast<ContrastLevel>(i);
        lblLevel[i]->setText(QStringLiteral("%1 (%2 to 1): %3")
                                 .arg(QLatin1String(arrLevelCaption.at(i)),
                                      LevelRatioText(enmLevel),
                                      typReport.arrPasses.at(i) ? QStringLiteral("passes")
                                                                : QStringLiteral("fails")));
    }
    lblApca->setText(QStringLiteral("APCA Lc: %1").arg(Text(typReport.strApca)));
    picSampleNormal->ShowPair(typText, typBack);
    picSampleLarge->ShowPair(typText, typBack);
    const std::array<QPushButton*, 2> arrButton{cmdPassAa, cmdPassAaa};
    for (std::size_t i = 0; i < arrButton.size(); ++i) {
        const ContrastLevel enmLevel = arrButtonLevel.at(i);
        const QString strLevel = QLatin1String(arrLevelCaption.at(static_cast<int>(enmLevel)));
        const bool blnFails = !typReport.arrPasses.at(static_cast<int>(enmLevel));
        arrNearest.at(i) =
            blnFails ? NearestPassingColour(typText, typBack, enmLevel) : std::nullopt;
        arrButton[i]->setVisible(blnFails);
        arrButton[i]->setEnabled(arrNearest.at(i).has_value());
        if (arrNearest.at(i))
            arrButton[i]->setToolTip(
                QStringLiteral("Give mark %1 %2, the nearest colour that passes %3 on mark %4")
                    .arg(intTextMark + 1)
                    .arg(HexText(*arrNearest.at(i)), strLevel)
                    .arg(intBackMark + 1));
        else
            arrButton[i]->setToolTip(
                QStringLiteral(
                    "No colour of mark %1's hue, lighter or darker, passes %2 on mark %3")
                    .arg(intTextMark + 1)
                    .arg(strLevel)
                    .arg(intBackMark + 1));
    }
}

void ContrastSection::cmdPassAa_Click() { MakeTextPass(0); }
void ContrastSection::cmdPassAaa_Click() { MakeTextPass(1); }

void ContrastSection::MakeTextPass(int intButton) {
    modSupport::Guarded([&] {
        const std::optional<typColour> typNearest = arrNearest.at(intButton);
        // Last: setting the colour may delete this window.
        if (typNearest && fnSetMarkColour) fnSetMarkColour(intTextMark, *typNearest);
    });
}
