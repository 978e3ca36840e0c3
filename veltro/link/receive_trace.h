#pragma once

#include "veltro/link/link_flags.h"

namespace veltro::link {

// Whether the environment asks for the IP reader's trace (VELTRO_TRACE=1);
// read once.
bool traceRequested();

// "recvBytes = N" on standard output for one receive of the IP reader, only
// when asked for and once a debug window was shown (the flag's moment).
void traceReceive(const LinkFlags& flags, int count);

}  // namespace veltro::link
