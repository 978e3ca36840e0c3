#pragma once

#include <string>
#include <string_view>

#include "veltro/ports/settings_store.h"
#include "veltro/tools/categories.h"

namespace veltro::tools {

enum class Tool { Adjustment, Acceptance, Difference };

// The tools keep their settings in section "Hoofdvenster", under keys made of
// the tool's prefix, a blank and a key word ("AANPAS MG-tijden").
inline constexpr std::string_view kSettingsSection = "Hoofdvenster";

// "AANPAS", "AFNAME" or "VERSCHILLEN".
std::string_view keyPrefix(Tool tool);

// The key words besides the categories' own words, as the tools have always
// written them.
namespace key_word {
inline constexpr std::string_view kSaveToFile = "Save to file";
inline constexpr std::string_view kSeparateFiles = "Save separate files";
inline constexpr std::string_view kFileName = "File name";
inline constexpr std::string_view kSpeed = "Speed";
inline constexpr std::string_view kVerify = "Verify action";
// The acceptance run keeps its two switch boxes under keys of their own.
inline constexpr std::string_view kSwitchesOn = "Schakelaar aan";
inline constexpr std::string_view kSwitchesOff = "Schakelaar uit";
inline constexpr std::string_view kStartValue = "Beginwaarde parameters";
inline constexpr std::string_view kRestart = "Beginwaarde reset";
inline constexpr std::string_view kRemember = "Remind original values";
}  // namespace key_word

std::string settingKey(Tool tool, std::string_view word);
// The key of a category's check box ("VERSCHILLEN GL-tijden").
std::string categoryKey(Tool tool, Category c);

// A file chosen with "..." is kept at once when it differs from the current
// name (exact comparison): `current` becomes it and its key is written.
// False when the settings file could not be written.
bool keepChosenFileName(Tool tool, std::string& current, const std::string& chosen,
                        SettingsStore& store);

}  // namespace veltro::tools
