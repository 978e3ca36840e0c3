#pragma once

#include <array>
#include <string>
#include <string_view>

#include "veltro/ports/settings_store.h"
#include "veltro/tools/categories.h"
#include "veltro/tools/tool_setting_keys.h"

namespace veltro::tools {

// What a tool keeps in the settings file, section "Hoofdvenster", under keys
// made of its prefix, a blank and the key word ("AANPAS MG-tijden").
struct ToolSettings {
    static constexpr std::size_t kFileNameMax = 259;

    std::array<bool, kCategoryCount> selected{};
    bool saveToFile = true;
    bool separateFiles = true;  // adjustment and acceptance run
    std::string fileName;
    int speed = 1000;  // milliseconds between commands
    // Adjustment run.
    bool verify = true;
    // Acceptance run: the switch category has two boxes instead of one.
    bool switchesOn = false;
    bool switchesOff = false;
    int startValue = 0;
    bool restartPerCategory = true;
    bool rememberOriginals = true;

    bool isSelected(Category c) const;
};

// The default listing or result file of a tool.
std::string_view defaultFileName(Tool tool);

// Every key of the tool, with its default where the file has none.
ToolSettings loadToolSettings(Tool tool, const SettingsStore& store);
// Writes every key of the tool; false when the file could not be written.
bool saveToolSettings(Tool tool, const ToolSettings& settings, SettingsStore& store);

}  // namespace veltro::tools
