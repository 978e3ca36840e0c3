#include "ctrlsim/sim_model.h"

#include <cmath>
#include <ctime>

namespace ctrlsim {

std::int32_t toControllerUnits(double source, int scale) {
    // The controller holds the value the source meant: 7.30 is 730, not the
    // 729 that truncating the nearest double could give.
    return static_cast<std::int32_t>(std::lround(source * scale));
}

SimModel::SimModel(const veltro::ElementTables& elements) : m_elements(elements) {
    loadSettings();
    advance(std::chrono::milliseconds(0), 0);
}

void SimModel::loadSettings() {
    const auto& e = m_elements;
    for (const auto& sg : e.signalGroups) {
        const int n = sg.arrayNumber;
        if (n < 0)
            continue;
        m_values[{code::InstVgTijd, n, 0}] =
            toControllerUnits(sg.source[veltro::sg_value::Vg], 10);
        m_values[{code::InstGlTijd, n, 0}] =
            toControllerUnits(sg.source[veltro::sg_value::Gl], 10);
        m_values[{code::InstMgTijd, n, 0}] =
            toControllerUnits(sg.source[veltro::sg_value::Mg], 10);
        for (int t = 1; t <= 12; ++t) {
            const double source = sg.source[static_cast<std::size_t>(veltro::sg_value::mg(t))];
            if (source <= -0.1)
                continue;
            const int mgCode = t <= 6 ? code::InstMgTijd + 4 + t : code::InstMgTijd + 6 + t;
            m_values[{mgCode, n, 0}] = toControllerUnits(source, 10);
        }
    }
    for (const auto& d : e.detectors) {
        if (d.arrayNumber < 0)
            continue;
        const int codes[] = {code::InstHTijd1, code::InstHTijd2, code::InstBTijd};
        for (int k = 0; k < veltro::det_value::Count; ++k) {
            const double source = d.source[static_cast<std::size_t>(k)];
            if (source > -0.1)
                m_values[{codes[k], d.arrayNumber, 0}] = toControllerUnits(source, 10);
        }
    }
    for (const auto& t : e.times) {
        if (t.arrayNumber >= 0)
            m_values[{code::InstTijd, t.arrayNumber, 0}] = toControllerUnits(t.source, 10);
    }
    for (const auto& c : e.clocks) {
        if (c.arrayNumber < 0)
            continue;
        m_values[{code::InstKl1, c.arrayNumber, 0}] = toControllerUnits(c.source[0], 100);
        m_values[{code::InstKl2, c.arrayNumber, 0}] = toControllerUnits(c.source[1], 100);
    }
    for (const auto& s : e.switches) {
        if (s.arrayNumber >= 0)
            m_values[{code::Sch, s.arrayNumber, 0}] = s.state;
    }
    for (const auto& p : e.intParameters) {
        if (p.arrayNumber >= 0)
            m_values[{code::InstEggparm, p.arrayNumber, 0}] = p.value;
    }
    for (const auto& p : e.parameters) {
        if (p.arrayNumber >= 0)
            m_values[{code::InstEparm, p.arrayNumber, 0}] = toControllerUnits(p.value, 10);
    }
    for (const auto& c : e.conflicts) {
        if (c.fromArrayNumber < 0 || c.toArrayNumber < 0)
            continue;
        m_values[{code::InstOTijd, c.fromArrayNumber, c.toArrayNumber}] =
            toControllerUnits(c.value, 10);
    }
    m_values[{code::Versie, 0, 0}] = 100;
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
    m_values[{code::StateG, n, 0}] = green;
    m_values[{code::StateVg, n, 0}] = green;
    m_values[{code::StateGl, n, 0}] = amber;
    m_values[{code::StateR, n, 0}] = red;
    m_values[{code::VgTijd, n, 0}] = green;
    m_values[{code::GlTijd, n, 0}] = amber;
    m_values[{code::InterneToestand, n, 0}] = green ? 3 : (amber ? 10 : 8);
}

void SimModel::advance(std::chrono::milliseconds elapsed, std::int64_t wallClock) {
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
            m_values[{code::Detector, d.arrayNumber, 0}] = (seconds + d.arrayNumber) % 3 == 0;
    }
    for (const auto& t : m_elements.times) {
        if (t.arrayNumber >= 0)
            m_values[{code::TijdLoopt, t.arrayNumber, 0}] = (seconds / 2 + t.arrayNumber) % 2;
    }
    m_values[{code::RondeTeller, 0, 0}] = m_rounds;

    const std::time_t now = static_cast<std::time_t>(wallClock);
    // Single-threaded simulator: the shared result of localtime is safe here.
    const std::tm local = *std::localtime(&now);
    m_values[{code::Tijd, 0, 0}] = local.tm_hour * 10000 + local.tm_min * 100 + local.tm_sec;
    m_values[{code::Datum, 0, 0}] =
        local.tm_mday * 10000 + (local.tm_mon + 1) * 100 + local.tm_year % 100;
    m_values[{code::Dag, 0, 0}] = local.tm_wday;
    m_values[{code::DagNummer, 0, 0}] = local.tm_mday;
    m_values[{code::MaandNummer, 0, 0}] = local.tm_mon + 1;
    m_values[{code::JaarNummer, 0, 0}] = local.tm_year + 1900;
}

}  // namespace ctrlsim
