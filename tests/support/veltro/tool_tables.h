#pragma once

#include <memory>
#include <string>

#include "veltro/definitions/element_tables.h"

namespace test_support {

// A small intersection for the tools' tests: three signal groups (the
// second without a name), two detectors, two times, two clocks, two
// switches, two EGGPARMs, two EPARMs and two clearance times.
inline std::unique_ptr<veltro::ElementTables> sampleTables() {
    auto t = std::make_unique<veltro::ElementTables>();
    const char* groups[] = {"SG02", "", "SG05"};
    for (int i = 0; i < 3; ++i) {
        veltro::SignalGroup& sg = t->signalGroups[i];
        sg.name = groups[i];
        sg.arrayNumber = i;
        sg.source[veltro::sg_value::kVg] = 4.5 + i;
        sg.source[veltro::sg_value::kGl] = 3.0 + i;
        for (int n = 0; n <= 12; ++n)
            sg.source[static_cast<std::size_t>(veltro::sg_value::mg(n))] = 10.0 + n + i / 10.0;
    }
    t->signalGroups.count = 3;
    const char* detectors[] = {"SG02_1", "SG05_1"};
    for (int i = 0; i < 2; ++i) {
        veltro::Detector& d = t->detectors[i];
        d.name = detectors[i];
        d.arrayNumber = 10 + i;
        d.source = {2.5 + i, 3.5 + i, 1.0 + i};
    }
    t->detectors.count = 2;
    const char* times[] = {"T_MAX", "T_MIN"};
    const char* clocks[] = {"KL_OCHTEND", "KL_AVOND"};
    const char* switches[] = {"SCH_A", "SCH_B"};
    const char* eggparms[] = {"PRM_A", "PRM_B"};
    const char* eparms[] = {"EP_A", "EP_B"};
    for (int i = 0; i < 2; ++i) {
        t->times[i].name = times[i];
        t->times[i].arrayNumber = i;
        t->times[i].source = 12.0 + i;
        t->clocks[i].name = clocks[i];
        t->clocks[i].arrayNumber = i;
        t->clocks[i].source = {7.30 + i, 9.15 + i};
        t->switches[i].name = switches[i];
        t->switches[i].arrayNumber = i;
        t->switches[i].state = i;
        t->intParameters[i].name = eggparms[i];
        t->intParameters[i].arrayNumber = i;
        t->intParameters[i].value = 40 + i;
        t->parameters[i].name = eparms[i];
        t->parameters[i].arrayNumber = i;
        t->parameters[i].value = 1.5 + i;
    }
    t->times.count = t->clocks.count = t->switches.count = 2;
    t->intParameters.count = t->parameters.count = 2;
    t->conflicts[0] = {0, 2, "SG02", "SG05", 3.0, 0.0, {}};
    t->conflicts[1] = {2, 0, "SG05", "SG02", 4.5, 0.0, {}};
    t->conflicts.count = 2;
    return t;
}

}  // namespace test_support
