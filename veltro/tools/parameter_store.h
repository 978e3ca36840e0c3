#pragma once

#include <atomic>
#include <cstdint>
#include <unordered_map>

#include "veltro/definitions/element_tables.h"
#include "veltro/ports/record_sink.h"

namespace veltro::tools {

// The parameter store: the element tables (names, indexes and source values
// from ZXAPDEF.H and ZXAPTAB.C) with the values the controller reported.
//
// deliver() is the intake. While a tool dialog is open the link's router
// hands it every decoded record, on the reader thread: the value is stored
// before its mark, with atomics and no lock. The look-up index is built by
// rebuildIndex() on the user-interface thread before the records are routed
// here (the router's flag publishes it) and is only read by the intake.
class ParameterStore final : public RecordSink {
  public:
    explicit ParameterStore(ElementTables& tables) : m_tables(tables) { rebuildIndex(); }
    ParameterStore(const ParameterStore&) = delete;
    ParameterStore& operator=(const ParameterStore&) = delete;

    ElementTables& tables() { return m_tables; }
    const ElementTables& tables() const { return m_tables; }

    // After the tables were filled again; never while records are routed here.
    void rebuildIndex();

    // Around a tool dialog: beginIntake() waits until no report is being
    // taken, builds the index afresh and accepts reports again; after
    // endIntake() a report that still arrives is dropped. So the index is
    // never rebuilt under a report, however late the router let it through.
    void beginIntake();
    void endIntake() { m_accepting.store(false); }

    void deliver(const ControllerRecord& record) override;

    // Set by the first report of any parameter; the acceptance run offers
    // the reset of the originals once it is set.
    bool originalKnown() const { return m_originalKnown.load(std::memory_order_acquire); }

    // Starts a new read round: reports from now on count as fresh for the
    // checks that compare what the controller says now. Returns the round.
    std::uint32_t beginReadRound() { return m_round.fetch_add(1, std::memory_order_acq_rel) + 1; }
    std::uint32_t readRound() const { return m_round.load(std::memory_order_acquire); }

  private:
    ControllerValue* slotFor(const ControllerRecord& record);

    ElementTables& m_tables;
    // First entry per array number (per table); clearance times by the pair.
    std::unordered_map<std::int32_t, int> m_signalGroups, m_detectors, m_times, m_clocks,
        m_switches, m_intParameters, m_parameters;
    std::unordered_map<std::int64_t, int> m_conflicts;
    std::atomic<bool> m_originalKnown{false};
    std::atomic<std::uint32_t> m_round{1};
    std::atomic<bool> m_accepting{true};
    std::atomic<int> m_taking{0};  // reports being taken now
};

}  // namespace veltro::tools
