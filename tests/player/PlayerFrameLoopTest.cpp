// The frame loop on real threads: event order, Stop, Manual, Reverse, steps, exact timing,
// errors, priorities and re-entry from OnComplete.

#include <gtest/gtest.h>

#include <QTimer>

#include <sched.h>
#include <sys/resource.h>

#include <chrono>
#include <stdexcept>

#include "effects/FrameComposer.h"
#include "imaging/Bitmap.h"
#include "player/AnimateThread.h"
#include "player/PlayerFixtures.h"
#include "player/ThreadPriority.h"

namespace corvane {
namespace {

using test::TEventLog;
using test::WaitUntil;

// A shown player with a 32 x 24 picture, logging its events; OnStart also keeps the transition's
// first old frame and picture bitmap.
class FrameLoop : public ::testing::Test {
protected:
    TTransitionPlayer Player;
    TEventLog Log;
    Bitmap32 StartOld, StartPicture;
    const std::thread::id Main = std::this_thread::get_id();

    void SetUp() override {
        test::TTestApplication::TakeErrors();
        Player.resize(64, 48);
        Player.show();
        Player.SetPicture(test::PatternPicture(32, 24, 1));
        Log.Attach(Player);
        Player.OnStart = [this](TCustomTransitionPlayer& sender, Bitmap32& picture,
                                Bitmap32& screen) {
            if (StartOld.Empty()) {
                StartOld = screen;
                StartPicture = picture;
            }
            Log.Add("Start", sender.Progress());
        };
        Player.SetDelay(1);
    }

    void RunToEnd() { ASSERT_TRUE(WaitUntil([&] { return !Player.Busy(); })); }

    static std::vector<std::string> OneTransition(int frames, bool custom = false) {
        std::vector<std::string> names{"Start"};
        for (int i = 0; i < frames; ++i) {
            names.push_back("Before");
            if (custom && i + 1 < frames) names.push_back("Custom");
            names.push_back("After");
            names.push_back("Progress");
        }
        names.push_back("Complete");
        names.push_back("Stop");
        return names;
    }

    static std::vector<int> Progression(int step, bool reverse) {
        std::vector<int> values;
        int p = reverse ? 100 : 0;
        do values.push_back(p = NextProgress(p, step, reverse));
        while (p != (reverse ? 0 : 100));
        return values;
    }

    static Bitmap32 Composed(const Bitmap32& old, const Bitmap32& picture, int style, int p) {
        Bitmap32 screen;
        ComposeFrame(screen, old, picture, style, p);
        return screen;
    }
};

TEST_F(FrameLoop, ThreadedTransitionRaisesEveryEventInOrderOnItsThread) {
    Player.Execute();
    EXPECT_TRUE(Player.Busy());
    EXPECT_NE(Player.AnimThread(), nullptr);
    RunToEnd();

    EXPECT_EQ(Log.Names(), OneTransition(25));
    EXPECT_EQ(Log.ProgressValues(), Progression(4, false));
    const auto entries = Log.Entries();
    std::thread::id worker = entries[1].Thread;
    EXPECT_NE(worker, Main);
    for (const auto& e : entries) {
        const bool onControl = e.Name == "Start" || e.Name == "Complete" || e.Name == "Stop";
        EXPECT_EQ(e.Thread, onControl ? Main : worker) << e.Name;
    }
    EXPECT_EQ(Player.AnimThread(), nullptr);
    EXPECT_EQ(Player.Progress(), 100);
    EXPECT_TRUE(test::SamePixels(Player.ScreenBitmap(), StartPicture));
}

TEST_F(FrameLoop, UnthreadedTransitionRunsInsideExecute) {
    Player.SetThreaded(false);
    Player.SetStyle(0);  // custom drawing: OnCustomDraw in place of the effect
    Player.Execute();
    EXPECT_FALSE(Player.Busy());
    EXPECT_EQ(Log.Names(), OneTransition(25, true));
    for (const auto& e : Log.Entries()) EXPECT_EQ(e.Thread, Main) << e.Name;
    EXPECT_TRUE(test::SamePixels(Player.ScreenBitmap(), StartPicture));
}

TEST_F(FrameLoop, ExecuteWithoutPictureOrWhileBusyRaisesNothing) {
    TTransitionPlayer empty;
    TEventLog emptyLog;
    emptyLog.Attach(empty);
    empty.Execute();
    EXPECT_FALSE(empty.Busy());
    // A graphic without pixels counts as none: no effect is handed a frame of no size.
    empty.Picture().SetGraphic(std::make_unique<TBitmap>());
    empty.Execute();
    EXPECT_FALSE(empty.Busy());
    EXPECT_EQ(emptyLog.Names(), std::vector<std::string>{"Change"});

    Player.SetManual(true);
    Player.Execute();
    ASSERT_TRUE(Player.Busy());
    Player.Execute();
    EXPECT_EQ(Log.Names(), std::vector<std::string>{"Start"});
    Player.SetProgress(250);  // clamps to 100
    EXPECT_EQ(Player.Progress(), 100);
    Player.Stop();
}

TEST_F(FrameLoop, ProgressAndStopWhileIdleChangeNothing) {
    Player.SetProgress(50);
    Player.Stop();
    EXPECT_EQ(Player.Progress(), 0);
    EXPECT_TRUE(Log.Names().empty());
    EXPECT_TRUE(Player.ScreenBitmap().Empty());
}

TEST_F(FrameLoop, StopDuringAThreadedTransitionRaisesOnlyOnStop) {
    Player.SetDelay(50);
    Player.Execute();
    ASSERT_TRUE(WaitUntil([&] { return Player.Progress() >= 12; }));
    Player.Stop();
    EXPECT_FALSE(Player.Busy());
    EXPECT_EQ(Player.AnimThread(), nullptr);
    EXPECT_EQ(Log.Count("Complete"), 0);
    EXPECT_EQ(Log.Count("Stop"), 1);
    EXPECT_EQ(Log.Names().back(), "Stop");
    const int reached = Player.Progress();
    EXPECT_LT(reached, 100);

    // Nothing runs on: no frame, no event afterwards.
    const size_t events = Log.Entries().size();
    WaitUntil([] { return false; }, 150);
    EXPECT_EQ(Log.Entries().size(), events);
    EXPECT_EQ(Player.Progress(), reached);
    EXPECT_TRUE(test::SamePixels(Player.ScreenBitmap(),
                                 Composed(StartOld, StartPicture, Player.Style(), reached)));
}

TEST_F(FrameLoop, ManualTakesOverMidTransitionAndHandsBack) {
    Player.SetDelay(50);
    Player.Execute();
    ASSERT_TRUE(WaitUntil([&] { return Player.Progress() >= 8; }));
    Player.SetManual(true);
    EXPECT_TRUE(Player.Busy());
    EXPECT_EQ(Player.AnimThread(), nullptr);
    EXPECT_EQ(Log.Count("Complete") + Log.Count("Stop"), 0);

    Player.SetProgress(60);
    EXPECT_EQ(Player.Progress(), 60);
    const auto last = Log.Entries().back();
    EXPECT_EQ(last.Name, "Progress");
    EXPECT_EQ(last.Thread, Main);
    EXPECT_TRUE(test::SamePixels(Player.ScreenBitmap(),
                                 Composed(StartOld, StartPicture, Player.Style(), 60)));

    // The style can change while the caller drives: the frame is composed again at once.
    Player.SetStyle(5);
    EXPECT_TRUE(test::SamePixels(Player.ScreenBitmap(), Composed(StartOld, StartPicture, 5, 60)));

    Player.SetManual(false);
    RunToEnd();
    EXPECT_EQ(Log.Count("Complete"), 1);
    EXPECT_EQ(Log.Count("Stop"), 1);
    const auto values = Log.ProgressValues();
    EXPECT_EQ(values.back(), 100);
    EXPECT_EQ(values[values.size() - 2], 96);
    EXPECT_TRUE(test::SamePixels(Player.ScreenBitmap(), StartPicture));
}

TEST_F(FrameLoop, ManualSwitchedOffAtTheEndFinishesAtOnce) {
    Player.SetManual(true);
    Player.Execute();
    Player.SetProgress(100);
    EXPECT_TRUE(Player.Busy());  // reaching the end by assignment does not finish
    Player.SetThreaded(false);
    Player.SetManual(false);
    EXPECT_FALSE(Player.Busy());
    EXPECT_EQ(Log.Count("Complete"), 1);

    // Switching while idle resets the progress to where a transition starts, without drawing.
    Player.SetManual(true);
    EXPECT_EQ(Player.Progress(), 0);
    EXPECT_TRUE(test::SamePixels(Player.ScreenBitmap(), StartPicture));
    Player.SetManual(false);
    Player.SetReverse(true);
    Player.SetManual(true);
    EXPECT_EQ(Player.Progress(), 100);
}

TEST_F(FrameLoop, ReverseRunsDownToTheOldFrame) {
    Player.SetReverse(true);
    Player.Execute();
    RunToEnd();
    EXPECT_EQ(Log.Entries().front().Progress, 100);  // at OnStart
    const auto values = Log.ProgressValues();
    EXPECT_EQ(values, Progression(4, true));
    EXPECT_EQ(values.front(), 96);
    EXPECT_EQ(values.back(), 0);
    EXPECT_TRUE(test::SamePixels(Player.ScreenBitmap(), StartOld));
    EXPECT_EQ(Log.Count("Complete"), 1);
}

TEST_F(FrameLoop, TheLastFrameIsExactlyTheEndWhateverTheStep) {
    const struct {
        int Step;
        size_t Frames;
    } cases[] = {{3, 34}, {4, 25}, {7, 15}, {100, 1}};
    for (const auto& c : cases) {
        TTransitionPlayer p;
        TEventLog log;
        log.Attach(p);
        p.SetPicture(test::PatternPicture(16, 16, 3));
        p.SetDelay(0);
        p.SetStep(c.Step);
        p.Execute();
        ASSERT_TRUE(WaitUntil([&] { return !p.Busy(); }));
        const auto values = log.ProgressValues();
        ASSERT_EQ(values.size(), c.Frames) << "step " << c.Step;
        EXPECT_EQ(values.back(), 100);
        if (c.Frames > 1) {
            EXPECT_EQ(values[values.size() - 2], (100 - 1) / c.Step * c.Step);
        }
        EXPECT_EQ(log.Count("Complete"), 1);
    }
}

TEST_F(FrameLoop, ExactTimingScalesTheStepAfterASlowFrame) {
    const struct {
        bool Threaded, Exact;
    } cases[] = {{true, false}, {true, true}, {false, true}};
    for (const auto& c : cases) {
        TTransitionPlayer p;
        TEventLog log;
        log.Attach(p);
        p.SetPicture(test::PatternPicture(16, 16, 3));
        p.SetThreaded(c.Threaded);
        p.SetExactTiming(c.Exact);
        p.SetDelay(10);
        // The first frame takes at least 60 ms: six times the delay.
        p.OnAfterNewFrame = [](TCustomTransitionPlayer& sender, Bitmap32&, Bitmap32&) {
            if (sender.Progress() == 4) std::this_thread::sleep_for(std::chrono::milliseconds(60));
        };
        p.Execute();
        ASSERT_TRUE(WaitUntil([&] { return !p.Busy(); }));
        const auto values = log.ProgressValues();
        ASSERT_GE(values.size(), 2u);
        EXPECT_EQ(values[0], 4);
        if (c.Exact) {
            EXPECT_GE(values[1] - values[0], 24) << "threaded " << c.Threaded;
        } else {
            EXPECT_EQ(values[1] - values[0], 4);
        }
        EXPECT_EQ(values.back(), 100);
    }
}

TEST_F(FrameLoop, OnCompleteMayStartTheNextTransitionAtOnce) {
    for (bool threaded : {true, false}) {
        TTransitionPlayer p;
        TEventLog log;
        p.SetPicture(test::PatternPicture(16, 12, 3));
        p.SetThreaded(threaded);
        p.SetDelay(0);
        p.SetStep(25);
        log.Attach(p);
        int completions = 0;
        p.OnComplete = [&](TCustomTransitionPlayer& sender) {
            log.Add("Complete", sender.Progress());
            EXPECT_FALSE(sender.Busy());
            if (++completions < 3) sender.Execute();
        };
        p.Execute();
        ASSERT_TRUE(WaitUntil([&] { return completions == 3 && !p.Busy(); }));
        // OnStop of a finished transition follows the start of the next one; unthreaded, the
        // next transition runs whole inside the handler, one call deeper each time.
        std::vector<std::string> ends;
        for (const auto& name : log.Names())
            if (name == "Start" || name == "Complete" || name == "Stop") ends.push_back(name);
        const std::vector<std::string> expected =
            threaded ? std::vector<std::string>{"Start", "Complete", "Start", "Stop", "Complete",
                                                "Start", "Stop", "Complete", "Stop"}
                     : std::vector<std::string>{"Start", "Complete", "Start", "Complete", "Start",
                                                "Complete", "Stop", "Stop", "Stop"};
        EXPECT_EQ(ends, expected) << "threaded " << threaded;
    }
}

TEST_F(FrameLoop, AFailingFrameOnTheWorkerEndsTheTransitionAndReportsTheError) {
    Player.OnBeforeNewFrame = [](TCustomTransitionPlayer& sender, Bitmap32&, Bitmap32&) {
        if (sender.Progress() == 8) throw std::runtime_error("frame failed");
    };
    Player.Execute();
    RunToEnd();
    EXPECT_EQ(test::TTestApplication::TakeErrors(), std::vector<std::string>{"frame failed"});
    EXPECT_EQ(Player.AnimThread(), nullptr);
    EXPECT_EQ(Log.Count("Complete"), 0);
    EXPECT_EQ(Log.Count("Stop"), 1);

    // Unthreaded, the error reaches the caller of Execute with the transition cleaned up.
    Player.SetThreaded(false);
    EXPECT_THROW(Player.Execute(), std::runtime_error);
    EXPECT_FALSE(Player.Busy());
    EXPECT_EQ(Log.Count("Stop"), 1);
    Player.OnBeforeNewFrame = nullptr;
    Player.Execute();
    EXPECT_EQ(Log.Count("Complete"), 1);
}

TEST_F(FrameLoop, TheWorkerRunsAtThePlayersPriority) {
    for (TThreadPriority priority : {tpIdle, tpLower}) {
        TTransitionPlayer p;
        p.SetPicture(test::PatternPicture(8, 8, 3));
        p.SetDelay(0);
        p.SetStep(50);
        p.SetThreadPriority(priority);
        std::atomic<int> policy{-1}, nice{-100};
        p.OnAfterNewFrame = [&](TCustomTransitionPlayer&, Bitmap32&, Bitmap32&) {
            policy = sched_getscheduler(0);
            nice = getpriority(PRIO_PROCESS, 0);
        };
        p.Execute();
        ASSERT_TRUE(WaitUntil([&] { return !p.Busy(); }));
        if (priority == tpIdle) {
            EXPECT_EQ(policy, SCHED_IDLE);
        } else {
            EXPECT_EQ(policy, SCHED_OTHER);
            EXPECT_EQ(nice, std::min(19, getpriority(PRIO_PROCESS, 0) + NiceOffsetOf(tpLower)));
        }
    }
}

TEST_F(FrameLoop, AStopFromAMessageEndsTheUnthreadedLoop) {
    Player.SetThreaded(false);
    Player.SetDelay(40);
    QTimer::singleShot(100, &Player, [&] { Player.Stop(); });
    Player.Execute();  // returns once the stop has finished the transition
    EXPECT_FALSE(Player.Busy());
    EXPECT_LT(Player.Progress(), 100);
    EXPECT_GT(Player.Progress(), 0);
    EXPECT_EQ(Log.Count("Complete"), 0);
    EXPECT_EQ(Log.Count("Stop"), 1);
    EXPECT_EQ(Log.Names().back(), "Stop");
}

TEST_F(FrameLoop, DestroyingAPlayerMidTransitionEndsItQuietly) {
    auto* p = new TTransitionPlayer;
    TEventLog log;
    log.Attach(*p);
    p->SetPicture(test::PatternPicture(16, 16, 3));
    p->SetDelay(20);
    p->show();
    p->Execute();
    ASSERT_TRUE(WaitUntil([&] { return p->Progress() >= 8; }));
    delete p;
    EXPECT_EQ(log.Count("Stop") + log.Count("Complete"), 0);
}

}  // namespace
}  // namespace corvane
