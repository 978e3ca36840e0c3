#include "veltro/monitor/item_choice.h"

#include <algorithm>

namespace veltro::monitor {

std::string choiceText(const LoggedItem& item) {
    std::string what = item.macro;
    if (!item.element.empty())
        what += (what.empty() ? "" : " ") + item.element;
    if (what.empty() || item.label == what)
        return item.label;
    return item.label + "  (" + what + ")";
}

std::vector<int> trendItems(const DebugScreen& screen, const std::vector<int>& fields) {
    constexpr std::size_t kFirstNumbers = 3;
    std::vector<int> items;
    for (int index : screen.controlledItems()) {
        const DebugItem& item = screen.item(index);
        if (item.functionCode < 0)
            continue;
        const bool wanted = fields.empty() ? !item.isOnOff() && items.size() < kFirstNumbers
                                           : std::find(fields.begin(), fields.end(),
                                                       item.itemNumber) != fields.end();
        if (wanted)
            items.push_back(index);
    }
    return items;
}

}  // namespace veltro::monitor
