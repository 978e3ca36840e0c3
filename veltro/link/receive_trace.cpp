#include "veltro/link/receive_trace.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace veltro::link {

bool traceRequested() {
    static const bool requested = [] {
        const char* value = std::getenv("VELTRO_TRACE");
        return value != nullptr && std::strcmp(value, "1") == 0;
    }();
    return requested;
}

void traceReceive(const LinkFlags& flags, int count) {
    if (flags.trace.load(std::memory_order_relaxed) && traceRequested()) {
        std::printf("recvBytes = %d\n", count);
        std::fflush(stdout);
    }
}

}  // namespace veltro::link
