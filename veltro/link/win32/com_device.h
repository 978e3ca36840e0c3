#pragma once

#include <string>

#include "veltro/ports/settings_store.h"

namespace veltro::link {

// The device behind a port name on Windows: the key of that name in section
// [Poorten] of veltro.ini when present, otherwise the port itself in the
// device name space ("\\.\COM3"), which also reaches ports above COM9.
std::string comDevicePath(const std::string& portName, const SettingsStore* settings);

}  // namespace veltro::link
