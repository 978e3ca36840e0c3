#pragma once

#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "veltro/ports/messages.h"
#include "veltro/ports/settings_store.h"

namespace veltro {

// veltro.ini as the running debugger uses it. Until the start-up has
// succeeded, writes are held in memory (and answer reads): a start-up that
// fails, in a directory that is no project, leaves no veltro.ini behind.
// Afterwards writes go to the file, and one that fails is told in the message
// window with its cause, once until a write succeeds again (the window's
// position is written at every move).
class SettingsGuard final : public SettingsStore {
  public:
    SettingsGuard(SettingsStore& file, Messages& messages, std::string fileName);

    // The start-up succeeded: the held writes go to the file, in order.
    void startWriting();
    bool writing() const { return m_writing; }

    std::string readString(std::string_view section, std::string_view key,
                           std::string_view defaultValue) const override;
    int readInt(std::string_view section, std::string_view key, int defaultValue) const override;
    bool writeString(std::string_view section, std::string_view key,
                     std::string_view value) override;
    bool writeInt(std::string_view section, std::string_view key, int value) override;
    std::error_code lastWriteError() const override { return m_file.lastWriteError(); }

  private:
    struct Held {
        std::string section;
        std::string key;
        std::string value;
    };

    const Held* held(std::string_view section, std::string_view key) const;
    bool written(bool ok);

    SettingsStore& m_file;
    Messages& m_messages;
    std::string m_fileName;
    bool m_writing = false;
    bool m_told = false;
    std::vector<Held> m_held;
};

}  // namespace veltro
