// Handlers that call back into the player: Stop from any handler leaves no worker behind and the
// next transition runs as usual; a handler may change the style, repaint and process events on
// the thread it runs on without locking itself out.

#include <gtest/gtest.h>

#include <QCoreApplication>

#include <algorithm>

#include "player/PlayerFixtures.h"

namespace corvane {
namespace {

using test::TEventLog;
using test::WaitUntil;

enum class THandler { Start, Before, Custom, After, Progress };

const char* NameOf(THandler h) {
    switch (h) {
        case THandler::Start:
            return "OnStart";
        case THandler::Before:
            return "OnBeforeNewFrame";
        case THandler::Custom:
            return "OnCustomDraw";
        case THandler::After:
            return "OnAfterNewFrame";
        case THandler::Progress:
            return "OnProgress";
    }
    return "";
}

// Replaces one handler of the logged player by one that logs and then acts, once or always.
void Hook(TCustomTransitionPlayer& player, TEventLog& log, THandler handler,
          std::function<void(TCustomTransitionPlayer&)> act) {
    auto draw = [&log, act](const char* name) {
        return [&log, act, name](TCustomTransitionPlayer& sender, Bitmap32&, Bitmap32&) {
            log.Add(name, sender.Progress());
            act(sender);
        };
    };
    switch (handler) {
        case THandler::Start:
            player.OnStart = draw("Start");
            break;
        case THandler::Before:
            player.OnBeforeNewFrame = draw("Before");
            break;
        case THandler::Custom:
            player.OnCustomDraw = draw("Custom");
            break;
        case THandler::After:
            player.OnAfterNewFrame = draw("After");
            break;
        case THandler::Progress:
            player.OnProgress = [&log, act](TCustomTransitionPlayer& sender) {
                log.Add("Progress", sender.Progress());
                act(sender);
            };
            break;
    }
}

// The events of one whole transition of custom drawing (style 0) with step 25.
std::vector<std::string> NormalTransition() {
    return {"Start",    "Before", "Custom",   "After",    "Progress", "Before",
            "Custom",   "After",  "Progress", "Before",   "Custom",   "After",
            "Progress", "Before", "After",    "Progress", "Complete", "Stop"};
}

class Reentry : public ::testing::TestWithParam<bool> {
  protected:
    TTransitionPlayer Player;
    TEventLog Log;

    void SetUp() override {
        test::TTestApplication::TakeErrors();
        Player.resize(64, 48);
        Player.show();
        Player.SetThreaded(GetParam());
        Player.SetStyle(0);  // custom drawing, so that OnCustomDraw runs too
        Player.SetStep(25);
        Player.SetDelay(1);
        Player.SetPicture(test::PatternPicture(32, 24, 1));
        Log.Attach(Player);
    }

    void RunToEnd() {
        ASSERT_TRUE(WaitUntil([&] { return !Player.Busy(); }));
    }
};

TEST_P(Reentry, StopFromAnyHandlerLeavesNoWorkerAndTheNextTransitionIsNormal) {
    for (THandler h : {THandler::Start, THandler::Before, THandler::Custom, THandler::After,
                       THandler::Progress}) {
        SCOPED_TRACE(NameOf(h));
        TEventLog log;
        log.Attach(Player);
        bool stopped = false;
        Hook(Player, log, h, [&](TCustomTransitionPlayer& sender) {
            if (stopped) return;
            stopped = true;
            sender.Stop();
        });
        Player.Execute();
        RunToEnd();
        // Stopped: OnStop ends it without OnComplete, and no further frame follows (on the
        // control's thread the stop is at once, so the rest of the frame in progress comes
        // after OnStop).
        WaitUntil([] { return false; }, 60);
        EXPECT_EQ(Player.AnimThread(), nullptr);
        EXPECT_EQ(log.Count("Complete"), 0);
        EXPECT_EQ(log.Count("Stop"), 1);
        const std::vector<std::string> names = log.Names();
        const auto stop = std::find(names.begin(), names.end(), "Stop");
        EXPECT_EQ(std::find(stop, names.end(), "Before"), names.end());
        if (GetParam()) {
            EXPECT_EQ(names.back(), "Stop");
        }

        TEventLog next;
        next.Attach(Player);
        Player.Execute();
        RunToEnd();
        WaitUntil([] { return false; }, 60);
        EXPECT_EQ(next.Names(), NormalTransition());
        EXPECT_EQ(next.ProgressValues(), (std::vector<int>{25, 50, 75, 100}));
        EXPECT_EQ(Player.AnimThread(), nullptr);
    }
    EXPECT_TRUE(test::TTestApplication::TakeErrors().empty());
}

TEST_P(Reentry, HandlersMayCallBackIntoThePlayer) {
    const bool onControlThread = !GetParam();
    for (THandler h : {THandler::Start, THandler::Before, THandler::Custom, THandler::After,
                       THandler::Progress}) {
        SCOPED_TRACE(NameOf(h));
        TEventLog log;
        log.Attach(Player);
        int calls = 0;
        Hook(Player, log, h, [&](TCustomTransitionPlayer& sender) {
            ++calls;
            // The style is written under the frame lock, which a per-frame handler holds.
            sender.SetStyle(calls % 2 ? 5 : 0);
            sender.SetStyle(0);
            (void)sender.Busy();
            (void)sender.Progress();
            // On the control's own thread a handler may also repaint and let events run.
            if (onControlThread || h == THandler::Start) {
                sender.repaint();
                QCoreApplication::processEvents();
            }
        });
        Player.Execute();
        RunToEnd();
        EXPECT_GT(calls, 0);
        EXPECT_EQ(log.Count("Complete"), 1);
        EXPECT_EQ(log.Names().back(), "Stop");
        EXPECT_EQ(Player.Progress(), 100);
    }
    EXPECT_TRUE(test::TTestApplication::TakeErrors().empty());
}

INSTANTIATE_TEST_SUITE_P(Player, Reentry, ::testing::Values(true, false),
                         [](const auto& info) { return info.param ? "Threaded" : "Unthreaded"; });

}  // namespace
}  // namespace corvane
