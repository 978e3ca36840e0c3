#pragma once

// Joins the shown debug window to the controller link: the poll cycle's view
// of its items and the sink of its records. Header-only, so that only
// programs that have the link include it. Both run on the user-interface
// thread, which owns the item state.

#include "veltro/link/poll_cycle.h"
#include "veltro/ports/item_view.h"
#include "veltro/ports/record_sink.h"
#include "veltro/session/link_trust.h"
#include "veltro/session/window_list.h"

namespace veltro {

// The items of the shown window that have a control (the screen keeps that
// list); the others are never requested, so the poll cycle does not see them.
// A window suspended for a dialog counts as not shown.
class ShownWindowPoll final : public link::PollWindow {
  public:
    explicit ShownWindowPoll(DebugWindowList& windows) : m_windows(windows) {}

    bool windowShown() const override { return m_windows.shown() >= 0 && !m_windows.suspended(); }
    std::size_t itemCount() const override {
        return windowShown() ? screen().controlledItems().size() : 0;
    }
    ControllerRecord itemRecord(std::size_t item) const override {
        return screen().item(itemIndex(item)).record();
    }
    bool itemRequested(std::size_t item) const override {
        return screen().item(itemIndex(item)).requested();
    }
    void setItemRequested(std::size_t item, bool requested) override {
        m_windows.shownWindow()->setRequested(itemIndex(item), requested);
    }
    bool itemEnabled(std::size_t item) const override {
        return screen().item(itemIndex(item)).enabled;
    }
    void disableItems() override {
        if (DebugScreen* shown = m_windows.shownWindow()) {
            shown->disableItems();
        }
    }

  private:
    const DebugScreen& screen() const { return m_windows.window(m_windows.shown()); }
    int itemIndex(std::size_t item) const { return screen().controlledItems().at(item); }

    DebugWindowList& m_windows;
};

// Shows a record in the shown window and tells the view which item changed,
// so that one field is painted again, not the window. The link's mailbox
// calls it on the user-interface thread with records of the current showing
// only.
class ShownWindowSink final : public RecordSink {
  public:
    explicit ShownWindowSink(DebugWindowList& windows, ItemView* view = nullptr)
        : m_windows(windows), m_view(view) {}
    void setView(ItemView* view) { m_view = view; }
    // Judges whether a report is fresh (null: every report is).
    void setTrust(const LinkTrust* trust) { m_trust = trust; }

    void deliver(const ControllerRecord& record) override {
        DebugScreen* shown = m_windows.shownWindow();
        if (shown == nullptr) {
            return;
        }
        const int item = shown->showReport(record);
        if (item >= 0 && m_trust != nullptr) {
            m_trust->reported(*shown, item);
        }
        if (item >= 0 && m_view != nullptr) {
            m_view->itemChanged(item);
        }
    }

  private:
    DebugWindowList& m_windows;
    ItemView* m_view;
    const LinkTrust* m_trust = nullptr;
};

}  // namespace veltro
