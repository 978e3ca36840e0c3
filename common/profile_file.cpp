#include "common/profile_file.h"

#include <system_error>

#include "common/atomic_file.h"
#include "common/profile_text.h"
#include "common/text_file.h"

namespace common {

std::string ProfileFile::readString(std::string_view section, std::string_view key,
                                    std::string_view defaultValue) const {
    const std::optional<std::string> text = readFileBytes(m_path);
    std::optional<std::string> value = text ? profileValue(*text, section, key) : std::nullopt;
    return value ? std::move(*value) : std::string(defaultValue);
}

int ProfileFile::readInt(std::string_view section, std::string_view key, int defaultValue) const {
    const std::optional<std::string> text = readFileBytes(m_path);
    const std::optional<std::string> value =
        text ? profileValue(*text, section, key) : std::nullopt;
    // An empty value counts as absent, as in Windows.
    return value && !value->empty() ? profileNumber(*value) : defaultValue;
}

bool ProfileFile::writeString(std::string_view section, std::string_view key,
                              std::string_view value) {
    m_writeError.clear();
    std::optional<std::string> text = readFileBytes(m_path);
    if (!text) {
        // A file that is there but cannot be read is not replaced by one key.
        std::error_code error;
        if (std::filesystem::exists(m_path, error) || error) {
            m_writeError = error ? error : std::make_error_code(std::errc::permission_denied);
            return false;
        }
        text.emplace();
    }
    return writeFileAtomically(m_path, withProfileValue(*text, section, key, value),
                               &m_writeError);
}

bool ProfileFile::writeInt(std::string_view section, std::string_view key, int value) {
    return writeString(section, key, std::to_string(value));
}

}  // namespace common
