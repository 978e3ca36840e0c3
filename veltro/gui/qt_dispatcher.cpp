#include "veltro/gui/qt_dispatcher.h"

#include <QMetaObject>
#include <utility>

namespace veltro::gui {

void QtDispatcher::post(std::function<void()> work) {
    {
        std::lock_guard lock(m_mutex);
        m_queue.push_back(std::move(work));
        if (std::exchange(m_drainPosted, true))
            return;
    }
    QMetaObject::invokeMethod(
        &m_context, [this] { drain(); }, Qt::QueuedConnection);
}

void QtDispatcher::drain() {
    // One round runs what was queued when it began. Work posted meanwhile
    // waits for the next round, queued behind the events that came in the
    // meantime, so a busy link cannot keep the window from painting.
    std::deque<std::function<void()>> round;
    {
        std::lock_guard lock(m_mutex);
        round.swap(m_queue);
    }
    for (auto& work : round)
        work();
    {
        std::lock_guard lock(m_mutex);
        if (m_queue.empty()) {
            m_drainPosted = false;
            return;
        }
    }
    QMetaObject::invokeMethod(
        &m_context, [this] { drain(); }, Qt::QueuedConnection);
}

std::size_t QtDispatcher::pending() const {
    std::lock_guard lock(m_mutex);
    return m_queue.size();
}

}  // namespace veltro::gui
