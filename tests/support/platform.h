#pragma once

// What the tests need from the operating system that differs between the
// Linux build and the Windows build (run under Wine).
#ifdef _WIN32
#include <stdlib.h>
#else
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <string>
#include <system_error>

namespace test_support {

#ifdef _WIN32
// Tests that drive a program through a POSIX shell command line.
inline constexpr bool kPosixShell = false;

// Windows has no modes that keep the owner from reading a file.
inline bool permissionsKeepOutReaders() {
    return false;
}

inline void setEnvironment(const std::string& name, const std::string& value) {
    ::_putenv_s(name.c_str(), value.c_str());
}

inline int exitCodeOf(int systemStatus) {
    return systemStatus;
}

// The cause the system gives for a path that goes on below a file (a file
// standing where a directory is expected): Windows finds no such path.
inline std::errc pathBelowAFile() {
    return std::errc::no_such_file_or_directory;
}
#else
inline constexpr bool kPosixShell = true;

// Root reads every file whatever its mode.
inline bool permissionsKeepOutReaders() {
    return ::geteuid() != 0;
}

inline void setEnvironment(const std::string& name, const std::string& value) {
    ::setenv(name.c_str(), value.c_str(), 1);
}

// The exit code of a std::system() command, -1 when it did not exit normally.
inline int exitCodeOf(int systemStatus) {
    return WIFEXITED(systemStatus) ? WEXITSTATUS(systemStatus) : -1;
}

inline std::errc pathBelowAFile() {
    return std::errc::not_a_directory;
}
#endif

}  // namespace test_support
