#include "veltro/link/open_link.h"

#include <memory>

#include "veltro/link/serial_device.h"
#include "veltro/link/win32/com_device.h"
#include "veltro/link/win32/ip_client.h"
#include "veltro/link/win32/serial_link.h"

namespace veltro::link {

bool openSerialLink(ControllerLink& link, int portNumber, int baudRate,
                    const SettingsStore* settings, Prompts& prompts) {
    auto serial = std::make_unique<SerialLink>(link.consumer(), prompts, link.dispatcher());
    const std::string device = comDevicePath(serialPortName(portNumber), settings);
    if (!serial->open(device, baudRate))
        return false;
    link.attach(std::move(serial));
    return true;
}

std::optional<IpError> openIpLink(ControllerLink& link, const std::string& address, int port,
                                  IpErrorHandler& errors) {
    auto client = std::make_unique<IpClient>(link.consumer(), link.flags(), errors,
                                             link.dispatcher(), &link.lineWatch());
    if (auto error = client->create())
        return error;
    if (auto error = client->connect(address, port))
        return error;
    // Attached first, so that a connection lost at once is a loss of the link.
    IpClient& line = *client;
    link.attach(std::move(client), &line);
    line.startReader();
    return std::nullopt;
}

}  // namespace veltro::link
