#pragma once

#include <array>
#include <string>
#include <string_view>

#include "veltro/definitions/element_tables.h"
#include "veltro/tools/categories.h"
#include "veltro/tools/tool_settings.h"

namespace veltro::tools {

// The five speed choices of every tool dialog, in the order shown.
struct SpeedChoice {
    int milliseconds;
    std::string_view label;
    std::string_view rate;
};
inline constexpr std::array<SpeedChoice, 5> kSpeedChoices{{
    {100, "Heel snel", "(10/sec)"},
    {200, "Snel", "(5/sec)"},
    {500, "Normaal", "(2/sec)"},
    {1000, "Traag", "(1/sec)"},
    {2000, "Heel traag", "(1/2 sec)"},
}};

// The radio button of a speed, or -1 when it is none of the five (then no
// button is checked and the speed stays in force until the user picks one).
int speedChoiceIndex(int milliseconds);

// A category check box as the dialog shows it on opening.
struct CategoryBox {
    bool enabled = false;
    bool checked = false;
};

// Disabled and unchecked without entries; otherwise checked as the settings say.
CategoryBox categoryBox(Category c, const ToolSettings& settings, const ElementTables& tables);

// The acceptance run's two switch boxes on opening: "aan" when its key is
// set, else "uit" when its key is set; both disabled and unchecked without
// switches.
struct SwitchBoxes {
    bool enabled = false;
    bool onChecked = false;
    bool offChecked = false;
};
SwitchBoxes switchBoxes(const ToolSettings& settings, const ElementTables& tables);

// The boxes after the user toggled `box`: checking one unchecks the other;
// unchecking leaves the other as it is, so both may be unchecked (the
// switches are then not touched).
enum class SwitchBox { On, Off };
SwitchBoxes toggledSwitchBox(SwitchBoxes boxes, SwitchBox box, bool checked);

// The start value as the acceptance run reads its field: leading white space
// skipped, an optional sign, then digits (at most 99 characters are read);
// 0 without digits; held at the ends of the 32-bit range.
int parseStartValue(std::string_view text);

// The file name field as the run takes it: at most 259 characters.
std::string fileNameFromField(std::string_view text);

}  // namespace veltro::tools
