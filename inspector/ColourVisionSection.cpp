#include "inspector/ColourVisionSection.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QStringList>
#include <QVBoxLayout>

#include "core/modSupport.h"
#include "inspector/MarkText.h"
#include "widgets/QtColour.h"

namespace {

// By ColourVision: as a row's caption, and in a sentence.
constexpr std::array<const char*, intColourVisionCount> arrVisionCaption{
    "Protanopia", "Deuteranopia", "Tritanopia", "Achromatopsia"};

}  // namespace

ColourVisionSection::ColourVisionSection(const Palette& objPalette, QWidget* objParent)
    : QWidget(objParent), objPalette(objPalette) {
    setObjectName(QStringLiteral("ColourVisionSection"));
    CreateControls();
    ShowAll();
}

void ColourVisionSection::CreateControls() {
    auto* objGrid = new QGridLayout;
    objGrid->setHorizontalSpacing(4);
    for (int i = 0; i < intMarkCount; ++i) {
        lblMarkNumber[i] = new QLabel(QStringLiteral("Mark %1").arg(i + 1), this);
        lblMarkNumber[i]->setObjectName(QStringLiteral("lblMarkNumber%1").arg(i));
        lblMarkNumber[i]->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
        objGrid->addWidget(lblMarkNumber[i], 0, i + 1);
    }
    for (int v = 0; v < intColourVisionCount; ++v) {
        lblVision[v] = new QLabel(QLatin1String(arrVisionCaption.at(v)), this);
        lblVision[v]->setObjectName(QStringLiteral("lblVision%1").arg(v));
        objGrid->addWidget(lblVision[v], v + 1, 0);
        for (int i = 0; i < intMarkCount; ++i) {
            auto* objSwatch = new QFrame(this);
            objSwatch->setObjectName(QStringLiteral("picSimulated%1%2").arg(v).arg(i));
            objSwatch->setFrameShape(QFrame::Box);
            objSwatch->setAutoFillBackground(true);
            objSwatch->setFixedSize(56, 32);
            picSimulated[v][i] = objSwatch;
            objGrid->addWidget(objSwatch, v + 1, i + 1, Qt::AlignCenter);
        }
    }
    lblLookAlike = new QLabel(this);
    lblLookAlike->setObjectName(QStringLiteral("lblLookAlike"));
    lblLookAlike->setTextFormat(Qt::PlainText);
    lblLookAlike->setWordWrap(true);
    lblLookAlike->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblLookAlike->setTextInteractionFlags(Qt::TextSelectableByMouse);
    lblLookAlike->setAccessibleDescription(QStringLiteral("Marks that look alike"));
    auto* objSection = new QVBoxLayout(this);
    objSection->addLayout(objGrid);
    objSection->addSpacing(lblLookAlike->fontMetrics().lineSpacing());
    objSection->addWidget(lblLookAlike);
    objSection->addStretch(1);
}

void ColourVisionSection::ShowAll() {
    modSupport::Guarded([&] {
        arrShownColour.fill(std::nullopt);
        for (int i = 0; i < intMarkCount; ++i) SimulateMark(i);
        ShowLookAlikes();
    });
}

void ColourVisionSection::ShowMark(int intMark) {
    modSupport::Guarded([&] {
        if (SimulateMark(intMark)) ShowLookAlikes();
    });
}

bool ColourVisionSection::SimulateMark(int intMark) {
    const typColour& typValue = objPalette.arrMarkColour.at(intMark);
    if (arrShownColour.at(intMark) == typValue) return false;
    arrShownColour.at(intMark) = typValue;
    {
        for (int v = 0; v < intColourVisionCount; ++v) {
            const auto enmVision = static_cast<ColourVision>(v);
            const typColour typSeen = SimulatedColour(enmVision, typValue);
            ++lngColoursSimulated;
            arrSimulated[v][intMark] = typSeen;
            QFrame* objSwatch = picSimulated[v][intMark];
            SetBackColour(objSwatch, PackColour(typSeen));
            const QString strSeen = QStringLiteral("Mark %1 as seen with %2: %3")
                                        .arg(intMark + 1)
                                        .arg(QString::fromLatin1(arrVisionCaption.at(v)).toLower(),
                                             InspectorText::HexText(typSeen));
            objSwatch->setAccessibleName(strSeen);
            objSwatch->setToolTip(strSeen);
        }
    }
    return true;
}

void ColourVisionSection::ShowLookAlikes() {
    std::vector<typColour> arrColour(objPalette.arrMarkColour.begin(),
                                     objPalette.arrMarkColour.end());
    QStringList arrLine;
    for (int v = 0; v < intColourVisionCount; ++v) {
        for (const typLookAlikePair& typPair :
             LookAlikePairs(static_cast<ColourVision>(v), arrColour))
            arrLine << QStringLiteral("%1: mark %2 and mark %3 look alike")
                           .arg(QLatin1String(arrVisionCaption.at(v)))
                           .arg(typPair.intFirst + 1)
                           .arg(typPair.intSecond + 1);
    }
    const QString strText =
        arrLine.isEmpty() ? QStringLiteral("No pair of marks looks alike") : arrLine.join(u'\n');
    lblLookAlike->setText(strText);
    lblLookAlike->setAccessibleName(strText);
}
