#include "veltro/tools/parameter_walk.h"

#include "veltro/tools/function_codes.h"

namespace veltro::tools {

namespace {

// Below this a source value means "not set" (the tables hold -1.0 there).
constexpr double kUnsetLimit = -0.1;

ControllerRecord recordFor(int code, std::int32_t index, std::int32_t second = 0) {
    return {code, index, second, 0, 0};
}

ParameterRef conflict(ElementTables& t, int i) {
    Conflict& c = t.conflicts[i];
    ParameterRef r;
    r.category = Category::Ontruimingstijden;
    r.entry = i;
    r.record = recordFor(code::kInstOTijd, c.fromArrayNumber, c.toArrayNumber);
    r.value = &c.controller;
    r.source = c.value;
    r.name = c.fromName;
    r.toName = c.toName;
    return r;
}

ParameterRef signalGroup(Category cat, ElementTables& t, int i, int part) {
    SignalGroup& sg = t.signalGroups[i];
    ParameterRef r;
    r.category = cat;
    r.entry = i;
    r.part = part;
    r.name = sg.name;
    int slot = sg_value::kVg;
    int code = code::kInstVgTijd;
    if (cat == Category::GlTijden) {
        slot = sg_value::kGl;
        code = code::kInstGlTijd;
    } else if (cat == Category::MgTijden) {
        slot = sg_value::mg(part);
        code = mgFunctionCode(part);
    }
    const auto s = static_cast<std::size_t>(slot);
    r.record = recordFor(code, sg.arrayNumber);
    r.value = &sg.controller[s];
    r.source = sg.source[s];
    if (cat == Category::MgTijden)
        r.skipped = sg.arrayNumber < 0 || !(r.source > kUnsetLimit);
    else
        r.skipped = sg.name.empty();
    return r;
}

ParameterRef detector(ElementTables& t, int i, int part) {
    static constexpr int kCodes[det_value::kCount] = {code::kInstHTijd1, code::kInstHTijd2,
                                                      code::kInstBTijd};
    Detector& d = t.detectors[i];
    const auto s = static_cast<std::size_t>(part);
    ParameterRef r;
    r.category = Category::Hiaattijden;
    r.entry = i;
    r.part = part;
    r.name = d.name;
    r.record = recordFor(kCodes[s], d.arrayNumber);
    r.value = &d.controller[s];
    r.source = d.source[s];
    r.skipped = d.arrayNumber < 0 || !(r.source > kUnsetLimit);
    return r;
}

ParameterRef clock(ElementTables& t, int i, int part) {
    Clock& c = t.clocks[i];
    const auto s = static_cast<std::size_t>(part);
    ParameterRef r;
    r.category = Category::Klokken;
    r.entry = i;
    r.part = part;
    r.name = c.name;
    r.record = recordFor(part == 0 ? code::kInstKl1 : code::kInstKl2, c.arrayNumber);
    r.value = &c.controller[s];
    r.source = c.source[s];
    return r;
}

template <class Entry>
ParameterRef simple(Category cat, int code, Entry& e, int i) {
    ParameterRef r;
    r.category = cat;
    r.entry = i;
    r.name = e.name;
    r.record = recordFor(code, e.arrayNumber);
    r.value = &e.controller;
    return r;
}

ParameterRef single(Category cat, ElementTables& t, int i) {
    switch (cat) {
        case Category::Tijden: {
            ParameterRef r = simple(cat, code::kInstTijd, t.times[i], i);
            r.source = t.times[i].source;
            return r;
        }
        case Category::Schakelaars: {
            ParameterRef r = simple(cat, code::kSch, t.switches[i], i);
            r.integer = true;
            r.integerSource = t.switches[i].state;
            r.source = r.integerSource;
            return r;
        }
        case Category::Eggparm: {
            ParameterRef r = simple(cat, code::kInstEggparm, t.intParameters[i], i);
            r.integer = true;
            r.integerSource = t.intParameters[i].value;
            r.source = r.integerSource;
            return r;
        }
        default: {
            ParameterRef r = simple(cat, code::kInstEparm, t.parameters[i], i);
            r.source = t.parameters[i].value;
            return r;
        }
    }
}

// Values per entry: 13 MG values, 3 detector times, 2 clock moments, else 1.
int partsOf(Category c) {
    switch (c) {
        case Category::MgTijden:
            return 13;
        case Category::Hiaattijden:
            return det_value::kCount;
        case Category::Klokken:
            return 2;
        default:
            return 1;
    }
}

ParameterRef parameterAt(Category c, ElementTables& t, int entry, int part) {
    switch (c) {
        case Category::Ontruimingstijden:
            return conflict(t, entry);
        case Category::VgTijden:
        case Category::GlTijden:
        case Category::MgTijden:
            return signalGroup(c, t, entry, part);
        case Category::Hiaattijden:
            return detector(t, entry, part);
        case Category::Klokken:
            return clock(t, entry, part);
        default:
            return single(c, t, entry);
    }
}

}  // namespace

int mgFunctionCode(int part) {
    if (part == 0)
        return code::kInstMgTijd;
    return part <= 6 ? code::kInstMgTijd1 + part - 1 : code::kInstMgTijd7 + part - 7;
}

std::vector<ParameterRef> sendOrder(Category c, ElementTables& tables) {
    const int n = entryCount(c, tables);
    std::vector<ParameterRef> out;
    out.reserve(static_cast<std::size_t>(progressUnits(c, tables)));
    for (int part = 0; part < partsOf(c); ++part) {
        for (int i = 0; i < n; ++i)
            out.push_back(parameterAt(c, tables, i, part));
    }
    return out;
}

std::vector<ParameterRef> compareOrder(Category c, ElementTables& tables) {
    const int n = entryCount(c, tables);
    std::vector<ParameterRef> out;
    out.reserve(static_cast<std::size_t>(progressUnits(c, tables)));
    for (int i = 0; i < n; ++i) {
        for (int part = 0; part < partsOf(c); ++part)
            out.push_back(parameterAt(c, tables, i, part));
    }
    return out;
}

}  // namespace veltro::tools
