// The Qt adapters of the logic's ports: the dispatcher, the one-shot timers,
// the clock that keeps the window painting, and the message boxes.
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <atomic>
#include <thread>
#include <vector>

#include "main_window_rig.h"
#include "veltro/gui/qt_clock.h"
#include "veltro/gui/qt_dispatcher.h"
#include "veltro/gui/qt_prompts.h"
#include "veltro/gui/qt_timers.h"

namespace veltro::gui {
namespace {

using test_support::whenModal;

TEST(QtDispatcher, WorkFromAnyThreadRunsOnTheGuiThreadInOrder) {
    QtDispatcher dispatcher;
    constexpr int kThreads = 4;
    constexpr int kEach = 500;
    std::vector<std::vector<int>> seen(kThreads);
    std::atomic<int> offThread{0};
    std::vector<std::thread> posters;
    for (int t = 0; t < kThreads; ++t) {
        posters.emplace_back([&, t] {
            for (int i = 0; i < kEach; ++i) {
                dispatcher.post([&, t, i] {
                    if (QThread::currentThread() != qApp->thread())
                        ++offThread;
                    seen[static_cast<std::size_t>(t)].push_back(i);
                });
            }
        });
    }
    for (auto& p : posters)
        p.join();
    EXPECT_EQ(seen[0].size(), 0u);  // nothing runs before the event loop does
    EXPECT_EQ(dispatcher.pending(), static_cast<std::size_t>(kThreads * kEach));
    QTRY_COMPARE(dispatcher.pending(), std::size_t{0});
    for (const auto& one : seen) {
        ASSERT_EQ(one.size(), static_cast<std::size_t>(kEach));
        EXPECT_TRUE(std::is_sorted(one.begin(), one.end()));
    }
    EXPECT_EQ(offThread.load(), 0);
}

// Work that posts more work never keeps the event loop to itself: the new
// work runs in a later round, after the events that came in between.
TEST(QtDispatcher, WorkPostedByWorkWaitsForTheNextRound) {
    QtDispatcher dispatcher;
    std::vector<std::string> order;
    dispatcher.post([&] {
        order.push_back("first");
        dispatcher.post([&] { order.push_back("posted by first"); });
        QTimer::singleShot(0, [&] { order.push_back("event"); });
    });
    dispatcher.post([&] { order.push_back("second"); });
    QTRY_COMPARE(order.size(), std::size_t{4});
    EXPECT_EQ(order, (std::vector<std::string>{"first", "second", "event", "posted by first"}));

    // Work left when the dispatcher goes is dropped, not run later.
    bool ran = false;
    {
        QtDispatcher gone;
        gone.post([&] { ran = true; });
    }
    QTest::qWait(20);
    EXPECT_FALSE(ran);
}

TEST(QtOneShotTimers, FireOnceUnlessCancelledAndMayStartOthers) {
    QtOneShotTimers timers;
    std::vector<std::string> fired;
    const auto cancelled =
        timers.start(std::chrono::milliseconds(5), [&] { fired.push_back("x"); });
    timers.start(std::chrono::milliseconds(10), [&] {
        fired.push_back("a");
        timers.start(std::chrono::milliseconds(1), [&] { fired.push_back("b"); });
    });
    EXPECT_NE(cancelled, OneShotTimers::kNoTimer);
    EXPECT_EQ(timers.pending(), 2u);
    timers.cancel(cancelled);
    timers.cancel(cancelled);  // twice: nothing
    QTRY_COMPARE(fired.size(), std::size_t{2});
    EXPECT_EQ(fired, (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(timers.pending(), 0u);
    QTest::qWait(20);
    EXPECT_EQ(fired.size(), 2u);

    // Timers pending when their owner goes never fire.
    bool late = false;
    {
        QtOneShotTimers gone;
        gone.start(std::chrono::milliseconds(1), [&] { late = true; });
    }
    QTest::qWait(20);
    EXPECT_FALSE(late);
}

TEST(QtClock, AWaitLetsTheWindowGoOnAndEndsOnTime) {
    QtClock clock;
    bool painted = false;
    QTimer::singleShot(5, [&] { painted = true; });
    QElapsedTimer elapsed;
    elapsed.start();
    const auto start = clock.now();
    clock.waitFor(std::chrono::milliseconds(60));
    EXPECT_GE(clock.now() - start, std::chrono::milliseconds(60));
    EXPECT_GE(elapsed.elapsed(), 59);
    EXPECT_TRUE(painted);  // events ran during the wait
    const auto now = clock.now();
    clock.waitUntil(now - std::chrono::milliseconds(5));  // a moment past: at once
    EXPECT_LT(clock.now() - now, std::chrono::milliseconds(5));
}

TEST(QtPrompts, BoxesHaveTheSystemsCaptionTextAndIcon) {
    QtPrompts prompts;
    QString caption, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    Qt::TextFormat format = Qt::AutoText;
    auto look = [&](QWidget& widget) {
        auto& box = static_cast<QMessageBox&>(widget);
        caption = box.windowTitle();
        text = box.text();
        icon = box.icon();
        format = box.textFormat();
    };
    whenModal([&](QWidget& w) {
        look(w);
        static_cast<QMessageBox&>(w).button(QMessageBox::Ok)->click();
    });
    prompts.messageBox("VELTRO", "LOG : Geen geldig argument.\nArgument[0]: <b>X</b>",
                       PromptIcon::Error);
    EXPECT_EQ(caption, "VELTRO");
    EXPECT_EQ(text, "LOG : Geen geldig argument.\nArgument[0]: <b>X</b>");
    EXPECT_EQ(icon, QMessageBox::Critical);
    EXPECT_EQ(format, Qt::PlainText);

    for (const bool yes : {true, false}) {
        whenModal([&](QWidget& w) {
            look(w);
            static_cast<QMessageBox&>(w).button(yes ? QMessageBox::Yes : QMessageBox::No)->click();
        });
        EXPECT_EQ(prompts.askYesNo("VELTRO", "Opslaan?", PromptIcon::Question), yes);
        EXPECT_EQ(icon, QMessageBox::Question);
    }

    whenModal([](QWidget& w) {
        auto& dialog = static_cast<QInputDialog&>(w);
        dialog.setTextValue(QStringLiteral("antwoord"));
        dialog.accept();
    });
    EXPECT_EQ(prompts.askText("VELTRO", "Naam:", "begin"), std::optional<std::string>("antwoord"));
    whenModal([](QWidget& w) { static_cast<QDialog&>(w).reject(); });
    EXPECT_EQ(prompts.askText("VELTRO", "Naam:", "begin"), std::nullopt);
}

}  // namespace
}  // namespace veltro::gui
