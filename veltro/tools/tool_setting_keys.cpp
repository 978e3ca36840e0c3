#include "veltro/tools/tool_setting_keys.h"

namespace veltro::tools {

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

std::string settingKey(Tool tool, std::string_view word) {
    std::string key(keyPrefix(tool));
    key += ' ';
    key += word;
    return key;
}

std::string categoryKey(Tool tool, Category c) {
    return settingKey(tool, categoryTexts(c).word);
}

bool keepChosenFileName(Tool tool, std::string& current, const std::string& chosen,
                        SettingsStore& store) {
    if (chosen == current)
        return true;
    current = chosen;
    return store.writeString(kSettingsSection, settingKey(tool, key_word::kFileName), chosen);
}

}  // namespace veltro::tools
