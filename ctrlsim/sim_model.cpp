#include "ctrlsim/sim_model.h"

#include <cmath>

namespace ctrlsim {

std::int32_t toControllerUnits(double source, int scale) {
    // The controller holds the value the source meant: 7.30 is 730, not the
    // 729 that truncating the nearest double could give.
    return static_cast<std::int32_t>(std::lround(source * scale));
}

SimModel::SimModel(const veltro::ElementTables& elements) : m_elements(elements) {
    loadSettings();
    advance(std::chrono::milliseconds(0), LocalTime{});
}

void SimModel::loadSettings() {
    const auto& e = m_elements;
    for (const auto& sg : e.signalGroups) {
        const int n = sg.arrayNumber;
        if (n < 0)
            continue;
        m_values[{code::kInstVgTijd, n, 0}] =
            toControllerUnits(sg.source[veltro::sg_value::kVg], 10);
        m_values[{code::kInstGlTijd, n, 0}] =
            toControllerUnits(sg.source[veltro::sg_value::kGl], 10);
        m_values[{code::kInstMgTijd, n, 0}] =
            toControllerUnits(sg.source[veltro::sg_value::kMg], 10);
        for (int t = 1; t <= 12; ++t) {
            const double source = sg.source[static_cast<std::size_t>(veltro::sg_value::mg(t))];
            if (source <= -0.1)
                continue;
            const int mgCode = t <= 6 ? code::kInstMgTijd + 4 + t : code::kInstMgTijd + 6 + t;
            m_values[{mgCode, n, 0}] = toControllerUnits(source, 10);
        }
    }
    for (const auto& d : e.detectors) {
        if (d.arrayNumber < 0)
            continue;
        const int codes[] = {code::kInstHTijd1, code::kInstHTijd2, code::kInstBTijd};
        for (int k = 0; k < veltro::det_value::kCount; ++k) {
            const double source = d.source[static_cast<std::size_t>(k)];
            if (source > -0.1)
                m_values[{codes[k], d.arrayNumber, 0}] = toControllerUnits(source, 10);
        }
    }
    for (const auto& t : e.times) {
        if (t.arrayNumber >= 0)
            m_values[{code::kInstTijd, t.arrayNumber, 0}] = toControllerUnits(t.source, 10);
    }
    for (const auto& c : e.clocks) {
        if (c.arrayNumber < 0)
            continue;
        m_values[{code::kInstKl1, c.arrayNumber, 0}] = toControllerUnits(c.source[0], 100);
        m_values[{code::kInstKl2, c.arrayNumber, 0}] = toControllerUnits(c.source[1], 100);
    }
    for (const auto& s : e.switches) {
        if (s.arrayNumber >= 0)
            m_values[{code::kSch, s.arrayNumber, 0}] = s.state;
    }
    for (const auto& p : e.intParameters) {
        if (p.arrayNumber >= 0)
            m_values[{code::kInstEggparm, p.arrayNumber, 0}] = p.value;
    }
    for (const auto& p : e.parameters) {
        if (p.arrayNumber >= 0)
            m_values[{code::kInstEparm, p.arrayNumber, 0}] = toControllerUnits(p.value, 10);
    }
    for (const auto& c : e.conflicts) {
        if (c.fromArrayNumber < 0 || c.toArrayNumber < 0)
            continue;
        m_values[{code::kInstOTijd, c.fromArrayNumber, c.toArrayNumber}] =
            toControllerUnits(c.value, 10);
    }
    m_values[{code::kVersie, 0, 0}] = 100;
}

std::int32_t SimModel::value(const ObjectKey& key) const {
    const auto it = m_values.find(key);
    return it == m_values.end() ? 0 : it->second;
}

void SimModel::setValue(const ObjectKey& key, std::int32_t value) {
    m_values[key] = value;
}

void SimModel::setSignalGroupState(int n, bool green, bool amber) {
    const bool red = !green && !amber;
    m_values[{code::kStateG, n, 0}] = green;
    m_values[{code::kStateVg, n, 0}] = green;
    m_values[{code::kStateGl, n, 0}] = amber;
    m_values[{code::kStateR, n, 0}] = red;
    m_values[{code::kVgTijd, n, 0}] = green;
    m_values[{code::kGlTijd, n, 0}] = amber;
    m_values[{code::kInterneToestand, n, 0}] = green ? 3 : (amber ? 10 : 8);
}

void SimModel::advance(std::chrono::milliseconds elapsed, const LocalTime& now) {
    const auto& groups = m_elements.signalGroups;
    const int count = groups.validCount();
    const auto slot = kGreen + kAmber;
    if (count > 0) {
        const auto total = elapsed / slot;
        const int active = static_cast<int>(total % count);
        m_rounds = static_cast<std::int32_t>(total / count);
        const bool green = (elapsed % slot) < kGreen;
        for (int i = 0; i < count; ++i) {
            if (groups[i].arrayNumber < 0)
                continue;
            setSignalGroupState(groups[i].arrayNumber, i == active && green,
                                i == active && !green);
        }
    }
    // Detectors see a vehicle for one second in three, each a little later.
    const auto seconds = elapsed.count() / 1000;
    for (const auto& d : m_elements.detectors) {
        if (d.arrayNumber >= 0)
            m_values[{code::kDetector, d.arrayNumber, 0}] = (seconds + d.arrayNumber) % 3 == 0;
    }
    for (const auto& t : m_elements.times) {
        if (t.arrayNumber >= 0)
            m_values[{code::kTijdLoopt, t.arrayNumber, 0}] = (seconds / 2 + t.arrayNumber) % 2;
    }
    m_values[{code::kRondeTeller, 0, 0}] = m_rounds;

    // Time as hhmmss, the date as ddmmyy (the debugger shows it with six digits).
    m_values[{code::kTijd, 0, 0}] = now.hour * 10000 + now.minute * 100 + now.second;
    m_values[{code::kDatum, 0, 0}] = now.day * 10000 + now.month * 100 + now.year % 100;
    m_values[{code::kDag, 0, 0}] = now.weekday;
    m_values[{code::kDagNummer, 0, 0}] = now.day;
    m_values[{code::kMaandNummer, 0, 0}] = now.month;
    m_values[{code::kJaarNummer, 0, 0}] = now.year;
}

}  // namespace ctrlsim
