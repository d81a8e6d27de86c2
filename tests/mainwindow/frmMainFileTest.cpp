// The File menu, its toolbar buttons and the close request, run through the main window on
// answered dialogs and real files.

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QRadioButton>
#include <QTest>
#include <QWidget>
#include <deque>
#include <fstream>
#include <sstream>

#include "core/ColourValue.h"
#include "tests/mainwindow/frmMainFixture.h"

namespace {

const char* const strSavePrompt = "The palette has been changed. Do you want to save it?";
const char* const strSaveFailed = "Could not save. Check if file or folder is read-only.";
const char* const strNewTitle = "Huevra - New palette";

std::string ReadWhole(const std::string& strPath) {
    std::ifstream objIn(strPath, std::ios::binary);
    std::ostringstream objText;
    objText << objIn.rdbuf();
    return objText.str();
}

void WriteWhole(const std::string& strPath, const std::string& strText) {
    std::ofstream(strPath, std::ios::binary) << strText;
}

}  // namespace

class frmMainFileTest : public frmMainTest {
protected:
    std::string PathOf(const std::string& strName) const {
        return QDir(objFolder.path()).filePath(QString::fromStdString(strName)).toStdString();
    }

    std::vector<std::string> Texts() const {
        std::vector<std::string> arrText;
        for (const auto& objShown : objMessages.arrShown) arrText.push_back(objShown.strText);
        return arrText;
    }

    std::vector<std::string> DialogTitles() const {
        std::vector<std::string> arrTitle;
        for (const auto& objRequest : objFileDialogs.arrRequests)
            arrTitle.push_back(objRequest.strTitle);
        return arrTitle;
    }

    bool Changed() { return frm->objPalette.PaletteChanged(frm->NameTexts()); }

    /// Saves the window's palette under strName through Save As.
    void SaveAs(const std::string& strName) {
        objFileDialogs.arrAnswers = {PathOf(strName)};
        frm->mnuFileSaveAs->trigger();
        objFileDialogs.arrRequests.clear();
    }
};

TEST_F(frmMainFileTest, NewOnAnUnchangedPaletteAsksNothingAndResetsTheWindow) {
    OpenActive();
    SetColour(10, 20, 30);
    frm->txtName[1]->setText("Dusk");
    SaveAs("dusk.txt");
    ASSERT_EQ(frm->windowTitle(), "Huevra - dusk.txt");
    frm->optColor[1]->setChecked(true);
    ASSERT_FALSE(Changed());

    frm->ToolButton(1)->trigger();

    EXPECT_TRUE(objMessages.arrShown.empty());
    EXPECT_TRUE(objFileDialogs.arrRequests.empty());
    EXPECT_EQ(frm->windowTitle(), strNewTitle);
    EXPECT_TRUE(frm->objPalette.strPalettePath.empty());
    EXPECT_TRUE(frm->optColor[0]->isChecked());
    EXPECT_EQ(Bars(), (std::array<int, 3>{255, 0, 0}));
    EXPECT_EQ(frm->SampleColour(0), PackColour(255, 0, 0));
    EXPECT_EQ(frm->txtName[1]->text(), "Type a colour name");
    EXPECT_FALSE(Changed());
    EXPECT_TRUE(frm->updatesEnabled());
}

TEST_F(frmMainFileTest, YesThenCancelledSaveAsStopsNewAndOpen) {
    for (const char* strCommand : {"mnuFileNew", "mnuFileOpen", "btnNew", "btnOpen"}) {
        SCOPED_TRACE(strCommand);
        OpenActive();
        QAction* objCommand = frm->findChild<QAction*>(QLatin1String(strCommand));
        ASSERT_NE(objCommand, nullptr);
        objMessages.arrShown.clear();
        objFileDialogs.arrRequests.clear();
        SetColour(1, 2, 3);
        objMessages.arrAnswers = {MessageAnswer::Yes};

        objCommand->trigger();

        EXPECT_EQ(Texts(), (std::vector<std::string>{strSavePrompt}));
        // Only the Save As dialog: Open stops before its own dialog.
        EXPECT_EQ(DialogTitles(), (std::vector<std::string>{"Save Palette As"}));
        EXPECT_EQ(Bars(), (std::array<int, 3>{1, 2, 3}));
        EXPECT_EQ(frm->SampleColour(0), PackColour(1, 2, 3));
        EXPECT_EQ(frm->windowTitle(), strNewTitle);
        EXPECT_TRUE(Changed());
        frm.reset();
    }
}

TEST_F(frmMainFileTest, NoThenCancelledOpenDialogKeepsTheChanges) {
    OpenActive();
    SetColour(9, 8, 7);
    frm->txtName[4]->setText("Moss");
    objMessages.arrAnswers = {MessageAnswer::No};

    frm->mnuFileOpen->trigger();

    EXPECT_EQ(DialogTitles(), (std::vector<std::string>{"Open Palette In Huevra"}));
    EXPECT_TRUE(Changed());
    EXPECT_EQ(frm->SampleColour(0), PackColour(9, 8, 7));
    EXPECT_EQ(frm->txtName[4]->text(), "Moss");
    EXPECT_EQ(frm->windowTitle(), strNewTitle);
}

TEST_F(frmMainFileTest, RejectedFileKeepsPaletteAndTitleAndNamesThePath) {
    OpenActive();
    SaveAs("kept.txt");
    const std::string strRejected = PathOf("notes.txt");
    WriteWhole(strRejected, "Shopping list\r\nmilk\r\n");
    objFileDialogs.arrAnswers = {strRejected};

    frm->ToolButton(2)->trigger();

    ASSERT_EQ(objMessages.arrShown.size(), 1U);
    const FakeMessageBox::Shown& objShown = objMessages.arrShown[0];
    EXPECT_EQ(objShown.strText, "You tried to open the file\r\n\r\n" + strRejected +
                                    "\r\n\r\nThis file has not been made in Huevra and cannot be "
                                    "opened in Huevra");
    EXPECT_EQ(objShown.strTitle, "Huevra");
    EXPECT_EQ(objShown.enmIcon, MessageIcon::Warning);
    EXPECT_EQ(frm->windowTitle(), "Huevra - kept.txt");
    EXPECT_EQ(frm->objPalette.strPalettePath, PathOf("kept.txt"));
    EXPECT_EQ(frm->SampleColour(0), PackColour(255, 0, 0));
    EXPECT_FALSE(frm->blnClosingAfterError);
}

TEST_F(frmMainFileTest, SaveWritesToThePalettesOwnPathWhateverALaterDialogShowed) {
    OpenActive();
    SaveAs("mine.txt");
    ASSERT_TRUE(QDir(objFolder.path()).mkdir(QStringLiteral("other")));
    const std::string strOther = PathOf("other/mine.txt");
    WriteWhole(strOther, "someone else's");
    objFileDialogs.arrAnswers = {strOther};
    frm->ToolButton(3)->trigger();
    ASSERT_EQ(objShell.arrEdited, (std::vector<std::string>{strOther}));
    objFileDialogs.arrRequests.clear();

    SetColour(0, 17, 0);
    frm->mnuFileSave->trigger();

    EXPECT_TRUE(objFileDialogs.arrRequests.empty());
    EXPECT_NE(ReadWhole(PathOf("mine.txt")).find("\r\n0,17,0\r\n"), std::string::npos);
    EXPECT_EQ(ReadWhole(strOther), "someone else's");
    EXPECT_EQ(frm->windowTitle(), "Huevra - mine.txt");
    EXPECT_FALSE(Changed());
    EXPECT_TRUE(objMessages.arrShown.empty());
}

TEST_F(frmMainFileTest, OpenShowsTheFilesMarksAndSavesItBackInTheCurrentLayout) {
    const std::string strPath = PathOf("palette-b.txt");
    ASSERT_TRUE(QFile::copy(QStringLiteral(HUEVRA_TEST_DATA_DIR "/palette-b.txt"),
                            QString::fromStdString(strPath)));
    OpenActive();
    frm->optColor[3]->setChecked(true);
    objFileDialogs.arrAnswers = {strPath};

    frm->mnuFileOpen->trigger();

    ASSERT_TRUE(objMessages.arrShown.empty());
    struct Mark {
        const char* strName;
        int intRed;
        int intGreen;
        int intBlue;
    };
    const std::array<Mark, 6> arrMark{{{"Brick", 178, 34, 34},
                                       {"Sky", 135, 206, 235},
                                       {"Grass", 0, 128, 0},
                                       {"Snow", 255, 255, 255},
                                       {"Coal", 0, 0, 0},
                                       {"Sand", 194, 178, 128}}};
    std::string strData = "[Huevra data]\r\n";
    for (int i = 0; i < intMarkCount; ++i) {
        SCOPED_TRACE(i);
        const Mark& objMark = arrMark[i];
        EXPECT_EQ(frm->txtName[i]->text(), objMark.strName);
        EXPECT_EQ(frm->SampleColour(i),
                  PackColour(objMark.intRed, objMark.intGreen, objMark.intBlue));
        EXPECT_EQ(frm->NameBackColour(i), PackColour(255, 255, 255));
        strData += std::string(objMark.strName) + "\r\n" + std::to_string(objMark.intRed) + "," +
                   std::to_string(objMark.intGreen) + "," + std::to_string(objMark.intBlue) +
                   "\r\n";
    }
    EXPECT_EQ(frm->objPalette.intSelectedMark, 0);
    EXPECT_TRUE(frm->optColor[0]->isChecked());
    EXPECT_EQ(Bars(), (std::array<int, 3>{178, 34, 34}));
    EXPECT_EQ(Fields(), (std::array<std::string, 3>{"178", "34", "34"}));
    EXPECT_EQ(frm->lblClipboard->text(), "#B22222");
    EXPECT_EQ(frm->lblColorProp[3]->text(), "WFJ");
    EXPECT_EQ(frm->windowTitle(), "Huevra - palette-b.txt");
    EXPECT_FALSE(Changed());

    objFileDialogs.arrRequests.clear();
    frm->ToolButton(4)->trigger();

    EXPECT_TRUE(objFileDialogs.arrRequests.empty());
    EXPECT_TRUE(objMessages.arrShown.empty());
    const std::string strStart =
        "THIS FILE WAS MADE IN HUEVRA. DO NOT EDIT.\r\nDo not use versions prior to Huevra 8.0 "
        "when you open this file.\r\n\r\n" +
        strData;
    EXPECT_EQ(ReadWhole(strPath).substr(0, strStart.size()), strStart);
    EXPECT_EQ(frm->windowTitle(), "Huevra - palette-b.txt");
}

TEST_F(frmMainFileTest, CloseRequestAsksWhenToldAndKeepsEverythingOpenUnlessSaved) {
    struct Case {
        const char* strName;
        const char* strPromptToSave;
        std::deque<MessageAnswer> arrAnswers;
        std::deque<std::string> arrPaths;  // the Save As dialog's answer; none cancels it
        bool blnByExit;
        bool blnCloses;
        std::vector<std::string> arrTexts;
    };
    const std::string strMissingFolder = PathOf("gone/close.txt");
    const std::vector<Case> arrCase{
        {"prompt off", "0", {}, {}, false, true, {}},
        {"cancel", "1", {MessageAnswer::Cancel}, {}, false, false, {strSavePrompt}},
        {"yes, Save As cancelled", "1", {MessageAnswer::Yes}, {}, true, false, {strSavePrompt}},
        {"yes, save failed",
         "1",
         {MessageAnswer::Yes},
         {strMissingFolder},
         false,
         false,
         {strSavePrompt, strSaveFailed}},
        {"no", "1", {MessageAnswer::No}, {}, true, true, {strSavePrompt}},
        {"yes, saved",
         "1",
         {MessageAnswer::Yes},
         {PathOf("close.txt")},
         false,
         true,
         {strSavePrompt}},
    };
    for (const Case& objCase : arrCase) {
        SCOPED_TRACE(objCase.strName);
        objMessages.arrShown.clear();
        StoreSetting("PromptToSave", objCase.strPromptToSave);
        OpenActive();
        frm->show();
        // Stands for a palette window: a top-level window without owner.
        QWidget objOther;
        objOther.show();
        SetColour(4, 5, 6);
        objMessages.arrAnswers = objCase.arrAnswers;
        objFileDialogs.arrAnswers = objCase.arrPaths;

        if (objCase.blnByExit)
            frm->mnuFileExit->trigger();
        else
            frm->close();

        EXPECT_EQ(Texts(), objCase.arrTexts);
        EXPECT_EQ(frm->isVisible(), !objCase.blnCloses);
        EXPECT_EQ(objOther.isVisible(), !objCase.blnCloses);
        if (!objCase.blnCloses) {
            EXPECT_TRUE(Changed());
            EXPECT_EQ(frm->SampleColour(0), PackColour(4, 5, 6));
        }
        frm.reset();
    }
    EXPECT_NE(
        ReadWhole(PathOf("close.txt")).find("[Huevra data]\r\nType a colour name\r\n4,5,6\r\n"),
        std::string::npos);
}

TEST_F(frmMainFileTest, CloseAfterAFailureAsksNothing) {
    StoreSetting("PromptToSave", "1");
    OpenActive();
    frm->show();
    QWidget objOther;
    objOther.show();
    SetColour(4, 5, 6);

    // A selected mark outside the palette makes the colour routines fail.
    frm->objPalette.intSelectedMark = 9;
    frm->mnuEditCopyColor->trigger();

    EXPECT_EQ(objMessages.arrShown.size(), 1U);
    EXPECT_TRUE(objFileDialogs.arrRequests.empty());
    EXPECT_FALSE(frm->isVisible());
    EXPECT_FALSE(objOther.isVisible());
}

TEST_F(frmMainFileTest, FailureDuringTheCloseRequestStillClosesTheWindow) {
    // The save prompt itself fails; the fatal message then shows normally.
    struct FailingPrompt : FakeMessageBox {
        MessageAnswer Show(const std::string& strText, const std::string& strTitle,
                           MessageIcon enmIcon, MessageButtons enmButtons) override {
            if (strText == strSavePrompt) throw std::runtime_error("no message box");
            return FakeMessageBox::Show(strText, strTitle, enmIcon, enmButtons);
        }
    } objFailingMessages;
    StoreSetting("PromptToSave", "1");
    frmMain frmOwn(MainServices{objClipboard, objFailingMessages, objScreen, objRegistry,
                                objFileDialogs, objShell, objHelpViewer, objSettings});
    frmOwn.show();
    QWidget objOther;
    objOther.show();
    frmOwn.hsbBlue->setValue(77);

    EXPECT_TRUE(frmOwn.close());

    ASSERT_EQ(objFailingMessages.arrShown.size(), 1U);
    EXPECT_EQ(objFailingMessages.arrShown[0].enmIcon, MessageIcon::Critical);
    EXPECT_FALSE(frmOwn.isVisible());
    EXPECT_FALSE(objOther.isVisible());
}

TEST_F(frmMainFileTest, ExportAndImportFollowSaveAsAndRunFromANameField) {
    OpenActive();
    const QList<QAction*> arrItems = frm->mnuFile->actions();
    const qsizetype intSaveAs = arrItems.indexOf(frm->mnuFileSaveAs);
    ASSERT_GE(intSaveAs, 0);
    ASSERT_GT(arrItems.size(), intSaveAs + 3);
    EXPECT_EQ(arrItems.at(intSaveAs + 1), frm->mnuFileExport);
    EXPECT_EQ(arrItems.at(intSaveAs + 2), frm->mnuFileImport);
    EXPECT_EQ(arrItems.at(intSaveAs + 3), frm->mnuFileSeparator1);
    EXPECT_EQ(frm->mnuFileExport->text(), "&Export Palette...");
    EXPECT_EQ(frm->mnuFileExport->shortcut(), QKeySequence(QStringLiteral("Ctrl+Shift+E")));
    EXPECT_EQ(frm->mnuFileImport->text(), "Im&port Palette...");
    EXPECT_EQ(frm->mnuFileImport->shortcut(), QKeySequence(QStringLiteral("Ctrl+Shift+O")));

    // Both shortcuts work while a name field has the focus, and type nothing into it.
    frm->show();
    frm->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frm.get()));
    QLineEdit* objField = frm->txtName[2];
    objField->setFocus();
    const QString strName = objField->text();
    QTest::keyClick(objField, Qt::Key_E, Qt::ControlModifier | Qt::ShiftModifier);
    QTest::keyClick(objField, Qt::Key_O, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(DialogTitles(), (std::vector<std::string>{"Export Palette", "Import Palette"}));
    EXPECT_EQ(objField->text(), strName);
}

TEST_F(frmMainFileTest, ImportShowsTheFirstSixAsANewPaletteThatSaveNames) {
    Open();
    objFileDialogs.arrAnswers = {std::string(HUEVRA_TEST_DATA_DIR) + "/exchange/twenty-three.gpl"};
    frm->mnuFileImport->trigger();

    EXPECT_EQ(Texts(),
              (std::vector<std::string>{"The file holds 23 colours. Huevra took the first six."}));
    EXPECT_EQ(frm->windowTitle(), strNewTitle);
    EXPECT_EQ(frm->txtName[0]->text(), "A very long colour na");
    EXPECT_EQ(frm->txtName[1]->text(), "Type a colour name");
    EXPECT_EQ(frm->txtName[5]->text(), "Colour 6");
    EXPECT_TRUE(frm->optColor[0]->isChecked());
    EXPECT_TRUE(Changed());

    objFileDialogs.arrRequests.clear();
    objFileDialogs.arrAnswers = {PathOf("imported.txt")};
    frm->mnuFileSave->trigger();
    EXPECT_EQ(DialogTitles(), (std::vector<std::string>{"Save Palette As"}));
    EXPECT_FALSE(Changed());
    EXPECT_EQ(frm->windowTitle(), "Huevra - imported.txt");
}
