#include "veltro/link/dump_session.h"

#include <cstdint>

#include "common/file_error.h"

namespace veltro::link {

DumpSession::DumpSession(LinkFlags& flags, ByteWriter& writer, DumpReceiver& receiver,
                         DumpDisplay& display, ReplyTimer& timer)
    : m_flags(flags), m_writer(writer), m_receiver(receiver), m_display(display), m_timer(timer) {}

std::string_view DumpSession::statusText(DumpCommand command) {
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

// Found out without touching the file, so that the engineer can choose
// another before the dump is fetched.
void DumpSession::tellIfNotWritable(const std::string& fileName) {
    if (const std::error_code error = common::probeWritable(fileName)) {
        m_display.showStatus(std::string(kFileNotOpened) + ": " + common::fileErrorText(error));
    }
}

void DumpSession::open(const std::string& fileName) {
    m_receiver.open(fileName);
    m_flags.dumpOpen.store(true, std::memory_order_release);
    tellIfNotWritable(m_receiver.fileName());
}

std::string DumpSession::open(const DumpFileSetting& setting) {
    open(setting.readDumpFileName());
    return m_receiver.fileName();
}

std::optional<std::string> DumpSession::chooseFile(const std::string& fileName,
                                                   DumpFileSetting& setting) {
    if (fileName.size() > DumpReceiver::kMaxFileName) {
        m_display.showStatus(kNameTooLong);
        return std::nullopt;
    }
    if (m_receiver.changeFile(fileName) == DumpReceiver::FileChange::Same)
        return fileName;
    m_display.showStored(true);
    tellIfNotWritable(fileName);
    setting.writeDumpFileName(fileName);
    return fileName;
}

void DumpSession::command(DumpCommand command) {
    m_timer.restart();
    // The echo goes on, and the dump is expected, before the byte leaves: a
    // quick controller's answer could otherwise arrive first.
    if (command == DumpCommand::Verify)
        m_receiver.setEcho(true);
    if (command == DumpCommand::Make || command == DumpCommand::Fetch)
        m_receiver.dumpAsked();
    const auto byte = static_cast<std::uint8_t>(command);
    m_writer.writeBytes(std::span(&byte, 1));
    m_display.showStatus(statusText(command));
}

void DumpSession::replyTimerFired() {
    m_display.showStatus("Geen reactie");
}

void DumpSession::clearStatus() {
    m_display.showStatus("");
}

void DumpSession::close() {
    m_timer.cancel();
    m_flags.dumpOpen.store(false, std::memory_order_release);
    m_receiver.close();
}

}  // namespace veltro::link
