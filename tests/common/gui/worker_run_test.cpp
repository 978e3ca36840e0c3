#include "common/gui/worker_run.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTest>
#include <QTimer>
#include <future>
#include <string>
#include <vector>

namespace common::gui {
namespace {

bool onGuiThread() {
    return QThread::currentThread() == QCoreApplication::instance()->thread();
}

TEST(WorkerRun, PostedWorkArrivesInOrderOnTheGuiThreadThenTheResult) {
    QObject receiver;
    WorkerRun run(receiver);
    std::vector<int> seen;
    bool allOnGuiThread = true;
    std::optional<int> result;
    std::size_t seenAtResult = 0;
    ASSERT_TRUE(run.start(
        [&] {
            for (int i = 0; i < 1000; ++i) {
                run.post([&, i] {
                    seen.push_back(i);
                    allOnGuiThread = allOnGuiThread && onGuiThread();
                });
            }
            return 42;
        },
        [&](int value) {
            result = value;
            seenAtResult = seen.size();
            allOnGuiThread = allOnGuiThread && onGuiThread();
        }));
    ASSERT_TRUE(QTest::qWaitFor([&] { return result.has_value(); }, 10000));
    EXPECT_EQ(*result, 42);
    EXPECT_EQ(seenAtResult, 1000u) << "the result comes after every posted line";
    ASSERT_EQ(seen.size(), 1000u);
    for (int i = 0; i < 1000; ++i) {
        ASSERT_EQ(seen[static_cast<std::size_t>(i)], i);
    }
    EXPECT_TRUE(allOnGuiThread);
    EXPECT_FALSE(run.running());
}

TEST(WorkerRun, TheGuiThreadGoesOnWhileTheJobWorks) {
    QObject receiver;
    WorkerRun run(receiver);
    std::promise<void> release;
    std::future<void> released = release.get_future();
    bool finished = false;
    bool timedOut = false;
    // The job waits for the GUI thread: start() must return and the event
    // loop must run for it to go on.
    ASSERT_TRUE(run.start(
        [&] {
            timedOut = released.wait_for(std::chrono::seconds(10)) != std::future_status::ready;
        },
        [&] { finished = true; }));
    EXPECT_TRUE(run.running());
    EXPECT_FALSE(run.start([] {}, [] {})) << "one job at a time";
    QTimer::singleShot(0, &receiver, [&] { release.set_value(); });
    ASSERT_TRUE(QTest::qWaitFor([&] { return finished; }, 10000));
    EXPECT_FALSE(timedOut);

    // The same run object takes the next job.
    std::optional<std::string> second;
    ASSERT_TRUE(run.start([] { return std::string("weer"); },
                          [&](std::string text) { second = std::move(text); }));
    ASSERT_TRUE(QTest::qWaitFor([&] { return second.has_value(); }, 10000));
    EXPECT_EQ(*second, "weer");
}

TEST(WorkerRun, AQuestionIsAnsweredOnTheGuiThreadWhileTheJobWaits) {
    QObject receiver;
    WorkerRun run(receiver);
    std::vector<std::string> lines;
    std::vector<std::string> linesWhenAsked;
    bool askedOnGuiThread = false;
    std::optional<std::string> result;
    ASSERT_TRUE(run.start(
        [&] {
            run.post([&] { lines.push_back("voor"); });
            const std::optional<std::string> answer = run.ask([&] {
                askedOnGuiThread = onGuiThread();
                linesWhenAsked = lines;
                // A modal box runs its own event loop; the run stays put.
                QTest::qWait(20);
                return std::string("Ja");
            });
            run.post([&] { lines.push_back("na"); });
            return answer.value_or("geen antwoord");
        },
        [&](std::string answer) { result = std::move(answer); }));
    ASSERT_TRUE(QTest::qWaitFor([&] { return result.has_value(); }, 10000));
    EXPECT_EQ(*result, "Ja");
    EXPECT_TRUE(askedOnGuiThread);
    EXPECT_EQ(linesWhenAsked, std::vector<std::string>{"voor"});
    EXPECT_EQ(lines, (std::vector<std::string>{"voor", "na"}));

    // Asked on the GUI thread itself, a question runs at once.
    EXPECT_EQ(run.ask([] { return 5; }), 5);
}

TEST(WorkerRun, StoppingTheRunAnswersItsQuestionWithNothing) {
    QObject receiver;
    int shown = 0;
    std::optional<bool> gotNothing;
    {
        WorkerRun run(receiver);
        ASSERT_TRUE(run.start(
            [&] {
                return !run.ask([&] {
                               ++shown;
                               return 1;
                           })
                            .has_value();
            },
            [&](bool nothing) { gotNothing = nothing; }));
        // The GUI thread waits without ever showing the question.
        run.abandonQuestionsAndWait();
        EXPECT_FALSE(run.running());
    }
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(gotNothing, true);
    EXPECT_EQ(shown, 0) << "a question of a stopped run is never shown";

    // Stopped while its question is on view (the window closes with the box
    // open): the job goes on without an answer, nothing deadlocks.
    WorkerRun run(receiver);
    gotNothing.reset();
    bool stoppedInside = false;
    ASSERT_TRUE(run.start(
        [&] {
            return !run.ask([&] {
                           run.abandonQuestionsAndWait();
                           stoppedInside = !run.running();
                           return 1;
                       })
                        .has_value();
        },
        [&](bool nothing) { gotNothing = nothing; }));
    ASSERT_TRUE(QTest::qWaitFor([&] { return gotNothing.has_value(); }, 10000));
    EXPECT_TRUE(stoppedInside);
    EXPECT_EQ(gotNothing, true);
}

// A second job after an earlier one ended: the stop an abandon left behind is
// the earlier job's, and a job started from the last one's end is taken.
TEST(WorkerRun, AJobAfterAnEarlierOneEndedGetsItsQuestionsAnswered) {
    QObject receiver;
    WorkerRun run(receiver);
    run.abandonQuestionsAndWait();  // as a dialog does before its next run
    std::optional<int> answer;
    ASSERT_TRUE(run.start([&] { return run.ask([] { return 7; }).value_or(-1); },
                          [&](int got) { answer = got; }));
    ASSERT_TRUE(QTest::qWaitFor([&] { return answer.has_value(); }, 10000));
    EXPECT_EQ(*answer, 7) << "the question of a job after an abandon is answered";

    // Abandoned while the first job was between its end and its finish, the
    // next job still gets answers.
    std::optional<bool> startedFromEnd;
    std::optional<int> second;
    ASSERT_TRUE(run.start([] { return 1; },
                          [&](int) {
                              EXPECT_FALSE(run.running());
                              run.abandonQuestionsAndWait();
                              startedFromEnd =
                                  run.start([&] { return run.ask([] { return 8; }).value_or(-1); },
                                            [&](int got) { second = got; });
                          }));
    ASSERT_TRUE(QTest::qWaitFor([&] { return second.has_value(); }, 10000));
    EXPECT_EQ(startedFromEnd, true) << "a job ended is not running when its end is told";
    EXPECT_EQ(*second, 8);
}

}  // namespace
}  // namespace common::gui

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
