#include "veltro/link/record_router.h"

namespace veltro::link {

void RecordRouter::deliver(const ControllerRecord& record) {
    RecordSink* sink = routesToParameterStore() ? m_toolSink : m_windowSink;
    if (sink)
        sink->deliver(record);
}

}  // namespace veltro::link
