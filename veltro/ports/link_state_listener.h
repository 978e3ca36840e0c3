#pragma once

#include "veltro/ports/link_status.h"

namespace veltro {

// Told of each change of the link's state, on the user-interface thread and
// in the order of the changes, so that what the windows show follows the
// line: values from before a loss are no longer live, and a write cannot go.
class LinkStateListener {
  public:
    virtual ~LinkStateListener() = default;
    virtual void linkStateChanged(LinkState state) = 0;
};

}  // namespace veltro
