#include "veltro/link/dump_dialog.h"

#include <cstdint>

namespace veltro::link {

DumpDialog::DumpDialog(LinkFlags& flags, ByteWriter& writer, DumpReceiver& receiver,
                       DumpDisplay& display, ReplyTimer& timer)
    : m_flags(flags), m_writer(writer), m_receiver(receiver), m_display(display), m_timer(timer) {}

std::string_view DumpDialog::statusText(DumpCommand command) {
    switch (command) {
        case DumpCommand::Verify:
            return "Verifieren verzonden...";
        case DumpCommand::Make:
            return "Maak dump verzonden...";
        case DumpCommand::Fetch:
            return "Ophalen verzonden...";
        case DumpCommand::Abort:
            return "Afbreken verzonden...";
    }
    return {};
}

void DumpDialog::open(const std::string& fileName) {
    const bool opened = m_receiver.open(fileName);
    m_flags.dumpOpen.store(true, std::memory_order_release);
    if (!opened)
        m_display.showStatus(kFileNotOpened);
}

std::string DumpDialog::open(const DumpFileSetting& setting) {
    open(setting.readDumpFileName());
    return m_receiver.fileName();
}

std::optional<std::string> DumpDialog::chooseFile(const std::string& fileName,
                                                  DumpFileSetting& setting) {
    if (fileName.size() > DumpReceiver::kMaxFileName) {
        m_display.showStatus(kNameTooLong);
        return std::nullopt;
    }
    const auto change = m_receiver.changeFile(fileName);
    if (change == DumpReceiver::FileChange::Same)
        return fileName;
    if (change == DumpReceiver::FileChange::NotOpened)
        m_display.showStatus(kFileNotOpened);
    setting.writeDumpFileName(fileName);
    return fileName;
}

void DumpDialog::command(DumpCommand command) {
    m_timer.restart();
    // The echo goes on before the byte leaves: a quick controller's answer
    // could otherwise arrive while it is still off and never be shown.
    if (command == DumpCommand::Verify)
        m_receiver.setEcho(true);
    const auto byte = static_cast<std::uint8_t>(command);
    m_writer.writeBytes(std::span(&byte, 1));
    m_display.showStatus(statusText(command));
}

void DumpDialog::replyTimerFired() {
    m_display.showStatus("Geen reactie");
}

void DumpDialog::clearStatus() {
    m_display.showStatus("");
}

void DumpDialog::close() {
    m_timer.cancel();
    m_flags.dumpOpen.store(false, std::memory_order_release);
    m_receiver.close();
}

}  // namespace veltro::link
