#pragma once

#include <string>
#include <vector>

#include "veltro/ports/controller_requests.h"
#include "veltro/screens/debug_item.h"
#include "veltro/screens/item_index.h"
#include "veltro/screens/screen_interaction.h"

namespace veltro {

// One debug window: the picture of a debug window file with its fixed texts
// and items, the item index by function, and the item selection. All item
// rules live here; the front-end only draws the state and forwards events.
class DebugScreen {
  public:
    static constexpr int kItemCapacity = 500;
    static constexpr int kTextCapacity = 200;

    explicit DebugScreen(std::string title = {}) : m_title(std::move(title)) {}

    // The full path of the window's file.
    const std::string& title() const { return m_title; }

    // Picture extents in character cells, for the layout.
    int columnExtent() const { return m_columnExtent; }
    int rowExtent() const { return m_rowExtent; }
    const std::vector<FixedText>& texts() const { return m_texts; }
    const std::vector<DebugItem>& items() const { return m_items; }
    const DebugItem& item(int index) const { return m_items.at(static_cast<std::size_t>(index)); }

    // Building (the loader).
    void growExtent(int column, int row);
    void setExtent(int columns, int rows);
    void addText(FixedText text) { m_texts.push_back(std::move(text)); }
    DebugItem& addItem();
    DebugItem& mutableItem(int index) { return m_items.at(static_cast<std::size_t>(index)); }
    // Indexes every item with a function code; returns the items refused
    // because an earlier one has the same key, in item order.
    std::vector<int> buildIndex();

    // Value reports. The item of a record, or -1 when none is indexed.
    int findItem(const ControllerRecord& record) const;
    // Shows the reported value in its item; the item's index, or -1 when the
    // report was dropped. While the engineer types into the item, its
    // reports are not shown.
    int showReport(const ControllerRecord& record);
    void showValue(int index, int value);

    // Item state that the link's poll cycle reads and sets; the cycle owns the
    // rules of when requests go out.
    // The items with a control, in index order: the only ones ever requested.
    // Fixed when the index is built, as the controls are made at the end of a load.
    const std::vector<int>& controlledItems() const { return m_controlled; }
    void setRequested(int index, bool on);  // the requested flag only
    void disableItems();                    // the window stops being current
    // The link went: what the items show is from before, until each is
    // reported afresh (showValue clears the mark).
    void markStale();
    void markStale(int index);

    // Selection and the engineer's actions (screen_interaction.h).
    int selected() const { return m_selected; }
    void select(int index, ScreenPorts& ports);  // -1: no selection
    void hideSelection() { m_selectionVisible = false; }
    void restoreSelection() { m_selectionVisible = true; }
    bool selectionVisible() const { return m_selectionVisible; }
    // Items that have not shown a value yet take no edits: Enter, the blank
    // and 'v' do nothing on them, typing and clicks are ignored.
    void handleKey(ScreenKey key, ScreenPorts& ports);
    void typeText(int index, std::string_view text);  // a character other than Enter
    void click(int index, ScreenPorts& ports);
    bool showsValue(int index) const;  // has a control and received a value

  private:
    bool requestable(int index) const;
    void send(int index, CommandMode mode, ControllerRequests& requests) const;
    bool write(int index, int value, ScreenPorts& ports);
    void pressEnter(ScreenPorts& ports);
    void toggle(int index, ScreenPorts& ports);
    void escape(ScreenPorts& ports);

    std::string m_title;
    int m_columnExtent = 1;
    int m_rowExtent = 1;
    std::vector<FixedText> m_texts;
    std::vector<DebugItem> m_items;
    ItemIndex m_index;
    std::vector<int> m_controlled;
    int m_selected = -1;
    bool m_selectionVisible = true;
};

}  // namespace veltro
