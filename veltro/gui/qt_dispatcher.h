#pragma once

#include <QObject>
#include <deque>
#include <functional>
#include <mutex>

#include "veltro/ports/ui_dispatcher.h"

namespace veltro::gui {

// Runs posted work on the thread that made the dispatcher (the GUI thread),
// in the order posted, from its event loop. Any thread may post; post never
// waits. The work is handed over through a queue of our own, so that the
// hand-over is visible to ThreadSanitizer; one queued call drains it.
// Destroying the dispatcher drops work not yet run: make it before, and
// destroy it after, everything that posts to it.
class QtDispatcher final : public UiDispatcher {
  public:
    QtDispatcher() = default;
    QtDispatcher(const QtDispatcher&) = delete;
    QtDispatcher& operator=(const QtDispatcher&) = delete;

    void post(std::function<void()> work) override;

    // Work posted and not yet run.
    std::size_t pending() const;

  private:
    void drain();

    QObject m_context;
    mutable std::mutex m_mutex;
    std::deque<std::function<void()>> m_queue;
    bool m_drainPosted = false;
};

}  // namespace veltro::gui
