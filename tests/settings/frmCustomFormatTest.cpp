#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "help/HTMLHelp.h"
#include "help/HelpSupport.h"
#include "settings/frmCustomFormat.h"
#include "tests/settings/SettingsDialogFixture.h"

namespace {

/// A help viewer that shows a window of its own, without an owner.
class WindowHelpViewer : public FakeHelpViewer {
public:
    std::unique_ptr<QPushButton> objWindow;
    int intClicks = 0;

    bool ShowTopic(const std::string& strHelpFile, const std::string& strTopic) override {
        if (!objWindow) {
            objWindow = std::make_unique<QPushButton>(QStringLiteral("Next topic"));
            QObject::connect(objWindow.get(), &QPushButton::clicked, [this] { ++intClicks; });
        }
        objWindow->show();
        return FakeHelpViewer::ShowTopic(strHelpFile, strTopic);
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
    HTMLHelp objHTMLHelp{objHelp};
    /// The dialog's help as the main window gives it.
    std::function<void()> HelpOpener() {
        return HelpTopicOpener(objHTMLHelp, objMessages, strCustomFormatTopic);
    }
    std::unique_ptr<frmCustomFormat> frm;

    void TearDown() override {
        frm.reset();
        SettingsDialogTest::TearDown();
    }

    void Open() {
        frm =
            std::make_unique<frmCustomFormat>(objSettings, objRegistry, objMessages, HelpOpener());
        ShowActive(*frm);
    }
    std::string Text() const { return frm->txtFormat->text().toStdString(); }
};

TEST_F(frmCustomFormatTest, CaptionsToolTipsAndTabOrderAreExact) {
    Open();
    EXPECT_EQ(frm->windowTitle(), "Custom Format");
    std::string strHeadings;
    for (QLabel* objLabel : {frm->lblRed, frm->lblGreen, frm->lblBlue, frm->lblUpperCaseHex,
                             frm->lblLowerCaseHex, frm->lblDecimal, frm->lblLongDecimal})
        strHeadings += objLabel->text().toStdString() + ";";
    EXPECT_EQ(strHeadings, "Red;Green;Blue;Upper Case Hex;Lower Case Hex;Decimal;Long Decimal;");
    const std::vector<std::tuple<QPushButton*, const char*, const char*>> arrButton{
        {frm->cmdUR, "UR", "Red in Upper Case Hex"},
        {frm->cmdUG, "UG", "Green in Upper Case Hex"},
        {frm->cmdUB, "UB", "Blue in Upper Case Hex"},
        {frm->cmdLR, "LR", "Red in Lower Case Hex"},
        {frm->cmdLG, "LG", "Green in Lower Case Hex"},
        {frm->cmdLB, "LB", "Blue in Lower Case Hex"},
        {frm->cmdDR, "DR", "Red in Decimal"},
        {frm->cmdDG, "DG", "Green in Decimal"},
        {frm->cmdDB, "DB", "Blue in Decimal"},
        {frm->cmdLD, "LD", "Long Decimal"},
        {frm->cmdOK, "OK", nullptr},
        {frm->cmdCancel, "Cancel", nullptr},
        {frm->cmdHelp, "Help", nullptr},
    };
    for (const auto& [objButton, strCaption, strTipEnd] : arrButton) {
        SCOPED_TRACE(strCaption);
        EXPECT_EQ(objButton->text().toStdString(), strCaption);
        EXPECT_EQ(objButton->toolTip().toStdString(),
                  strTipEnd ? std::string("Insert the code for ") + strTipEnd : "");
    }
    // The template field has the keyboard first; Tab goes on to the first code.
    EXPECT_EQ(QApplication::focusWidget(), frm->txtFormat);
    QTest::keyClick(frm->txtFormat, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), frm->cmdUR);
}

TEST_F(frmCustomFormatTest, CodeButtonsInsertByMouseClickKeepingTheSelection) {
    struct Case {
        const char* strName;
        int intStart;
        int intLength;  // 0: a caret at intStart
        QPushButton* frmCustomFormat::*cmdButton;
        std::string strExpected;
        int intCaret;
    };
    const std::vector<Case> arrCase{
        {"opened: caret at the end", -1, 0, &frmCustomFormat::cmdUB, "abc%UB%", 7},
        {"caret at the start", 0, 0, &frmCustomFormat::cmdUR, "%UR%abc", 4},
        {"one letter selected", 1, 1, &frmCustomFormat::cmdLD, "a%LD%c", 5},
        {"selected backwards", 3, -2, &frmCustomFormat::cmdLR, "a%LR%", 5},
        {"whole text selected", 0, 3, &frmCustomFormat::cmdDG, "%DG%", 4},
    };
    for (const Case& objCase : arrCase) {
        SCOPED_TRACE(objCase.strName);
        Store("CustomFormat", "abc");
        Open();
        if (objCase.intLength != 0)
            frm->txtFormat->setSelection(objCase.intStart, objCase.intLength);
        else if (objCase.intStart >= 0)
            frm->txtFormat->setCursorPosition(objCase.intStart);
        QTest::mouseClick((*frm).*objCase.cmdButton, Qt::LeftButton);
        EXPECT_EQ(Text(), objCase.strExpected);
        EXPECT_EQ(frm->txtFormat->cursorPosition(), objCase.intCaret);
        EXPECT_FALSE(frm->txtFormat->hasSelectedText());
        EXPECT_EQ(QApplication::focusWidget(), frm->txtFormat);
    }
    // Every button puts its own code.
    Store("CustomFormat", "");
    Open();
    for (QPushButton* objButton : {frm->cmdUR, frm->cmdUG, frm->cmdUB, frm->cmdLR, frm->cmdLG,
                                   frm->cmdLB, frm->cmdDR, frm->cmdDG, frm->cmdDB, frm->cmdLD})
        QTest::mouseClick(objButton, Qt::LeftButton);
    EXPECT_EQ(Text(), "%UR%%UG%%UB%%LR%%LG%%LB%%DR%%DG%%DB%%LD%");
}

// Tab takes the focus to a button, and the field drops its selection as it loses the focus; the
// button, pressed with Space, works on the selection the field had, as a click does.
TEST_F(frmCustomFormatTest, CodeButtonsReachedByTabReplaceTheSelectionTheFieldHad) {
    struct Case {
        const char* strName;
        int intStart;
        int intLength;  // 0: a caret at intStart
        int intTabs;    // from the field: 1 is UR, 10 is LD
        std::string strExpected;
        int intCaret;
    };
    const std::vector<Case> arrCase{
        {"one letter selected", 1, 1, 1, "a%UR%c", 5},
        {"selected backwards", 2, -1, 9, "a%DB%c", 5},
        {"whole text selected", 0, 3, 10, "%LD%", 4},
        {"caret only", 1, 0, 5, "a%LG%bc", 5},
    };
    for (const Case& objCase : arrCase) {
        SCOPED_TRACE(objCase.strName);
        Store("CustomFormat", "abc");
        Open();
        ASSERT_EQ(QApplication::focusWidget(), frm->txtFormat);
        if (objCase.intLength != 0)
            frm->txtFormat->setSelection(objCase.intStart, objCase.intLength);
        else
            frm->txtFormat->setCursorPosition(objCase.intStart);
        for (int i = 0; i < objCase.intTabs; ++i)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        ASSERT_TRUE(qobject_cast<QPushButton*>(QApplication::focusWidget()));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        EXPECT_EQ(Text(), objCase.strExpected);
        EXPECT_EQ(frm->txtFormat->cursorPosition(), objCase.intCaret);
        EXPECT_FALSE(frm->txtFormat->hasSelectedText());
        EXPECT_EQ(QApplication::focusWidget(), frm->txtFormat);

        // The next code, also from the keyboard, goes at the caret.
        QTest::keyClick(frm->txtFormat, Qt::Key_Tab);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        std::string strNext = objCase.strExpected;
        strNext.insert(static_cast<std::size_t>(objCase.intCaret), "%UR%");
        EXPECT_EQ(Text(), strNext);
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

TEST_F(frmCustomFormatTest, OkStoresTheTemplateAndNothingElseDoes) {
    const std::vector<std::pair<const char*, std::function<void(frmCustomFormat&)>>> arrWay{
        {"Enter", [](frmCustomFormat& frm) { QTest::keyClick(frm.txtFormat, Qt::Key_Return); }},
        {"Cancel", [](frmCustomFormat& frm) { QTest::mouseClick(frm.cmdCancel, Qt::LeftButton); }},
        {"Escape", [](frmCustomFormat& frm) { QTest::keyClick(frm.txtFormat, Qt::Key_Escape); }},
        {"close box", [](frmCustomFormat& frm) { frm.close(); }},
    };
    for (const std::string strEdited : {"", "#%UR%%UG%%UB%"}) {
        for (const auto& [strWay, fnClose] : arrWay) {
            SCOPED_TRACE(strWay + (": " + strEdited));
            Store("CustomFormat", "old");
            objRegistry.arrWrites.clear();
            Open();
            frm->txtFormat->setText(QString::fromStdString(strEdited));
            fnClose(*frm);
            EXPECT_FALSE(frm->isVisible());
            const bool blnOk = std::string(strWay) == "Enter";
            EXPECT_EQ(objSettings.strCustomFormat, blnOk ? strEdited : "old");
            EXPECT_EQ(objRegistry.arrWrites.size(), blnOk ? 1U : 0U);
            EXPECT_EQ(Stored("CustomFormat"), blnOk ? strEdited : "old");
        }
    }
}

TEST_F(frmCustomFormatTest, TemplateTheStoreRefusesIsToldOnceAndKeptForTheRun) {
    /// Refuses every write, as a read-only settings file does.
    class ReadOnlyRegistry : public FakeRegistry {
    public:
        bool WriteString(RegistryHive, const std::string&, const std::string&,
                         const std::string&) override {
            return false;
        }
    } objReadOnly;
    objReadOnly.mapValue[{strSettingsKey, "CustomFormat"}] = "stored";
    const auto OpenOn = [&] {
        frm =
            std::make_unique<frmCustomFormat>(objSettings, objReadOnly, objMessages, HelpOpener());
        ShowActive(*frm);
    };
    OpenOn();
    frm->txtFormat->setText(QStringLiteral("#%UR%%UG%%UB%"));
    QTest::keyClick(frm->txtFormat, Qt::Key_Return);
    EXPECT_FALSE(frm->isVisible());
    ASSERT_EQ(objMessages.arrShown.size(), 1U);
    EXPECT_EQ(objMessages.arrShown[0].strText, strSettingsNotSavedText);
    EXPECT_EQ(objMessages.arrShown[0].enmIcon, MessageIcon::Warning);
    EXPECT_EQ(objSettings.strCustomFormat, "#%UR%%UG%%UB%");

    // The next opening shows the template in use, not the stored one, and says nothing.
    OpenOn();
    EXPECT_EQ(Text(), "#%UR%%UG%%UB%");
    EXPECT_EQ(objSettings.strCustomFormat, "#%UR%%UG%%UB%");
    EXPECT_EQ(objMessages.arrShown.size(), 1U);
    frm->cmdCancel_Click();
    EXPECT_EQ(objReadOnly.ReadString(RegistryHive::CurrentUser, strSettingsKey, "CustomFormat"),
              "stored");
}

TEST_F(frmCustomFormatTest, HelpShowsTheCodesTopicOrSaysItCannot) {
    Open();
    QTest::mouseClick(frm->cmdHelp, Qt::LeftButton);
    EXPECT_EQ(objHelp.arrTopics, std::vector<std::string>{"huevra10.htm"});
    EXPECT_TRUE(objMessages.arrShown.empty());
    objHelp.blnFail = true;
    QTest::mouseClick(frm->cmdHelp, Qt::LeftButton);
    ASSERT_EQ(objMessages.arrShown.size(), 1U);
    const FakeMessageBox::Shown& objShown = objMessages.arrShown[0];
    EXPECT_EQ(
        std::tie(objShown.strText, objShown.strTitle, objShown.enmIcon, objShown.enmButtons),
        std::tuple("Problem with HTML Help.", "Huevra", MessageIcon::Warning, MessageButtons::Ok));
    EXPECT_TRUE(frm->isVisible());
}

TEST_F(frmCustomFormatTest, HelpWindowTakesInputWhileTheDialogIsOpenAndOutlivesIt) {
    QPushButton objOwner(QStringLiteral("Owner"));
    int intOwnerClicks = 0;
    QObject::connect(&objOwner, &QPushButton::clicked, [&] { ++intOwnerClicks; });
    objOwner.show();
    WindowHelpViewer objWindowHelp;
    HTMLHelp objWindowHTMLHelp(objWindowHelp);
    frmCustomFormat frmDialog(objSettings, objRegistry, objMessages,
                              HelpTopicOpener(objWindowHTMLHelp, objMessages, strCustomFormatTopic),
                              &objOwner);
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
