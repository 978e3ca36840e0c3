#include "veltro/session/link_trust.h"

namespace veltro {

void LinkTrust::linkStateChanged(LinkState state) {
    const bool wasConnected = connected();
    m_state = state;
    if (!wasConnected || connected()) {
        return;
    }
    for (int i = 0; i < m_windows.windowCount(); ++i) {
        m_windows.window(i).markStale();
    }
    if (const DebugScreen* shown = m_windows.shownWindow();
        shown != nullptr && m_view != nullptr) {
        for (const DebugItem& item : shown->items()) {
            m_view->itemChanged(item.index);
        }
    }
}

bool LinkTrust::writesPossible() const {
    return connected() &&
           (m_live == nullptr || m_live->linkStatus().state == LinkState::Connected);
}

void LinkTrust::reported(DebugScreen& shown, int item) const {
    if (!connected()) {
        shown.markStale(item);
    }
}

}  // namespace veltro
