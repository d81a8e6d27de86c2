#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "core/modSupport.h"

namespace {

class ModSupportTest : public ::testing::Test {
protected:
    void SetUp() override {
        modSupport::SetFatalErrorHandler([this] { ++intFatalErrors; });
    }
    void TearDown() override {
        modSupport::SetFatalErrorHandler({});
        modSupport::SetEventPump({});
    }
    int intFatalErrors = 0;
};

TEST(ModSupport, TextAfterLastTakesTheTextBehindTheLastSeparator) {
    const struct {
        std::string strText, strSeparator, strResult;
    } arrCases[] = {
        {"C:\\Palettes\\Web\\gold.txt", "\\", "gold.txt"},
        {"gold.txt", "\\", "gold.txt"},
        {"C:\\Palettes\\", "\\", ""},
        {"\\", "\\", ""},
        {"", "\\", ""},
        {"", "", ""},
        {"a\\b", "", "a\\b"},
        {"a::b::c", "::", "c"},
        {"a:::b", "::", "b"},
        {"aXbxc", "x", "c"},
        {"aXb", "x", "aXb"},
        {"/home/user/gold.txt", "/", "gold.txt"},
    };
    for (const auto& c : arrCases) {
        SCOPED_TRACE("\"" + c.strText + "\" after \"" + c.strSeparator + "\"");
        EXPECT_EQ(modSupport::TextAfterLast(c.strText, c.strSeparator), c.strResult);
    }
}

TEST_F(ModSupportTest, GuardedPassesResultsThroughWhenNothingFails) {
    EXPECT_EQ(modSupport::Guarded([] { return 42; }), 42);
    EXPECT_EQ(modSupport::Guarded([] { return std::string("gold"); }), "gold");
    bool blnRan = false;
    modSupport::Guarded([&] { blnRan = true; });
    EXPECT_TRUE(blnRan);
    EXPECT_EQ(intFatalErrors, 0);
}

TEST_F(ModSupportTest, GuardedReportsAFailureOnceAndReturnsTheDefault) {
    EXPECT_EQ(modSupport::Guarded([]() -> int { throw std::runtime_error("int"); }), 0);
    EXPECT_EQ(intFatalErrors, 1);
    EXPECT_EQ(modSupport::Guarded([]() -> std::string { throw std::out_of_range("text"); }), "");
    EXPECT_EQ(intFatalErrors, 2);
    bool blnAfterThrow = false;
    modSupport::Guarded([&] {
        throw 7;
        blnAfterThrow = true;
    });
    EXPECT_FALSE(blnAfterThrow);
    EXPECT_EQ(intFatalErrors, 3);
}

TEST_F(ModSupportTest, FatalErrorWithoutHandlerOrWithAFailingOneStaysQuiet) {
    modSupport::SetFatalErrorHandler({});
    EXPECT_NO_THROW(modSupport::FatalError());
    modSupport::SetFatalErrorHandler([] { throw std::runtime_error("handler"); });
    EXPECT_NO_THROW(modSupport::FatalError());
    EXPECT_EQ(modSupport::Guarded([]() -> int { throw 1; }), 0);
}

TEST_F(ModSupportTest, DoEventsRunsTheInstalledPump) {
    EXPECT_NO_THROW(modSupport::DoEvents());
    int intPumped = 0;
    modSupport::SetEventPump([&] { ++intPumped; });
    modSupport::DoEvents();
    modSupport::DoEvents();
    EXPECT_EQ(intPumped, 2);
    modSupport::SetEventPump({});
    modSupport::DoEvents();
    EXPECT_EQ(intPumped, 2);
}

TEST_F(ModSupportTest, ScopedFlagRestoresTheOldValueEvenOnFailure) {
    bool blnFlag = false;
    modSupport::Guarded([&] {
        modSupport::ScopedFlag objFlag(blnFlag, true);
        EXPECT_TRUE(blnFlag);
        throw std::runtime_error("inside");
    });
    EXPECT_FALSE(blnFlag);
    EXPECT_EQ(intFatalErrors, 1);
}

}  // namespace
