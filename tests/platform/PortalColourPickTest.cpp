// The desktop portal's colour pick against a portal of our own on a private session bus.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QProcess>
#include <QStringList>
#include <QTest>
#include <algorithm>  // std::mismatch
#include <array>
#include <cstdlib>
#include <limits>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/ColourValue.h"
#include "platform/PortalColourPick.h"
#include "platform/QtScreen.h"

namespace {

// Long enough for a loaded machine; a pick that works ends at once.
constexpr int intPatienceMs = 20000;

struct Outcome {
    DesktopPickResult enmResult;
    std::int32_t lngColour;
};

class PortalColourPickTest : public ::testing::Test {
protected:
    QProcess objPortal;

    void SetUp() override {
        // A portal of our own must not meet the desktop's real one.
        if (std::getenv("HUEVRA_PRIVATE_BUS") == nullptr)
            GTEST_SKIP() << "needs a private session bus: run through ctest (dbus-run-session)";
    }

    void TearDown() override {
        if (objPortal.state() != QProcess::NotRunning) {
            objPortal.kill();
            objPortal.waitForFinished();
        }
    }

    /// Starts the fake portal with the given answer and waits until it owns its name.
    void StartPortal(const QStringList& arrArgs) {
        objPortal.setProgram(QStringLiteral(HUEVRA_FAKE_PORTAL));
        objPortal.setArguments(arrArgs);
        objPortal.start();
        ASSERT_TRUE(objPortal.waitForStarted(intPatienceMs));
        ASSERT_TRUE(QTest::qWaitFor([&] { return objPortal.canReadLine(); }, intPatienceMs))
            << objPortal.readAllStandardError().toStdString();
        ASSERT_EQ(objPortal.readLine().trimmed().toStdString(), "ready");
    }

    /// Returns the next line the portal prints, or the empty text when none comes.
    std::string PortalLine() {
        if (!QTest::qWaitFor([&] { return objPortal.canReadLine(); }, intPatienceMs)) return {};
        return objPortal.readLine().trimmed().toStdString();
    }

    /// Picks through the portal, as the program does or with the given time limit, and waits
    /// for the one answer.
    static Outcome Pick(std::optional<int> intLimitMs = std::nullopt) {
        std::optional<Outcome> objOutcome;
        int intCalls = 0;
        const auto fnDone = [&](DesktopPickResult enmResult, std::int32_t lngColour) {
            ++intCalls;
            objOutcome = Outcome{enmResult, lngColour};
        };
        if (intLimitMs) {
            PortalColourPick::Start(fnDone, *intLimitMs);
        } else {
            QtScreen objScreen;
            objScreen.StartDesktopPick(fnDone);
        }
        EXPECT_FALSE(objOutcome.has_value()) << "the answer comes from the event loop";
        if (!QTest::qWaitFor([&] { return objOutcome.has_value(); }, intPatienceMs)) {
            ADD_FAILURE() << "no answer";
            return {DesktopPickResult::Unavailable, -1};
        }
        QCoreApplication::processEvents();
        EXPECT_EQ(intCalls, 1);
        return *objOutcome;
    }
};

}  // namespace

TEST(PortalColourPick, ComponentsAreRoundedAndValuesOutOfReachRefused) {
    const std::array<std::pair<double, int>, 9> arrCases{{
        {0.0, 0},
        {1.0, 255},
        {0.5, 128},
        {0.2, 51},
        {0.4999, 127},
        {1.0 / 255.0, 1},
        {-0.01, -1},
        {1.01, -1},
        {std::numeric_limits<double>::quiet_NaN(), -1},
    }};
    for (const auto& [dblValue, intExpected] : arrCases) {
        SCOPED_TRACE(dblValue);
        EXPECT_EQ(PortalColourPick::ComponentOf(dblValue), intExpected);
    }
}

TEST_F(PortalColourPickTest, PickedColourIsReturnedPacked) {
    struct Case {
        QStringList arrArgs;
        std::int32_t lngExpected;
    };
    const std::array<Case, 3> arrCases{{
        {{"pick", "0", "1", "0"}, PackColour(0, 255, 0)},
        {{"pick", "0.2", "0.4", "0.8"}, PackColour(51, 102, 204)},
        // The answer may come before the call's reply.
        {{"pick", "1", "0.5", "0", "early"}, PackColour(255, 128, 0)},
    }};
    for (const Case& objCase : arrCases) {
        SCOPED_TRACE(objCase.arrArgs.join(QLatin1Char(' ')).toStdString());
        StartPortal(objCase.arrArgs);
        const Outcome objOutcome = Pick();
        EXPECT_EQ(objOutcome.enmResult, DesktopPickResult::Picked);
        EXPECT_EQ(objOutcome.lngColour, objCase.lngExpected);
        // A second pick through the same program works as the first.
        const Outcome objAgain = Pick();
        EXPECT_EQ(objAgain.lngColour, objCase.lngExpected);
        TearDown();
    }
}

TEST_F(PortalColourPickTest, AnswersOfOtherClientsOnTheBusAreIgnored) {
    // Another client sends magenta on the request object before the portal's reply and again
    // after it; the portal's own answer comes before or after its reply.
    for (const QStringList& arrArgs : {QStringList{"pick", "0", "1", "0", "forged"},
                                       QStringList{"pick", "0", "1", "0", "early", "forged"}}) {
        SCOPED_TRACE(arrArgs.join(QLatin1Char(' ')).toStdString());
        StartPortal(arrArgs);
        const Outcome objOutcome = Pick();
        EXPECT_EQ(objOutcome.enmResult, DesktopPickResult::Picked);
        EXPECT_EQ(objOutcome.lngColour, PackColour(0, 255, 0));
        TearDown();
    }
}

TEST_F(PortalColourPickTest, HandleTokensCannotBeGuessed) {
    StartPortal({"pick", "0", "1", "0"});
    std::vector<std::string> arrTokens;
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(Pick().enmResult, DesktopPickResult::Picked);
        const std::string strLine = PortalLine();
        ASSERT_EQ(strLine.rfind("pick ", 0), 0U) << strLine;
        arrTokens.push_back(strLine.substr(5));
    }
    for (std::size_t i = 0; i < arrTokens.size(); ++i) {
        SCOPED_TRACE(arrTokens[i]);
        // The token becomes an element of an object path.
        EXPECT_FALSE(arrTokens[i].empty());
        EXPECT_EQ(
            arrTokens[i].find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"
                                           "0123456789_"),
            std::string::npos);
        // Each differs from the others early and carries a long tail of its own, unlike a
        // count.
        for (std::size_t j = 0; j < i; ++j) {
            const auto itDiffer = std::mismatch(arrTokens[i].begin(), arrTokens[i].end(),
                                                arrTokens[j].begin(), arrTokens[j].end());
            EXPECT_GE(arrTokens[i].end() - itDiffer.first, 16) << arrTokens[j];
            EXPECT_GE(arrTokens[j].end() - itDiffer.second, 16) << arrTokens[j];
        }
    }
}

TEST_F(PortalColourPickTest, CancelFailuresAndUnusableAnswersAreToldApart) {
    struct Case {
        QStringList arrArgs;
        DesktopPickResult enmExpected;
    };
    const std::array<Case, 8> arrCases{{
        {{"cancel"}, DesktopPickResult::Cancelled},
        // Response 2, as the wlroots portal answers Escape in its picker.
        {{"fail"}, DesktopPickResult::Cancelled},
        {{"nocolour"}, DesktopPickResult::InvalidColour},
        {{"wrongtype"}, DesktopPickResult::InvalidColour},
        {{"badsignature"}, DesktopPickResult::InvalidColour},
        {{"pick", "1.5", "0", "0"}, DesktopPickResult::InvalidColour},
        {{"pick", "0", "-0.25", "0"}, DesktopPickResult::InvalidColour},
        {{"pick", "0", "0", "1e300"}, DesktopPickResult::InvalidColour},
    }};
    for (const Case& objCase : arrCases) {
        SCOPED_TRACE(objCase.arrArgs.join(QLatin1Char(' ')).toStdString());
        StartPortal(objCase.arrArgs);
        EXPECT_EQ(Pick().enmResult, objCase.enmExpected);
        TearDown();
    }
}

TEST_F(PortalColourPickTest, PickWithoutAnAnswerEndsWhenTimeIsUpAndClosesTheRequest) {
    // The portal takes the call and answers nowhere, or on an object that is not the request's.
    for (const char* strMode : {"silent", "otherpath"}) {
        SCOPED_TRACE(strMode);
        StartPortal({QLatin1String(strMode)});
        EXPECT_EQ(Pick(100).enmResult, DesktopPickResult::NoAnswer);
        const std::string strPick = PortalLine();
        ASSERT_EQ(strPick.rfind("pick ", 0), 0U) << strPick;
        // The portal's picker is told to close, on the request object of this pick.
        const std::string strClose = PortalLine();
        EXPECT_EQ(strClose.rfind("close /org/freedesktop/portal/desktop/request/", 0), 0U)
            << strClose;
        EXPECT_TRUE(QString::fromStdString(strClose).endsWith(
            QLatin1Char('/') + QString::fromStdString(strPick.substr(5))))
            << strClose;
        TearDown();
    }
    // The limit the program uses leaves the user time for the desktop's picker.
    EXPECT_GE(PortalColourPick::intTimeLimitMs, 60 * 1000);
}

TEST_F(PortalColourPickTest, NoPortalOnTheBusIsUnavailable) {
    EXPECT_EQ(Pick().enmResult, DesktopPickResult::Unavailable);
}

TEST_F(PortalColourPickTest, PortalThatGoesAwayBeforeAnsweringIsUnavailable) {
    StartPortal({QStringLiteral("silent")});
    std::optional<DesktopPickResult> enmResult;
    QtScreen objScreen;
    objScreen.StartDesktopPick([&](DesktopPickResult enmEnd, std::int32_t) { enmResult = enmEnd; });
    // The portal has taken the call once it says so.
    ASSERT_TRUE(QTest::qWaitFor([&] { return objPortal.canReadLine(); }, intPatienceMs));
    ASSERT_EQ(objPortal.readLine().trimmed().left(5).toStdString(), "pick ");
    EXPECT_FALSE(enmResult.has_value());
    objPortal.kill();
    objPortal.waitForFinished();
    ASSERT_TRUE(QTest::qWaitFor([&] { return enmResult.has_value(); }, intPatienceMs));
    EXPECT_EQ(*enmResult, DesktopPickResult::Unavailable);
}

TEST(QtScreen, PicksThroughTheDesktopUnderWaylandOrWhenTestsAskForIt) {
    const QByteArray strWayland = qgetenv("WAYLAND_DISPLAY");
    const QByteArray strSwitch = qgetenv("HUEVRA_PICK_THROUGH_PORTAL");
    struct Case {
        const char* strWaylandDisplay;
        const char* strSwitch;
        bool blnExpected;
    };
    // The tests run on the offscreen platform, which reads no screen either way.
    const std::array<Case, 4> arrCases{{
        {"", "", false},
        {"wayland-0", "", true},
        {"", "1", true},
        {"", "0", false},
    }};
    QtScreen objScreen;
    for (const Case& objCase : arrCases) {
        SCOPED_TRACE(std::string(objCase.strWaylandDisplay) + "/" + objCase.strSwitch);
        qputenv("WAYLAND_DISPLAY", objCase.strWaylandDisplay);
        qputenv("HUEVRA_PICK_THROUGH_PORTAL", objCase.strSwitch);
        EXPECT_EQ(objScreen.PicksThroughDesktop(), objCase.blnExpected);
    }
    qputenv("WAYLAND_DISPLAY", strWayland);
    qputenv("HUEVRA_PICK_THROUGH_PORTAL", strSwitch);
}
