#include "palettewindows/frmJavaScript.h"

#include <QAction>
#include <QActionGroup>
#include <QIcon>
#include <QToolBar>

#include "core/NamedColours.h"
#include "core/modSupport.h"
#include "palettewindows/PaletteCells.h"
#include "widgets/QtColour.h"
#include "widgets/Twips.h"

// Resources of a static library must be registered by name, outside any namespace.
static void InitPaletteIconResources() { Q_INIT_RESOURCE(palettewindows); }

namespace {

constexpr int intColumns = 7;
constexpr int intRows = intNamedColourCount / intColumns;
constexpr int intToolbarHeight = TwipsToPixelsNearest(420);
constexpr int intCellSize = 250;  // twips

const char* const strKeyAlphabetically = "Alphabetically";
const char* const strKeyDotNet = "DotNet";

// The toolbar's image list: the desktop theme's arrow, else our own drawing.
QIcon ToolbarIcon(const char* strThemeName, const char* strFile) {
    return QIcon::fromTheme(QLatin1String(strThemeName),
                            QIcon(QStringLiteral(":/palettewindows/icons/") +
                                  QLatin1String(strFile) + QStringLiteral(".svg")));
}

}  // namespace

frmJavaScript::frmJavaScript(const ColourScrollBars& objScrollBars, std::int16_t intSortIndex)
    : PaletteWindow(objScrollBars, "frmJavaScript", QStringLiteral("JavaScript"),
                    QSize(TwipsToPixelsNearest(intCellSize * intColumns),
                          intToolbarHeight + TwipsToPixelsNearest(intCellSize * intRows))) {
    InitPaletteIconResources();

    tbrSortTools = new QToolBar(this);
    tbrSortTools->setObjectName(QStringLiteral("tbrSortTools"));
    tbrSortTools->setMovable(false);
    tbrSortTools->setFloatable(false);
    tbrSortTools->setIconSize(QSize(16, 16));
    tbrSortTools->setGeometry(0, 0, width(), intToolbarHeight);
    objSortGroup = new QActionGroup(this);
    objSortGroup->setExclusionPolicy(QActionGroup::ExclusionPolicy::Exclusive);
    auto addButton = [this](const char* strKey, const char* strToolTip, QIcon objIcon) {
        QAction* objButton = tbrSortTools->addAction(objIcon, QLatin1String(strToolTip));
        objButton->setObjectName(QLatin1String(strKey));
        objButton->setToolTip(QLatin1String(strToolTip));
        objButton->setCheckable(true);
        objSortGroup->addAction(objButton);
        const QString strButtonKey = QLatin1String(strKey);
        connect(objButton, &QAction::triggered, this,
                [this, strButtonKey] { tbrSortTools_ButtonClick(strButtonKey); });
        return objButton;
    };
    btnAlphabetically =
        addButton(strKeyAlphabetically, "Sort alphabetically", ToolbarIcon("go-previous", "back"));
    btnDotNet =
        addButton(strKeyDotNet, "Sort like Visual Studio .NET", ToolbarIcon("go-next", "forward"));

    lblJavaScriptColor =
        AddCells(JavaScriptCells(), "lblJavaScriptColor", QStringLiteral("JavaScript colours"),
                 intToolbarHeight, [this](int intIndex, Qt::MouseButton enmButton) {
                     lblJavaScriptColor_MouseDown(intIndex, enmButton);
                 });
    Form_Load(intSortIndex);
}

std::vector<QRect> frmJavaScript::JavaScriptCells() {
    auto edge = [](int intCells) { return TwipsToPixelsNearest(intCellSize * intCells); };
    std::vector<QRect> arrRect;
    arrRect.reserve(intNamedColourCount);
    for (int i = 0; i < intNamedColourCount; ++i) {
        const int intColumn = i % intColumns;
        const int intRow = i / intColumns;
        arrRect.emplace_back(QPoint(edge(intColumn), edge(intRow)),
                             QPoint(edge(intColumn + 1) - 1, edge(intRow + 1) - 1));
    }
    return arrRect;
}

void frmJavaScript::Form_Load(std::int16_t intSortIndex) {
    modSupport::Guarded([&] {
        // Only 0 and 1 are stored, but any other value must still show colours.
        if (intSortIndex == 1) {
            ShowDotNet();
            btnDotNet->setChecked(true);
        } else {
            ShowAlphabetically();
            btnAlphabetically->setChecked(true);
        }
    });
}

void frmJavaScript::ShowAlphabetically() {
    modSupport::Guarded([&] {
        for (int i = 0; i < intNamedColourCount; ++i) {
            lblJavaScriptColor->SetCellColour(i, QColourOfPacked(lngNamedColour(i)));
            lblJavaScriptColor->SetCellToolTip(i, QString::fromStdString(strNamedColourTip(i)));
        }
    });
}

void frmJavaScript::ShowDotNet() {
    modSupport::Guarded([&] {
        for (int i = 0; i < intNamedColourCount; ++i) {
            lblJavaScriptColor->SetCellColour(i, QColourOfPacked(lngNamedColourNet(i)));
            lblJavaScriptColor->SetCellToolTip(i, QString::fromStdString(strNamedColourTipNet(i)));
        }
    });
}

void frmJavaScript::tbrSortTools_ButtonClick(const QString& strKey) {
    modSupport::Guarded([&] {
        if (strKey == QLatin1String(strKeyAlphabetically))
            ShowAlphabetically();
        else if (strKey == QLatin1String(strKeyDotNet))
            ShowDotNet();
    });
}

void frmJavaScript::lblJavaScriptColor_MouseDown(int intIndex, Qt::MouseButton enmButton) {
    modSupport::Guarded([&] {
        if (enmButton != Qt::LeftButton) return;
        HandOverColour(btnAlphabetically->isChecked() ? lngNamedColour(intIndex)
                                                      : lngNamedColourNet(intIndex));
    });
}
