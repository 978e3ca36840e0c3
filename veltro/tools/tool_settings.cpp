#include "veltro/tools/tool_settings.h"

#include <string>

namespace veltro::tools {

namespace {

std::string key(Tool tool, std::string_view word) {
    std::string k(keyPrefix(tool));
    k += ' ';
    k += word;
    return k;
}

// The acceptance run keeps the two switch boxes under keys of their own.
constexpr std::string_view kSwitchesOnKey = "Schakelaar aan";
constexpr std::string_view kSwitchesOffKey = "Schakelaar uit";

bool readFlag(const SettingsStore& s, Tool t, std::string_view word, bool byDefault) {
    return s.readInt(kSettingsSection, key(t, word), byDefault ? 1 : 0) != 0;
}

}  // namespace

bool ToolSettings::isSelected(Category c) const {
    if (c == Category::Schakelaars && (switchesOn || switchesOff))
        return true;
    return selected[static_cast<std::size_t>(categoryNumber(c))];
}

std::string_view keyPrefix(Tool tool) {
    switch (tool) {
        case Tool::Adjustment:
            return "AANPAS";
        case Tool::Acceptance:
            return "AFNAME";
        case Tool::Difference:
            return "VERSCHILLEN";
    }
    return {};
}

std::string_view defaultFileName(Tool tool) {
    switch (tool) {
        case Tool::Adjustment:
            return "aangepast.txt";
        case Tool::Acceptance:
            return "afname.txt";
        case Tool::Difference:
            return "verschillen.txt";
    }
    return {};
}

ToolSettings loadToolSettings(Tool tool, const SettingsStore& s) {
    ToolSettings out;
    for (Category c : kAllCategories) {
        if (tool == Tool::Acceptance && c == Category::Schakelaars)
            continue;
        out.selected[static_cast<std::size_t>(categoryNumber(c))] =
            readFlag(s, tool, categoryTexts(c).word, false);
    }
    out.saveToFile = readFlag(s, tool, "Save to file", true);
    out.fileName = s.readString(kSettingsSection, key(tool, "File name"), defaultFileName(tool));
    out.speed = s.readInt(kSettingsSection, key(tool, "Speed"), 1000);
    if (tool != Tool::Difference)
        out.separateFiles = readFlag(s, tool, "Save separate files", true);
    if (tool == Tool::Adjustment)
        out.verify = readFlag(s, tool, "Verify action", true);
    if (tool == Tool::Acceptance) {
        out.switchesOn = readFlag(s, tool, kSwitchesOnKey, false);
        out.switchesOff = !out.switchesOn && readFlag(s, tool, kSwitchesOffKey, false);
        out.startValue = s.readInt(kSettingsSection, key(tool, "Beginwaarde parameters"), 0);
        out.restartPerCategory = readFlag(s, tool, "Beginwaarde reset", true);
        out.rememberOriginals = readFlag(s, tool, "Remind original values", true);
    }
    return out;
}

bool saveToolSettings(Tool tool, const ToolSettings& in, SettingsStore& s) {
    bool ok = true;
    const auto flag = [&](std::string_view word, bool value) {
        ok = s.writeInt(kSettingsSection, key(tool, word), value ? 1 : 0) && ok;
    };
    for (Category c : kAllCategories) {
        if (tool == Tool::Acceptance && c == Category::Schakelaars) {
            flag(kSwitchesOnKey, in.switchesOn);
            flag(kSwitchesOffKey, in.switchesOff);
            continue;
        }
        flag(categoryTexts(c).word, in.selected[static_cast<std::size_t>(categoryNumber(c))]);
    }
    if (tool == Tool::Acceptance)
        ok =
            s.writeInt(kSettingsSection, key(tool, "Beginwaarde parameters"), in.startValue) && ok;
    if (tool == Tool::Acceptance)
        flag("Beginwaarde reset", in.restartPerCategory);
    flag("Save to file", in.saveToFile);
    if (tool != Tool::Difference)
        flag("Save separate files", in.separateFiles);
    ok = s.writeString(kSettingsSection, key(tool, "File name"), in.fileName) && ok;
    ok = s.writeInt(kSettingsSection, key(tool, "Speed"), in.speed) && ok;
    if (tool == Tool::Adjustment)
        flag("Verify action", in.verify);
    if (tool == Tool::Acceptance)
        flag("Remind original values", in.rememberOriginals);
    return ok;
}

}  // namespace veltro::tools
