#include "veltro/headless/output_file.h"

#include <filesystem>

#include "veltro/headless/exit_codes.h"

namespace veltro::headless {
namespace {

namespace fs = std::filesystem;

constexpr const char* kExists =
    ": exists; give --overwrite to replace it or --append to add to it";

}  // namespace

std::optional<FileProblem> OutputFile::problem() const {
    std::error_code ec;
    const fs::path path(m_path);
    if (fs::is_directory(path, ec))
        return FileProblem{m_path + ": is a directory", exit_code::kFailure};
    if (fs::exists(path, ec)) {
        if (m_rule == ExistingFile::Refuse)
            return FileProblem{m_path + kExists, exit_code::kWrongCommandLine};
        return std::nullopt;
    }
    const fs::path parent = path.parent_path();
    if (!parent.empty() && !fs::is_directory(parent, ec))
        return FileProblem{m_path + (fs::exists(parent, ec) ? ": its directory is a file"
                                                            : ": its directory does not exist"),
                           exit_code::kFailure};
    return std::nullopt;
}

std::ostream* OutputFile::open() {
    if (m_stream.is_open())
        return &m_stream;
    if (!m_error.empty())
        return nullptr;
    std::error_code ec;
    const bool exists = fs::exists(fs::path(m_path), ec);
    if (exists && m_rule == ExistingFile::Refuse) {
        m_error = m_path + ": was made by someone else meanwhile; left as it is";
        return nullptr;
    }
    if (exists && m_rule == ExistingFile::Append) {
        const auto size = fs::file_size(fs::path(m_path), ec);
        m_hadContent = !ec && size > 0;
    }
    const auto mode =
        std::ios::binary | (m_rule == ExistingFile::Append ? std::ios::app : std::ios::trunc);
    m_stream.open(m_path, mode);
    if (!m_stream.is_open()) {
        m_error = m_path + ": cannot be written";
        return nullptr;
    }
    return &m_stream;
}

}  // namespace veltro::headless
