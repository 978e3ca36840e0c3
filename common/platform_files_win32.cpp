// File calls on Windows: wide paths, an exclusive create through the C
// runtime's _O_EXCL (its fopen does not know the "x" mode), and the stored
// spelling of a name from FindFirstFile.
#include <fcntl.h>
#include <io.h>
#include <share.h>
#include <sys/stat.h>
#include <windows.h>

#include "common/platform_files.h"

namespace common {

std::FILE* openFile(const std::filesystem::path& path, const char* mode) {
    const std::string narrow(mode);
    const std::wstring wide(narrow.begin(), narrow.end());
    return ::_wfopen(path.c_str(), wide.c_str());
}

std::FILE* createNewFile(const std::filesystem::path& path) {
    int fd = -1;
    if (::_wsopen_s(&fd, path.c_str(), _O_CREAT | _O_EXCL | _O_WRONLY | _O_BINARY, _SH_DENYNO,
                    _S_IREAD | _S_IWRITE) != 0) {
        return nullptr;
    }
    std::FILE* file = ::_fdopen(fd, "wb");
    if (file == nullptr)
        ::_close(fd);
    return file;
}

std::optional<std::string> storedFileName(const std::filesystem::path& path) {
    // FindFirstFile reads '*' and '?' as wildcards; no stored name holds them.
    const std::wstring name = path.filename().wstring();
    if (name.empty() || name.find_first_of(L"*?") != std::wstring::npos)
        return std::nullopt;
    WIN32_FIND_DATAW found{};
    const HANDLE search = ::FindFirstFileW(path.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return std::nullopt;
    ::FindClose(search);
    return std::filesystem::path(found.cFileName).string();
}

}  // namespace common
