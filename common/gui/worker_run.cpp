#include "common/gui/worker_run.h"

#include <QMetaObject>
#include <condition_variable>
#include <deque>
#include <mutex>

namespace common::gui {

// What the run, the worker and the GUI thread share. Posted work waits in
// `posted` and each queued call takes the oldest: the hand-over goes through
// this mutex, where ThreadSanitizer sees it, not only through Qt's queue. A
// question still queued when the run object is gone finds it stopped here
// and does not run.
struct WorkerRun::Exchange {
    std::mutex mutex;
    std::condition_variable changed;
    bool stopped = false;
    std::deque<std::function<void()>> posted;

    void runOldest() {
        std::function<void()> work;
        {
            std::lock_guard lock(mutex);
            if (posted.empty()) {
                return;
            }
            work = std::move(posted.front());
            posted.pop_front();
        }
        work();
    }
};

struct WorkerRun::PendingQuestion {
    enum class State { Queued, Showing, Answered, Abandoned };
    State state = State::Queued;
    std::function<void()> work;
};

WorkerRun::WorkerRun(QObject& receiver)
    : m_receiver(receiver),
      m_guiThread(receiver.thread()),
      m_exchange(std::make_shared<Exchange>()) {}

WorkerRun::~WorkerRun() {
    abandonQuestionsAndWait();
}

bool WorkerRun::launch(std::function<std::function<void()>()> body) {
    if (running()) {
        return false;
    }
    if (m_thread.joinable()) {
        m_thread.join();  // the earlier job has returned already
    }
    {
        // An earlier abandon was for the earlier job: this one is answered.
        std::lock_guard lock(m_exchange->mutex);
        m_exchange->stopped = false;
    }
    m_running.store(true, std::memory_order_release);
    m_thread = std::thread([this, body = std::move(body)] {
        std::function<void()> finished = body();
        // Not running before `finished` is posted: it may start the next job.
        m_running.store(false, std::memory_order_release);
        post(std::move(finished));
    });
    return true;
}

void WorkerRun::post(std::function<void()> work) {
    {
        std::lock_guard lock(m_exchange->mutex);
        m_exchange->posted.push_back(std::move(work));
    }
    QMetaObject::invokeMethod(
        &m_receiver, [exchange = m_exchange] { exchange->runOldest(); }, Qt::QueuedConnection);
}

bool WorkerRun::runOnGuiThread(std::function<void()> work) {
    if (QThread::currentThread() == m_guiThread) {
        work();
        return true;
    }
    auto question = std::make_shared<PendingQuestion>();
    question->work = std::move(work);
    std::shared_ptr<Exchange> exchange = m_exchange;
    {
        std::lock_guard lock(exchange->mutex);
        if (exchange->stopped) {
            return false;
        }
    }
    post([exchange, question] {
        {
            std::lock_guard lock(exchange->mutex);
            if (question->state != PendingQuestion::State::Queued) {
                return;
            }
            question->state = PendingQuestion::State::Showing;
        }
        question->work();
        std::lock_guard lock(exchange->mutex);
        if (question->state == PendingQuestion::State::Showing) {
            question->state = PendingQuestion::State::Answered;
        }
        exchange->changed.notify_all();
    });
    std::unique_lock lock(exchange->mutex);
    exchange->changed.wait(lock, [&] {
        return question->state == PendingQuestion::State::Answered || exchange->stopped;
    });
    if (question->state == PendingQuestion::State::Answered) {
        return true;
    }
    question->state = PendingQuestion::State::Abandoned;
    return false;
}

void WorkerRun::abandonQuestionsAndWait() {
    {
        std::lock_guard lock(m_exchange->mutex);
        m_exchange->stopped = true;
    }
    m_exchange->changed.notify_all();
    if (m_thread.joinable()) {
        m_thread.join();
    }
}

}  // namespace common::gui
