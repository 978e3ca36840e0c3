#pragma once

#include <deque>
#include <functional>
#include <mutex>

#include "veltro/ports/ui_dispatcher.h"

namespace test_support {

// The user-interface thread of a test. Inline, posted work runs at once on
// the posting thread; queued, it waits until the test drains it on its own
// thread, as a front-end's event loop would run it later.
class FakeDispatcher final : public veltro::UiDispatcher {
  public:
    enum class Mode { Inline, Queued };
    explicit FakeDispatcher(Mode mode = Mode::Queued) : m_mode(mode) {}

    void post(std::function<void()> work) override {
        if (m_mode == Mode::Inline) {
            work();
            return;
        }
        std::lock_guard lock(m_mutex);
        m_queue.push_back(std::move(work));
        ++m_posted;
    }

    // Runs what is queued, including work that the work posts; the number run.
    int drain() {
        int ran = 0;
        for (;;) {
            std::function<void()> work;
            {
                std::lock_guard lock(m_mutex);
                if (m_queue.empty())
                    return ran;
                work = std::move(m_queue.front());
                m_queue.pop_front();
            }
            work();
            ++ran;
        }
    }
    std::size_t queued() const {
        std::lock_guard lock(m_mutex);
        return m_queue.size();
    }
    std::size_t posted() const {
        std::lock_guard lock(m_mutex);
        return m_posted;
    }

  private:
    Mode m_mode;
    mutable std::mutex m_mutex;
    std::deque<std::function<void()>> m_queue;
    std::size_t m_posted = 0;
};

}  // namespace test_support
