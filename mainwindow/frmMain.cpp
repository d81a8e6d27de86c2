#include "mainwindow/frmMain.h"

#include <QAbstractSlider>
#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QEvent>
#include <QFocusEvent>
#include <QFont>
#include <QFrame>
#include <QGroupBox>
#include <QIcon>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTimer>
#include <QToolBar>
#include <algorithm>
#include <tuple>
#include <utility>

#include "core/Classification.h"
#include "core/CodeFormats.h"
#include "core/modSupport.h"
#include "mainwindow/NameField.h"
#include "mainwindow/frmMainToolbar.h"
#include "settings/SettingsStore.h"
#include "widgets/ColourCells.h"
#include "widgets/LeftToRightLabel.h"
#include "widgets/ListSelection.h"
#include "widgets/QtColour.h"
#include "widgets/Twips.h"
#include "widgets/WholeCharacterValidator.h"

// Resources of a static library must be registered by name, outside any namespace.
static void InitIconResources() { Q_INIT_RESOURCE(icons); }

namespace {

using modSupport::Guarded;

constexpr std::int32_t lngWindowColour = PackColour(245, 245, 245);
constexpr std::int32_t lngSampleContainerColour = PackColour(192, 192, 192);
constexpr int intNameMaxLength = 21;
constexpr int intValueMaxLength = 3;

const char* const strPasteDisabledTip = "Use the Copy button to enable";

// The frame that owns the fatal error handler, so that only it removes the handler.
frmMain* objFatalHandlerOwner = nullptr;

// The image list of the toolbar: the desktop theme's icon, else our own drawing.
QIcon ToolbarIcon(const QString& strImage) {
    struct ImageDefinition {
        const char* strImage;
        const char* strThemeName;
        const char* strFile;
    };
    static constexpr std::array<ImageDefinition, 11> arrImage{{
        {"New", "document-new", "new"},
        {"Open", "document-open", "open"},
        {"Notepad", "accessories-text-editor", "notepad"},
        {"Save", "document-save", "save"},
        {"Copy", "edit-copy", "copy"},
        {"Paste", "edit-paste", "paste"},
        {"Find", "edit-find", "find"},
        {"Custom", "format-text-code", "custom"},
        {"Options", "preferences-system", "options"},
        {"Help", "help-contents", "help"},
        {"Properties", "document-properties", "properties"},
    }};
    for (const ImageDefinition& objImage : arrImage) {
        if (strImage != QLatin1String(objImage.strImage)) continue;
        const QIcon objFallback(QStringLiteral(":/icons/") + QLatin1String(objImage.strFile) +
                                QStringLiteral(".svg"));
        return QIcon::fromTheme(QLatin1String(objImage.strThemeName), objFallback);
    }
    return {};
}

QString Text(const std::string& strText) { return QString::fromStdString(strText); }

void Name(QObject* objControl, const char* strName) {
    objControl->setObjectName(QLatin1String(strName));
}

// Each mark takes a sixth of the row of sample boxes.
constexpr int intRowLeft = TwipsToPixelsNearest(165);
constexpr int intRowWidth = TwipsToPixelsNearest(11010);
int MarkLeft(int intMark) { return intRowLeft + intRowWidth * intMark / intMarkCount; }
int MarkWidth(int intMark) { return MarkLeft(intMark + 1) - MarkLeft(intMark); }

}  // namespace

frmMain::frmMain(const MainServices& objMainServices, QWidget* parent)
    : QMainWindow(parent),
      objFileSettings(objMainServices.objSettings),
      objFileCommands(objPalette, objFileSettings, *this, objMainServices.objFileDialogs,
                      objMainServices.objMessages, objMainServices.objShell),
      objHTMLHelp(objMainServices.objHelpViewer),
      objServices(objMainServices) {
    InitIconResources();
    setObjectName(QStringLiteral("frmMain"));
    // A fixed single border with a minimise button and no maximise button.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setContextMenuPolicy(Qt::PreventContextMenu);
    SetBackColour(this, lngWindowColour);
    // The menu bar draws its items' text in the button text colour on the window's grey.
    SetTextColourOn(menuBar(), QPalette::ButtonText, lngWindowColour);
    CreateControls();
    CreateMenus();
    CreateToolbar();
    ConnectControls();
    NameControlsForScreenReaders();
    // The client area under the menu bar holds the toolbar and the controls.
    setFixedSize(TwipsToPixelsNearest(11340),
                 menuBar()->sizeHint().height() + TwipsToPixelsNearest(5130));
    Form_Load();
}

frmMain::~frmMain() {
    // The controls outlive this part of the window; none of their signals may reach it now.
    for (QObject* objChild : findChildren<QObject*>())
        QObject::disconnect(objChild, nullptr, this, nullptr);
    // A pick under way gives back the cursor.
    EndPick(false);
    if (objFatalHandlerOwner == this) {
        modSupport::SetFatalErrorHandler({});
        objFatalHandlerOwner = nullptr;
    }
}

void frmMain::CreateControls() {
    auto* objClient = new QWidget(this);
    objClient->setObjectName(QStringLiteral("objClient"));
    setCentralWidget(objClient);
    // In creation order, which is also the order of the keyboard focus.
    CreateCheckBoxes(objClient);
    CreateValueFields(objClient);
    CreateFormatList(objClient);
    CreatePaletteButtons(objClient);
    CreateScrollBars(objClient);
    CreateTimerAndToolbar();
    CreateMarks(objClient);
    CreateNames(objClient);
    CreateSamples(objClient);
    CreateClipboardPreview(objClient);
    CreateColourBar(objClient);
    CreateClipboardInfo(objClient);
    CreateClassLabels(objClient);
}

void frmMain::CreateCheckBoxes(QWidget* objClient) {
    chkColorPick = new QCheckBox(QStringLiteral("Colour Pick Mode"), objClient);
    Name(chkColorPick, "chkColorPick");
    chkColorPick->setToolTip(QStringLiteral("Uncheck this check box to open palettes"));
    chkColorPick->setGeometry(11, 104, 150, 22);

    chkJSNamesOnly = new QCheckBox(QStringLiteral("Copy JavaScript Names"), objClient);
    Name(chkJSNamesOnly, "chkJSNamesOnly");
    chkJSNamesOnly->setToolTip(
        QStringLiteral("Check this check box if you want to copy the JavaScript name instead of "
                       "the RGB colour code"));
    chkJSNamesOnly->setGeometry(166, 104, 190, 22);
}

void frmMain::CreateValueFields(QWidget* objClient) {
    frmSet = new QGroupBox(objClient);
    Name(frmSet, "frmSet");
    frmSet->setGeometry(11, 2, 176, 96);

    optSetDec = new QRadioButton(QStringLiteral("Dec"), frmSet);
    Name(optSetDec, "optSetDec");
    optSetDec->setToolTip(QStringLiteral("Click here for decimal colour values"));
    optSetDec->setGeometry(76, 8, 90, 22);

    optSetHex = new QRadioButton(QStringLiteral("Hex"), frmSet);
    Name(optSetHex, "optSetHex");
    optSetHex->setToolTip(QStringLiteral("Click here for hexadecimal colour values"));
    optSetHex->setGeometry(76, 36, 90, 22);

    cmdSetColor = new QPushButton(QStringLiteral("Set"), frmSet);
    Name(cmdSetColor, "cmdSetColor");
    cmdSetColor->setToolTip(QStringLiteral(
        "Click here to change the selected colour according to the values to the left"));
    cmdSetColor->setGeometry(76, 64, 90, 24);

    const std::array<std::pair<QLineEdit**, const char*>, 3> arrValueField{
        {{&txtSetRed, "txtSetRed"}, {&txtSetGreen, "txtSetGreen"}, {&txtSetBlue, "txtSetBlue"}}};
    const std::array<const char*, 3> arrValueTip{"Type the red value", "Type the green value",
                                                 "Type the blue value"};
    for (int i = 0; i < 3; ++i) {
        QLineEdit*& objField = *arrValueField[i].first;
        objField = new QLineEdit(frmSet);
        Name(objField, arrValueField[i].second);
        objField->setToolTip(QLatin1String(arrValueTip[i]));
        objField->setMaxLength(intValueMaxLength);
        objField->setAlignment(Qt::AlignCenter);
        objField->setGeometry(10, 8 + 28 * i, 56, 22);
    }
}

void frmMain::CreateFormatList(QWidget* objClient) {
    lstAutocopy = new QListWidget(objClient);
    Name(lstAutocopy, "lstAutocopy");
    lstAutocopy->setToolTip(QStringLiteral("Select the format you want to copy to the clipboard"));
    lstAutocopy->setSelectionMode(QAbstractItemView::SingleSelection);
    lstAutocopy->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    lstAutocopy->setGeometry(459, 4, 166, 94);
}

void frmMain::CreatePaletteButtons(QWidget* objClient) {
    const std::array<std::tuple<QPushButton**, const char*, const char*, const char*>, 3>
        arrPaletteButton{{
            {&cmdFailsafe, "cmdFailsafe", "Failsafe Palette",
             "Click here to open the Failsafe Palette"},
            {&cmdWebsafe, "cmdWebsafe", "Websafe Palette",
             "Click here to open the Websafe Palette"},
            {&cmdJavaScript, "cmdJavaScript", "JavaScript Palette",
             "Click here to open the JavaScript Palette"},
        }};
    for (int i = 0; i < 3; ++i) {
        auto [objButton, strName, strCaption, strTip] = arrPaletteButton[i];
        *objButton = new QPushButton(QLatin1String(strCaption), objClient);
        Name(*objButton, strName);
        (*objButton)->setToolTip(QLatin1String(strTip));
        (*objButton)->setGeometry(631, 4 + 33 * i, 114, 28);
    }
}

void frmMain::CreateScrollBars(QWidget* objClient) {
    const std::array<std::pair<QScrollBar**, const char*>, 3> arrBar{
        {{&hsbRed, "hsbRed"}, {&hsbGreen, "hsbGreen"}, {&hsbBlue, "hsbBlue"}}};
    for (int i = 0; i < 3; ++i) {
        QScrollBar*& objBar = *arrBar[i].first;
        objBar = new QScrollBar(Qt::Horizontal, objClient);
        Name(objBar, arrBar[i].second);
        objBar->setRange(0, 255);
        objBar->setSingleStep(1);
        objBar->setPageStep(1);
        // valueChanged only when a drag ends; sliderMoved follows the thumb.
        objBar->setTracking(false);
        // Right and Up raise the value and Left and Down lower it, as on a slider; the bars
        // take the keyboard focus like every other control of the editor.
        objBar->setInvertedControls(false);
        objBar->setFocusPolicy(Qt::StrongFocus);
        objBar->setGeometry(195, 12 + 28 * i, 256, 18);
    }
}

void frmMain::CreateTimerAndToolbar() {
    tmrClip = new QTimer(this);
    Name(tmrClip, "tmrClip");
    tmrClip->setInterval(200);

    tbrTools = new QToolBar(this);
    Name(tbrTools, "tbrTools");
    tbrTools->setMovable(false);
    tbrTools->setFloatable(false);
    tbrTools->setIconSize(QSize(16, 16));
    tbrTools->toggleViewAction()->setVisible(false);
    addToolBar(Qt::TopToolBarArea, tbrTools);
}

void frmMain::CreateMarks(QWidget* objClient) {
    grpSet = new QButtonGroup(this);
    grpSet->addButton(optSetDec, 0);
    grpSet->addButton(optSetHex, 1);
    grpColor = new QButtonGroup(this);
    for (int i = 0; i < intMarkCount; ++i) {
        optColor[i] = new QRadioButton(objClient);
        grpColor->addButton(optColor[i], i);
        optColor[i]->installEventFilter(this);
        optColor[i]->setObjectName(QStringLiteral("optColor%1").arg(i));
        optColor[i]->setToolTip(QStringLiteral("Click here to select this colour mark"));
        optColor[i]->setGeometry(MarkLeft(i) + MarkWidth(i) / 2 - 8, 134, 18, 20);
    }
}

void frmMain::CreateNames(QWidget* objClient) {
    for (int i = 0; i < intMarkCount; ++i) {
        txtName[i] = new NameField(objClient);
        txtName[i]->setObjectName(QStringLiteral("txtName%1").arg(i));
        txtName[i]->setToolTip(QStringLiteral("Click and type a colour name"));
        txtName[i]->setMaxLength(intNameMaxLength);
        txtName[i]->setValidator(new WholeCharacterValidator(txtName[i]));
        txtName[i]->setAlignment(Qt::AlignCenter);
        // A smaller font lets the longest names fit the field.
        QFont objNameFont = txtName[i]->font();
        if (objNameFont.pointSizeF() > 0)
            objNameFont.setPointSizeF(objNameFont.pointSizeF() * 8.0 / 9.0);
        txtName[i]->setFont(objNameFont);
        txtName[i]->setGeometry(MarkLeft(i) + 1, 156, MarkWidth(i) - 2, 22);
    }
}

void frmMain::CreateSamples(QWidget* objClient) {
    picSampleContainer = new QFrame(objClient);
    Name(picSampleContainer, "picSampleContainer");
    SetBackColour(picSampleContainer, lngSampleContainerColour);
    picSampleContainer->setGeometry(intRowLeft, 184, intRowWidth, 64);
    for (int i = 0; i < intMarkCount; ++i) {
        picSample[i] = new QFrame(picSampleContainer);
        picSample[i]->setObjectName(QStringLiteral("picSample%1").arg(i));
        picSample[i]->installEventFilter(this);
        picSample[i]->setGeometry(MarkLeft(i) - intRowLeft + 2, 2, MarkWidth(i) - 4, 60);
        SetBackColour(picSample[i], lngWhite);
    }
    // Sample boxes take mouse input only in colour pick mode.
    picSampleContainer->setEnabled(false);

    picPick = new QFrame(objClient);
    Name(picPick, "picPick");
    picPick->setGeometry(hsbRed->x(), hsbRed->y(), hsbRed->width(),
                         hsbBlue->geometry().bottom() - hsbRed->y() + 1);
    SetBackColour(picPick, 0);
    picPick->hide();
}

void frmMain::CreateClipboardPreview(QWidget* objClient) {
    // Code reads left to right; a template that starts with a right-to-left letter does too.
    lblClipboard = new LeftToRightLabel(objClient);
    Name(lblClipboard, "lblClipboard");
    lblClipboard->setToolTip(
        QStringLiteral("This is what you get if you paste right now in another application"));
    lblClipboard->setFrameShape(QFrame::Panel);
    lblClipboard->setFrameShadow(QFrame::Sunken);
    lblClipboard->setIndent(4);
    SetBackColour(lblClipboard, lngWhite);
    lblClipboard->setGeometry(476, 103, 269, 24);
}

void frmMain::CreateColourBar(QWidget* objClient) {
    lblColorBar = new ColourCells(ColourCells::ColourBarCells(), objClient);
    Name(lblColorBar, "lblColorBar");
    lblColorBar->setGeometry(intRowLeft, 250, intRowWidth, TwipsToPixelsNearest(300));
}

void frmMain::CreateClipboardInfo(QWidget* objClient) {
    lblClipboardInfo = new QLabel(QStringLiteral("On the clipboard"), objClient);
    Name(lblClipboardInfo, "lblClipboardInfo");
    lblClipboardInfo->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lblClipboardInfo->setGeometry(360, 104, 110, 22);
}

void frmMain::CreateClassLabels(QWidget* objClient) {
    for (int i = 0; i < intMarkCount; ++i) {
        lblColorProp[i] = new QLabel(objClient);
        lblColorProp[i]->setObjectName(QStringLiteral("lblColorProp%1").arg(i));
        lblColorProp[i]->setTextFormat(Qt::PlainText);
        lblColorProp[i]->setAlignment(Qt::AlignCenter);
        lblColorProp[i]->setGeometry(MarkLeft(i), 274, MarkWidth(i), 18);
    }
}

void frmMain::CreateMenus() {
    auto addItem = [](QMenu* objMenu, const char* strName, const char* strCaption,
                      const char* strShortcut) {
        QAction* objItem = objMenu->addAction(QLatin1String(strCaption));
        objItem->setObjectName(QLatin1String(strName));
        if (strShortcut != nullptr) objItem->setShortcut(QKeySequence(QLatin1String(strShortcut)));
        return objItem;
    };
    auto addSeparator = [](QMenu* objMenu, const char* strName) {
        QAction* objSeparator = objMenu->addSeparator();
        objSeparator->setObjectName(QLatin1String(strName));
        return objSeparator;
    };
    auto addMenu = [this](const char* strName, const char* strCaption) {
        QMenu* objMenu = menuBar()->addMenu(QLatin1String(strCaption));
        objMenu->setObjectName(QLatin1String(strName));
        return objMenu;
    };

    mnuFile = addMenu("mnuFile", "&File");
    mnuFileNew = addItem(mnuFile, "mnuFileNew", "&New Palette", "Ctrl+N");
    mnuFileOpen = addItem(mnuFile, "mnuFileOpen", "&Open Palette In Huevra...", "Ctrl+O");
    mnuFileOpenInNotepad =
        addItem(mnuFile, "mnuFileOpenInNotepad", "Open Palette &In Notepad...", "Ctrl+I");
    mnuFileSave = addItem(mnuFile, "mnuFileSave", "&Save Palette", "Ctrl+S");
    mnuFileSaveAs = addItem(mnuFile, "mnuFileSaveAs", "Save Palette &As...", "F12");
    mnuFileExport = addItem(mnuFile, "mnuFileExport", "&Export Palette...", "Ctrl+Shift+E");
    mnuFileImport = addItem(mnuFile, "mnuFileImport", "Im&port Palette...", "Ctrl+Shift+O");
    connect(mnuFileExport, &QAction::triggered, this, [this] { mnuFileExport_Click(); });
    connect(mnuFileImport, &QAction::triggered, this, [this] { mnuFileImport_Click(); });
    mnuFileSeparator1 = addSeparator(mnuFile, "mnuFileSeparator1");
    mnuFileExit = addItem(mnuFile, "mnuFileExit", "&Exit", "Ctrl+W");

    mnuEdit = addMenu("mnuEdit", "&Edit");
    mnuEditCopyColor =
        addItem(mnuEdit, "mnuEditCopyColor", "&Copy Colour From Selected Colour Mark", "F2");
    mnuEditPasteColor =
        addItem(mnuEdit, "mnuEditPasteColor", "&Paste Colour To Selected Colour Mark", "F3");
    mnuEditSeparator1 = addSeparator(mnuEdit, "mnuEditSeparator1");
    mnuEditFind = addItem(mnuEdit, "mnuEditFind", "&Find JavaScript Names", "F5");

    mnuTools = addMenu("mnuTools", "&Tools");
    mnuToolsCustomFormat = addItem(mnuTools, "mnuToolsCustomFormat", "&Custom Format...", "F8");
    mnuToolsOptions = addItem(mnuTools, "mnuToolsOptions", "&Options...", "F9");
    mnuToolsColourInspector =
        addItem(mnuTools, "mnuToolsColourInspector", "Colour &Inspector...", "F6");
    mnuToolsPrecisePick = addItem(mnuTools, "mnuToolsPrecisePick", "&Precise Pick", "F7");

    mnuHelp = addMenu("mnuHelp", "&Help");
    mnuHelpHelp = addItem(mnuHelp, "mnuHelpHelp", "&Help", "F1");
    mnuHomePage = addItem(mnuHelp, "mnuHomePage", "&Visit Huevra Home Page", nullptr);
    mnuHelpSeparator1 = addSeparator(mnuHelp, "mnuHelpSeparator1");
    mnuHelpColorProperties =
        addItem(mnuHelp, "mnuHelpColorProperties", "&Colour Properties...", "F4");
    mnuHelpSeparator2 = addSeparator(mnuHelp, "mnuHelpSeparator2");
    mnuHelpAboutHuevra = addItem(mnuHelp, "mnuHelpAboutHuevra", "&About Huevra...", nullptr);
}

void frmMain::CreateToolbar() {
    // The menu command that each button runs, by the button's 1-based index.
    arrToolCommand = {mnuFileNew,  mnuFileOpen,           mnuFileOpenInNotepad, mnuFileSave,
                      nullptr,     mnuEditCopyColor,      mnuEditPasteColor,    mnuEditFind,
                      nullptr,     mnuToolsCustomFormat,  mnuToolsOptions,      nullptr,
                      mnuHelpHelp, mnuHelpColorProperties};
    for (std::size_t i = 0; i < arrToolDefinition.size(); ++i) {
        const ToolButtonDefinition& objDefinition = arrToolDefinition[i];
        QAction* objButton = nullptr;
        if (objDefinition.strToolTip == nullptr) {
            objButton = tbrTools->addSeparator();
        } else {
            objButton = tbrTools->addAction(ToolbarIcon(QLatin1String(objDefinition.strImage)),
                                            QLatin1String(objDefinition.strToolTip));
            objButton->setToolTip(QLatin1String(objDefinition.strToolTip));
            objButton->setEnabled(arrToolCommand[i]->isEnabled());
            const int intIndex = static_cast<int>(i) + 1;
            connect(objButton, &QAction::triggered, this,
                    [this, intIndex] { tbrTools_ButtonClick(intIndex); });
        }
        objButton->setObjectName(QLatin1String(objDefinition.strKey));
        arrToolButton[i] = objButton;
    }
}

void frmMain::ConnectControls() {
    connect(hsbRed, &QScrollBar::sliderMoved, this, [this] { hsbRed_Scroll(); });
    connect(hsbGreen, &QScrollBar::sliderMoved, this, [this] { hsbGreen_Scroll(); });
    connect(hsbBlue, &QScrollBar::sliderMoved, this, [this] { hsbBlue_Scroll(); });
    connect(hsbRed, &QScrollBar::valueChanged, this, [this] { hsbRed_Change(); });
    connect(hsbGreen, &QScrollBar::valueChanged, this, [this] { hsbGreen_Change(); });
    connect(hsbBlue, &QScrollBar::valueChanged, this, [this] { hsbBlue_Change(); });
    connect(txtSetRed, &QLineEdit::textChanged, this, [this] { txtSetRed_Change(); });
    connect(txtSetGreen, &QLineEdit::textChanged, this, [this] { txtSetGreen_Change(); });
    connect(txtSetBlue, &QLineEdit::textChanged, this, [this] { txtSetBlue_Change(); });
    for (QLineEdit* objField : {txtSetRed, txtSetGreen, txtSetBlue})
        objField->installEventFilter(this);
    connect(cmdSetColor, &QPushButton::clicked, this, [this] { cmdSetColor_Click(); });
    connect(optSetDec, &QRadioButton::toggled, this, [this](bool blnOn) {
        if (blnOn) optSetDec_Click();
    });
    connect(optSetHex, &QRadioButton::toggled, this, [this](bool blnOn) {
        if (blnOn) optSetHex_Click();
    });
    connect(lblColorBar, &ColourCells::CellClicked, this,
            [this](int intIndex) { lblColorBar_Click(intIndex); });
    for (int i = 0; i < intMarkCount; ++i)
        connect(optColor[i], &QRadioButton::toggled, this, [this, i](bool blnOn) {
            if (blnOn) optColor_Toggled(i);
        });
    connect(lstAutocopy, &QListWidget::currentRowChanged, this, [this] { lstAutocopy_Click(); });
    KeepSelectionOnCurrentRow(lstAutocopy);
    connect(tmrClip, &QTimer::timeout, this, [this] { tmrClip_Timer(); });
    connect(chkColorPick, &QCheckBox::toggled, this, [this] { chkColorPick_Click(); });
    connect(mnuFileNew, &QAction::triggered, this, [this] { mnuFileNew_Click(); });
    connect(mnuFileOpen, &QAction::triggered, this, [this] { mnuFileOpen_Click(); });
    connect(mnuFileOpenInNotepad, &QAction::triggered, this,
            [this] { mnuFileOpenInNotepad_Click(); });
    connect(mnuFileSave, &QAction::triggered, this, [this] { mnuFileSave_Click(); });
    connect(mnuFileSaveAs, &QAction::triggered, this, [this] { mnuFileSaveAs_Click(); });
    connect(mnuFileExit, &QAction::triggered, this, [this] { mnuFileExit_Click(); });
    connect(mnuEditCopyColor, &QAction::triggered, this, [this] { mnuEditCopyColor_Click(); });
    connect(mnuEditPasteColor, &QAction::triggered, this, [this] { mnuEditPasteColor_Click(); });
    connect(mnuEditFind, &QAction::triggered, this, [this] { mnuEditFind_Click(); });
    connect(mnuHelpColorProperties, &QAction::triggered, this,
            [this] { mnuHelpColorProperties_Click(); });
    connect(chkJSNamesOnly, &QCheckBox::toggled, this, [this] { chkJSNamesOnly_Click(); });
    for (int i = 0; i < intMarkCount; ++i) {
        auto* objName = static_cast<NameField*>(txtName[i]);
        connect(objName, &QLineEdit::textChanged, this, [this, i] { txtName_Change(i); });
        connect(objName, &NameField::Clicked, this, [this, i] { txtName_Click(i); });
        connect(objName, &NameField::DoubleClicked, this, [this, i] { txtName_DblClick(i); });
        connect(objName, &NameField::FocusEntered, this,
                [this, i](Qt::FocusReason enmReason) { txtName_GotFocus(i, enmReason); });
        connect(objName, &NameField::FocusLeft, this,
                [this, i](Qt::FocusReason enmReason) { txtName_LostFocus(i, enmReason); });
    }
    connect(cmdWebsafe, &QPushButton::clicked, this, [this] { cmdWebsafe_Click(); });
    connect(cmdFailsafe, &QPushButton::clicked, this, [this] { cmdFailsafe_Click(); });
    connect(cmdJavaScript, &QPushButton::clicked, this, [this] { cmdJavaScript_Click(); });
    connect(mnuHelpHelp, &QAction::triggered, this, [this] { mnuHelpHelp_Click(); });
    connect(mnuHomePage, &QAction::triggered, this, [this] { mnuHomePage_Click(); });
    connect(mnuHelpAboutHuevra, &QAction::triggered, this, [this] { mnuHelpAboutHuevra_Click(); });
    connect(mnuToolsCustomFormat, &QAction::triggered, this,
            [this] { mnuToolsCustomFormat_Click(); });
    connect(mnuToolsOptions, &QAction::triggered, this, [this] { mnuToolsOptions_Click(); });
    connect(mnuToolsColourInspector, &QAction::triggered, this,
            [this] { mnuToolsColourInspector_Click(); });
    ConnectPrecisePick();
}

QAction* frmMain::ToolButton(int intIndex) const {
    if (intIndex < 1 || intIndex > static_cast<int>(arrToolButton.size())) return nullptr;
    return arrToolButton[intIndex - 1];
}

void frmMain::Form_Load() {
    CheckColourDepth();
    blnErrorGuard = true;
    InstallFatalErrorHandler();
    Guarded([&] {
        const BusyScope objBusy(*this);
        // The registry object is the settings service handed to the window.
        blnClosingAfterError = false;
        blnErrorShown = false;
        blnSelectNameOnClick = true;
        // The colour tables are constant data and need no building.
        ProgramSettings& objSettings = objServices.objSettings;
        LoadSettings(objSettings, objServices.objRegistry, objServices.objMessages);
        for (const std::string_view strCaption : arrCodeFormatCaption)
            lstAutocopy->addItem(
                QString::fromUtf8(strCaption.data(), static_cast<int>(strCaption.size())));
        SizeToCaptions();
        objPalette.SetDefaultPalette();
        LockRedraw();
        blnScrollEvents = false;
        blnNameCheck = false;
        ShowLoadBuffer();
        setWindowTitle(Text(PaletteTitle(objPalette.strPalettePath)));
        mnuEditPasteColor->setEnabled(false);
        ToolButton(intToolPasteColour)->setEnabled(false);
        ToolButton(intToolPasteColour)->setToolTip(QLatin1String(strPasteDisabledTip));
        optSetDec->setChecked(true);
        UnlockRedraw();
        picSample[0]->setToolTip(QLatin1String(strPickTip));
        picSample[0]->setEnabled(true);
        blnScrollEvents = true;
        blnNameCheck = true;
        lngClipboardTicks = 0;
    });
    blnClipboardTimerOn = true;
    tmrClip->start();
}

void frmMain::SizeToCaptions() {
    // The controls keep their places at the usual font; a larger font widens the captioned
    // ones and the scroll bars give way, so that no caption is cut.
    auto hintWidth = [](std::initializer_list<QWidget*> arrControl, int intLeast) {
        for (const QWidget* objControl : arrControl)
            intLeast = std::max(intLeast, objControl->sizeHint().width());
        return intLeast;
    };
    constexpr int intRight = 745;

    const int intSetWidth = hintWidth({optSetDec, optSetHex, cmdSetColor}, 90);
    for (QWidget* objControl : std::initializer_list<QWidget*>{optSetDec, optSetHex, cmdSetColor})
        objControl->resize(intSetWidth, objControl->height());
    frmSet->resize(76 + intSetWidth + 10, frmSet->height());

    const int intButtonWidth = hintWidth({cmdFailsafe, cmdWebsafe, cmdJavaScript}, 106) + 8;
    const int intButtonHeight = std::max(28, cmdWebsafe->sizeHint().height());
    int intButtonTop = 4;
    for (QPushButton* objButton : {cmdFailsafe, cmdWebsafe, cmdJavaScript}) {
        objButton->setGeometry(intRight - intButtonWidth, intButtonTop, intButtonWidth,
                               intButtonHeight);
        intButtonTop += (94 - intButtonHeight) / 2;
    }

    // The list shows whole rows only.
    const int intFrame = lstAutocopy->frameWidth();
    const int intRow = std::max(1, lstAutocopy->sizeHintForRow(0));
    const int intRows = std::max(1, (94 - 2 * intFrame) / intRow);
    const int intListWidth =
        std::max(166, lstAutocopy->sizeHintForColumn(0) + 2 * intFrame +
                          lstAutocopy->verticalScrollBar()->sizeHint().width() + 4);
    lstAutocopy->setGeometry(intRight - intButtonWidth - 6 - intListWidth, 4, intListWidth,
                             intRows * intRow + 2 * intFrame);

    const int intBarLeft = frmSet->geometry().right() + 9;
    const int intBarWidth = lstAutocopy->x() - 8 - intBarLeft;
    for (QScrollBar* objBar : {hsbRed, hsbGreen, hsbBlue})
        objBar->setGeometry(intBarLeft, objBar->y(), intBarWidth, objBar->height());
    picPick->setGeometry(intBarLeft, picPick->y(), intBarWidth, picPick->height());

    const int intCheckHeight = std::max(22, chkColorPick->sizeHint().height());
    const int intPickWidth = hintWidth({chkColorPick}, 150);
    chkColorPick->setGeometry(11, 104, intPickWidth, intCheckHeight);
    const int intNamesLeft = chkColorPick->geometry().right() + 6;
    chkJSNamesOnly->setGeometry(intNamesLeft, 104, hintWidth({chkJSNamesOnly}, 190),
                                intCheckHeight);
    const int intInfoWidth = lblClipboardInfo->sizeHint().width();
    const int intInfoLeft = std::max(chkJSNamesOnly->geometry().right() + 4, 470 - intInfoWidth);
    lblClipboardInfo->setGeometry(intInfoLeft, 104, intInfoWidth, intCheckHeight);
    const int intPreviewLeft = std::max(476, lblClipboardInfo->geometry().right() + 7);
    lblClipboard->setGeometry(intPreviewLeft, 103, intRight - intPreviewLeft,
                              std::max(24, lblClipboard->sizeHint().height()));
}

void frmMain::ShowLoadBuffer() {
    // The load buffer becomes the marks and their saved state, with mark 0 selected.
    objPalette.CommitLoad();
    for (int i = intMarkCount - 1; i >= 0; --i) {
        SetBackColour(picSample.at(i), PackColour(objPalette.arrMarkColour.at(i)));
        txtName.at(i)->setText(Text(objPalette.arrMarkName.at(i)));
    }
    const typColour typFirst = objPalette.arrMarkColour.at(0);
    SetScrollBars(typFirst, ColourBarsTurn::Now);
    // At start-up the button is not yet selected, so selecting it runs the mark selection.
    {
        const modSupport::ScopedFlag objSelecting(blnSelectingMark, true);
        optColor[0]->setChecked(true);
    }
    // The selection turns the guards back on; the load keeps them off until it has finished,
    // so that neither its own colour nor the switch back to decimal flags a loaded name.
    blnScrollEvents = false;
    blnNameCheck = false;
    objPalette.intSelectedMark = 0;
    for (int i = 0; i < intMarkCount; ++i) emit objPaletteEvents.markChanged(i);
    emit objPaletteEvents.selectedMarkChanged(0);
    ApplyColour(static_cast<std::int16_t>(typFirst.lngRed),
                static_cast<std::int16_t>(typFirst.lngGreen),
                static_cast<std::int16_t>(typFirst.lngBlue));
    ShowMarkClasses();
    SetNameBackgroundsWhite();
}

void frmMain::CheckColourDepth() {
    try {
        if (objServices.objScreen.BitsPerPixel() < 24)
            objServices.objMessages.Show(
                "The color depth of your monitor has a low value.\r\n\r\nHuevra will look better "
                "if you select a higher value in the Control Panel in Windows.",
                strProgramTitle, MessageIcon::Information, MessageButtons::Ok);
    } catch (...) {
        // A display whose depth cannot be read simply gets no advice.
    }
}

void frmMain::InstallFatalErrorHandler() {
    objFatalHandlerOwner = this;
    modSupport::SetFatalErrorHandler([this] { FatalErrorHandler(); });
}

void frmMain::FatalErrorHandler() {
    if (!blnErrorGuard) return;
    blnClosingAfterError = true;
    CloseHelpViewer();
    if (!blnErrorShown) {
        // Marked first, so that a failure while the message is up cannot show it again.
        blnErrorShown = true;
        objServices.objMessages.Show("Huevra encountered an unexpected error and must close.",
                                     strProgramTitle, MessageIcon::Critical, MessageButtons::Ok);
    }
    for (QWidget* objWindow : QApplication::topLevelWidgets()) objWindow->close();
}

void frmMain::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() != QEvent::ActivationChange) return;
    if (isActiveWindow())
        Form_Activate();
    else
        Form_Deactivate();
}

void frmMain::Form_Activate() {
    Guarded([&] {
        ProgramSettings& objSettings = objServices.objSettings;
        if (!objSettings.blnJavaScriptNamesOnly)
            lstAutocopy->setCurrentRow(objSettings.intCurrentFormat);
        RenderThumbsCode();
    });
}

void frmMain::Form_Deactivate() {
    Guarded([&] {
        ProgramSettings& objSettings = objServices.objSettings;
        if (!objSettings.blnJavaScriptNamesOnly)
            objSettings.intCurrentFormat = static_cast<std::int16_t>(lstAutocopy->currentRow());
    });
}

void frmMain::tbrTools_ButtonClick(int intIndex) {
    Guarded([&] {
        if (intIndex < 1 || intIndex > static_cast<int>(arrToolCommand.size())) return;
        // Separators have no command; a disabled command does nothing.
        if (QAction* objCommand = arrToolCommand[intIndex - 1]) objCommand->trigger();
    });
}

void frmMain::ShowMarkClasses() {
    Guarded([&] {
        for (int i = 0; i < intMarkCount; ++i)
            lblColorProp.at(i)->setText(Text(ColourClassLetters(BackColour(picSample.at(i)))));
    });
}

std::int32_t frmMain::NameBackColour(int intIndex) const {
    return Guarded([&] { return BackColour(txtName.at(intIndex)); });
}

std::int32_t frmMain::SampleColour(int intIndex) const {
    return Guarded([&] { return BackColour(picSample.at(intIndex)); });
}

std::array<std::string, intMarkCount> frmMain::NameTexts() {
    return Guarded([&] {
        std::array<std::string, intMarkCount> arrName;
        for (int i = 0; i < intMarkCount; ++i) arrName[i] = txtName[i]->text().toStdString();
        return arrName;
    });
}

void frmMain::ApplyLoadedPalette(const std::string& strTitle) {
    Guarded([&] {
        const BusyScope objBusy(*this);
        blnScrollEvents = false;
        blnNameCheck = false;
        ShowLoadBuffer();
        SetWindowTitle(strTitle);
        optSetDec->setChecked(true);
        UnlockRedraw();
        EnableOnlySelectedSample();
        blnScrollEvents = true;
        blnNameCheck = true;
        ResetClipboardTicks();
        hsbRed->setFocus();
        modSupport::DoEvents();
    });
}

void frmMain::SetWindowTitle(const std::string& strTitle) {
    Guarded([&] { setWindowTitle(Text(strTitle)); });
}

void frmMain::SetNameBackgroundsWhite() {
    Guarded([&] {
        for (int i = 0; i < intMarkCount; ++i) SetNameStale(i, false);
    });
}

void frmMain::LockRedraw() {
    Guarded([&] {
        blnRedrawLocked = true;
        setUpdatesEnabled(false);
    });
}

void frmMain::UnlockRedraw() {
    Guarded([&] {
        if (!blnRedrawLocked) return;
        blnRedrawLocked = false;
        setUpdatesEnabled(true);
    });
}
