#include "veltro/link/serial_device.h"

namespace veltro::link {

std::string serialPortName(int portNumber) {
    if (portNumber < 1 || portNumber > 4)
        portNumber = 1;
    return "COM" + std::to_string(portNumber);
}

std::string serialDevicePath(const std::string& portName, const SettingsStore* settings) {
    if (settings) {
        std::string device = settings->readString("Poorten", portName, "");
        if (!device.empty())
            return device;
    }
    const char digit = portName.size() == 4 ? portName[3] : '1';
    const int number = (digit >= '1' && digit <= '4') ? digit - '1' : 0;
    return "/dev/ttyS" + std::to_string(number);
}

}  // namespace veltro::link
