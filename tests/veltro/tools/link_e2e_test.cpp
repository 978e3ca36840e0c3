// The three runs over the real link against ctrlsim, on the machine's clock:
// the intake fed by the reader thread while the run paces on this thread.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "ctrlsim/ctrlsim_process.h"
#include "support/sample.h"
#include "support/temp_dir.h"
#include "support/veltro/dispatcher.h"
#include "support/veltro/link_ports.h"
#include "support/veltro/open_link.h"
#include "support/veltro/prompts.h"
#include "support/veltro/timers.h"
#include "support/veltro/tool_fakes.h"
#include "veltro/definitions/definitions_loader.h"
#include "veltro/definitions/silent_messages.h"
#include "veltro/link/controller_link.h"
#include "veltro/link/machine_clock.h"
#include "veltro/tools/acceptance_run.h"
#include "veltro/tools/difference_check.h"
#include "veltro/tools/std_text_files.h"
#include "veltro/tools/tool_texts.h"

namespace veltro::tools {
namespace {

using namespace std::chrono_literals;
using test_support::CtrlsimProcess;

using test_support::kSample;

// The debugger with a tool dialog open: every record goes to the store.
struct Debugger {
    explicit Debugger(CtrlsimProcess& sim) {
        veltro::SilentMessages quiet;
        loadMacroDefinitions(table, quiet);
        loadApplicationDefinitions(kSample, table, *elements, quiet);
        store.rebuildIndex();
        link.router().setToolSink(&store);
        link.router().setRouteToParameterStore(true);
        const std::string line = sim.readLine();
        const int port = std::atoi(line.c_str() + 5);
        EXPECT_FALSE(test_support::openLoopback(link, port, errors));
        pacing.setInterval(3ms);
    }
    ~Debugger() { link.router().setRouteToParameterStore(false); }

    ToolSettings only(Category c) {
        ToolSettings s;
        s.selected[static_cast<std::size_t>(categoryNumber(c))] = true;
        s.saveToFile = false;
        return s;
    }

    DefinitionTable table;
    std::unique_ptr<ElementTables> elements = std::make_unique<ElementTables>();
    ParameterStore store{*elements};
    test_support::FakeDispatcher dispatcher{test_support::FakeDispatcher::Mode::Inline};
    test_support::RecordingDumpDisplay display;
    test_support::FakeReplyTimer replyTimer;
    test_support::RecordingIpErrors errors;
    link::MachineClock clock;
    link::ControllerLink link{{dispatcher, display, replyTimer, clock}};
    Pacing pacing;
    test_support::FakeToolProgress progress;
    StdTextFiles files;
    test_support::ScriptedPrompts prompts;
    RunPorts ports{link.requests(), clock, pacing, progress, files, prompts};
};

TEST(ToolsOverTheLink, AcceptanceRunThenResetBringsTheOriginalsBack) {
    CtrlsimProcess sim({"--port", "0", "--set", "inst_VG_TIJD:SG03=77"});
    Debugger d(sim);
    test_support::TempDir dir;
    AcceptanceState state;
    ToolSettings s = d.only(Category::VgTijden);
    s.startValue = 500;
    s.saveToFile = true;
    s.fileName = (dir.path() / "afname.txt").string();
    ASSERT_EQ(runAcceptance(d.store, s, state, d.ports), RunResult::Done);
    ASSERT_TRUE(d.store.originalKnown());
    EXPECT_EQ(d.elements->signalGroups[1].controller[sg_value::kVg].value(), 77);

    // The controller now holds the test values 500, 501, ...: all differ.
    DifferenceOutcome check = runDifferenceCheck(d.store, d.only(Category::VgTijden), d.ports);
    EXPECT_EQ(check.differences, 12);
    EXPECT_EQ(d.prompts.shown()[2],
              "Verschillen met ZXAPTAB.C zien|Verschil bij VG-tijden van SG03\nWaarde in "
              "broncode is  5.00, in regeling 50");

    ASSERT_EQ(runReset(d.store, state, d.ports), RunResult::Done);
    d.prompts.boxes.clear();
    check = runDifferenceCheck(d.store, d.only(Category::VgTijden), d.ports);
    // Only SG03 differs from ZXAPTAB.C: its original was ctrlsim's 77.
    EXPECT_EQ(check.differences, 1);
    EXPECT_EQ(d.prompts.shown(),
              std::vector<std::string>{"Verschillen met ZXAPTAB.C zien|Verschil bij VG-tijden van "
                                       "SG03\nWaarde in broncode is  5.00, in regeling 7"});
    const std::string listing = test_support::readFile(dir.path() / "afname_VG.txt");
    EXPECT_EQ(listing.find("Parameter  SG     Instelling\nVG-tijd    SG02      500\n"), 0u);
    EXPECT_NE(listing.find("\nReset originele instellingen\nParameter  SG     Instelling\n"
                           "VG-tijd    SG02       60\nVG-tijd    SG03       77\n"),
              std::string::npos)
        << listing;
}

TEST(ToolsOverTheLink, SecondDifferenceCheckSeesTheChangedValue) {
    CtrlsimProcess sim({"--port", "0"});
    Debugger d(sim);
    EXPECT_EQ(runDifferenceCheck(d.store, d.only(Category::Tijden), d.ports).differences, 0);
    // Someone changes a time in the controller between the two checks.
    const Time& t = d.elements->times[2];
    d.link.requests().send({34, t.arrayNumber, 0, 0, 999}, CommandMode::Write);
    d.prompts.boxes.clear();
    EXPECT_EQ(runDifferenceCheck(d.store, d.only(Category::Tijden), d.ports).differences, 1);
    ASSERT_EQ(d.prompts.snapshot().size(), 1u);
    EXPECT_EQ(d.prompts.snapshot()[0].text.rfind("Verschil bij tijd " + t.name + "\n", 0), 0u);
    EXPECT_NE(d.prompts.snapshot()[0].text.find("in regeling 99"), std::string::npos);
    EXPECT_TRUE(d.errors.errors().empty());
}

TEST(ToolsOverTheLink, TestValueOneReachesAnIndexOnlyParameter) {
    CtrlsimProcess sim({"--port", "0"});
    Debugger d(sim);
    AcceptanceState state;
    ToolSettings s = d.only(Category::VgTijden);
    s.startValue = 0;
    s.rememberOriginals = false;
    ASSERT_EQ(runAcceptance(d.store, s, state, d.ports), RunResult::Done);
    runDifferenceCheck(d.store, d.only(Category::VgTijden), d.ports);
    // The second signal group got the test value 1, the third 2.
    EXPECT_EQ(d.elements->signalGroups[0].controller[sg_value::kVg].latest(), 0);
    EXPECT_EQ(d.elements->signalGroups[1].controller[sg_value::kVg].latest(), 1);
    EXPECT_EQ(d.elements->signalGroups[2].controller[sg_value::kVg].latest(), 2);
}

}  // namespace
}  // namespace veltro::tools
