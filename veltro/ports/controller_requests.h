#pragma once

#include "veltro/ports/controller_record.h"

namespace veltro {

// Command modes as the frame header carries them (bits 5 and 6).
enum class CommandMode : int {
    Stop = 0,         // end continuous reports
    Write = 32,       // set the object's value
    Continuous = 64,  // report the object continuously
    Read = 96,        // report the object once
};

// Where items and tools hand their requests to the controller protocol. The
// link's frame encoder implements it; sending never fails visibly, so there
// is no result.
class ControllerRequests {
  public:
    virtual ~ControllerRequests() = default;
    virtual void send(const ControllerRecord& record, CommandMode mode) = 0;
};

}  // namespace veltro
