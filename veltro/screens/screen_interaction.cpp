#include "veltro/screens/screen_interaction.h"

#include <algorithm>
#include <limits>

#include "common/format.h"
#include "veltro/screens/debug_screen.h"
#include "veltro/screens/item_navigation.h"

namespace veltro {
namespace {

constexpr std::string_view kSaveCaption = "VELTRO";
constexpr std::string_view kSaveQuestion =
    "De huidige wijziging is niet opgeslagen.\nWilt u deze wijziging alsnog opslaan?";
constexpr const char* kWriteRefused =
    "Waarde %d niet geschreven: er is geen verbinding met de regelautomaat.";

}  // namespace

int leadingInteger(std::string_view text) {
    std::size_t pos = 0;
    while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t')) {
        ++pos;
    }
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    long long value = 0;
    constexpr long long kLimit = std::numeric_limits<int>::max() + 1LL;
    for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos) {
        value = std::min(value * 10 + (text[pos] - '0'), kLimit);
    }
    if (negative) {
        return static_cast<int>(-value);
    }
    return static_cast<int>(std::min(value, kLimit - 1));
}

void DebugScreen::select(int index, ScreenPorts& ports) {
    if (index >= 0 && !requestable(index)) {
        return;  // an item without a control cannot take the focus
    }
    if (m_selected >= 0) {
        DebugItem& old = mutableItem(m_selected);
        old.flags &= ~DebugItem::kSelectedFlag;
        if (old.edited && index != m_selected) {
            const bool written =
                ports.prompts.askYesNo(kSaveCaption, kSaveQuestion, PromptIcon::Question) &&
                write(m_selected, leadingInteger(old.text), ports);
            send(m_selected, CommandMode::Read, ports.requests);
            old.edited = false;
            // Typing that did not go is not left standing as if it were the value.
            if (!written) {
                old.text = old.reportedText;
            }
        }
    }
    m_selected = index;
    if (index >= 0) {
        mutableItem(index).flags |= DebugItem::kSelectedFlag;
    }
}

// An item that has not yet shown a value has nothing to write: its text is
// empty and its value a default, so Enter, the blank and 'v' would put a
// value into the controller that nobody saw.
bool DebugScreen::showsValue(int index) const {
    return requestable(index) && item(index).enabled;
}

void DebugScreen::handleKey(ScreenKey key, ScreenPorts& ports) {
    const bool writable = m_selected >= 0 && showsValue(m_selected);
    if (!writable && (key == ScreenKey::Enter || key == ScreenKey::Blank || key == ScreenKey::V)) {
        return;
    }
    switch (key) {
        case ScreenKey::Left:
        case ScreenKey::Right:
        case ScreenKey::Up:
        case ScreenKey::Down: {
            // Only items with a control can be reached.
            std::vector<ItemPlace> places;
            std::vector<int> indexes;
            int from = -1;
            for (const DebugItem& item : m_items) {
                if (item.hasControl) {
                    if (item.index == m_selected) {
                        from = static_cast<int>(places.size());
                    }
                    places.push_back({item.row, item.column});
                    indexes.push_back(item.index);
                }
            }
            const Arrow arrow = key == ScreenKey::Left    ? Arrow::Left
                                : key == ScreenKey::Right ? Arrow::Right
                                : key == ScreenKey::Up    ? Arrow::Up
                                                          : Arrow::Down;
            const int to = navigate(places, from, arrow);
            if (to >= 0 && indexes[static_cast<std::size_t>(to)] != m_selected) {
                select(indexes[static_cast<std::size_t>(to)], ports);
            }
            break;
        }
        case ScreenKey::Enter:
            pressEnter(ports);
            break;
        case ScreenKey::Blank:
            if (m_selected >= 0 && item(m_selected).isOnOff()) {
                toggle(m_selected, ports);
            }
            break;
        case ScreenKey::V:
            if (m_selected >= 0) {
                write(m_selected, item(m_selected).value, ports);
            }
            break;
        case ScreenKey::Escape:
            escape(ports);
            break;
    }
}

void DebugScreen::pressEnter(ScreenPorts& ports) {
    if (m_selected < 0) {
        return;
    }
    DebugItem& selectedItem = mutableItem(m_selected);
    if (selectedItem.isOnOff()) {
        toggle(m_selected, ports);
        return;
    }
    // The overflow marks are no number: unedited, the field stands for the
    // value reported, which must not become 0 in the controller.
    const bool overflowShown =
        !selectedItem.edited && selectedItem.text == std::string(DebugItem::kTextCapacity, '#');
    const int value = overflowShown ? selectedItem.value : leadingInteger(selectedItem.text);
    // The typed text is now dealt with, so no save question is due for it.
    selectedItem.edited = false;
    if (!write(m_selected, value, ports)) {
        selectedItem.text = selectedItem.reportedText;
        return;
    }
    send(m_selected, CommandMode::Read, ports.requests);
}

bool DebugScreen::write(int index, int value, ScreenPorts& ports) {
    if (!ports.writes.writesPossible()) {
        ports.messages.message(message_kind::kError, common::format(kWriteRefused, value));
        return false;
    }
    mutableItem(index).value = value;
    send(index, CommandMode::Write, ports.requests);
    return true;
}

// The check mark itself changes only when the controller reports the value.
void DebugScreen::toggle(int index, ScreenPorts& ports) {
    write(index, item(index).value ^ 1, ports);
}

void DebugScreen::escape(ScreenPorts& ports) {
    if (m_selected < 0) {
        return;
    }
    DebugItem& dropped = mutableItem(m_selected);
    dropped.edited = false;
    dropped.text = dropped.reportedText;
    send(m_selected, CommandMode::Read, ports.requests);
    select(-1, ports);
}

void DebugScreen::typeText(int index, std::string_view text) {
    if (!showsValue(index) || item(index).isOnOff()) {
        return;
    }
    DebugItem& target = mutableItem(index);
    target.text.assign(text.substr(0, DebugItem::kTextCapacity));
    target.textLength = static_cast<int>(target.text.size());
    target.edited = true;
}

void DebugScreen::click(int index, ScreenPorts& ports) {
    if (!showsValue(index)) {
        return;  // a control without a value is disabled: it takes no clicks
    }
    select(index, ports);
    if (item(index).isOnOff()) {
        toggle(index, ports);
        // The box then reports the click with the mark it still shows.
        mutableItem(index).value = item(index).checked ? 1 : 0;
    }
}

}  // namespace veltro
