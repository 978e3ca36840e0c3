#include "ctrlsim/dump_text.h"

#include "common/format.h"

namespace ctrlsim {

namespace {

constexpr int kAuxiliaryFunctions = 8;

char onOff(std::int32_t v) {
    return v ? '1' : '0';
}

void appendGeneral(std::string& out, const SimModel& m) {
    out += "ALGEMEEN\n";
    out += common::format("CTRLSIM gesimuleerde regelaar  datum %06d  tijd %06d\n",
                          m.value({code::kDatum, 0, 0}), m.value({code::kTijd, 0, 0}));
    out += common::format("rondeteller %d\n", m.rounds());
    out += "SG    R G GL  VG   GL   MG\n";
    for (const auto& sg : m.elements().signalGroups) {
        const int n = sg.arrayNumber;
        if (n < 0)
            continue;
        const std::string token = common::format("(%d)", n);
        out += common::format(
            "%-6s%c %c %c  %-4d %-4d %-4d\n", token.c_str(), onOff(m.value({code::kStateR, n, 0})),
            onOff(m.value({code::kStateG, n, 0})), onOff(m.value({code::kStateGl, n, 0})),
            m.value({code::kInstVgTijd, n, 0}), m.value({code::kInstGlTijd, n, 0}),
            m.value({code::kInstMgTijd, n, 0}));
    }
    for (const auto& d : m.elements().detectors) {
        if (d.arrayNumber < 0)
            continue;
        // Room behind the token, so that a name put in its place keeps the value.
        const std::string token = common::format("D(%d)", d.arrayNumber);
        out += common::format("%-20s%c\n", token.c_str(),
                              onOff(m.value({code::kDetector, d.arrayNumber, 0})));
    }
}

void appendValues(std::string& out, const SimModel& m) {
    const auto& e = m.elements();
    out += "\nKLOKKEN\n";
    for (const auto& c : e.clocks) {
        if (c.arrayNumber < 0)
            continue;
        out += common::format("KL(%d) 0 %d %d\n", c.arrayNumber,
                              m.value({code::kInstKl1, c.arrayNumber, 0}),
                              m.value({code::kInstKl2, c.arrayNumber, 0}));
    }
    out += "EXTRA PARAMETERS\n";
    for (const auto& p : e.parameters) {
        if (p.arrayNumber >= 0) {
            out += common::format("EPARM(%d) %d\n", p.arrayNumber,
                                  m.value({code::kInstEparm, p.arrayNumber, 0}));
        }
    }
    out += "EXTRA GEHEEL GETAL PARAMETERS\n";
    for (const auto& p : e.intParameters) {
        if (p.arrayNumber >= 0) {
            out += common::format("EGGPARM(%d) %d\n", p.arrayNumber,
                                  m.value({code::kInstEggparm, p.arrayNumber, 0}));
        }
    }
    out += "SCHAKELAARS\n";
    for (const auto& s : e.switches) {
        if (s.arrayNumber >= 0) {
            out += common::format("SCH(%d) %c\n", s.arrayNumber,
                                  onOff(m.value({code::kSch, s.arrayNumber, 0})));
        }
    }
    out += "TIJDEN\n";
    for (const auto& t : e.times) {
        if (t.arrayNumber < 0)
            continue;
        const std::int32_t running = m.value({code::kTijdLoopt, t.arrayNumber, 0});
        out += common::format("TIJD(%d) %c %d %d\n", t.arrayNumber, onOff(running),
                              m.value({code::kInstTijd, t.arrayNumber, 0}), running ? 1 : 0);
    }
    out += "HULPFUNCTIES\n";
    for (int i = 0; i < kAuxiliaryFunctions; ++i) {
        out += common::format("HF(%d) 0 TL(%d) %d\n", i, i, i == 0 ? m.rounds() : 0);
    }
}

}  // namespace

std::string buildDump(const SimModel& model) {
    std::string out;
    appendGeneral(out, model);
    appendValues(out, model);
    out += "CVN-INTERFACE\n";
    out += "geen CVN-koppeling\n";
    out += "EINDE DUMP\n";
    out += "\xFF\n";
    return out;
}

std::string verificationText() {
    return "CTRLSIM verbinding in orde  ";
}

}  // namespace ctrlsim
