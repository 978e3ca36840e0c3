#pragma once

#include "veltro/ports/controller_record.h"

namespace veltro {

// Receiver of decoded controller records. Which thread calls it is stated
// where a sink is plugged in: the parameter store's intake runs on the reader
// thread, the shown window's sink on the user-interface thread.
class RecordSink {
  public:
    virtual ~RecordSink() = default;
    virtual void deliver(const ControllerRecord& record) = 0;
};

}  // namespace veltro
