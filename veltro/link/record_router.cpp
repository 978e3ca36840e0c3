#include "veltro/link/record_router.h"

namespace veltro::link {

void RecordRouter::setToolSink(RecordSink* sink) {
    const std::lock_guard lock(m_toolMutex);
    m_toolSink = sink;
}

void RecordRouter::deliver(const ControllerRecord& record) {
    if (routesToParameterStore()) {
        // Only the rare change of sink waits for this lock.
        const std::lock_guard lock(m_toolMutex);
        if (m_toolSink)
            m_toolSink->deliver(record);
        return;
    }
    if (m_windowSink)
        m_windowSink->deliver(record);
}

}  // namespace veltro::link
