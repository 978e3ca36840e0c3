#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace pendrel {

// The about box "Info PENDREL" and the free-space pane of the status line.
inline constexpr std::string_view kAboutCaption = "Info PENDREL";
inline constexpr std::string_view kVersionText = "PENDREL versie 3.8";
inline constexpr std::string_view kFreeMemoryLabel = "Vrij geheugen:";
inline constexpr std::string_view kFreeDiskLabel = "Vrije diskruimte:";

// The letter that names a file system the way a drive letter does: the
// first letter of its mount point's last name, upper case ("/home" gives
// 'H'), or '/' for the root file system and anything without a letter.
char driveLetter(std::string_view mountPoint);

// "%lu KB" (kilobytes), or "Niet beschikbaar" when the figure is unknown.
std::string freeMemoryText(std::optional<std::uint64_t> freeBytes);

// "%lu KB vrij op %c:" for the file system mounted at `mountPoint`, or
// "Niet beschikbaar".
std::string freeDiskText(std::optional<std::uint64_t> freeBytes, std::string_view mountPoint);

}  // namespace pendrel
