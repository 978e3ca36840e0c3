#pragma once

#include <string>
#include <string_view>
#include <system_error>

namespace veltro {

// The settings file (veltro.ini): sections of keys with text values, looked
// up without regard to case. Reads give the default when the key is absent.
class SettingsStore {
  public:
    virtual ~SettingsStore() = default;
    virtual std::string readString(std::string_view section, std::string_view key,
                                   std::string_view defaultValue) const = 0;
    // The leading decimal number of the value; 0 when it has no digits.
    virtual int readInt(std::string_view section, std::string_view key,
                        int defaultValue) const = 0;
    // False when the file cannot be written; it is then left as it was.
    virtual bool writeString(std::string_view section, std::string_view key,
                             std::string_view value) = 0;
    virtual bool writeInt(std::string_view section, std::string_view key, int value) = 0;
    // Why the last write failed; empty when it did not, or when unknown.
    virtual std::error_code lastWriteError() const { return {}; }
};

}  // namespace veltro
