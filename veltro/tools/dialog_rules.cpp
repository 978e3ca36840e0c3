#include "veltro/tools/dialog_rules.h"

#include <cstdint>
#include <limits>

namespace veltro::tools {

namespace {
constexpr std::size_t kStartValueFieldMax = 99;
}

int speedChoiceIndex(int milliseconds) {
    for (std::size_t i = 0; i < kSpeedChoices.size(); ++i) {
        if (kSpeedChoices[i].milliseconds == milliseconds)
            return static_cast<int>(i);
    }
    return -1;
}

CategoryBox categoryBox(Category c, const ToolSettings& settings, const ElementTables& tables) {
    if (entryCount(c, tables) == 0)
        return {};
    return {true, settings.selected[static_cast<std::size_t>(categoryNumber(c))]};
}

SwitchBoxes switchBoxes(const ToolSettings& settings, const ElementTables& tables) {
    if (entryCount(Category::Schakelaars, tables) == 0)
        return {};
    return {true, settings.switchesOn, !settings.switchesOn && settings.switchesOff};
}

SwitchBoxes toggledSwitchBox(SwitchBoxes boxes, SwitchBox box, bool checked) {
    bool& mine = box == SwitchBox::On ? boxes.onChecked : boxes.offChecked;
    bool& other = box == SwitchBox::On ? boxes.offChecked : boxes.onChecked;
    mine = checked;
    if (checked)
        other = false;
    return boxes;
}

int parseStartValue(std::string_view text) {
    text = text.substr(0, kStartValueFieldMax);
    std::size_t i = 0;
    const auto isSpace = [](char c) { return c == ' ' || (c >= '\t' && c <= '\r'); };
    while (i < text.size() && isSpace(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    std::int64_t value = 0;
    constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<int>::max()} + 1;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > kLimit)
            value = kLimit;
    }
    if (negative)
        value = -value;
    if (value > std::numeric_limits<int>::max())
        value = std::numeric_limits<int>::max();
    return static_cast<int>(value);
}

std::string fileNameFromField(std::string_view text) {
    return std::string(text.substr(0, ToolSettings::kFileNameMax));
}

}  // namespace veltro::tools
