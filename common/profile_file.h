#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

namespace common {

// A settings file in the Windows profile format: "[Section]" headers and
// "Key=Value" lines. Section and key names compare without regard to case;
// writing keeps every other line of the file as it was.
class ProfileFile {
  public:
    explicit ProfileFile(std::filesystem::path path) : m_path(std::move(path)) {}

    const std::filesystem::path& path() const { return m_path; }

    // The value as text, or defaultValue when the section or key is absent.
    std::string readString(std::string_view section, std::string_view key,
                           std::string_view defaultValue) const;

    // The leading decimal number of the value (an optional sign, then digits);
    // defaultValue when the key is absent or empty, 0 when the value has no digits.
    int readInt(std::string_view section, std::string_view key, int defaultValue) const;

    // Creates the file, the section and the key as needed. False when the file
    // cannot be written; the old file is then left as it was.
    bool writeString(std::string_view section, std::string_view key, std::string_view value);
    bool writeInt(std::string_view section, std::string_view key, int value);
    // Why the last write failed; empty after a successful one.
    std::error_code lastWriteError() const { return m_writeError; }

  private:
    std::filesystem::path m_path;
    std::error_code m_writeError;
};

}  // namespace common
