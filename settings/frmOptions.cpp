#include "settings/frmOptions.h"

#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QString>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>
#include <array>
#include <string_view>

#include "core/CodeFormats.h"
#include "core/modSupport.h"
#include "settings/SettingsStore.h"
#include "widgets/ListSelection.h"

namespace {

using modSupport::Guarded;

// The fixed examples for red 255, green 204, blue 0 (52479); Custom is filled in from its template.
constexpr std::array<std::string_view, intCodeFormatCount - 1> arrFixedExample{
    "FFCC00",
    "ffcc00",
    "&H0000CCFF&",
    "RGB(255, 204, 0)",
    "0x0000ccff",
    "$0000CCFF",
    "52479",
    "ColorTranslator.FromHtml(\"#FFCC00\")",
    "ColorTranslator.FromOle(52479)",
    "ColorTranslator.FromWin32(52479)",
    "Color(255,204,0)",
};

QString Text(std::string_view strText) {
    return QString::fromUtf8(strText.data(), static_cast<qsizetype>(strText.size()));
}

// Shows its text on one line, cut with an ellipsis where it meets the right edge. The text
// itself stays whole, for the accessibility tools and the tests.
class OneLineLabel : public QLabel {
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter objPainter(this);
        const QRect rctText = contentsRect();
        QString strLine = text();
        for (QChar& chr : strLine) {
            if (chr == QLatin1Char('\n') || chr == QLatin1Char('\r') ||
                chr == QChar::LineSeparator || chr == QChar::ParagraphSeparator)
                chr = QLatin1Char(' ');
        }
        const QString strShown = fontMetrics().elidedText(strLine, Qt::ElideRight, rctText.width());
        style()->drawItemText(
            &objPainter, rctText,
            static_cast<int>(QStyle::visualAlignment(layoutDirection(), alignment())) |
                Qt::TextSingleLine,
            palette(), isEnabled(), strShown, foregroundRole());
    }
};

// A folder is a root when nothing is left of it once its separator is gone: "/" here, "C:\" on
// a system with drive letters.
constexpr std::size_t lngRootLength =
#ifdef _WIN32
    3;
#else
    1;
#endif

}  // namespace

std::string FormatExample(int intIndex, const std::string& strCustomFormat) {
    if (intIndex == intCustomFormat) return ExpandCustomTemplate(strCustomFormat, 255, 204, 0);
    if (intIndex < 0 || intIndex >= intCustomFormat) return {};
    return std::string(arrFixedExample.at(static_cast<std::size_t>(intIndex)));
}

frmOptions::frmOptions(ProgramSettings& objSettings, IRegistry& objRegistry,
                       IMessageBox& objMessages, IFileDialogs& objFileDialogs, QWidget* parent)
    : QDialog(parent),
      objSettings(objSettings),
      objRegistry(objRegistry),
      objMessages(objMessages),
      objFileDialogs(objFileDialogs) {
    setObjectName(QStringLiteral("frmOptions"));
    setWindowTitle(QStringLiteral("Options"));
    // A fixed dialog border: no context help button, no resizing.
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    CreateControls();
    connect(lstStandardFormat, &QListWidget::currentRowChanged, this,
            [this] { lstStandardFormat_Click(); });
    KeepSelectionOnCurrentRow(lstStandardFormat);
    connect(cmdChange, &QPushButton::clicked, this, [this] { cmdChange_Click(); });
    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
    Form_Load();
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

void frmOptions::CreateControls() {
    auto name = [](QObject* objControl, const char* strName) {
        objControl->setObjectName(QLatin1String(strName));
    };

    lblStandardFormat = new QLabel(QStringLiteral("Standard format:"), this);
    name(lblStandardFormat, "lblStandardFormat");

    lstStandardFormat = new QListWidget(this);
    name(lstStandardFormat, "lstStandardFormat");
    lstStandardFormat->setAccessibleName(QStringLiteral("Standard format"));
    lstStandardFormat->setToolTip(
        QStringLiteral("What format should Huevra select the next time the program starts?"));
    lstStandardFormat->setSelectionMode(QAbstractItemView::SingleSelection);
    lstStandardFormat->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    fraExample = new QGroupBox(QStringLiteral("Example"), this);
    name(fraExample, "fraExample");
    lblExample = new OneLineLabel(fraExample);
    name(lblExample, "lblExample");
    // Shown as typed: no markup, no access keys.
    lblExample->setTextFormat(Qt::PlainText);
    lblExample->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    fraPromptToSave = new QGroupBox(QStringLiteral("Prompt to save on exit"), this);
    name(fraPromptToSave, "fraPromptToSave");
    optYes = new QRadioButton(QStringLiteral("Yes"), fraPromptToSave);
    name(optYes, "optYes");
    optYes->setToolTip(QStringLiteral(
        "Click here if you want Huevra to remind you to save unsaved changes on exit"));
    optNo = new QRadioButton(QStringLiteral("No"), fraPromptToSave);
    name(optNo, "optNo");
    optNo->setToolTip(QStringLiteral(
        "Click here if you do not want Huevra to remind you to save unsaved changes on exit"));

    fraStandardFolder = new QGroupBox(QStringLiteral("Standard folder"), this);
    name(fraStandardFolder, "fraStandardFolder");
    lblSelectedStandardFolder = new QLabel(fraStandardFolder);
    name(lblSelectedStandardFolder, "lblSelectedStandardFolder");
    lblSelectedStandardFolder->setTextFormat(Qt::PlainText);
    lblSelectedStandardFolder->setWordWrap(true);
    cmdChange = new QPushButton(QStringLiteral("Change standard folder..."), fraStandardFolder);
    name(cmdChange, "cmdChange");
    cmdChange->setToolTip(
        QStringLiteral("What folder should Huevra select when you open and save files?"));

    fraSortOrder = new QGroupBox(QStringLiteral("Standard sort order in JavaScript Palette"), this);
    name(fraSortOrder, "fraSortOrder");
    optAlphabetically = new QRadioButton(QStringLiteral("Sort alphabetically"), fraSortOrder);
    name(optAlphabetically, "optAlphabetically");
    optAlphabetically->setToolTip(
        QStringLiteral("Click here if the JavaScript Palette should be sorted alphabetically"));
    optDotNet = new QRadioButton(QStringLiteral("Sort like Visual Studio .NET"), fraSortOrder);
    name(optDotNet, "optDotNet");
    optDotNet->setToolTip(QStringLiteral(
        "Click here if the JavaScript Palette should be sorted as in Visual Studio .NET"));

    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    name(cmdOK, "cmdOK");
    cmdOK->setDefault(true);
    cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
    name(cmdCancel, "cmdCancel");

    // The list on the left, the example on the right; the folder across the dialog; sort order
    // and prompt side by side; OK and Cancel centred at the bottom.
    auto* objExampleLayout = new QVBoxLayout(fraExample);
    objExampleLayout->addWidget(lblExample);
    auto* objPromptLayout = new QVBoxLayout(fraPromptToSave);
    objPromptLayout->addWidget(optYes);
    objPromptLayout->addWidget(optNo);
    auto* objFolderLayout = new QVBoxLayout(fraStandardFolder);
    objFolderLayout->addWidget(lblSelectedStandardFolder);
    objFolderLayout->addWidget(cmdChange, 0, Qt::AlignLeft);
    auto* objSortLayout = new QVBoxLayout(fraSortOrder);
    objSortLayout->addWidget(optAlphabetically);
    objSortLayout->addWidget(optDotNet);
    auto* objButtonLayout = new QHBoxLayout;
    objButtonLayout->addStretch();
    objButtonLayout->addWidget(cmdOK);
    objButtonLayout->addWidget(cmdCancel);
    objButtonLayout->addStretch();

    auto* objLayout = new QGridLayout(this);
    objLayout->addWidget(lblStandardFormat, 0, 0);
    objLayout->addWidget(lstStandardFormat, 1, 0);
    objLayout->addWidget(fraExample, 0, 1, 2, 1);
    objLayout->addWidget(fraStandardFolder, 2, 0, 1, 2);
    objLayout->addWidget(fraSortOrder, 3, 0);
    objLayout->addWidget(fraPromptToSave, 3, 1);
    objLayout->addLayout(objButtonLayout, 4, 0, 1, 2);

    // The longest fixed example fits on one line; a long Custom example is cut at the frame's
    // edge and never widens the dialog. Nor does a long folder path.
    const int intExampleWidth =
        lblExample->fontMetrics().horizontalAdvance(Text(arrFixedExample[7])) + 8;
    lblExample->setMinimumWidth(intExampleWidth);
    lblExample->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    lblSelectedStandardFolder->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    const int intLineHeight = lblSelectedStandardFolder->fontMetrics().height();
    lblSelectedStandardFolder->setMinimumHeight(2 * intLineHeight);

    setTabOrder(lstStandardFormat, cmdChange);
    setTabOrder(cmdChange, optAlphabetically);
    setTabOrder(optAlphabetically, optDotNet);
    setTabOrder(optDotNet, optYes);
    setTabOrder(optYes, optNo);
    setTabOrder(optNo, cmdOK);
    setTabOrder(cmdOK, cmdCancel);
}

void frmOptions::Form_Load() {
    Guarded([&] {
        LoadSettings(objSettings, objRegistry, objMessages);
        for (const std::string_view strCaption : arrCodeFormatCaption)
            lstStandardFormat->addItem(Text(strCaption));
        // Every format shows without a scroll bar.
        const int intFrames = 2 * lstStandardFormat->frameWidth();
        const int intRowHeight = lstStandardFormat->sizeHintForRow(0);
        lstStandardFormat->setFixedHeight(intRowHeight * intCodeFormatCount + intFrames);
        lstStandardFormat->setMinimumWidth(lstStandardFormat->sizeHintForColumn(0) + intFrames + 8);
        (objSettings.intSortIndex == 1 ? optDotNet : optAlphabetically)->setChecked(true);
        (objSettings.intPromptToSave == 0 ? optNo : optYes)->setChecked(true);
        strSelectedFolder = objSettings.strStandardFolder;
        lblSelectedStandardFolder->setText(QString::fromStdString(strSelectedFolder));
    });
}

void frmOptions::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Activation is not reported on every platform; the first showing selects the format.
    if (!event->spontaneous()) Form_Activate();
}

void frmOptions::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) Form_Activate();
}

void frmOptions::Form_Activate() {
    Guarded([&] {
        if (!blnFormatSelected) {
            blnFormatSelected = true;
            const QSignalBlocker objBlocker(lstStandardFormat);
            lstStandardFormat->setCurrentRow(objSettings.intStandardFormat);
        }
        lblExample->setText(QString::fromStdString(
            FormatExample(lstStandardFormat->currentRow(), objSettings.strCustomFormat)));
    });
}

void frmOptions::lstStandardFormat_Click() {
    Guarded([&] {
        // A row chosen while pending events run is shown by the run under way, once the list
        // has settled, so that the example is that of the row the list ends on.
        if (blnShowingExample) return;
        const modSupport::ScopedFlag objShowing(blnShowingExample, true);
        int intRow = 0;
        do {
            intRow = lstStandardFormat->currentRow();
            modSupport::DoEvents();
        } while (lstStandardFormat->currentRow() != intRow);
        lblExample->setText(
            QString::fromStdString(FormatExample(intRow, objSettings.strCustomFormat)));
    });
}

void frmOptions::cmdChange_Click() {
    Guarded([&] {
        const std::string strFolder = BrowseForFolder();
        if (strFolder.empty()) return;
        strSelectedFolder = strFolder;
        lblSelectedStandardFolder->setText(QString::fromStdString(strSelectedFolder));
    });
}

std::string frmOptions::BrowseForFolder() {
    return Guarded([&] {
        // A standard folder on a disk that is not there now is no place to start from.
        const std::string& strStart =
            FolderExists(strSelectedFolder) ? strSelectedFolder : objSettings.strDefaultFolder;
        std::string strPath = objFileDialogs.ChooseFolder("Change standard folder", strStart);
        const std::string strSeparator = modSupport::strPathSeparator;
        if (strPath.size() > lngRootLength && strPath.ends_with(strSeparator))
            strPath.erase(strPath.size() - strSeparator.size());
        // A folder that the next start would refuse would reset every setting then; it is
        // not taken, as if the user had cancelled.
        if (!strPath.empty() && !FolderExists(strPath)) return std::string();
        return strPath;
    });
}

void frmOptions::cmdOK_Click() {
    Guarded([&] {
        objSettings.intSortIndex = optDotNet->isChecked() ? 1 : 0;
        objSettings.intPromptToSave = optNo->isChecked() ? 0 : 1;
        objSettings.strStandardFolder = strSelectedFolder;
        // A list whose selection was cleared still has its current row; without one, the
        // standard format stays.
        const int intRow = lstStandardFormat->currentRow();
        const int intFormat = intRow >= 0 ? intRow : objSettings.intStandardFormat;
        // Choices the store refuses are still used for the rest of the run; the user is told.
        StoreSettings(objSettings, objRegistry, objMessages,
                      {{"FormatIndex", std::to_string(intFormat)},
                       {"SortIndex", std::to_string(objSettings.intSortIndex)},
                       {"PromptToSave", std::to_string(objSettings.intPromptToSave)},
                       {"StandardFolder", objSettings.strStandardFolder}});
        accept();
    });
}

void frmOptions::cmdCancel_Click() {
    Guarded([&] { reject(); });
}
