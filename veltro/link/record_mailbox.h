#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <list>
#include <map>
#include <mutex>
#include <tuple>

#include "veltro/link/life_token.h"
#include "veltro/ports/record_sink.h"
#include "veltro/ports/ui_dispatcher.h"

namespace veltro::link {

// A record as it crossed from the reader thread: stamped with the show
// generation in force when it was decoded.
struct StampedRecord {
    ControllerRecord record;
    std::uint32_t generation = 0;
};

// Carries the shown window's records from the reader thread to the
// user-interface thread. The reader stamps each record and leaves it here;
// one drain is posted for all that arrive until it runs, and a newer report
// for the same object replaces the pending one (the last value wins). The
// drain hands on, in arrival order of their last reports, the records whose
// stamp is still current: a record decoded before a window switch is dropped,
// so it never reaches the window shown after it.
class RecordMailbox : public RecordSink {
  public:
    // Distinct objects waiting at most; beyond it a report is dropped and
    // counted (only a controller inventing objects gets there).
    static constexpr std::size_t kCapacity = 8192;

    explicit RecordMailbox(UiDispatcher& dispatcher) : m_dispatcher(dispatcher) {}
    RecordMailbox(const RecordMailbox&) = delete;
    RecordMailbox& operator=(const RecordMailbox&) = delete;

    // User-interface thread: where drained records go (none: dropped).
    void setTarget(RecordSink* target) { m_target = target; }
    // User-interface thread: records stamped before now are stale.
    void newGeneration() { m_generation.fetch_add(1, std::memory_order_acq_rel); }
    std::uint32_t generation() const { return m_generation.load(std::memory_order_acquire); }

    // Reader thread.
    void deliver(const ControllerRecord& record) override;

    // User-interface thread (the posted work calls it).
    void drain();

    std::size_t pending() const;
    std::size_t overflowed() const;

  private:
    using Key = std::tuple<std::int32_t, std::int32_t, std::int32_t>;
    using Queue = std::list<StampedRecord>;

    UiDispatcher& m_dispatcher;
    RecordSink* m_target = nullptr;
    std::atomic<std::uint32_t> m_generation{0};
    mutable std::mutex m_mutex;
    Queue m_queue;                              // arrival order of the last reports
    std::map<Key, Queue::iterator> m_byObject;  // the pending report of each object
    bool m_drainPosted = false;
    std::size_t m_overflowed = 0;
    LifeToken m_life;
};

}  // namespace veltro::link
