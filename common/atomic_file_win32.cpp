// The atomic writer on Windows: an exclusively created temporary file,
// _commit (FlushFileBuffers) and MoveFileEx, which unlike rename() may
// replace an existing file.
#include <fcntl.h>
#include <io.h>
#include <share.h>
#include <sys/stat.h>
#include <windows.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <random>
#include <string>
#include <system_error>

#include "common/atomic_file.h"

namespace fs = std::filesystem;

namespace common {
namespace {

constexpr int kNameAttempts = 100;

std::wstring randomSuffix(std::mt19937& generator) {
    static constexpr wchar_t kLetters[] = L"abcdefghijklmnopqrstuvwxyz0123456789";
    std::uniform_int_distribution<std::size_t> pick(0, std::size(kLetters) - 2);
    std::wstring suffix(6, L'x');
    for (wchar_t& c : suffix)
        c = kLetters[pick(generator)];
    return suffix;
}

}  // namespace

bool AtomicFileWriter::open() {
    discard();
    m_failed = false;
    m_error.clear();
    fs::path directory = m_target.parent_path();
    if (directory.empty())
        directory = ".";
    std::random_device seed;
    std::mt19937 generator(seed());
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        const fs::path candidate =
            directory / (L"." + m_target.filename().wstring() + L"." + randomSuffix(generator));
        int fd = -1;
        const errno_t error =
            ::_wsopen_s(&fd, candidate.c_str(), _O_CREAT | _O_EXCL | _O_WRONLY | _O_BINARY,
                        _SH_DENYNO, _S_IREAD | _S_IWRITE);
        if (error == 0) {
            m_fd = fd;
            m_temporary = candidate;
            return true;
        }
        if (error != EEXIST) {
            m_error = std::error_code(error, std::generic_category());
            return false;
        }
    }
    m_error = std::make_error_code(std::errc::file_exists);
    return false;
}

bool AtomicFileWriter::write(std::string_view bytes) {
    if (m_fd < 0 || m_failed)
        return false;
    while (!bytes.empty()) {
        const auto chunk = static_cast<unsigned>(std::min<std::size_t>(bytes.size(), INT_MAX));
        const int n = ::_write(m_fd, bytes.data(), chunk);
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
    const bool synced = ::_commit(m_fd) == 0;
    if (!synced)
        m_error = std::error_code(errno, std::generic_category());
    const bool closed = ::_close(m_fd) == 0;
    if (!closed && !m_error)
        m_error = std::error_code(errno, std::generic_category());
    m_fd = -1;
    if (synced && closed &&
        !::MoveFileExW(m_temporary.c_str(), m_target.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        m_error = std::error_code(static_cast<int>(::GetLastError()), std::system_category());
    if (m_error) {
        discard();
        return false;
    }
    m_temporary.clear();
    return true;
}

void AtomicFileWriter::discard() {
    if (m_fd >= 0) {
        ::_close(m_fd);
        m_fd = -1;
    }
    if (!m_temporary.empty()) {
        std::error_code ec;
        fs::remove(m_temporary, ec);
        m_temporary.clear();
    }
}

}  // namespace common
