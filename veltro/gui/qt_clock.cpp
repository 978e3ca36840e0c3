#include "veltro/gui/qt_clock.h"

#include <QEventLoop>
#include <QTimer>
#include <chrono>

namespace veltro::gui {

SteadyClock::Time QtClock::now() const {
    return std::chrono::duration_cast<Time>(std::chrono::steady_clock::now().time_since_epoch());
}

void QtClock::waitUntil(Time deadline) {
    const Time left = deadline - now();
    if (left <= Time::zero())
        return;
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    timer.start(left);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    // A timer may fire a little early by the steady clock; the rest is short.
    while (now() < deadline)
        loop.processEvents(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace veltro::gui
