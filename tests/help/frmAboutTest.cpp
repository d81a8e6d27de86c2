// The About window through its controls, on fake services.

#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <string>
#include <vector>

#include "core/ColourValue.h"
#include "core/modSupport.h"
#include "help/HelpSupport.h"
#include "help/frmAbout.h"
#include "tests/support/Fakes.h"
#include "widgets/QtColour.h"

namespace {

class frmAboutTest : public ::testing::Test {
protected:
    FakeShell objShell;
    FakeMessageBox objMessages;
    frmAbout frm{objShell, objMessages};
    int intFatalErrors = 0;

    void SetUp() override {
        modSupport::SetFatalErrorHandler([this] { ++intFatalErrors; });
        frm.show();
    }
    void TearDown() override { modSupport::SetFatalErrorHandler({}); }

    static std::int32_t TextColour(const QLabel* objLabel) {
        return PackedOfQColour(objLabel->palette().color(QPalette::WindowText));
    }
};

TEST_F(frmAboutTest, ShowsItsTexts) {
    const std::vector<std::pair<const QWidget*, std::string>> arrCaption{
        {frm.lblTitle, "Huevra 2004"},
        {frm.lblSR, "SR1"},
        {frm.lblSlogan,
         "The smart and easy colour manager for developers, designers, and other artistic "
         "people."},
        {frm.lblMoreInfo, "Learn more about Huevra on the web:"},
        {frm.lblLink, strHomePageAddress},
        {frm.lblFeedbackInfo, "Send comments and suggestions to:"},
        {frm.lblMailLink, strFeedbackAddress},
    };
    EXPECT_EQ(frm.windowTitle().toStdString(), "About Huevra");
    for (const auto& [objControl, strCaption] : arrCaption) {
        SCOPED_TRACE(objControl->objectName().toStdString());
        EXPECT_EQ(static_cast<const QLabel*>(objControl)->text().toStdString(), strCaption);
        EXPECT_EQ(objControl->parentWidget(), frm.picInfo);
    }
    EXPECT_FALSE(frm.lblCopyright->text().isEmpty());
    EXPECT_EQ(frm.cmdOK->text().toStdString(), "OK");
    EXPECT_TRUE(frm.cmdOK->isDefault());
    EXPECT_TRUE(frm.isModal());
}

TEST_F(frmAboutTest, PaintsTheBorderPanelAndLinks) {
    EXPECT_EQ(BackColour(&frm), PackColour(154, 205, 50));
    EXPECT_EQ(BackColour(frm.picInfo), PackColour(255, 255, 255));
    EXPECT_TRUE(frm.picInfo->autoFillBackground());
    EXPECT_TRUE(frm.lblTitle->font().bold());
    EXPECT_EQ(frm.lblTitle->font().pointSize(), 12);
    for (const QLabel* objText : {frm.lblSlogan, frm.lblMoreInfo, frm.lblCopyright}) {
        SCOPED_TRACE(objText->objectName().toStdString());
        EXPECT_EQ(TextColour(objText), PackColour(0, 0, 0));
        EXPECT_FALSE(objText->font().underline());
    }
    for (const QLabel* objLink : {frm.lblLink, frm.lblMailLink}) {
        SCOPED_TRACE(objLink->objectName().toStdString());
        EXPECT_EQ(TextColour(objLink), PackColour(0, 0, 192));
        EXPECT_TRUE(objLink->font().underline());
        EXPECT_EQ(objLink->cursor().shape(), Qt::PointingHandCursor);
        EXPECT_EQ(objLink->textFormat(), Qt::PlainText);
    }
}

TEST_F(frmAboutTest, EscapeClosesFromAnyControlAndOtherKeysDoNothing) {
    QTest::keyClick(frm.cmdOK, Qt::Key_A);
    QTest::keyClick(frm.cmdOK, Qt::Key_F1);
    EXPECT_TRUE(frm.isVisible());
    QTest::keyClick(frm.cmdOK, Qt::Key_Escape);
    EXPECT_FALSE(frm.isVisible());
    frm.show();
    QTest::mouseClick(frm.cmdOK, Qt::LeftButton);
    EXPECT_FALSE(frm.isVisible());
    EXPECT_EQ(intFatalErrors, 0);
}

TEST_F(frmAboutTest, LinksOpenTheirCaptionsAndFailuresAreTold) {
    frm.lblLink->setText(QStringLiteral("https://colours.example.org/huevra"));
    frm.lblMailLink->setText(QStringLiteral("ann@example.org"));
    QTest::mouseClick(frm.lblLink, Qt::LeftButton);
    QTest::mouseClick(frm.lblMailLink, Qt::LeftButton);
    // Only a left click opens a link.
    QTest::mouseClick(frm.lblLink, Qt::RightButton);
    EXPECT_EQ(objShell.arrUrls, (std::vector<std::string>{"https://colours.example.org/huevra",
                                                          "mailto:ann@example.org"}));
    EXPECT_TRUE(objMessages.arrShown.empty());

    objShell.blnFail = true;
    QTest::mouseClick(frm.lblLink, Qt::LeftButton);
    QTest::mouseClick(frm.lblMailLink, Qt::LeftButton);
    ASSERT_EQ(objMessages.arrShown.size(), 2U);
    EXPECT_EQ(objMessages.arrShown[0].strText, "Problem with browser.");
    EXPECT_EQ(objMessages.arrShown[1].strText, "Problem with mail client.");
    for (const auto& objShown : objMessages.arrShown) {
        EXPECT_EQ(objShown.strTitle, "Huevra");
        EXPECT_EQ(objShown.enmIcon, MessageIcon::Warning);
    }
    EXPECT_TRUE(frm.isVisible());
    EXPECT_EQ(intFatalErrors, 0);
}

}  // namespace
