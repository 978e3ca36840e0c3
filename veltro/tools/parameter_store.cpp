#include "veltro/tools/parameter_store.h"

#include <thread>

#include "veltro/tools/function_codes.h"

namespace veltro::tools {

namespace {

std::int64_t pairKey(std::int32_t from, std::int32_t to) {
    return (static_cast<std::int64_t>(from) << 32) | static_cast<std::uint32_t>(to);
}

// The first entry of each array number wins, as the scan over the table does.
template <class Table>
void indexTable(const Table& table, std::unordered_map<std::int32_t, int>& index) {
    index.clear();
    for (int i = 0; i < table.validCount(); ++i)
        index.try_emplace(table[i].arrayNumber, i);
}

int find(const std::unordered_map<std::int32_t, int>& index, std::int32_t key) {
    const auto it = index.find(key);
    return it == index.end() ? -1 : it->second;
}

// The signal group value of a function code, or -1 for another code.
int signalGroupSlot(int code) {
    if (code == code::kInstVgTijd)
        return sg_value::kVg;
    if (code == code::kInstGlTijd)
        return sg_value::kGl;
    if (code == code::kInstMgTijd)
        return sg_value::kMg;
    if (code >= code::kInstMgTijd1 && code <= code::kInstMgTijd1 + 5)
        return sg_value::mg(code - 330);
    if (code >= code::kInstMgTijd7 && code <= code::kInstMgTijd7 + 5)
        return sg_value::mg(code - 332);
    return -1;
}

int detectorSlot(int code) {
    switch (code) {
        case code::kInstHTijd1:
            return det_value::kHTijd1;
        case code::kInstHTijd2:
            return det_value::kHTijd2;
        case code::kInstBTijd:
            return det_value::kBztTijd;
        default:
            return -1;
    }
}

}  // namespace

void ParameterStore::rebuildIndex() {
    indexTable(m_tables.signalGroups, m_signalGroups);
    indexTable(m_tables.detectors, m_detectors);
    indexTable(m_tables.times, m_times);
    indexTable(m_tables.clocks, m_clocks);
    indexTable(m_tables.switches, m_switches);
    indexTable(m_tables.intParameters, m_intParameters);
    indexTable(m_tables.parameters, m_parameters);
    m_conflicts.clear();
    const auto& conflicts = m_tables.conflicts;
    for (int i = 0; i < conflicts.validCount(); ++i)
        m_conflicts.try_emplace(pairKey(conflicts[i].fromArrayNumber, conflicts[i].toArrayNumber),
                                i);
}

ControllerValue* ParameterStore::slotFor(const ControllerRecord& r) {
    const int code = r.functionCode;
    if (code == code::kInstOTijd) {
        const auto it = m_conflicts.find(pairKey(r.index, r.secondIndex));
        return it == m_conflicts.end() ? nullptr : &m_tables.conflicts[it->second].controller;
    }
    if (const int slot = signalGroupSlot(code); slot >= 0) {
        const int i = find(m_signalGroups, r.index);
        return i < 0 ? nullptr
                     : &m_tables.signalGroups[i].controller[static_cast<std::size_t>(slot)];
    }
    if (const int slot = detectorSlot(code); slot >= 0) {
        const int i = find(m_detectors, r.index);
        return i < 0 ? nullptr : &m_tables.detectors[i].controller[static_cast<std::size_t>(slot)];
    }
    if (code == code::kInstKl1 || code == code::kInstKl2) {
        const int i = find(m_clocks, r.index);
        return i < 0 ? nullptr : &m_tables.clocks[i].controller[code == code::kInstKl1 ? 0 : 1];
    }
    const std::unordered_map<std::int32_t, int>* index = nullptr;
    switch (code) {
        case code::kInstTijd:
            index = &m_times;
            break;
        case code::kSch:
            index = &m_switches;
            break;
        case code::kInstEggparm:
            index = &m_intParameters;
            break;
        case code::kInstEparm:
            index = &m_parameters;
            break;
        default:
            return nullptr;
    }
    const int i = find(*index, r.index);
    if (i < 0)
        return nullptr;
    switch (code) {
        case code::kInstTijd:
            return &m_tables.times[i].controller;
        case code::kSch:
            return &m_tables.switches[i].controller;
        case code::kInstEggparm:
            return &m_tables.intParameters[i].controller;
        default:
            return &m_tables.parameters[i].controller;
    }
}

void ParameterStore::beginIntake() {
    m_accepting.store(false);
    while (m_taking.load() != 0)
        std::this_thread::yield();
    rebuildIndex();
    m_accepting.store(true);
}

void ParameterStore::deliver(const ControllerRecord& record) {
    // Counted before the flag is read: beginIntake() either sees this report
    // being taken and waits, or this report sees the intake closed.
    m_taking.fetch_add(1);
    if (m_accepting.load()) {
        if (ControllerValue* slot = slotFor(record)) {
            if (slot->storeReport(record.value, readRound()))
                m_originalKnown.store(true, std::memory_order_release);
        }
    }
    m_taking.fetch_sub(1);
}

}  // namespace veltro::tools
