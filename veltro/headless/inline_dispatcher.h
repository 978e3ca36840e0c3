#pragma once

#include <functional>
#include <mutex>

#include "veltro/ports/ui_dispatcher.h"

namespace veltro::headless {

// For a run that blocks its own thread (a tool run between its pacing
// waits): work the link hands to "the user-interface thread" runs at once on
// the thread that posts it, one piece at a time. Only for work that is safe
// on any thread.
class InlineDispatcher final : public UiDispatcher {
  public:
    void post(std::function<void()> work) override {
        std::lock_guard lock(m_mutex);
        work();
    }

  private:
    std::mutex m_mutex;
};

}  // namespace veltro::headless
