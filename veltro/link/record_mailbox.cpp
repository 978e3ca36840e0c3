#include "veltro/link/record_mailbox.h"

#include <utility>

namespace veltro::link {

void RecordMailbox::deliver(const ControllerRecord& record) {
    const StampedRecord stamped{record, generation()};
    const Key key{record.functionCode, record.index, record.secondIndex};
    bool post = false;
    {
        std::lock_guard lock(m_mutex);
        const auto found = m_byObject.find(key);
        if (found != m_byObject.end()) {
            // Moved to the end, so that the order of last reports is kept.
            m_queue.erase(found->second);
            found->second = m_queue.insert(m_queue.end(), stamped);
        } else if (m_byObject.size() < kCapacity) {
            m_byObject.emplace(key, m_queue.insert(m_queue.end(), stamped));
        } else {
            ++m_overflowed;
            return;
        }
        post = !std::exchange(m_drainPosted, true);
    }
    if (post) {
        m_dispatcher.post([this, alive = m_life.watch()] {
            if (!alive.expired())
                drain();
        });
    }
}

void RecordMailbox::drain() {
    Queue taken;
    {
        std::lock_guard lock(m_mutex);
        taken.swap(m_queue);
        m_byObject.clear();
        m_drainPosted = false;
    }
    // Outside the lock: the target may take its time, the reader goes on.
    for (const StampedRecord& stamped : taken) {
        if (stamped.generation != generation() || m_target == nullptr)
            continue;
        m_target->deliver(stamped.record);
    }
}

std::size_t RecordMailbox::pending() const {
    std::lock_guard lock(m_mutex);
    return m_queue.size();
}

std::size_t RecordMailbox::overflowed() const {
    std::lock_guard lock(m_mutex);
    return m_overflowed;
}

}  // namespace veltro::link
