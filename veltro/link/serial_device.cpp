#include "veltro/link/serial_device.h"

#include "veltro/link/line_factory.h"

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
    return platformSerialDevice(portName);
}

}  // namespace veltro::link
