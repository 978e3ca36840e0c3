#pragma once

#include "veltro/ports/item_view.h"
#include "veltro/ports/link_state_listener.h"
#include "veltro/ports/link_status.h"
#include "veltro/ports/write_gate.h"
#include "veltro/session/window_list.h"

namespace veltro {

// What the engineer may believe while the link comes and goes. When the
// line goes, every value the debug windows show is marked stale, and stays
// so until the controller reports it afresh over a line that is back; while
// the line is gone, a write is refused (the debug screen tells why).
// Lives on the user-interface thread, which hears the link's changes.
class LinkTrust final : public LinkStateListener, public WriteGate {
  public:
    // `live` (null: none) is asked too before a write, as it knows of a loss
    // before the news of it reaches this thread.
    explicit LinkTrust(DebugWindowList& windows, const LinkStatusSource* live = nullptr)
        : m_windows(windows), m_live(live) {}

    // Where the shown window's fields are painted again when they go stale.
    void setView(ItemView* view) { m_view = view; }

    void linkStateChanged(LinkState state) override;
    bool writesPossible() const override;

    // A report arrived for `item` of the shown window: over a line that is
    // not back yet it is no fresh value.
    void reported(DebugScreen& shown, int item) const;

  private:
    bool connected() const { return m_state == LinkState::Connected; }

    DebugWindowList& m_windows;
    const LinkStatusSource* m_live;
    ItemView* m_view = nullptr;
    LinkState m_state = LinkState::Connected;
};

}  // namespace veltro
