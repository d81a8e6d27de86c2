#include <gtest/gtest.h>

#include <QApplication>
#include <QFileDialog>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QVariant>
#include <QWindow>
#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "platform/QtFileDialogs.h"
#include "settings/frmOptions.h"
#include "tests/settings/SettingsDialogFixture.h"
#include "tests/support/Burst.h"

namespace {
using Write = std::tuple<std::string, std::string, std::string>;

/// Refuses every write, as a read-only settings file does.
class ReadOnlyRegistry : public FakeRegistry {
public:
    bool WriteString(RegistryHive, const std::string&, const std::string&,
                     const std::string&) override {
        return false;
    }
};

/// The first and last rows, and the last column, in which two images of one size differ.
struct InkExtent {
    int intTop = -1;
    int intBottom = -1;
    int intRight = -1;
};

InkExtent Ink(const QImage& imgWith, const QImage& imgWithout) {
    InkExtent objInk;
    for (int y = 0; y < imgWith.height(); ++y) {
        for (int x = 0; x < imgWith.width(); ++x) {
            if (imgWith.pixel(x, y) == imgWithout.pixel(x, y)) continue;
            if (objInk.intTop < 0) objInk.intTop = y;
            objInk.intBottom = y;
            objInk.intRight = std::max(objInk.intRight, x);
        }
    }
    return objInk;
}
}  // namespace

class frmOptionsTest : public SettingsDialogTest {
protected:
    FakeFileDialogs objFileDialogs;
    std::unique_ptr<frmOptions> frm;

    void TearDown() override {
        frm.reset();
        SettingsDialogTest::TearDown();
    }

    /// Loads the dialog and shows it, which selects the standard format.
    void Open() {
        frm = std::make_unique<frmOptions>(objSettings, objRegistry, objMessages, objFileDialogs);
        ShowActive(*frm);
    }
    void ClickRow(int intRow, Qt::KeyboardModifiers enmModifiers = Qt::NoModifier) {
        QListWidget* lst = frm->lstStandardFormat;
        QTest::mouseClick(lst->viewport(), Qt::LeftButton, enmModifiers,
                          lst->visualItemRect(lst->item(intRow)).center());
    }
    /// Clicks an option button on its circle, where a user would.
    static void ClickOption(QRadioButton* opt) {
        QTest::mouseClick(opt, Qt::LeftButton, Qt::NoModifier, QPoint(6, opt->height() / 2));
    }
    static std::string Caption(QWidget* objControl) {
        for (const char* strProperty : {"text", "title", "windowTitle"}) {
            const QVariant varCaption = objControl->property(strProperty);
            if (varCaption.isValid()) return varCaption.toString().toStdString();
        }
        return {};
    }
    std::string Example() const { return frm->lblExample->text().toStdString(); }
};

TEST_F(frmOptionsTest, CaptionsAndToolTipsAreExact) {
    Open();
    const std::vector<std::tuple<QWidget*, const char*, const char*>> arrExpected{
        {frm.get(), "Options", ""},
        {frm->lblStandardFormat, "Standard format:", ""},
        {frm->lstStandardFormat, "",
         "What format should Huevra select the next time the program starts?"},
        {frm->fraExample, "Example", ""},
        {frm->fraPromptToSave, "Prompt to save on exit", ""},
        {frm->optYes, "Yes",
         "Click here if you want Huevra to remind you to save unsaved changes on exit"},
        {frm->optNo, "No",
         "Click here if you do not want Huevra to remind you to save unsaved changes on exit"},
        {frm->fraStandardFolder, "Standard folder", ""},
        {frm->cmdChange, "Change standard folder...",
         "What folder should Huevra select when you open and save files?"},
        {frm->fraSortOrder, "Standard sort order in JavaScript Palette", ""},
        {frm->optAlphabetically, "Sort alphabetically",
         "Click here if the JavaScript Palette should be sorted alphabetically"},
        {frm->optDotNet, "Sort like Visual Studio .NET",
         "Click here if the JavaScript Palette should be sorted as in Visual Studio .NET"},
        {frm->cmdOK, "OK", ""},
        {frm->cmdCancel, "Cancel", ""},
    };
    for (const auto& [objControl, strCaption, strTip] : arrExpected) {
        SCOPED_TRACE(objControl->objectName().toStdString());
        EXPECT_EQ(Caption(objControl), strCaption);
        EXPECT_EQ(objControl->toolTip().toStdString(), strTip);
    }
    std::string strItems;
    for (int i = 0; i < frm->lstStandardFormat->count(); ++i)
        strItems += frm->lstStandardFormat->item(i)->text().toStdString() + ";";
    EXPECT_EQ(strItems,
              "HTML Hex;Lower Case HTML Hex;VB Hex;VB;C++ Hex;Delphi Hex;Access;.NET HTML;"
              ".NET OLE;.NET Win32;Java;Custom;");
}

TEST_F(frmOptionsTest, FreshSystemShowsTheDefaultsAndStoresNothing) {
    Open();
    EXPECT_TRUE(frm->lstStandardFormat->item(0)->isSelected());
    EXPECT_EQ(Example(), "FFCC00");
    EXPECT_TRUE(frm->optAlphabetically->isChecked());
    EXPECT_TRUE(frm->optYes->isChecked());
    EXPECT_EQ(frm->lblSelectedStandardFolder->text().toStdString(), strDesktop);
    EXPECT_TRUE(objMessages.arrShown.empty());
    EXPECT_TRUE(objRegistry.arrWrites.empty());
}

TEST_F(frmOptionsTest, ExampleFollowsTheCurrentRowAsPlainText) {
    Open();
    ClickRow(2);
    // One "&" at each end, not an access key.
    EXPECT_EQ(Example(), "&H0000CCFF&");
    EXPECT_EQ(frm->lblExample->textFormat(), Qt::PlainText);
    QTest::keyClick(frm->lstStandardFormat, Qt::Key_Down);
    EXPECT_EQ(Example(), "RGB(255, 204, 0)");
    const std::vector<std::pair<std::string, std::string>> arrCustom{
        {"", ""},
        {"0x%LR%%LG%%LB%", "0xffcc00"},
        {"%DR%,%DG%,%DB% %UR%%UG%%UB%", "255,204,0 FFCC00"},
        {"%LD% and %LD%, %UR%%UR%", "52479 and 52479, FFFF"},
        {"<b>%UR%</b> & %ur%", "<b>FF</b> & %ur%"},
    };
    for (const auto& [strTemplate, strExample] : arrCustom) {
        SCOPED_TRACE(strTemplate);
        Store("CustomFormat", strTemplate);
        Open();
        QTest::keyClick(frm->lstStandardFormat, Qt::Key_End);
        EXPECT_EQ(Example(), strExample);
    }
}

TEST_F(frmOptionsTest, KeysAndClicksArrivingWhileTheExampleIsShownEndOnOneRow) {
    // The user's actions in one burst, then the row they end on.
    using Action = std::function<void()>;
    const auto key = [this](Qt::Key enmKey) -> Action {
        return [this, enmKey] { QTest::keyClick(frm->lstStandardFormat, enmKey); };
    };
    const auto click = [this](int intRow) -> Action {
        return [this, intRow] { ClickRow(intRow); };
    };
    struct Case {
        const char* strName;
        std::vector<Action> arrAction;
        int intRow;
    };
    const std::vector<Case> arrCase{
        {"Down Down", {key(Qt::Key_Down), key(Qt::Key_Down)}, 2},
        {"Down Down Down", {key(Qt::Key_Down), key(Qt::Key_Down), key(Qt::Key_Down)}, 3},
        {"click, Down", {click(4), key(Qt::Key_Down)}, 5},
        {"Down, click", {key(Qt::Key_Down), click(7)}, 7},
        {"End Up", {key(Qt::Key_End), key(Qt::Key_Up)}, 10},
    };
    for (const Case& objCase : arrCase) {
        SCOPED_TRACE(objCase.strName);
        Store("FormatIndex", "0");
        Store("CustomFormat", "%DR%-%DG%");
        Open();
        EXPECT_EQ(RunBurst(objCase.arrAction), objCase.arrAction.size());
        QCoreApplication::processEvents();

        // The highlighted row, the example and the stored format agree.
        QListWidget* lst = frm->lstStandardFormat;
        EXPECT_EQ(lst->currentRow(), objCase.intRow);
        const QList<QListWidgetItem*> arrSelected = lst->selectedItems();
        ASSERT_EQ(arrSelected.size(), 1);
        EXPECT_EQ(lst->row(arrSelected.front()), objCase.intRow);
        EXPECT_EQ(Example(), FormatExample(objCase.intRow, "%DR%-%DG%"));
        frm->cmdOK_Click();
        EXPECT_EQ(Stored("FormatIndex"), std::to_string(objCase.intRow));
    }
}

TEST_F(frmOptionsTest, FormatChosenBeforeALaterActivationIsKept) {
    Store("FormatIndex", "3");
    Open();
    ASSERT_EQ(frm->lstStandardFormat->currentRow(), 3);
    ClickRow(7);
    // Coming back from the folder chooser or another program activates the dialog again.
    frm->Form_Activate();
    frm->hide();
    frm->show();
    EXPECT_EQ(Example(), "ColorTranslator.FromHtml(\"#FFCC00\")");
    frm->cmdOK_Click();
    EXPECT_EQ(Stored("FormatIndex"), "7");
}

TEST_F(frmOptionsTest, ClearedSelectionStoresTheCurrentRowOrTheStandardFormat) {
    Store("FormatIndex", "4");
    Open();
    ClickRow(6);
    ClickRow(6, Qt::ControlModifier);
    ASSERT_TRUE(frm->lstStandardFormat->selectedItems().isEmpty());
    frm->cmdOK_Click();
    EXPECT_EQ(Stored("FormatIndex"), "6");
    Store("FormatIndex", "4");
    Open();
    frm->lstStandardFormat->setCurrentRow(-1);
    frm->cmdOK_Click();
    EXPECT_EQ(Stored("FormatIndex"), "4");
}

TEST_F(frmOptionsTest, ChosenFolderIsStoredAsChosenAndAcceptedAtTheNextStart) {
    const std::string strSlash = modSupport::strPathSeparator;
    const std::string strDeep = Folder("Work/Clients/2026/Autumn/Palettes/Final versions/x", true);
    const std::string strAccented = Folder(QStringLiteral("Färg och ljus/Æble ñandú €"), true);
    // Chooser's answer, then the folder shown and stored; "" and a missing folder change nothing.
    const std::vector<std::pair<std::string, std::string>> arrCase{
        {strDeep + strSlash, strDeep},         {strSlash, strSlash},
        {strAccented + strSlash, strAccented}, {"", strDesktop},
        {Folder("gone"), strDesktop},
    };
    for (const auto& [strAnswer, strStored] : arrCase) {
        SCOPED_TRACE(strAnswer);
        Store("StandardFolder", strDesktop);
        objFileDialogs.arrFolderRequests.clear();
        Open();
        objFileDialogs.arrFolderAnswers.push_back(strAnswer);
        QTest::mouseClick(frm->cmdChange, Qt::LeftButton);
        ASSERT_EQ(objFileDialogs.arrFolderRequests.size(), 1U);
        EXPECT_EQ(objFileDialogs.arrFolderRequests[0].second, strDesktop);
        EXPECT_EQ(frm->lblSelectedStandardFolder->text().toStdString(), strStored);
        frm->cmdOK_Click();
        EXPECT_EQ(Stored("StandardFolder"), strStored);
        EXPECT_TRUE(NextStartAcceptsTheStore());
    }
}

TEST_F(frmOptionsTest, OkStoresTheChoicesInOrderButNotTheFormatsInUse) {
    const std::string strFolder = Folder("Palettes", true);
    Store("FormatIndex", "2");
    Open();
    objSettings.intCurrentFormat = 8;
    ClickRow(10);
    ClickOption(frm->optDotNet);
    ClickOption(frm->optNo);
    objFileDialogs.arrFolderAnswers.push_back(strFolder);
    frm->cmdChange_Click();
    QTest::mouseClick(frm->cmdOK, Qt::LeftButton);
    EXPECT_EQ(frm->result(), QDialog::Accepted);
    EXPECT_EQ(objRegistry.arrWrites,
              (std::vector<Write>{{strSettingsKey, "FormatIndex", "10"},
                                  {strSettingsKey, "SortIndex", "1"},
                                  {strSettingsKey, "PromptToSave", "0"},
                                  {strSettingsKey, "StandardFolder", strFolder}}));
    EXPECT_EQ(std::tuple(objSettings.intSortIndex, objSettings.intPromptToSave,
                         objSettings.strStandardFolder),
              std::tuple(1, 0, strFolder));
    // The new standard format takes effect at the next start.
    EXPECT_EQ(objSettings.intStandardFormat, 2);
    EXPECT_EQ(objSettings.intCurrentFormat, 8);
}

TEST_F(frmOptionsTest, CancelEscapeAndCloseBoxStoreNothing) {
    const std::string strFolder = Folder("Palettes", true);
    Store("SortIndex", "1");
    Store("PromptToSave", "0");
    Store("StandardFolder", strFolder);
    const std::vector<std::function<void(frmOptions&)>> arrClose{
        [](frmOptions& frm) { QTest::mouseClick(frm.cmdCancel, Qt::LeftButton); },
        [](frmOptions& frm) { QTest::keyClick(&frm, Qt::Key_Escape); },
        [](frmOptions& frm) { frm.close(); },
    };
    for (std::size_t i = 0; i < arrClose.size(); ++i) {
        SCOPED_TRACE(i);
        Open();
        ClickRow(5);
        ClickOption(frm->optAlphabetically);
        ClickOption(frm->optYes);
        objFileDialogs.arrFolderAnswers.push_back(strDesktop);
        frm->cmdChange_Click();
        ASSERT_TRUE(frm->optAlphabetically->isChecked() && frm->optYes->isChecked());
        arrClose[i](*frm);
        EXPECT_FALSE(frm->isVisible());
        EXPECT_TRUE(objRegistry.arrWrites.empty());
        EXPECT_EQ(std::tuple(objSettings.intSortIndex, objSettings.intPromptToSave,
                             objSettings.strStandardFolder),
                  std::tuple(1, 0, strFolder));
    }
}

TEST_F(frmOptionsTest, ChoicesTheStoreRefusesAreToldOnceAndShownAtTheNextOpening) {
    ReadOnlyRegistry objReadOnly;
    const std::string strFolder = Folder("Palettes", true);
    objReadOnly.mapValue = objRegistry.mapValue;
    const auto OpenOn = [&] {
        frm = std::make_unique<frmOptions>(objSettings, objReadOnly, objMessages, objFileDialogs);
        ShowActive(*frm);
    };
    OpenOn();
    ClickRow(9);
    ClickOption(frm->optDotNet);
    ClickOption(frm->optNo);
    objFileDialogs.arrFolderAnswers.push_back(strFolder);
    frm->cmdChange_Click();
    QTest::mouseClick(frm->cmdOK, Qt::LeftButton);
    EXPECT_EQ(frm->result(), QDialog::Accepted);
    ASSERT_EQ(objMessages.arrShown.size(), 1U);
    EXPECT_EQ(objMessages.arrShown[0].strText, strSettingsNotSavedText);
    EXPECT_EQ(objMessages.arrShown[0].enmIcon, MessageIcon::Warning);

    OpenOn();
    EXPECT_EQ(frm->lstStandardFormat->currentRow(), 9);
    EXPECT_TRUE(frm->optDotNet->isChecked());
    EXPECT_TRUE(frm->optNo->isChecked());
    EXPECT_EQ(frm->lblSelectedStandardFolder->text().toStdString(), strFolder);
    EXPECT_EQ(objSettings.intSortIndex, 1);
    EXPECT_EQ(objMessages.arrShown.size(), 1U);
    // A second OK that fails says so again.
    frm->cmdOK_Click();
    EXPECT_EQ(objMessages.arrShown.size(), 2U);
}

TEST_F(frmOptionsTest, MissingStandardFolderIsShownAndKeptButNotBrowsedFrom) {
    const std::string strFolder = Folder("Removable/Palettes");
    Store("StandardFolder", strFolder);
    Store("SortIndex", "1");
    Open();
    EXPECT_TRUE(objMessages.arrShown.empty());
    EXPECT_TRUE(frm->optDotNet->isChecked());
    EXPECT_EQ(frm->lblSelectedStandardFolder->text().toStdString(), strFolder);
    frm->cmdChange_Click();
    ASSERT_EQ(objFileDialogs.arrFolderRequests.size(), 1U);
    EXPECT_EQ(objFileDialogs.arrFolderRequests[0].second, strDesktop);
    frm->cmdOK_Click();
    EXPECT_EQ(Stored("StandardFolder"), strFolder);
    EXPECT_TRUE(NextStartAcceptsTheStore());
}

// A long example without spaces must not break onto more lines or widen the dialog: it is cut
// at the frame's edge.
TEST_F(frmOptionsTest, LongCustomExampleStaysOnOneLineCutAtTheEdge) {
    std::string strLong;
    std::string strLongExample;
    for (int i = 0; i < 60; ++i) {
        strLong += "%LD%";
        strLongExample += "52479";
    }
    // The second template holds a line break, as only a hand-edited file can.
    const std::vector<std::pair<std::string, std::string>> arrCases{
        {strLong, strLongExample}, {"%LD%\n" + strLong, "52479\n" + strLongExample}};
    for (const auto& [strTemplate, strExample] : arrCases) {
        SCOPED_TRACE(strTemplate.substr(0, 5));
        Store("CustomFormat", strTemplate);
        Open();
        const QSize sizDialog = frm->size();
        const QImage imgEmpty = frm->lblExample->grab().toImage();
        ClickRow(11);
        QApplication::processEvents();
        EXPECT_EQ(frm->size(), sizDialog);
        EXPECT_EQ(Example(), strExample);
        const QImage imgLong = frm->lblExample->grab().toImage();
        ASSERT_EQ(imgLong.size(), imgEmpty.size());
        const InkExtent objInk = Ink(imgLong, imgEmpty);
        ASSERT_GE(objInk.intTop, 0);
        EXPECT_LE(objInk.intBottom - objInk.intTop, frm->lblExample->fontMetrics().height());
        // The text runs up to the edge.
        EXPECT_GE(objInk.intRight,
                  imgLong.width() - 3 * frm->lblExample->fontMetrics().averageCharWidth());
    }
}

TEST_F(frmOptionsTest, FolderChooserBelongsToTheDialog) {
    QWidget objMain;  // the window the service is given, as the main window is
    objMain.show();
    QtFileDialogs objQtDialogs(&objMain);
    frmOptions frmDialog(objSettings, objRegistry, objMessages, objQtDialogs, &objMain);
    QWidget* objChooserParent = nullptr;
    QWindow* objChooserOwner = nullptr;
    bool blnSeen = false;
    QTimer::singleShot(0, &frmDialog, [&] {
        // Runs once the chooser waits for the user.
        QTimer::singleShot(0, [&] {
            blnSeen = true;
            auto* objChooser = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (!objChooser) return;
            objChooserParent = objChooser->parentWidget();
            if (objChooser->windowHandle())
                objChooserOwner = objChooser->windowHandle()->transientParent();
            objChooser->reject();
        });
        frmDialog.cmdChange_Click();
        frmDialog.cmdCancel_Click();
    });
    frmDialog.exec();
    ASSERT_TRUE(blnSeen);
    EXPECT_EQ(objChooserParent, &frmDialog);
    EXPECT_EQ(objChooserOwner, frmDialog.windowHandle());
}
