#pragma once

#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>

// The few file calls whose form differs between POSIX systems and Windows;
// platform_files_posix.cpp and platform_files_win32.cpp implement them.
namespace common {

// fopen for a path, whatever the platform's path characters (wide on Windows).
std::FILE* openFile(const std::filesystem::path& path, const char* mode);

// A new file opened for binary writing; nullptr when the file exists already
// (or cannot be made), so an existing file is never taken over.
std::FILE* createNewFile(const std::filesystem::path& path);

// The name of the existing entry that `path` reaches, spelt as the directory
// stores it (a case-insensitive file system finds "CONFIL" as "confil");
// nothing when there is none.
std::optional<std::string> storedFileName(const std::filesystem::path& path);

}  // namespace common
