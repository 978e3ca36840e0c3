#pragma once

namespace veltro::link {

// The Windows Sockets number for a POSIX errno, so that the IP link keeps the
// system's codes and texts; unmapped numbers stay as they are.
int wsaErrorFromErrno(int error);

}  // namespace veltro::link
