#pragma once

#include <string>

namespace veltro::link {

// Caption of every message box of the serial link.
inline constexpr const char* kSerialCaption = "VELTRO.EXE";

// "Fatale fout: de COM-poort kan niet geopend worden." and its second line,
// then the device that was tried (a mapped or missing one is told apart).
std::string serialOpenText(const std::string& device);
// A failing set-up or close step, named as the Windows call it maps.
std::string serialSetupText(const char* step);
std::string serialCloseText(const char* step);
// A line-configuration step: the second line is indented by `blanks`.
std::string serialLineText(const char* step, int blanks);
// The line stayed blocked past its write time-out.
std::string serialWriteText();

}  // namespace veltro::link
