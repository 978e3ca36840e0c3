#pragma once

#include <QObject>
#include <chrono>
#include <functional>
#include <map>

#include "veltro/ports/one_shot_timers.h"

class QTimer;

namespace veltro::gui {

// The poll cycle's one-shot timers as single-shot QTimers: they fire on the
// GUI thread, which owns the item state. Pending timers die with this object.
class QtOneShotTimers final : public OneShotTimers {
  public:
    QtOneShotTimers() = default;
    ~QtOneShotTimers() override;
    QtOneShotTimers(const QtOneShotTimers&) = delete;
    QtOneShotTimers& operator=(const QtOneShotTimers&) = delete;

    TimerId start(std::chrono::milliseconds delay, std::function<void()> callback) override;
    void cancel(TimerId id) override;

    std::size_t pending() const { return m_timers.size(); }

  private:
    QObject m_owner;  // parent of the timers
    std::map<TimerId, QTimer*> m_timers;
    TimerId m_next = 1;
};

}  // namespace veltro::gui
