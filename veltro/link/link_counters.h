#pragma once

#include <atomic>
#include <cstdint>

namespace veltro::link {

// Traffic of the link for its status line: bumped by the reader thread (in)
// and by the senders (out), read by the user-interface thread. Each counter
// stands on its own, so relaxed order is enough.
struct LinkCounters {
    static constexpr std::int64_t kNever = -1;

    std::atomic<std::uint64_t> framesIn{0};
    std::atomic<std::uint64_t> bytesIn{0};
    std::atomic<std::uint64_t> framesOut{0};
    std::atomic<std::uint64_t> bytesOut{0};
    std::atomic<std::int64_t> lastFrameMs{kNever};  // steady clock time of the last frame in

    void received(std::size_t bytes) { bytesIn.fetch_add(bytes, std::memory_order_relaxed); }
    void frameDecoded(std::int64_t nowMs) {
        framesIn.fetch_add(1, std::memory_order_relaxed);
        lastFrameMs.store(nowMs, std::memory_order_relaxed);
    }
    void sent(std::size_t bytes) {
        framesOut.fetch_add(1, std::memory_order_relaxed);
        bytesOut.fetch_add(bytes, std::memory_order_relaxed);
    }
};

}  // namespace veltro::link
