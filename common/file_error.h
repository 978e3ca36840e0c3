#pragma once

#include <filesystem>
#include <string>
#include <system_error>

namespace common {

// Why a file could not be written, in the programs' language: the usual
// causes in a word or two ("schijf vol"), anything else in the system's own
// words.
std::string fileErrorText(std::error_code error);

// The cause of the C library call that just failed (errno).
std::error_code lastFileError();

// Whether `path` can be written, found without changing it: an existing file
// is opened for update (not emptied), otherwise a scratch file is made beside
// it and removed. The cause when it cannot; an empty code when it can.
std::error_code probeWritable(const std::filesystem::path& path);

}  // namespace common
