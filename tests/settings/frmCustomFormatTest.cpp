#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "settings/frmCustomFormat.h"
#include "tests/settings/SettingsDialogFixture.h"

namespace {

/// A help viewer that shows a window of its own, without owner, as the real one does.
class WindowHelpViewer : public FakeHelpViewer {
public:
    std::unique_ptr<QPushButton> objWindow;
    int intClicks = 0;

    bool ShowTopic(const std::string& strTopic) override {
        if (!objWindow) {
            objWindow = std::make_unique<QPushButton>(QStringLiteral("Next topic"));
            QObject::connect(objWindow.get(), &QPushButton::clicked, [this] { ++intClicks; });
        }
        objWindow->show();
        return FakeHelpViewer::ShowTopic(strTopic);
    }
};

/// Clicks a widget the way the window system does, so that a window blocked by a modal dialog
/// refuses the click.
void ClickAsTheWindowSystem(QWidget* objWidget) {
    QWidget* objWindow = objWidget->window();
    const QPoint ptPos = objWidget->mapTo(objWindow, objWidget->rect().center());
    QTest::mouseClick(objWindow->windowHandle(), Qt::LeftButton, Qt::NoModifier, ptPos);
}

}  // namespace

class frmCustomFormatTest : public SettingsDialogTest {
protected:
    FakeHelpViewer objHelp;
    std::unique_ptr<frmCustomFormat> frm;

    void TearDown() override {
        frm.reset();
        SettingsDialogTest::TearDown();
    }

    void Open() {
        frm = std::make_unique<frmCustomFormat>(objSettings, objRegistry, objMessages, objHelp);
        ShowActive(*frm);
    }
    std::string Text() const { return frm->txtFormat->text().toStdString(); }
};

TEST_F(frmCustomFormatTest, CaptionsToolTipsAndTabOrderAreExact) {
    Open();
    EXPECT_EQ(frm->windowTitle(), "Custom Format");
    const std::vector<std::tuple<QLabel*, const char*>> arrHeading{
        {frm->lblRed, "Red"},
        {frm->lblGreen, "Green"},
        {frm->lblBlue, "Blue"},
        {frm->lblUpperCaseHex, "Upper Case Hex"},
        {frm->lblLowerCaseHex, "Lower Case Hex"},
        {frm->lblDecimal, "Decimal"},
        {frm->lblLongDecimal, "Long Decimal"},
    };
    for (const auto& [objLabel, strCaption] : arrHeading)
        EXPECT_EQ(objLabel->text().toStdString(), strCaption);
    const std::vector<std::tuple<QPushButton*, const char*, const char*>> arrButton{
        {frm->cmdUR, "UR", "Insert the code for Red in Upper Case Hex"},
        {frm->cmdUG, "UG", "Insert the code for Green in Upper Case Hex"},
        {frm->cmdUB, "UB", "Insert the code for Blue in Upper Case Hex"},
        {frm->cmdLR, "LR", "Insert the code for Red in Lower Case Hex"},
        {frm->cmdLG, "LG", "Insert the code for Green in Lower Case Hex"},
        {frm->cmdLB, "LB", "Insert the code for Blue in Lower Case Hex"},
        {frm->cmdDR, "DR", "Insert the code for Red in Decimal"},
        {frm->cmdDG, "DG", "Insert the code for Green in Decimal"},
        {frm->cmdDB, "DB", "Insert the code for Blue in Decimal"},
        {frm->cmdLD, "LD", "Insert the code for Long Decimal"},
        {frm->cmdOK, "OK", ""},
        {frm->cmdCancel, "Cancel", ""},
        {frm->cmdHelp, "Help", ""},
    };
    for (const auto& [objButton, strCaption, strTip] : arrButton) {
        SCOPED_TRACE(strCaption);
        EXPECT_EQ(objButton->text().toStdString(), strCaption);
        EXPECT_EQ(objButton->toolTip().toStdString(), strTip);
    }
    EXPECT_TRUE(frm->cmdOK->isDefault());
    EXPECT_EQ(frm->txtFormat->maxLength(), 250);
    // The template field has the keyboard first; Tab goes on to the first code.
    EXPECT_EQ(QApplication::focusWidget(), frm->txtFormat);
    QTest::keyClick(frm->txtFormat, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), frm->cmdUR);
}

TEST_F(frmCustomFormatTest, OpensOnTheStoredTemplateWithTheCaretAtTheEnd) {
    Store("CustomFormat", "rgb(%DR%)");
    Open();
    EXPECT_EQ(Text(), "rgb(%DR%)");
    EXPECT_EQ(frm->txtFormat->cursorPosition(), 9);
    EXPECT_FALSE(frm->txtFormat->hasSelectedText());
}

TEST_F(frmCustomFormatTest, CodeButtonsInsertByMouseClickKeepingTheSelection) {
    struct Case {
        const char* strName;
        std::string strText;
        int intStart;
        int intLength;  // 0: a caret at intStart
        QPushButton* frmCustomFormat::*cmdButton;
        std::string strExpected;
        int intCaret;
    };
    const std::vector<Case> arrCase{
        {"caret at the start", "abc", 0, 0, &frmCustomFormat::cmdUR, "%UR%abc", 4},
        {"caret in the middle", "abc", 2, 0, &frmCustomFormat::cmdUG, "ab%UG%c", 6},
        {"caret at the end", "abc", 3, 0, &frmCustomFormat::cmdUB, "abc%UB%", 7},
        {"one letter selected", "abc", 1, 1, &frmCustomFormat::cmdLD, "a%LD%c", 5},
        {"selected backwards", "abcd", 3, -2, &frmCustomFormat::cmdLR, "a%LR%d", 5},
        {"whole text selected", "abc", 0, 3, &frmCustomFormat::cmdDG, "%DG%", 4},
        {"empty field", "", 0, 0, &frmCustomFormat::cmdLG, "%LG%", 4},
        {"LB", "", 0, 0, &frmCustomFormat::cmdLB, "%LB%", 4},
        {"DR", "", 0, 0, &frmCustomFormat::cmdDR, "%DR%", 4},
        {"DB", "", 0, 0, &frmCustomFormat::cmdDB, "%DB%", 4},
    };
    for (const Case& objCase : arrCase) {
        SCOPED_TRACE(objCase.strName);
        Store("CustomFormat", objCase.strText);
        Open();
        frm->txtFormat->setFocus();
        if (objCase.intLength == 0)
            frm->txtFormat->setCursorPosition(objCase.intStart);
        else
            frm->txtFormat->setSelection(objCase.intStart, objCase.intLength);
        QTest::mouseClick((*frm).*objCase.cmdButton, Qt::LeftButton);
        EXPECT_EQ(Text(), objCase.strExpected);
        EXPECT_EQ(frm->txtFormat->cursorPosition(), objCase.intCaret);
        EXPECT_FALSE(frm->txtFormat->hasSelectedText());
        EXPECT_EQ(QApplication::focusWidget(), frm->txtFormat);
    }
}

TEST_F(frmCustomFormatTest, InsertionBeyondTheLimitIsRefusedWithoutTouchingTheText) {
    // Characters count as the settings count them: "€" is one, though three bytes in the store.
    const QString strFull = QString(246, QChar(0x20AC));
    Store("CustomFormat", strFull.toStdString());
    Open();
    frm->txtFormat->setCursorPosition(100);
    QTest::mouseClick(frm->cmdUR, Qt::LeftButton);
    EXPECT_EQ(frm->txtFormat->text().size(), 250);
    EXPECT_EQ(frm->txtFormat->cursorPosition(), 104);

    // 250 characters: neither a code nor a typed letter gets in; a selection stays selected.
    frm->txtFormat->setSelection(10, 3);
    const QString strBefore = frm->txtFormat->text();
    QTest::mouseClick(frm->cmdLD, Qt::LeftButton);
    EXPECT_EQ(frm->txtFormat->text(), strBefore);
    EXPECT_EQ(frm->txtFormat->selectionStart(), 10);
    EXPECT_EQ(frm->txtFormat->selectedText().size(), 3);
    frm->txtFormat->setCursorPosition(250);
    QTest::keyClicks(frm->txtFormat, QStringLiteral("x"));
    EXPECT_EQ(frm->txtFormat->text(), strBefore);

    // A code that replaces four selected characters fits.
    frm->txtFormat->setSelection(0, 4);
    QTest::mouseClick(frm->cmdDB, Qt::LeftButton);
    EXPECT_TRUE(frm->txtFormat->text().startsWith(QStringLiteral("%DB%")));
    QTest::mouseClick(frm->cmdOK, Qt::LeftButton);
    EXPECT_EQ(QString::fromStdString(Stored("CustomFormat")).size(), 250);
    EXPECT_TRUE(NextStartAcceptsTheStore());
}

TEST_F(frmCustomFormatTest, OkStoresTheTemplate) {
    for (const std::string strTemplate : {"#%UR%%UG%%UB%", ""}) {
        SCOPED_TRACE(strTemplate);
        Store("CustomFormat", "old");
        objRegistry.arrWrites.clear();
        Open();
        frm->txtFormat->setText(QString::fromStdString(strTemplate));
        QTest::keyClick(frm->txtFormat, Qt::Key_Return);
        EXPECT_EQ(frm->result(), QDialog::Accepted);
        EXPECT_EQ(objSettings.strCustomFormat, strTemplate);
        EXPECT_EQ(objRegistry.arrWrites,
                  (std::vector<std::tuple<std::string, std::string, std::string>>{
                      {strSettingsKey, "CustomFormat", strTemplate}}));
    }
}

TEST_F(frmCustomFormatTest, CancelEscapeAndCloseBoxStoreNothing) {
    Store("CustomFormat", "%LD%");
    const std::vector<std::pair<const char*, std::function<void(frmCustomFormat&)>>> arrWay{
        {"Cancel", [](frmCustomFormat& frm) { QTest::mouseClick(frm.cmdCancel, Qt::LeftButton); }},
        {"Escape", [](frmCustomFormat& frm) { QTest::keyClick(frm.txtFormat, Qt::Key_Escape); }},
        {"close box", [](frmCustomFormat& frm) { frm.close(); }},
    };
    for (const auto& [strWay, fnClose] : arrWay) {
        SCOPED_TRACE(strWay);
        Open();
        QTest::keyClicks(frm->txtFormat, QStringLiteral(" edited"));
        QTest::mouseClick(frm->cmdUR, Qt::LeftButton);
        fnClose(*frm);
        EXPECT_FALSE(frm->isVisible());
        EXPECT_EQ(frm->result(), QDialog::Rejected);
        EXPECT_EQ(objSettings.strCustomFormat, "%LD%");
        EXPECT_TRUE(objRegistry.arrWrites.empty());
    }
}

TEST_F(frmCustomFormatTest, HelpShowsTheCodesTopicOrSaysItCannot) {
    Open();
    QTest::mouseClick(frm->cmdHelp, Qt::LeftButton);
    EXPECT_EQ(objHelp.arrTopics, std::vector<std::string>{"huevra10.htm"});
    EXPECT_TRUE(objMessages.arrShown.empty());

    objHelp.blnFail = true;
    QTest::mouseClick(frm->cmdHelp, Qt::LeftButton);
    ASSERT_EQ(objMessages.arrShown.size(), 1U);
    EXPECT_EQ(objMessages.arrShown[0].strText, "Problem with HTML Help.");
    EXPECT_EQ(objMessages.arrShown[0].strTitle, "Huevra");
    EXPECT_EQ(objMessages.arrShown[0].enmIcon, MessageIcon::Warning);
    EXPECT_EQ(objMessages.arrShown[0].enmButtons, MessageButtons::Ok);
    EXPECT_TRUE(frm->isVisible());
}

TEST_F(frmCustomFormatTest, HelpWindowTakesInputWhileTheDialogIsOpenAndOutlivesIt) {
    QPushButton objOwner(QStringLiteral("Owner"));
    int intOwnerClicks = 0;
    QObject::connect(&objOwner, &QPushButton::clicked, [&] { ++intOwnerClicks; });
    objOwner.show();
    WindowHelpViewer objWindowHelp;
    frmCustomFormat frmDialog(objSettings, objRegistry, objMessages, objWindowHelp, &objOwner);
    bool blnChecked = false;
    QTimer::singleShot(0, &frmDialog, [&] {
        QTest::mouseClick(frmDialog.cmdHelp, Qt::LeftButton);
        ASSERT_TRUE(objWindowHelp.objWindow);
        ClickAsTheWindowSystem(objWindowHelp.objWindow.get());
        // The owner is blocked while the dialog is open.
        ClickAsTheWindowSystem(&objOwner);
        blnChecked = true;
        frmDialog.cmdCancel_Click();
    });
    frmDialog.exec();
    EXPECT_TRUE(blnChecked);
    EXPECT_EQ(objWindowHelp.intClicks, 1);
    EXPECT_EQ(intOwnerClicks, 0);
    EXPECT_TRUE(objWindowHelp.objWindow->isVisible());
    EXPECT_EQ(objWindowHelp.intCloses, 0);
}
