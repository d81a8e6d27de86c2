#include "settings/frmCustomFormat.h"

#include <QApplication>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QString>
#include <array>
#include <string>
#include <tuple>
#include <utility>

#include "core/modSupport.h"
#include "settings/SettingsStore.h"
#include "widgets/WholeCharacterValidator.h"

namespace {
using modSupport::Guarded;
}  // namespace

frmCustomFormat::frmCustomFormat(ProgramSettings& objSettings, IRegistry& objRegistry,
                                 IMessageBox& objMessages, std::function<void()> fnShowHelp,
                                 QWidget* parent)
    : QDialog(parent),
      objSettings(objSettings),
      objRegistry(objRegistry),
      objMessages(objMessages),
      fnShowHelp(std::move(fnShowHelp)) {
    setObjectName(QStringLiteral("frmCustomFormat"));
    setWindowTitle(QStringLiteral("Custom Format"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    // Modal to the main window only, so that a help window opened from here takes input while
    // the dialog is open.
    setWindowModality(Qt::WindowModal);
    CreateControls();

    const std::array<std::pair<QPushButton*, void (frmCustomFormat::*)()>, 10> arrCodeHandler{{
        {cmdUR, &frmCustomFormat::cmdUR_Click},
        {cmdUG, &frmCustomFormat::cmdUG_Click},
        {cmdUB, &frmCustomFormat::cmdUB_Click},
        {cmdLR, &frmCustomFormat::cmdLR_Click},
        {cmdLG, &frmCustomFormat::cmdLG_Click},
        {cmdLB, &frmCustomFormat::cmdLB_Click},
        {cmdDR, &frmCustomFormat::cmdDR_Click},
        {cmdDG, &frmCustomFormat::cmdDG_Click},
        {cmdDB, &frmCustomFormat::cmdDB_Click},
        {cmdLD, &frmCustomFormat::cmdLD_Click},
    }};
    for (const auto& [objButton, fnHandler] : arrCodeHandler)
        connect(objButton, &QPushButton::clicked, this,
                [this, fnHandler = fnHandler] { (this->*fnHandler)(); });
    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
    connect(cmdHelp, &QPushButton::clicked, this, [this] { cmdHelp_Click(); });
    Form_Load();
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

void frmCustomFormat::CreateControls() {
    auto label = [this](const char* strName, const char* strCaption) {
        auto* objLabel = new QLabel(QLatin1String(strCaption), this);
        objLabel->setObjectName(QLatin1String(strName));
        return objLabel;
    };
    lblRed = label("lblRed", "Red");
    lblGreen = label("lblGreen", "Green");
    lblBlue = label("lblBlue", "Blue");
    lblUpperCaseHex = label("lblUpperCaseHex", "Upper Case Hex");
    lblLowerCaseHex = label("lblLowerCaseHex", "Lower Case Hex");
    lblDecimal = label("lblDecimal", "Decimal");
    lblLongDecimal = label("lblLongDecimal", "Long Decimal");
    for (QLabel* objHeading : {lblRed, lblGreen, lblBlue})
        objHeading->setAlignment(Qt::AlignCenter);

    const std::array<std::tuple<QPushButton**, const char*, const char*, const char*>, 10>
        arrCodeButton{{
            {&cmdUR, "cmdUR", "UR", "Insert the code for Red in Upper Case Hex"},
            {&cmdUG, "cmdUG", "UG", "Insert the code for Green in Upper Case Hex"},
            {&cmdUB, "cmdUB", "UB", "Insert the code for Blue in Upper Case Hex"},
            {&cmdLR, "cmdLR", "LR", "Insert the code for Red in Lower Case Hex"},
            {&cmdLG, "cmdLG", "LG", "Insert the code for Green in Lower Case Hex"},
            {&cmdLB, "cmdLB", "LB", "Insert the code for Blue in Lower Case Hex"},
            {&cmdDR, "cmdDR", "DR", "Insert the code for Red in Decimal"},
            {&cmdDG, "cmdDG", "DG", "Insert the code for Green in Decimal"},
            {&cmdDB, "cmdDB", "DB", "Insert the code for Blue in Decimal"},
            {&cmdLD, "cmdLD", "LD", "Insert the code for Long Decimal"},
        }};
    for (const auto& [objButton, strName, strCaption, strTip] : arrCodeButton) {
        *objButton = new QPushButton(QLatin1String(strCaption), this);
        (*objButton)->setObjectName(QLatin1String(strName));
        (*objButton)->setToolTip(QLatin1String(strTip));
        // A click must leave the focus, and so the selection, in the template field.
        (*objButton)->setFocusPolicy(Qt::TabFocus);
    }

    txtFormat = new QLineEdit(this);
    txtFormat->setObjectName(QStringLiteral("txtFormat"));
    txtFormat->setAccessibleName(QStringLiteral("Custom format template"));
    txtFormat->setMaxLength(intCustomFormatMaxLength);
    txtFormat->setValidator(new WholeCharacterValidator(txtFormat));
    txtFormat->installEventFilter(this);

    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    cmdHelp = new QPushButton(QStringLiteral("Help"), this);
    cmdHelp->setObjectName(QStringLiteral("cmdHelp"));

    // Three rows of codes under the Red, Green and Blue headings, then Long Decimal under
    // Green; the template across the dialog; OK, Cancel and Help in one row.
    auto* objLayout = new QGridLayout(this);
    objLayout->addWidget(lblRed, 0, 1);
    objLayout->addWidget(lblGreen, 0, 2);
    objLayout->addWidget(lblBlue, 0, 3);
    const std::array<QLabel*, 4> arrRowHeading{lblUpperCaseHex, lblLowerCaseHex, lblDecimal,
                                               lblLongDecimal};
    for (int i = 0; i < 4; ++i) objLayout->addWidget(arrRowHeading[i], i + 1, 0);
    const std::array<QPushButton*, 9> arrGrid{cmdUR, cmdUG, cmdUB, cmdLR, cmdLG,
                                              cmdLB, cmdDR, cmdDG, cmdDB};
    for (int i = 0; i < 9; ++i) objLayout->addWidget(arrGrid[i], i / 3 + 1, i % 3 + 1);
    objLayout->addWidget(cmdLD, 4, 2);
    objLayout->addWidget(txtFormat, 5, 0, 1, 4);
    auto* objButtonLayout = new QHBoxLayout;
    objButtonLayout->addStretch();
    for (QPushButton* objButton : {cmdOK, cmdCancel, cmdHelp})
        objButtonLayout->addWidget(objButton);
    objButtonLayout->addStretch();
    objLayout->addLayout(objButtonLayout, 6, 0, 1, 4);
    // Room for a template of some length without scrolling.
    txtFormat->setMinimumWidth(txtFormat->fontMetrics().horizontalAdvance(QLatin1Char('M')) * 24);

    // The template field comes first; the code buttons follow in grid order.
    setTabOrder(txtFormat, cmdUR);
    QWidget* objPrevious = cmdUR;
    for (QWidget* objNext :
         std::initializer_list<QWidget*>{cmdUG, cmdUB, cmdLR, cmdLG, cmdLB, cmdDR, cmdDG, cmdDB,
                                         cmdLD, cmdOK, cmdCancel, cmdHelp}) {
        setTabOrder(objPrevious, objNext);
        objPrevious = objNext;
    }
}

void frmCustomFormat::Form_Load() {
    Guarded([&] {
        LoadSettings(objSettings, objRegistry, objMessages);
        txtFormat->setText(QString::fromStdString(objSettings.strCustomFormat));
        txtFormat->setCursorPosition(static_cast<int>(txtFormat->text().size()));
        txtFormat->setFocus();
    });
}

void frmCustomFormat::setVisible(bool blnVisible) {
    QDialog::setVisible(blnVisible);
    if (!blnVisible || blnShown) return;
    blnShown = true;
    // Showing gives the field the focus as if by Tab, which selects all of it; the template
    // opens with the caret at its end and nothing selected.
    Guarded([&] { txtFormat->setCursorPosition(static_cast<int>(txtFormat->text().size())); });
}

bool frmCustomFormat::eventFilter(QObject* objWatched, QEvent* event) {
    if (objWatched == txtFormat) {
        // The field drops its selection after it has seen the focus go, so it is read first.
        if (event->type() == QEvent::FocusOut && txtFormat->hasSelectedText()) {
            intKeptSelectionStart = txtFormat->selectionStart();
            intKeptSelectionLength = txtFormat->selectionLength();
        } else if (event->type() == QEvent::FocusIn) {
            intKeptSelectionStart = -1;
        }
    }
    return QDialog::eventFilter(objWatched, event);
}

void frmCustomFormat::cmdUR_Click() { InsertCode(QStringLiteral("%UR%")); }
void frmCustomFormat::cmdUG_Click() { InsertCode(QStringLiteral("%UG%")); }
void frmCustomFormat::cmdUB_Click() { InsertCode(QStringLiteral("%UB%")); }
void frmCustomFormat::cmdLR_Click() { InsertCode(QStringLiteral("%LR%")); }
void frmCustomFormat::cmdLG_Click() { InsertCode(QStringLiteral("%LG%")); }
void frmCustomFormat::cmdLB_Click() { InsertCode(QStringLiteral("%LB%")); }
void frmCustomFormat::cmdDR_Click() { InsertCode(QStringLiteral("%DR%")); }
void frmCustomFormat::cmdDG_Click() { InsertCode(QStringLiteral("%DG%")); }
void frmCustomFormat::cmdDB_Click() { InsertCode(QStringLiteral("%DB%")); }
void frmCustomFormat::cmdLD_Click() { InsertCode(QStringLiteral("%LD%")); }

void frmCustomFormat::InsertCode(const QString& strCode) {
    Guarded([&] {
        // A button pressed from the keyboard has the focus, and the field has dropped the
        // selection it had: that selection is replaced, as with a click, which leaves the focus
        // in the field. A selection made in the field since then counts instead.
        const int intTextLength = static_cast<int>(txtFormat->text().size());
        if (!txtFormat->hasFocus() && !txtFormat->hasSelectedText() && intKeptSelectionStart >= 0 &&
            intKeptSelectionStart + intKeptSelectionLength <= intTextLength)
            txtFormat->setSelection(intKeptSelectionStart, intKeptSelectionLength);
        intKeptSelectionStart = -1;
        // Characters are counted as the settings store counts them, so that a template the
        // field holds is one the next start accepts.
        const qsizetype lngSelected = txtFormat->selectedText().size();
        if (txtFormat->text().size() - lngSelected + strCode.size() > txtFormat->maxLength()) {
            // Cutting the result would lose the end of the template or half a code.
            QApplication::beep();
            return;
        }
        // Replaces the selection, or inserts at the caret, and leaves the caret after the code;
        // the user can undo it like typing.
        txtFormat->insert(strCode);
        txtFormat->setFocus();
    });
}

void frmCustomFormat::cmdOK_Click() {
    Guarded([&] {
        objSettings.strCustomFormat = txtFormat->text().toStdString();
        // A template the store refuses is still used for the rest of the run; the user is told.
        StoreSettings(objSettings, objRegistry, objMessages,
                      {{"CustomFormat", objSettings.strCustomFormat}});
        accept();
    });
}

void frmCustomFormat::cmdCancel_Click() {
    Guarded([&] { reject(); });
}

void frmCustomFormat::cmdHelp_Click() {
    Guarded([&] {
        if (fnShowHelp) fnShowHelp();
    });
}
