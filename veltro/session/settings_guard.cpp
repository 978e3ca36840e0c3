#include "veltro/session/settings_guard.h"

#include <utility>

#include "common/file_error.h"
#include "common/ignore_case.h"
#include "common/profile_text.h"

namespace veltro {
namespace {

constexpr std::string_view kNotWritten = " kan niet worden geschreven (";
constexpr std::string_view kNotKept = "): de instellingen worden niet bewaard.";

}  // namespace

SettingsGuard::SettingsGuard(SettingsStore& file, Messages& messages, std::string fileName)
    : m_file(file), m_messages(messages), m_fileName(std::move(fileName)) {}

const SettingsGuard::Held* SettingsGuard::held(std::string_view section,
                                               std::string_view key) const {
    for (const Held& h : m_held) {
        if (common::equalsIgnoreCase(h.section, section) && common::equalsIgnoreCase(h.key, key))
            return &h;
    }
    return nullptr;
}

std::string SettingsGuard::readString(std::string_view section, std::string_view key,
                                      std::string_view defaultValue) const {
    if (const Held* h = held(section, key))
        return h->value;
    return m_file.readString(section, key, defaultValue);
}

int SettingsGuard::readInt(std::string_view section, std::string_view key,
                           int defaultValue) const {
    if (const Held* h = held(section, key))  // read back as the file would answer
        return h->value.empty() ? defaultValue : common::profileNumber(h->value);
    return m_file.readInt(section, key, defaultValue);
}

bool SettingsGuard::writeString(std::string_view section, std::string_view key,
                                std::string_view value) {
    if (m_writing)
        return written(m_file.writeString(section, key, value));
    for (Held& h : m_held) {
        if (common::equalsIgnoreCase(h.section, section) && common::equalsIgnoreCase(h.key, key)) {
            h.value = std::string(value);
            return true;
        }
    }
    m_held.push_back({std::string(section), std::string(key), std::string(value)});
    return true;
}

bool SettingsGuard::writeInt(std::string_view section, std::string_view key, int value) {
    return writeString(section, key, std::to_string(value));
}

void SettingsGuard::startWriting() {
    if (m_writing)
        return;
    m_writing = true;
    std::vector<Held> held = std::exchange(m_held, {});
    for (const Held& h : held) {
        if (!written(m_file.writeString(h.section, h.key, h.value)))
            return;  // the rest would fail the same way; told once
    }
}

bool SettingsGuard::written(bool ok) {
    if (ok) {
        m_told = false;
    } else if (!m_told) {
        m_told = true;
        const std::string cause = common::fileErrorText(m_file.lastWriteError());
        m_messages.message(message_kind::kError, m_fileName, kNotWritten,
                           cause + std::string(kNotKept));
    }
    return ok;
}

}  // namespace veltro
