// Time-out timers on the shared hidden timer window.
#include "ftp/CTimeout.h"
#include "ftp/MTimeOutSupport.h"
#include "platform/MessageWindow.h"
#include "platform/NumberedError.h"
#include "tests/support/WaitFor.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <gtest/gtest.h>
#include <memory>

namespace {

bool running(const CTimeout &timeout)
{
    return MTimeOutSupport::TimerWindow()
        && MTimeOutSupport::TimerWindow()->HasTimer(reinterpret_cast<quintptr>(&timeout));
}

} // namespace

TEST(CTimeoutTest, ZeroPeriodStartsNothing)
{
    CTimeout timeout;
    EXPECT_EQ(timeout.TimeOutValue(), 0);
    timeout.StartTimer();
    EXPECT_FALSE(running(timeout));
    timeout.Reset();
    EXPECT_FALSE(running(timeout));
}

TEST(CTimeoutTest, FiresEveryPeriodUntilStopped)
{
    CTimeout timeout;
    QSignalSpy spy(&timeout, &CTimeout::TimeOut);
    timeout.setTimeOutValue(1);
    QElapsedTimer clock;
    clock.start();
    timeout.StartTimer();
    EXPECT_TRUE(running(timeout));
    ASSERT_TRUE(WaitUntil([&] { return !spy.isEmpty(); }));
    EXPECT_GE(clock.elapsed(), 900);
    ASSERT_TRUE(WaitUntil([&] { return spy.count() >= 2; }));
    EXPECT_GE(clock.elapsed(), 1900);
    timeout.StopTimer();
    EXPECT_FALSE(running(timeout));

    // Reset runs a stopped timer again under the same identity.
    timeout.Reset();
    EXPECT_TRUE(running(timeout));
    const int before = static_cast<int>(spy.count());
    ASSERT_TRUE(WaitUntil([&] { return spy.count() > before; }));

    // Reset with no period left stops it rather than letting it fire without pause.
    timeout.setTimeOutValue(0);
    timeout.Reset();
    EXPECT_FALSE(running(timeout));
}

TEST(CTimeoutTest, HandlerMayStopItsOwnTimer)
{
    CTimeout timeout;
    int fired = 0;
    QObject::connect(&timeout, &CTimeout::TimeOut, [&] {
        ++fired;
        timeout.StopTimer();
    });
    timeout.setTimeOutValue(1);
    timeout.StartTimer();
    ASSERT_TRUE(WaitUntil([&] { return fired == 1; }));
    EXPECT_FALSE(running(timeout));
}

TEST(CTimeoutTest, ChangingThePeriodWaitsForTheNextStart)
{
    CTimeout timeout;
    timeout.setTimeOutValue(60);
    timeout.StartTimer();
    timeout.setTimeOutValue(1);
    QSignalSpy spy(&timeout, &CTimeout::TimeOut);
    QElapsedTimer clock;
    clock.start();
    timeout.StartTimer(); // restarts from now with the new period
    ASSERT_TRUE(WaitUntil([&] { return !spy.isEmpty(); }));
    EXPECT_LT(clock.elapsed(), 60000) << "the old period would have ended later";
}

TEST(CTimeoutTest, PeriodTooLongForMillisecondsIsAnOverflow)
{
    CTimeout timeout;
    timeout.setTimeOutValue(2147484);
    try {
        timeout.StartTimer();
        FAIL() << "2147484 s do not fit in 32-bit milliseconds";
    } catch (const NumberedError &e) {
        EXPECT_EQ(e.Number(), 6);
    }
    timeout.setTimeOutValue(2147483);
    timeout.StartTimer();
    EXPECT_TRUE(running(timeout));
}

TEST(CTimeoutTest, TimersShareOneWindowThatEndsWithTheLast)
{
    EXPECT_EQ(MTimeOutSupport::TimerWindow(), nullptr);
    auto first = std::make_unique<CTimeout>();
    MessageWindow *window = MTimeOutSupport::TimerWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->objectName(), QStringLiteral("TIMER_WINDOW"));
    CTimeout second;
    EXPECT_EQ(MTimeOutSupport::TimerWindow(), window);

    second.setTimeOutValue(1);
    second.StartTimer();
    first->setTimeOutValue(1);
    first->StartTimer();
    first.reset();
    EXPECT_EQ(MTimeOutSupport::TimerWindow(), window);
    QSignalSpy spy(&second, &CTimeout::TimeOut);
    ASSERT_TRUE(WaitUntil([&] { return !spy.isEmpty(); }));
}

TEST(CTimeoutTest, WindowIsGoneWhenNoTimerObjectLives)
{
    {
        CTimeout only;
        EXPECT_NE(MTimeOutSupport::TimerWindow(), nullptr);
    }
    EXPECT_EQ(MTimeOutSupport::TimerWindow(), nullptr);
}
