#pragma once

// The main window: six colour marks, the colour editor, the code format list and the
// clipboard monitor.

#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <array>
#include <cstdint>
#include <string>

#include "core/ColourValue.h"
#include "help/HTMLHelp.h"
#include "mainwindow/MainServices.h"
#include "palette/FileCommands.h"
#include "palette/PaletteEvents.h"
#include "palette/PaletteModel.h"
#include "settings/FileSettings.h"
#include "widgets/ColourScrollBars.h"

class ColourCells;
class QAction;
class QButtonGroup;
class QCheckBox;
class QCloseEvent;
class QEvent;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QTimer;
class QToolBar;
class frmColourInspector;
class frmFailsafe;
class frmJavaScript;
class PrecisePick;
class frmWebsafe;

/// The background of a name whose colour has changed since it was given: RGB(255, 250, 205).
inline constexpr std::int32_t lngStaleNameColour = PackColour(255, 250, 205);

class frmMain : public QMainWindow, public IPaletteView {
    Q_OBJECT
public:
    explicit frmMain(const MainServices& objMainServices, QWidget* parent = nullptr);
    ~frmMain() override;
    frmMain(const frmMain&) = delete;
    frmMain& operator=(const frmMain&) = delete;

    // Controls, in creation order.
    QCheckBox* chkColorPick = nullptr;
    QCheckBox* chkJSNamesOnly = nullptr;
    QGroupBox* frmSet = nullptr;
    QRadioButton* optSetDec = nullptr;
    QRadioButton* optSetHex = nullptr;
    QPushButton* cmdSetColor = nullptr;
    QLineEdit* txtSetRed = nullptr;
    QLineEdit* txtSetGreen = nullptr;
    QLineEdit* txtSetBlue = nullptr;
    QListWidget* lstAutocopy = nullptr;
    QPushButton* cmdFailsafe = nullptr;
    QPushButton* cmdWebsafe = nullptr;
    QPushButton* cmdJavaScript = nullptr;
    QScrollBar* hsbRed = nullptr;
    QScrollBar* hsbGreen = nullptr;
    QScrollBar* hsbBlue = nullptr;
    QTimer* tmrClip = nullptr;
    QToolBar* tbrTools = nullptr;
    std::array<QRadioButton*, intMarkCount> optColor{};
    std::array<QLineEdit*, intMarkCount> txtName{};
    QFrame* picSampleContainer = nullptr;
    std::array<QFrame*, intMarkCount> picSample{};
    QFrame* picPick = nullptr;
    QLabel* lblClipboard = nullptr;
    ColourCells* lblColorBar = nullptr;
    QLabel* lblClipboardInfo = nullptr;
    std::array<QLabel*, intMarkCount> lblColorProp{};

    // Menus.
    QMenu* mnuFile = nullptr;
    QAction* mnuFileNew = nullptr;
    QAction* mnuFileOpen = nullptr;
    QAction* mnuFileOpenInNotepad = nullptr;
    QAction* mnuFileSave = nullptr;
    QAction* mnuFileSaveAs = nullptr;
    QAction* mnuFileExport = nullptr;
    QAction* mnuFileImport = nullptr;
    QAction* mnuFileSeparator1 = nullptr;
    QAction* mnuFileExit = nullptr;
    QMenu* mnuEdit = nullptr;
    QAction* mnuEditCopyColor = nullptr;
    QAction* mnuEditPasteColor = nullptr;
    QAction* mnuEditSeparator1 = nullptr;
    QAction* mnuEditFind = nullptr;
    QMenu* mnuTools = nullptr;
    QAction* mnuToolsCustomFormat = nullptr;
    QAction* mnuToolsOptions = nullptr;
    QAction* mnuToolsColourInspector = nullptr;
    QAction* mnuToolsPrecisePick = nullptr;
    QMenu* mnuHelp = nullptr;
    QAction* mnuHelpHelp = nullptr;
    QAction* mnuHomePage = nullptr;
    QAction* mnuHelpSeparator1 = nullptr;
    QAction* mnuHelpColorProperties = nullptr;
    QAction* mnuHelpSeparator2 = nullptr;
    QAction* mnuHelpAboutHuevra = nullptr;

    // The six marks form one exclusive choice, Dec and Hex another.
    QButtonGroup* grpColor = nullptr;
    QButtonGroup* grpSet = nullptr;

    /// The toolbar button of a 1-based index (separators included); nullptr outside 1..14.
    QAction* ToolButton(int intIndex) const;

    // The document, its File commands and the window's state.
    Palette objPalette;
    /// Tells other windows of every change of the marks, their names and the selection.
    PaletteEvents objPaletteEvents;
    FileSettings objFileSettings;
    FileCommands objFileCommands;
    HTMLHelp objHTMLHelp;
    bool blnScrollEvents = false;
    bool blnValueEvents = false;
    bool blnNameCheck = false;
    std::int32_t lngClipboardTicks = 0;
    /// Starts the count to the next clipboard write again; the timer runs only while it counts.
    void ResetClipboardTicks();
    /// Stops the clipboard timer for good: the ticks are then given by calling tmrClip_Timer.
    void StopClipboardTimer();
    /// The code text as rendered, which the monitor copies; lblClipboard shows it with its
    /// control and direction characters made visible.
    std::string strPreviewText;
    bool blnErrorGuard = false;
    bool blnClosingAfterError = false;
    bool blnErrorShown = false;
    bool blnSelectNameOnClick = false;
    bool blnFindingNames = false;
    // A name whose colour has changed since it was given; shown on the stale background.
    std::array<bool, intMarkCount> arrNameStale{};
    std::array<typColour, 256> arrColourBar{};
    typColour udtCopiedColour{};
    // The open palette windows; a second opening brings the open one forward.
    QPointer<frmWebsafe> objWebsafe;
    QPointer<frmFailsafe> objFailsafe;
    QPointer<frmJavaScript> objJavaScript;
    QPointer<frmColourInspector> objColourInspector;
    /// The state of the screen colour picker.
    struct PickState {
        /// The colour last read.
        typColour udtPickedColour{};
        /// Whether a drag pick is under way and whether it has read a pixel yet.
        bool blnPicking = false;
        bool blnPickRead = false;
        /// The sample box a drag pick under way started from.
        int intPickSample = -1;
        /// The focus that a drag pick borrows for its Escape key and gives back.
        QPointer<QWidget> objFocusBeforePick;
        bool blnDesktopPickPending = false;
        /// Counts the desktop picks, so that the answer of one no longer awaited is dropped.
        std::uint32_t lngDesktopPick = 0;
        bool blnDesktopPickUnavailableShown = false;
    };
    PickState objPick;
    /// Precise Pick (F7): the pick of this window, made on first use, and the desktop's pick
    /// it starts where the desktop picks.
    QPointer<PrecisePick> objPrecisePick;
    struct PrecisePickState {
        bool blnDesktopPickPending = false;
        std::uint32_t lngDesktopPick = 0;
        /// The mark selected when the pick started, which takes its colour.
        int intMark = -1;
    };
    PrecisePickState objPrecise;

    // The colour update path and the routines around it.
    void ApplyColour(std::int16_t intRed, std::int16_t intGreen, std::int16_t intBlue);
    void ShowValueFields(std::int16_t intRed, std::int16_t intGreen, std::int16_t intBlue);
    void RefreshColourBar(std::int16_t intRed, std::int16_t intGreen, std::int16_t intBlue);
    void RenderColourCode(std::int16_t intRed, std::int16_t intGreen, std::int16_t intBlue);
    void ReadValueFields(bool blnDecimal);
    void ShowMarkClasses();
    void CheckColourDepth();
    void CopyPreviewToClipboard();
    void UnlockRedraw();

    // Event handlers.
    void Form_Activate();
    void Form_Deactivate();
    void hsbRed_Scroll();
    void hsbGreen_Scroll();
    void hsbBlue_Scroll();
    void hsbRed_Change();
    void hsbGreen_Change();
    void hsbBlue_Change();
    void txtSetRed_Change();
    void txtSetGreen_Change();
    void txtSetBlue_Change();
    /// Upper-cases the typed text in place.
    void txtSetRed_KeyPress(QString& strKeyText);
    void txtSetGreen_KeyPress(QString& strKeyText);
    void txtSetBlue_KeyPress(QString& strKeyText);
    /// Enter applies the fields; the key code becomes 0 when the key has been used.
    void txtSetRed_KeyDown(int& intKeyCode);
    void txtSetGreen_KeyDown(int& intKeyCode);
    void txtSetBlue_KeyDown(int& intKeyCode);
    void txtSetRed_GotFocus(Qt::FocusReason enmReason);
    void txtSetGreen_GotFocus(Qt::FocusReason enmReason);
    void txtSetBlue_GotFocus(Qt::FocusReason enmReason);
    void cmdSetColor_Click();
    void optSetDec_Click();
    void optSetHex_Click();
    void lblColorBar_Click(int intIndex);
    void optColor_Click(int intIndex);
    void lstAutocopy_Click();
    void tmrClip_Timer();
    void mnuFileNew_Click();
    void mnuFileOpen_Click();
    void mnuFileOpenInNotepad_Click();
    void mnuFileSave_Click();
    void mnuFileSaveAs_Click();
    void mnuFileExport_Click();
    void mnuFileImport_Click();
    void mnuFileExit_Click();
    void mnuEditCopyColor_Click();
    void mnuEditPasteColor_Click();
    void mnuHelpHelp_Click();
    void mnuHomePage_Click();
    void mnuHelpAboutHuevra_Click();
    void mnuToolsCustomFormat_Click();
    void mnuToolsOptions_Click();
    void mnuToolsColourInspector_Click();
    void mnuToolsPrecisePick_Click();
    void tbrTools_ButtonClick(int intIndex);
    void txtName_Change(int intIndex);
    void txtName_Click(int intIndex);
    void txtName_DblClick(int intIndex);
    void txtName_GotFocus(int intIndex, Qt::FocusReason enmReason);
    void txtName_LostFocus(int intIndex, Qt::FocusReason enmReason);
    void mnuEditFind_Click();
    void chkJSNamesOnly_Click();
    void mnuHelpColorProperties_Click();
    void cmdWebsafe_Click();
    void cmdFailsafe_Click();
    void cmdJavaScript_Click();
    void chkColorPick_Click();
    /// Mouse events of a sample box: button and shift are bit sets (1 left, 2 right, 4 middle;
    /// 1 Shift, 2 Ctrl, 4 Alt), x and y are in the box's pixels.
    void picSample_MouseDown(int intIndex, int intButton, int intShift, int intX, int intY);
    void picSample_MouseMove(int intIndex, int intButton, int intShift, int intX, int intY);
    void picSample_MouseUp(int intIndex, int intButton, int intShift, int intX, int intY);

    /// The packed background colour of a name field and of a sample box.
    std::int32_t NameBackColour(int intIndex) const;
    std::int32_t SampleColour(int intIndex) const;

    /// The texts of the six name fields.
    std::array<std::string, intMarkCount> NameTexts();

    // The palette view used by the File commands.
    void ApplyLoadedPalette(const std::string& strTitle) override;
    void SetWindowTitle(const std::string& strTitle) override;
    void SetNameBackgroundsWhite() override;
    void LockRedraw() override;

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* objWatched, QEvent* event) override;

private:
    /// The tool tip of the sample box that takes a pick.
    static constexpr const char* strPickTip =
        "Drag and drop from here to pick a colour anywhere on the screen";

    /// Marks the window busy while a routine that lets pending events run is at work; a mark
    /// chosen meanwhile is selected once the outermost such routine has finished.
    class BusyScope {
    public:
        explicit BusyScope(frmMain& frm);
        ~BusyScope();
        BusyScope(const BusyScope&) = delete;
        BusyScope& operator=(const BusyScope&) = delete;

    private:
        frmMain& frm;
    };

    void Form_Load();
    void CreateControls();
    void CreateCheckBoxes(QWidget* objClient);
    void CreateValueFields(QWidget* objClient);
    void CreateFormatList(QWidget* objClient);
    void CreatePaletteButtons(QWidget* objClient);
    void CreateScrollBars(QWidget* objClient);
    void CreateTimerAndToolbar();
    void CreateMarks(QWidget* objClient);
    void CreateNames(QWidget* objClient);
    void CreateSamples(QWidget* objClient);
    void CreateClipboardPreview(QWidget* objClient);
    void CreateColourBar(QWidget* objClient);
    void CreateClipboardInfo(QWidget* objClient);
    void CreateClassLabels(QWidget* objClient);
    void CreateMenus();
    void CreateToolbar();
    void ConnectControls();
    void NameControlsForScreenReaders();
    void InstallFatalErrorHandler();
    void FatalErrorHandler();
    void CloseOtherWindows();
    void CloseHelpViewer();

    /// Shows a rendered code text in lblClipboard and keeps it for the clipboard.
    void ShowPreview(const std::string& strText);
    void ScrollBarEvent();
    void ApplyScrollBarColour();
    /// Renders the code text of the colour at the bars' thumbs.
    void RenderThumbsCode();
    /// Sets the three bars to a colour; see SetColourScrollBars for a colour asked for while
    /// another is being set.
    void SetScrollBars(const typColour& typValue,
                       ColourBarsTurn enmTurn = ColourBarsTurn::AfterOthers);
    void ValueFieldChange();
    void ValueFieldKeyPress(QString& strKeyText);
    void ValueFieldKeyDown(QLineEdit* objField, int& intKeyCode);
    void ValueFieldGotFocus(QLineEdit* objField, Qt::FocusReason enmReason);
    void EnableOnlySelectedSample();
    void SetNameStale(int intIndex, bool blnStale);
    void optColor_Toggled(int intIndex);
    void SelectPendingMark();
    void SizeToCaptions();
    void ShowLoadBuffer();
    // The parts of eventFilter, one per concern; each is true when it has taken the event.
    bool PickerEvent(QObject* objWatched, QEvent* event);
    bool SampleTipEvent(QObject* objWatched, QEvent* event);
    bool MarkKeyEvent(QObject* objWatched, QEvent* event);
    bool ValueFieldEvent(QObject* objWatched, QEvent* event);
    bool ReadPickedPixel();
    void EndPick(bool blnApply);
    void StartDesktopPick();
    /// Connects Precise Pick's menu item and keeps it disabled while a drag pick runs.
    void ConnectPrecisePick();
    void PrecisePickTaken(std::int32_t lngColour);
    void PreciseDesktopPickEnded(std::uint32_t lngPick, int intMark, DesktopPickResult enmResult,
                                 std::int32_t lngColour);
    void DesktopPickEnded(std::uint32_t lngPick, int intMark, DesktopPickResult enmResult,
                          std::int32_t lngColour);
    /// Tells the user why a desktop pick gave no colour (a desktop without a picker once a run).
    void TellDesktopPickProblem(DesktopPickResult enmResult);

    MainServices objServices;
    std::array<QAction*, 14> arrToolButton{};
    // The menu command each toolbar button runs; nullptr for separators.
    std::array<QAction*, 14> arrToolCommand{};
    bool blnRedrawLocked = false;
    // Set from the end of the load until StopClipboardTimer: a reset then starts the timer.
    bool blnClipboardTimerOn = false;
    int intBusyDepth = 0;
    bool blnMarkPending = false;
    // Set while the program itself selects a mark, which never waits.
    bool blnSelectingMark = false;
    // Set while the format list's handler applies a format; one chosen meanwhile waits for it.
    bool blnApplyingFormat = false;
    // Counts the runs of the update path, so that a run overtaken by a newer one stops.
    std::uint32_t lngApplyRuns = 0;
};
