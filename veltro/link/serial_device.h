#pragma once

#include <string>

#include "veltro/ports/settings_store.h"

namespace veltro::link {

// "COM1".."COM4" from the session's port number; any other number gives "COM1".
std::string serialPortName(int portNumber);

// The device behind a port name: the key of that name in section [Poorten] of
// veltro.ini when present (a USB adapter, a pseudo-terminal of ctrlsim),
// otherwise the platform's own (/dev/ttyS0../dev/ttyS3, or "\\.\COM3" in
// the Windows device name space, which also reaches ports above COM9).
std::string serialDevicePath(const std::string& portName, const SettingsStore* settings);

}  // namespace veltro::link
