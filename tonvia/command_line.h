#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tonvia {

enum class Command { Run, Show, Help, Version, UsageError };

struct CommandLine {
    Command command = Command::Run;
    std::string directoryArgument;  // empty when not given
    std::string typeArgument;       // empty when not given
    std::string showFile;
    std::string error;  // for UsageError
};

// The arguments after the program name: "[DIR [TYPE]]", "--show FILE",
// "--help", "--version"; "--" ends the options.
CommandLine parseCommandLine(const std::vector<std::string>& arguments);

inline constexpr std::size_t kMaxDirectoryLength = 64;

// The directory as the run uses it: up to its last non-blank character, "."
// when blank. Empty `error` unless it is too long: cutting it to 64
// characters would read and write in some other directory.
std::string sourceDirectory(std::string_view argument, std::string& error);

// The controller type: the leading decimal integer of the argument; 101 for
// anything but 102 and 103, a missing or unreadable argument included.
int controllerType(std::string_view argument);

extern const char* const kUsage;

}  // namespace tonvia
