// Timers: ticks delivered by hand or as WM_TIMER, never waited for.
#include "ControlsTestSupport.h"
#include "framework/Timer.h"

namespace plaxor::testing {
namespace {

using TimerTest = WindowTest;

TEST_F(TimerTest, DefaultsAreOneSecondAndEnabled) {
    TTimer timer(nullptr);
    EXPECT_EQ(timer.Interval(), 1000u);
    EXPECT_TRUE(timer.Enabled());
}

TEST_F(TimerTest, TickRaisesOnTimerWithTheTimerAsSender) {
    TTimer timer(nullptr);
    TObject* sender = nullptr;
    timer.OnTimer = [&](TObject* s) { sender = s; };
    timer.Tick();
    EXPECT_EQ(sender, &timer);
}

TEST_F(TimerTest, TimerMessageRaisesOnTimer) {
    TTimer timer(nullptr);
    int ticks = 0;
    timer.OnTimer = [&](TObject*) { ++ticks; };
    ::SendMessageW(timer.Handle(), WM_TIMER, TTimer::TimerId, 0);
    EXPECT_EQ(ticks, 1);
}

TEST_F(TimerTest, DisabledTimerIgnoresAStrayTimerMessage) {
    TTimer timer(nullptr);
    int ticks = 0;
    timer.OnTimer = [&](TObject*) { ++ticks; };
    timer.SetEnabled(false);
    ::SendMessageW(timer.Handle(), WM_TIMER, TTimer::TimerId, 0);
    EXPECT_EQ(ticks, 0);
}

TEST_F(TimerTest, EnabledTimerHasAWindowTimerRunningAndADisabledOneNot) {
    TTimer timer(nullptr);
    timer.SetInterval(30);
    EXPECT_TRUE(::KillTimer(timer.Handle(), TTimer::TimerId)); // it was set
    timer.SetEnabled(false);
    EXPECT_FALSE(::KillTimer(timer.Handle(), TTimer::TimerId));
}

TEST_F(TimerTest, ZeroIntervalStopsTheTimer) {
    TTimer timer(nullptr);
    timer.SetInterval(0);
    EXPECT_FALSE(::KillTimer(timer.Handle(), TTimer::TimerId));
}

TEST_F(TimerTest, TimerFreedInsideItsOwnOnTimerIsSafe) {
    TForm* owner = NewForm();
    auto* timer = new TTimer(owner);
    auto state = std::make_shared<int>(0);
    timer->OnTimer = [state, timer](TObject*) {
        delete timer;
        *state = 42; // the handler's own captures outlive the timer
    };
    HWND wnd = timer->Handle();
    ::SendMessageW(wnd, WM_TIMER, TTimer::TimerId, 0);
    EXPECT_EQ(*state, 42);
    EXPECT_FALSE(::IsWindow(wnd));
    EXPECT_TRUE(owner->Components().empty());
}

TEST_F(TimerTest, OwnerFreesItsTimers) {
    TForm* owner = NewForm();
    auto* timer = new TTimer(owner);
    HWND wnd = timer->Handle();
    delete owner;
    EXPECT_FALSE(::IsWindow(wnd));
}

TEST_F(TimerTest, ErrorInOnTimerGoesToTheErrorDisplay) {
    TTimer timer(nullptr);
    timer.OnTimer = [](TObject*) { throw Exception(L"Tick failed"); };
    ::SendMessageW(timer.Handle(), WM_TIMER, TTimer::TimerId, 0);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, L"Tick failed.");
}

TEST_F(TimerTest, EachTimerHasItsOwnWindow) {
    TTimer first(nullptr), second(nullptr);
    EXPECT_NE(first.Handle(), second.Handle());
}

} // namespace
} // namespace plaxor::testing
