#include "veltro/tools/backup_origin.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "common/file_lookup.h"

namespace veltro::tools {

namespace {

std::string utcText(std::filesystem::file_time_type time) {
    using namespace std::chrono;
    const auto seconds = floor<std::chrono::seconds>(file_clock::to_sys(time));
    const auto day = floor<days>(seconds);
    const year_month_day date(day);
    const hh_mm_ss clock(seconds - day);
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02u-%02u %02ld:%02ld:%02ld",
                  static_cast<int>(date.year()), static_cast<unsigned>(date.month()),
                  static_cast<unsigned>(date.day()), static_cast<long>(clock.hours().count()),
                  static_cast<long>(clock.minutes().count()),
                  static_cast<long>(clock.seconds().count()));
    return text;
}

}  // namespace

BackupOrigin backupOrigin(std::string_view projectDirectory) {
    namespace fs = std::filesystem;
    const fs::path directory = fs::path(std::string(projectDirectory)).lexically_normal();
    BackupOrigin origin;
    origin.project =
        (directory.has_filename() ? directory : directory.parent_path()).filename().string();
    if (origin.project.empty() || origin.project == ".") {
        std::error_code ec;
        origin.project = fs::absolute(directory, ec).lexically_normal().filename().string();
    }
    if (const auto header = common::findFileIgnoreCase(directory, "ZXAPDEF.H")) {
        std::error_code ec;
        const auto time = fs::last_write_time(*header, ec);
        if (!ec)
            origin.definitions = utcText(time);
    }
    return origin;
}

}  // namespace veltro::tools
