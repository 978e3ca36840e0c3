#include "veltro/tools/tool_settings.h"

#include <string>

namespace veltro::tools {

namespace {

using namespace key_word;

bool readFlag(const SettingsStore& s, Tool t, std::string_view word, bool byDefault) {
    return s.readInt(kSettingsSection, settingKey(t, word), byDefault ? 1 : 0) != 0;
}

}  // namespace

bool ToolSettings::isSelected(Category c) const {
    if (c == Category::Schakelaars && (switchesOn || switchesOff))
        return true;
    return selected[static_cast<std::size_t>(categoryNumber(c))];
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
    out.saveToFile = readFlag(s, tool, kSaveToFile, true);
    out.fileName =
        s.readString(kSettingsSection, settingKey(tool, kFileName), defaultFileName(tool));
    out.speed = s.readInt(kSettingsSection, settingKey(tool, kSpeed), 1000);
    if (tool != Tool::Difference)
        out.separateFiles = readFlag(s, tool, kSeparateFiles, true);
    if (tool == Tool::Adjustment)
        out.verify = readFlag(s, tool, kVerify, true);
    if (tool == Tool::Acceptance) {
        out.switchesOn = readFlag(s, tool, kSwitchesOn, false);
        out.switchesOff = !out.switchesOn && readFlag(s, tool, kSwitchesOff, false);
        out.startValue = s.readInt(kSettingsSection, settingKey(tool, kStartValue), 0);
        out.restartPerCategory = readFlag(s, tool, kRestart, true);
        out.rememberOriginals = readFlag(s, tool, kRemember, true);
    }
    return out;
}

bool saveToolSettings(Tool tool, const ToolSettings& in, SettingsStore& s) {
    bool ok = true;
    const auto flag = [&](std::string_view word, bool value) {
        ok = s.writeInt(kSettingsSection, settingKey(tool, word), value ? 1 : 0) && ok;
    };
    for (Category c : kAllCategories) {
        if (tool == Tool::Acceptance && c == Category::Schakelaars) {
            flag(kSwitchesOn, in.switchesOn);
            flag(kSwitchesOff, in.switchesOff);
            continue;
        }
        flag(categoryTexts(c).word, in.selected[static_cast<std::size_t>(categoryNumber(c))]);
    }
    if (tool == Tool::Acceptance)
        ok = s.writeInt(kSettingsSection, settingKey(tool, kStartValue), in.startValue) && ok;
    if (tool == Tool::Acceptance)
        flag(kRestart, in.restartPerCategory);
    flag(kSaveToFile, in.saveToFile);
    if (tool != Tool::Difference)
        flag(kSeparateFiles, in.separateFiles);
    ok = s.writeString(kSettingsSection, settingKey(tool, kFileName), in.fileName) && ok;
    ok = s.writeInt(kSettingsSection, settingKey(tool, kSpeed), in.speed) && ok;
    if (tool == Tool::Adjustment)
        flag(kVerify, in.verify);
    if (tool == Tool::Acceptance)
        flag(kRemember, in.rememberOriginals);
    return ok;
}

}  // namespace veltro::tools
