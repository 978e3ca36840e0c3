#include "veltro/gui/qt_timers.h"

#include <QTimer>
#include <utility>

namespace veltro::gui {

QtOneShotTimers::~QtOneShotTimers() {
    for (auto& [id, timer] : m_timers)
        timer->stop();
}

OneShotTimers::TimerId QtOneShotTimers::start(std::chrono::milliseconds delay,
                                              std::function<void()> callback) {
    const TimerId id = m_next++;
    if (m_next < 1)
        m_next = 1;  // ids stay positive; kNoTimer is never handed out
    auto* timer = new QTimer(&m_owner);
    timer->setSingleShot(true);
    timer->setTimerType(Qt::PreciseTimer);
    QObject::connect(timer, &QTimer::timeout, timer,
                     [this, id, timer, callback = std::move(callback)] {
                         // Forgotten first: the callback may start or cancel timers.
                         m_timers.erase(id);
                         timer->deleteLater();
                         callback();
                     });
    m_timers.emplace(id, timer);
    timer->start(delay);
    return id;
}

void QtOneShotTimers::cancel(TimerId id) {
    const auto found = m_timers.find(id);
    if (found == m_timers.end())
        return;
    found->second->stop();
    found->second->deleteLater();
    m_timers.erase(found);
}

}  // namespace veltro::gui
