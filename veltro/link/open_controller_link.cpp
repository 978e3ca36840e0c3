#include "veltro/link/open_controller_link.h"

#include "veltro/link/line_factory.h"
#include "veltro/link/serial_device.h"
#include "veltro/link/status_text.h"

namespace veltro::link {
namespace {

LinkOpening openSerial(ControllerLink& link, const SessionOptions& words,
                       const LinkOpenPorts& ports) {
    const LineContext context{link.consumer(), link.flags(), link.dispatcher(), &link.lineWatch()};
    auto serial = makeSerialLine(context, ports.prompts);
    const std::string device = serialDevicePath(serialPortName(words.serialPort), ports.settings);
    if (!serial->open(device, words.baudRate))
        return {};
    LineReopen& reopen = *serial;
    link.attach(std::move(serial), &reopen);
    return {true, std::nullopt, {}};
}

LinkOpening openIp(ControllerLink& link, const SessionOptions& words, const LinkOpenPorts& ports) {
    const LineContext context{link.consumer(), link.flags(), link.dispatcher(), &link.lineWatch()};
    auto client = makeIpLine(context, ports.ipErrors);
    if (auto error = client->create())
        return {false, std::move(error), {}};
    if (auto error = client->connect(words.ipAddress, words.ipPort)) {
        std::string advice = unreachableText(words.ipAddress, words.ipPort);
        if (ports.messages != nullptr)
            ports.messages->message(message_kind::kError, advice);
        return {false, std::move(error), std::move(advice)};
    }
    // Attached before its reader starts, so that a connection lost at once is
    // a loss of the link.
    IpLine& line = *client;
    link.attach(std::move(client), &line);
    line.startReader();
    return {true, std::nullopt, {}};
}

}  // namespace

LinkOpening openControllerLink(ControllerLink& link, const SessionOptions& words,
                               const LinkOpenPorts& ports) {
    if (words.reconnect)
        link.enableReconnect(ports.messages);
    if (words.linkKind == LinkKind::Ip) {
        link.setLabel(ipLinkLabel(words.ipAddress, words.ipPort));
        return openIp(link, words, ports);
    }
    link.setLabel(serialLinkLabel(words.serialPort, words.baudRate));
    return openSerial(link, words, ports);
}

std::string unreachableText(const std::string& address, int port) {
    return "De regelautomaat op " + address + " poort " + std::to_string(port) +
           " is niet bereikbaar. Controleer of de regelautomaat (of ctrlsim) aan staat en op "
           "die poort luistert, en of het IP-adres (-IP) en de poort (-IPP) kloppen.";
}

}  // namespace veltro::link
