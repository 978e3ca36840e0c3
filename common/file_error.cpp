#include "common/file_error.h"

#include <cerrno>
#include <cstdio>
#include <iterator>

#include "common/atomic_file.h"
#include "common/platform_files.h"

namespace common {
namespace {

struct Cause {
    std::errc code;
    const char* text;
};

// An engineer at a cabinet acts on these: another directory, another disk.
constexpr Cause kCauses[] = {
    {std::errc::permission_denied, "geen schrijfrechten"},
    {std::errc::operation_not_permitted, "geen schrijfrechten"},
    {std::errc::read_only_file_system, "alleen-lezen bestandssysteem"},
    {std::errc::no_space_on_device, "schijf vol"},
    {std::errc::file_too_large, "bestand te groot"},
    {std::errc::no_such_file_or_directory, "map bestaat niet"},
    {std::errc::not_a_directory, "een deel van het pad is geen map"},
    {std::errc::is_a_directory, "de naam is die van een map"},
    {std::errc::filename_too_long, "naam te lang"},
    {std::errc::too_many_files_open, "te veel open bestanden"},
    {std::errc::io_error, "schrijffout op het apparaat"},
};

}  // namespace

std::string fileErrorText(std::error_code error) {
    for (const Cause& cause : kCauses) {
        if (error == cause.code)
            return cause.text;
    }
    return error ? error.message() : std::string("onbekende fout");
}

std::error_code lastFileError() {
    const int number = errno;
    return std::error_code(number != 0 ? number : EIO, std::generic_category());
}

std::error_code probeWritable(const std::filesystem::path& path) {
    std::error_code error;
    if (std::filesystem::exists(path, error)) {
        errno = 0;
        std::FILE* file = openFile(path, "r+b");
        if (file == nullptr)
            return lastFileError();
        std::fclose(file);
        return {};
    }
    if (error && error != std::errc::no_such_file_or_directory)
        return error;
    AtomicFileWriter scratch(path);
    if (!scratch.open())
        return scratch.error();
    scratch.discard();
    return {};
}

}  // namespace common
