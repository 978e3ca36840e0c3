#pragma once

// Joins the shown debug window to the controller link: the poll cycle's view
// of its items and the sink of decoded records. Header-only, so that only
// programs that have the link include it.

#include <vector>

#include "veltro/link/poll_cycle.h"
#include "veltro/link/record_router.h"
#include "veltro/session/window_list.h"

namespace veltro {

// The items of the shown window that have a control; the others are never
// requested, so the poll cycle does not see them.
class ShownWindowPoll final : public link::PollWindow {
  public:
    explicit ShownWindowPoll(DebugWindowList& windows) : m_windows(windows) {}

    bool windowShown() const override { return m_windows.shown() >= 0; }
    std::size_t itemCount() const override { return controlled().size(); }
    ControllerRecord itemRecord(std::size_t item) const override {
        return screen().item(controlled()[item]).record();
    }
    bool itemRequested(std::size_t item) const override {
        return screen().item(controlled()[item]).requested();
    }
    void setItemRequested(std::size_t item, bool requested) override {
        DebugItem& target = m_windows.shownWindow()->mutableItem(controlled()[item]);
        target.flags = requested ? target.flags | DebugItem::RequestedFlag
                                 : target.flags & ~DebugItem::RequestedFlag;
    }
    bool itemEnabled(std::size_t item) const override {
        return screen().item(controlled()[item]).enabled;
    }
    void disableItems() override {
        if (DebugScreen* shown = m_windows.shownWindow()) {
            for (std::size_t i = 0; i < shown->items().size(); ++i) {
                shown->mutableItem(static_cast<int>(i)).enabled = false;
            }
        }
    }

  private:
    const DebugScreen& screen() const { return m_windows.window(m_windows.shown()); }
    std::vector<int> controlled() const {
        std::vector<int> result;
        if (m_windows.shown() >= 0) {
            for (const DebugItem& item : screen().items()) {
                if (item.hasControl) {
                    result.push_back(item.index);
                }
            }
        }
        return result;
    }

    DebugWindowList& m_windows;
};

// Shows a decoded record in the shown window. It touches item state, so it
// must run on the thread that owns the windows: a front-end whose records
// arrive on the reader thread queues them to its GUI thread first.
class ShownWindowSink final : public link::RecordSink {
  public:
    explicit ShownWindowSink(DebugWindowList& windows) : m_windows(windows) {}
    void deliver(const ControllerRecord& record) override {
        if (DebugScreen* shown = m_windows.shownWindow()) {
            shown->showReport(record);
        }
    }

  private:
    DebugWindowList& m_windows;
};

}  // namespace veltro
