#include "pendrel/session/status_texts.h"

#include <cctype>

#include "common/format.h"

namespace pendrel {
namespace {

constexpr std::string_view kUnavailable = "Niet beschikbaar";

// Wide on every platform: a Windows long has 32 bits, and a disk has more
// kilobytes than that.
unsigned long long kilobytes(std::uint64_t bytes) {
    return static_cast<unsigned long long>(bytes / 1024);
}

}  // namespace

char driveLetter(std::string_view mountPoint) {
    while (mountPoint.size() > 1 && (mountPoint.back() == '/' || mountPoint.back() == '\\')) {
        mountPoint.remove_suffix(1);
    }
    std::size_t slash = mountPoint.find_last_of("/\\");
    std::string_view name =
        slash == std::string_view::npos ? mountPoint : mountPoint.substr(slash + 1);
    if (name.empty() || !std::isalpha(static_cast<unsigned char>(name.front()))) {
        return '/';
    }
    return static_cast<char>(std::toupper(static_cast<unsigned char>(name.front())));
}

std::string freeMemoryText(std::optional<std::uint64_t> freeBytes) {
    if (!freeBytes) {
        return std::string(kUnavailable);
    }
    return common::format("%llu KB", kilobytes(*freeBytes));
}

std::string freeDiskText(std::optional<std::uint64_t> freeBytes, std::string_view mountPoint) {
    if (!freeBytes) {
        return std::string(kUnavailable);
    }
    return common::format("%llu KB vrij op %c:", kilobytes(*freeBytes), driveLetter(mountPoint));
}

}  // namespace pendrel
