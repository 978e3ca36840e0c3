#pragma once

#include <map>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>

#include "veltro/ports/settings_store.h"

namespace test_support {

// Settings in memory: section and key compare without regard to case, as in
// the profile file; integers are read as their leading decimal number.
class MemorySettings final : public veltro::SettingsStore {
  public:
    std::string readString(std::string_view section, std::string_view key,
                           std::string_view defaultValue) const override {
        const auto found = m_values.find(keyOf(section, key));
        return found == m_values.end() ? std::string(defaultValue) : found->second;
    }
    int readInt(std::string_view section, std::string_view key, int defaultValue) const override {
        const auto found = m_values.find(keyOf(section, key));
        if (found == m_values.end())
            return defaultValue;
        try {
            return std::stoi(found->second);
        } catch (...) {
            return 0;
        }
    }
    bool writeString(std::string_view section, std::string_view key,
                     std::string_view value) override {
        if (failWrites)
            return false;
        m_values[keyOf(section, key)] = std::string(value);
        return true;
    }
    bool writeInt(std::string_view section, std::string_view key, int value) override {
        return writeString(section, key, std::to_string(value));
    }
    std::error_code lastWriteError() const override {
        return failWrites ? std::make_error_code(std::errc::read_only_file_system)
                          : std::error_code();
    }

    bool failWrites = false;

  private:
    static std::string lower(std::string_view text) {
        std::string out(text);
        for (char& c : out) {
            if (c >= 'A' && c <= 'Z')
                c = static_cast<char>(c - 'A' + 'a');
        }
        return out;
    }
    static std::pair<std::string, std::string> keyOf(std::string_view section,
                                                     std::string_view key) {
        return {lower(section), lower(key)};
    }
    std::map<std::pair<std::string, std::string>, std::string> m_values;
};

}  // namespace test_support
