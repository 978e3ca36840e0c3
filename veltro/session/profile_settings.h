#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "common/profile_file.h"
#include "veltro/ports/settings_store.h"

namespace veltro {

// The settings port over a profile file on disk (veltro.ini).
class ProfileFileSettings final : public SettingsStore {
  public:
    explicit ProfileFileSettings(std::filesystem::path path) : m_file(std::move(path)) {}

    const std::filesystem::path& path() const { return m_file.path(); }

    std::string readString(std::string_view section, std::string_view key,
                           std::string_view defaultValue) const override {
        return m_file.readString(section, key, defaultValue);
    }
    int readInt(std::string_view section, std::string_view key, int defaultValue) const override {
        return m_file.readInt(section, key, defaultValue);
    }
    bool writeString(std::string_view section, std::string_view key,
                     std::string_view value) override {
        return m_file.writeString(section, key, value);
    }
    bool writeInt(std::string_view section, std::string_view key, int value) override {
        return m_file.writeInt(section, key, value);
    }
    std::error_code lastWriteError() const override { return m_file.lastWriteError(); }

  private:
    common::ProfileFile m_file;
};

}  // namespace veltro
