#include "veltro/monitor/logged_item.h"

#include "veltro/link/frame_decoder.h"
#include "veltro/screens/item_index.h"

namespace veltro::monitor {
namespace {

std::string fileName(const std::string& path) {
    const std::size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The words of fixed text on the item's row between the previous item (or the
// start of the row) and the item itself.
std::string labelOf(const DebugScreen& screen, const DebugItem& item) {
    int from = 0;
    for (const DebugItem& other : screen.items()) {
        if (other.row == item.row && other.column < item.column && other.column >= from)
            from = other.column + 1;
    }
    std::vector<const FixedText*> words;
    for (const FixedText& text : screen.texts()) {
        if (text.row == item.row && text.column >= from && text.column < item.column)
            words.push_back(&text);
    }
    std::sort(words.begin(), words.end(),
              [](const FixedText* a, const FixedText* b) { return a->column < b->column; });
    std::string label;
    for (const FixedText* word : words)
        label += (label.empty() ? "" : " ") + word->text;
    // "Datum :" names the field "Datum".
    while (!label.empty() && (label.back() == ':' || label.back() == ' '))
        label.pop_back();
    return label;
}

std::string elementOf(const DebugItem& item, const FrameNames& names) {
    const ElementRoles roles = elementRoles(item.functionCode);
    std::string text;
    auto add = [&](ElementKind kind, int number) {
        if (number < 0)
            return;
        const std::string name = names.elementName(kind, number);
        text += (text.empty() ? "" : " ") + (name.empty() ? std::to_string(number) : name);
    };
    add(roles.first, item.firstElement);
    add(roles.second, item.block);
    return text;
}

// An item without text before it on its row is named by what it shows
// ("DVWD SG02_1"), by its number only when that is unknown too.
std::string unlabelled(const LoggedItem& logged, const DebugItem& item) {
    std::string name = logged.macro;
    if (!logged.element.empty())
        name += (name.empty() ? "" : " ") + logged.element;
    return name.empty() ? "item " + std::to_string(item.itemNumber) : name;
}

}  // namespace

std::vector<LoggedItem> loggedItems(const DebugScreen& screen, const std::vector<int>& items,
                                    const FrameNames& names) {
    std::vector<int> chosen = items;
    if (chosen.empty())
        chosen = screen.controlledItems();
    std::vector<LoggedItem> logged;
    for (int index : chosen) {
        if (index < 0 || index >= static_cast<int>(screen.items().size()))
            continue;
        const DebugItem& item = screen.item(index);
        if (item.functionCode < 0)
            continue;
        LoggedItem entry{fileName(screen.title()), labelOf(screen, item),
                         names.macroName(item.functionCode), elementOf(item, names),
                         ItemIndex::key(item.functionCode, item.firstElement, item.block)};
        if (entry.label.empty())
            entry.label = unlabelled(entry, item);
        logged.push_back(std::move(entry));
    }
    return logged;
}

std::int32_t reportKey(const ControllerRecord& record) {
    return ItemIndex::key(record.functionCode, record.index, record.secondIndex);
}

std::optional<ControllerRecord> reportedValue(const FrameEntry& entry) {
    if (entry.direction != FrameDirection::In || entry.kind != FrameKind::Frame)
        return std::nullopt;
    const link::DecodedFrame frame = link::extractFrame(entry.data());
    if (frame.mode != CommandMode::Write)
        return std::nullopt;
    return frame.record;
}

}  // namespace veltro::monitor
