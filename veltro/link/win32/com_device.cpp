#include "veltro/link/win32/com_device.h"

namespace veltro::link {

std::string comDevicePath(const std::string& portName, const SettingsStore* settings) {
    if (settings) {
        std::string device = settings->readString("Poorten", portName, "");
        if (!device.empty())
            return device;
    }
    return "\\\\.\\" + portName;
}

}  // namespace veltro::link
