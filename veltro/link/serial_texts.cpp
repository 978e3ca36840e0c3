#include "veltro/link/serial_texts.h"

#include "veltro/link/serial_alerts.h"

namespace veltro::link {

namespace {
constexpr const char* kCheckSettings = "Controleer de COM-poortinstellingen.";
}  // namespace

std::string serialOpenText(const std::string& device) {
    return std::string("Fatale fout: de COM-poort kan niet geopend worden.\n") + kCheckSettings +
           "\nApparaat: " + device;
}

std::string serialSetupText(const char* step) {
    return std::string(
               "Fatale fout: er is een fout opgetreden tijdens het instellen van de "
               "COM-poort (") +
           step + ").\n" + kCheckSettings;
}

std::string serialCloseText(const char* step) {
    return std::string(
               "Fatale fout: er is een fout opgetreden tijdens het afsluiten van de "
               "COM-poort (") +
           step + ").\n" + kCheckSettings;
}

std::string serialLineText(const char* step, int blanks) {
    return std::string("Er is een fout opgetreden tijdens het instellen van de COM-poort (") +
           step + ").\n" + std::string(static_cast<std::size_t>(blanks), ' ') + kCheckSettings;
}

std::string serialWriteText() {
    return std::string(
               "Er is een fout opgetreden tijdens het schrijven naar de COM-poort "
               "(WriteFile).\n") +
           kCheckSettings;
}

}  // namespace veltro::link

namespace veltro::link {

void SerialAlerts::now(const std::string& text) {
    if (!m_quiet)
        m_prompts.messageBox(kSerialCaption, text, PromptIcon::None);
}

void SerialAlerts::later(const std::string& text) {
    m_dispatcher.post([&prompts = m_prompts, text] {
        prompts.messageBox(kSerialCaption, text, PromptIcon::None);
    });
}

}  // namespace veltro::link
