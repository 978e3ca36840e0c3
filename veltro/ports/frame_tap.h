#pragma once

#include <atomic>
#include <cstdint>
#include <span>
#include <thread>

namespace veltro {

// Sees the link's traffic for a monitor: the bytes of each read that go to
// the frame decoder (in order, on the reader thread) and every write that the
// line accepted (on whichever thread wrote it). An implementation must never
// block and must take calls from several threads at once.
class FrameTap {
  public:
    virtual ~FrameTap() = default;
    virtual void bytesIn(std::span<const std::uint8_t> bytes) = 0;
    virtual void bytesOut(std::span<const std::uint8_t> bytes) = 0;
};

// The link's place for a tap. Without one a call costs one atomic load; with
// one, a count of the calls in progress lets attach() return only when the
// previous tap is no longer used, so its owner may then destroy it.
class FrameTapSlot {
  public:
    // Replaces the tap (null: none). Waits only for calls already inside the
    // old tap, which never block.
    void attach(FrameTap* tap) {
        m_tap.store(tap);
        while (m_inFlight.load() != 0)
            std::this_thread::yield();
    }
    bool attached() const { return m_tap.load(std::memory_order_relaxed) != nullptr; }

    template <class Call>
    void use(Call&& call) const {
        if (m_tap.load(std::memory_order_relaxed) == nullptr)
            return;
        // Counted before the pointer is read again: attach() either sees this
        // call in progress and waits, or this call sees the new pointer.
        m_inFlight.fetch_add(1);
        if (FrameTap* tap = m_tap.load())
            call(*tap);
        m_inFlight.fetch_sub(1);
    }

  private:
    std::atomic<FrameTap*> m_tap{nullptr};
    mutable std::atomic<int> m_inFlight{0};
};

}  // namespace veltro
