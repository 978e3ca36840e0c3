// The atomic writer on POSIX systems: mkstemp, fsync and rename.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <system_error>
#include <vector>

#include "common/atomic_file.h"

namespace fs = std::filesystem;

namespace common {

bool AtomicFileWriter::open() {
    discard();
    m_failed = false;
    m_error.clear();
    fs::path directory = m_target.parent_path();
    if (directory.empty())
        directory = ".";
    std::string hidden = ".";
    hidden += m_target.filename().string();
    hidden += ".XXXXXX";
    const std::string pattern = (directory / hidden).string();
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    m_fd = ::mkstemp(name.data());
    if (m_fd < 0) {
        m_error = std::error_code(errno, std::generic_category());
        return false;
    }
    m_temporary = fs::path(name.data());
    // The new file takes the old one's permissions, or the usual ones.
    struct stat old {};
    const mode_t mode = ::stat(m_target.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0644;
    ::fchmod(m_fd, mode);
    return true;
}

bool AtomicFileWriter::write(std::string_view bytes) {
    if (m_fd < 0 || m_failed)
        return false;
    while (!bytes.empty()) {
        const ssize_t n = ::write(m_fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            m_error = std::error_code(n < 0 ? errno : ENOSPC, std::generic_category());
            m_failed = true;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

bool AtomicFileWriter::commit() {
    if (m_fd < 0 || m_failed) {
        discard();
        return false;
    }
    // A full disk may show only here, when the data leaves the cache.
    const bool synced = ::fsync(m_fd) == 0;
    if (!synced)
        m_error = std::error_code(errno, std::generic_category());
    const bool closed = ::close(m_fd) == 0;
    if (!closed && !m_error)
        m_error = std::error_code(errno, std::generic_category());
    m_fd = -1;
    if (synced && closed && ::rename(m_temporary.c_str(), m_target.c_str()) != 0)
        m_error = std::error_code(errno, std::generic_category());
    if (m_error) {
        discard();
        return false;
    }
    m_temporary.clear();
    return true;
}

void AtomicFileWriter::discard() {
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
    if (!m_temporary.empty()) {
        std::error_code ec;
        fs::remove(m_temporary, ec);
        m_temporary.clear();
    }
}

}  // namespace common
