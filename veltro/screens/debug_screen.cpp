#include "veltro/screens/debug_screen.h"

#include <algorithm>

#include "veltro/screens/value_text.h"

namespace veltro {

void DebugScreen::growExtent(int column, int row) {
    m_columnExtent = std::max(m_columnExtent, column);
    m_rowExtent = std::max(m_rowExtent, row);
}

void DebugScreen::setExtent(int columns, int rows) {
    m_columnExtent = columns;
    m_rowExtent = rows;
}

DebugItem& DebugScreen::addItem() {
    DebugItem& item = m_items.emplace_back();
    item.index = static_cast<int>(m_items.size()) - 1;
    return item;
}

std::vector<int> DebugScreen::buildIndex() {
    m_index.clear();
    m_controlled.clear();
    std::vector<int> refused;
    for (const DebugItem& item : m_items) {
        if (item.hasControl) {
            m_controlled.push_back(item.index);
        }
        if (item.functionCode < 0) {
            continue;
        }
        const auto key = ItemIndex::key(item.functionCode, item.firstElement, item.block);
        if (!m_index.insert(key, item.index)) {
            refused.push_back(item.index);
        }
    }
    return refused;
}

int DebugScreen::findItem(const ControllerRecord& record) const {
    return m_index.find(ItemIndex::key(record.functionCode, record.index, record.secondIndex));
}

int DebugScreen::showReport(const ControllerRecord& record) {
    const int index = findItem(record);
    if (index >= 0) {
        showValue(index, record.value);
    }
    return index;
}

void DebugScreen::showValue(int index, int value) {
    DebugItem& item = mutableItem(index);
    // What the engineer is typing stays until the edit ends: a report in
    // between (a controller repeats its reports every half second) would
    // turn the typing into a number nobody typed. Every way out of an edit
    // (Enter, Escape, leaving the field) asks for the value again.
    if (item.edited && item.enabled) {
        return;
    }
    item.enabled = true;
    item.stale = false;
    if (item.isOnOff()) {
        item.checked = value == 1;
        item.text.clear();
    } else {
        item.text = valueText(item, value);
    }
    if (item.keepsLastValue && value != 0) {
        item.lastNonZeroValue = value;
    }
    item.value = value;
    item.reportedText = item.text;
    item.textLength = static_cast<int>(item.text.size());
    item.edited = false;
}

bool DebugScreen::requestable(int index) const {
    return index >= 0 && index < static_cast<int>(m_items.size()) &&
           m_items[static_cast<std::size_t>(index)].hasControl;
}

void DebugScreen::send(int index, CommandMode mode, ControllerRequests& requests) const {
    requests.send(m_items[static_cast<std::size_t>(index)].record(), mode);
}

void DebugScreen::setRequested(int index, bool on) {
    if (!requestable(index)) {
        return;
    }
    DebugItem& item = mutableItem(index);
    item.flags =
        on ? item.flags | DebugItem::kRequestedFlag : item.flags & ~DebugItem::kRequestedFlag;
}

void DebugScreen::disableItems() {
    for (DebugItem& item : m_items) {
        item.enabled = false;
    }
}

void DebugScreen::markStale() {
    for (const DebugItem& item : m_items) {
        markStale(item.index);
    }
}

// Only a value shown can be stale; a field without one shows nothing.
void DebugScreen::markStale(int index) {
    DebugItem& item = mutableItem(index);
    item.stale = item.enabled;
}

}  // namespace veltro
