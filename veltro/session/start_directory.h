#pragma once

#include <string>

namespace veltro {

// The directory the debugger starts in, in the two forms the start-up keeps:
// as given, and with a trailing separator for plain concatenation.
struct StartDirectory {
    std::string path;
    std::string withSeparator;
};

StartDirectory makeStartDirectory(std::string path);

// True when `c` ends a directory in this system's world (`\` or `/`).
inline bool isPathSeparator(char c) {
    return c == '/' || c == '\\';
}

// The part of a path behind its last separator.
std::string fileNamePart(const std::string& path);

}  // namespace veltro
