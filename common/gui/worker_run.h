#pragma once

#include <QObject>
#include <QThread>
#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <thread>
#include <type_traits>
#include <utility>

namespace common::gui {

// Runs one job at a time on a worker thread while the GUI thread goes on
// painting. The job reaches the GUI thread in two ways: work it posts runs
// there later, in the order posted; a question it asks runs there while the
// job waits for the answer (a modal box in the middle of a run). Everything
// runs in the context of `receiver`, a GUI-thread object that must outlive
// this run object.
class WorkerRun {
  public:
    explicit WorkerRun(QObject& receiver);
    // Abandons the questions and waits for the job.
    ~WorkerRun();
    WorkerRun(const WorkerRun&) = delete;
    WorkerRun& operator=(const WorkerRun&) = delete;

    // GUI thread: starts `job` (no arguments, any result) on a worker thread
    // and returns at once; false, and nothing started, while a job runs. When
    // the job has returned, `finished` runs on the GUI thread with its result
    // (without one for a void job), after everything the job posted; the run
    // is no longer running by then, so `finished` may start the next job.
    // Questions of the new job are answered again after an earlier
    // abandonQuestionsAndWait().
    template <typename Job, typename Finished>
    bool start(Job job, Finished finished);

    // Any thread: `work` runs on the GUI thread, after what was posted before.
    void post(std::function<void()> work);

    // From the job: runs `question` on the GUI thread and returns its result
    // (not void); nothing when it is abandoned before it is answered
    // (abandonQuestionsAndWait() or the destructor). The question must own
    // what it uses: it may still be on the GUI thread's stack when a stopped
    // run has moved on.
    // Asked on the GUI thread itself, the question runs at once.
    template <typename Question>
    auto ask(Question question) -> std::optional<std::invoke_result_t<Question&>>;

    // True from start() until the job has returned.
    bool running() const { return m_running.load(std::memory_order_acquire); }

    // GUI thread: abandons the job's questions and blocks until the job has
    // returned. A question it asks from now on, or waits on now, gets no
    // answer: the GUI thread cannot show it while it waits. Posted work still
    // arrives (QCoreApplication's sendPostedEvents() delivers it when the
    // event loop has ended). The next start() answers questions again.
    void abandonQuestionsAndWait();

  private:
    struct Exchange;
    struct PendingQuestion;

    // `body` runs the job and gives what is to run on the GUI thread after it.
    bool launch(std::function<std::function<void()>()> body);
    // Runs `work` on the GUI thread and waits; false when stopped first.
    bool runOnGuiThread(std::function<void()> work);

    QObject& m_receiver;
    QThread* m_guiThread;
    std::shared_ptr<Exchange> m_exchange;
    std::atomic<bool> m_running{false};
    std::thread m_thread;
};

template <typename Job, typename Finished>
bool WorkerRun::start(Job job, Finished finished) {
    using Result = std::invoke_result_t<Job&>;
    return launch(
        [job = std::move(job), finished = std::move(finished)]() mutable -> std::function<void()> {
            if constexpr (std::is_void_v<Result>) {
                job();
                return std::move(finished);
            } else {
                return [finished = std::move(finished), result = job()]() mutable {
                    finished(std::move(result));
                };
            }
        });
}

template <typename Question>
auto WorkerRun::ask(Question question) -> std::optional<std::invoke_result_t<Question&>> {
    using Answer = std::invoke_result_t<Question&>;
    static_assert(!std::is_void_v<Answer>, "a question has an answer");
    // The answer lives apart from this frame: a stopped run may leave a
    // question on the GUI thread that still writes it.
    auto answer = std::make_shared<std::optional<Answer>>();
    const bool answered = runOnGuiThread(
        [answer, question = std::move(question)]() mutable { *answer = question(); });
    if (!answered) {
        return std::nullopt;
    }
    return std::move(*answer);
}

}  // namespace common::gui
