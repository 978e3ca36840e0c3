#pragma once

#include <atomic>
#include <mutex>

#include "veltro/ports/record_sink.h"

namespace veltro::link {

// Chooses the sink at the moment a record is decoded, on the reader thread:
// the tool sink (the parameter store's intake, or a headless command's own)
// while records are routed there, otherwise the shown window's side (the mailbox that carries
// records to the user-interface thread, where the item lookup drops records that match no item).
class RecordRouter : public RecordSink {
  public:
    // The tool sink may come and go while the reader runs (the tools' store
    // goes with the main window): once this returns, no record is being
    // handed to the sink it replaced, so that sink may be freed.
    void setToolSink(RecordSink* sink);
    // Wiring happens before the reader thread starts; the sink stays put.
    void setWindowSink(RecordSink* sink) { m_windowSink = sink; }

    // Set while a tool's dialog is open, or for a whole headless command.
    // Written by the GUI thread, read by the reader thread for every record.
    void setRouteToParameterStore(bool on) {
        m_toParameterStore.store(on, std::memory_order_release);
    }
    bool routesToParameterStore() const {
        return m_toParameterStore.load(std::memory_order_acquire);
    }

    void deliver(const ControllerRecord& record) override;

  private:
    std::mutex m_toolMutex;  // held while a record is in the tool sink
    RecordSink* m_toolSink = nullptr;
    RecordSink* m_windowSink = nullptr;
    std::atomic<bool> m_toParameterStore{false};
};

}  // namespace veltro::link
