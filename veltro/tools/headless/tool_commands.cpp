#include "veltro/tools/headless/tool_commands.h"

#include <atomic>
#include <filesystem>
#include <memory>
#include <ostream>

#include "veltro/headless/command_words.h"
#include "veltro/headless/console_ports.h"
#include "veltro/headless/exit_codes.h"
#include "veltro/headless/inline_dispatcher.h"
#include "veltro/headless/project.h"
#include "veltro/link/controller_link.h"
#include "veltro/link/headless_link_ports.h"
#include "veltro/link/machine_clock.h"
#include "veltro/link/open_controller_link.h"
#include "veltro/session/profile_settings.h"
#include "veltro/tools/adjustment_run.h"
#include "veltro/tools/difference_check.h"
#include "veltro/tools/headless/backup_commands.h"
#include "veltro/tools/headless/tool_command_line.h"
#include "veltro/tools/std_text_files.h"

namespace veltro::tools {

const char* const kToolCommandUsage =
    "  --verschillen DIR [CATEGORY...] [LINK...] [--speed MS] [--file F]\n"
    "                [--csv F [--overwrite]]\n"
    "                 compare the controller's parameters with ZXAPTAB.C of DIR;\n"
    "                 exit 0 without differences, 1 with differences; --csv writes one\n"
    "                 line per parameter asked, the controller's value exact\n"
    "  --aanpassen DIR [CATEGORY...] [LINK...] [--speed MS] [--no-verify] [--file F]\n"
    "                 write the parameters of ZXAPTAB.C of DIR into the controller and\n"
    "                 verify them; exit 0 when verified, 1 when the verification fails\n"
    "  --bewaar DIR [CATEGORY...] [LINK...] [--speed MS] --file F [--overwrite]\n"
    "                 read the controller's parameters into the backup file F (an\n"
    "                 existing F only with --overwrite); exit 1 when some did not answer\n"
    "  --terugzetten DIR F [LINK...] [--speed MS]\n"
    "                 write the backup (or acceptance journal) F back into the\n"
    "                 controller and read every value back; exit 0 when all verified,\n"
    "                 1 with differences or values not read back\n"
    "  --afname DIR [CATEGORY...] [LINK...] [--speed MS] [--start N]\n"
    "                [--schakelaars-aan|--schakelaars-uit]\n"
    "                 the acceptance run: test values from N on (default 0) into the\n"
    "                 parameters; each original is kept in DIR/afname_originelen.txt\n"
    "                 before its test value goes; --terugzetten puts them back\n"
    "     CATEGORY    Ontruimingstijden VG-tijden GL-tijden MG-tijden Hiaattijden Tijden\n"
    "                 Klokken Schakelaars EGGPARM EPARM (default: all)\n"
    "     LINK        the debugger's link words: COM1..COM4, -C N, -B BAUD, -IP ADDRESS,\n"
    "                 -IPP PORT; --speed MS between commands (default 100)\n"
    "     exit 2: wrong command line, 3: the link, the definitions or the file F\n"
    "     failed (a backup that does not fit DIR included), the controller answered\n"
    "     nothing, or Ctrl-C stopped the run\n";

namespace {

using headless::Console;
using headless::Stream;
namespace exit_code = headless::exit_code;

// Progress: a line on standard error as each category begins. The run stops
// when the link fails or at Ctrl-C.
class CategoryProgress final : public ToolProgress {
  public:
    CategoryProgress(Console& console, const ToolSettings& settings, const ElementTables& tables,
                     const headless::ConsoleLinkErrors& link, const std::atomic<bool>& interrupted)
        : m_console(console), m_link(link), m_interrupted(interrupted) {
        for (Category c : categoriesToVisit(settings, tables))
            m_categories.push_back({c, progressUnits(c, tables)});
    }
    void start(int) override {
        m_steps = 0;
        m_next = 0;
        announce();
    }
    void step() override {
        ++m_steps;
        announce();
    }
    bool stopRequested() const override { return m_link.failed() || m_interrupted.load(); }

  private:
    // The next category begins once the steps of those before it are done.
    void announce() {
        while (m_next < m_categories.size() && m_steps >= m_done) {
            const auto& [c, units] = m_categories[m_next++];
            m_console.err(std::string(categoryTexts(c).word) + ": " + std::to_string(units) +
                          " parameters");
            m_done += units;
            if (units > 0)
                break;
        }
    }

    Console& m_console;
    const headless::ConsoleLinkErrors& m_link;
    const std::atomic<bool>& m_interrupted;
    std::vector<std::pair<Category, int>> m_categories;
    std::size_t m_next = 0;
    int m_steps = 0;
    int m_done = 0;
};

// The restore's progress: how many values it puts back. The run stops as
// the categories' progress stops it.
class RestoreProgress final : public ToolProgress {
  public:
    RestoreProgress(Console& console, const headless::ConsoleLinkErrors& link,
                    const std::atomic<bool>& interrupted)
        : m_console(console), m_link(link), m_interrupted(interrupted) {}
    void start(int range) override {
        m_console.err("Terugzetten: " + std::to_string(range) + " parameters");
    }
    void step() override {}
    bool stopRequested() const override { return m_link.failed() || m_interrupted.load(); }

  private:
    Console& m_console;
    const headless::ConsoleLinkErrors& m_link;
    const std::atomic<bool>& m_interrupted;
};

// A controller that answers no read at all has compared nothing: for a rig
// that is a failed link, not "no difference". Unanswered reads are counted.
int silenceCode(const ReadCounts& reads, int code, Console& console) {
    if (reads.answered == reads.asked)
        return code;
    console.err("veltro: " + std::to_string(reads.asked - reads.answered) + " of " +
                std::to_string(reads.asked) + " parameters not answered by the controller");
    return reads.answered == 0 ? exit_code::kFailure : code;
}

// A stopped run, or a result file that could not be written, is a failure.
int runTool(const ToolCommand& cmd, ParameterStore& store, RunPorts& ports,
            const CommandFiles& files, Console& console) {
    if (cmd.action == ToolAction::Backup)
        return runBackupCommand(cmd, store, ports, console);
    if (cmd.action == ToolAction::Restore)
        return runRestoreCommand(cmd, store, *files.plan, ports, console);
    if (cmd.action == ToolAction::Acceptance)
        return runAcceptanceCommand(cmd, store, ports, console);
    if (cmd.action == ToolAction::Difference) {
        const DifferenceOutcome outcome = runDifferenceCheck(store, cmd.settings, ports);
        if (outcome.result != RunResult::Done)
            return exit_code::kFailure;
        if (!cmd.csvFile.empty() && !writeDifferenceCsv(cmd, outcome.compared, console))
            return exit_code::kFailure;
        const int found = outcome.differences > 0 ? exit_code::kFound : exit_code::kSuccess;
        return silenceCode(outcome.reads, found, console);
    }
    ReadCounts reads;
    const RunResult result = runAdjustment(store, cmd.settings, ports, &reads);
    if (result == RunResult::Stopped)
        return exit_code::kFailure;
    const int found = result == RunResult::Done ? exit_code::kSuccess : exit_code::kFound;
    return silenceCode(reads, found, console);
}

}  // namespace

int runToolCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                   const std::atomic<bool>& interrupted) {
    const ParsedToolCommand parsed = parseToolCommand(args);
    if (!parsed.command)
        return headless::wrongCommandLine(err, parsed.error, kToolCommandUsage);
    const ToolCommand& cmd = *parsed.command;
    headless::CommandConsole io(out, err);
    Console& console = io.console;
    headless::Project project;
    if (!headless::loadProject(cmd.directory, project, io.messages, io.boxes))
        return exit_code::kFailure;
    CommandFiles files;
    if (const auto refused = prepareCommandFiles(cmd, *project.elements, console, files))
        return *refused;
    ParameterStore store(*project.elements);

    headless::InlineDispatcher dispatcher;
    link::NoDumpDisplay dumpDisplay;
    link::NoReplyTimer replyTimer;
    link::MachineClock clock;
    headless::ConsoleLinkErrors linkErrors(console);
    link::ControllerLink link({dispatcher, dumpDisplay, replyTimer, clock});
    link.router().setToolSink(&store);
    link.router().setRouteToParameterStore(true);
    {
        // A tool run does not wait for a lost line: it fails instead.
        SessionOptions words = cmd.link;
        words.reconnect = false;
        const ProfileFileSettings settings(std::filesystem::path(cmd.directory) / "veltro.ini");
        const link::LinkOpening opening =
            link::openControllerLink(link, words, {io.boxes, linkErrors, &settings, &io.messages});
        if (opening.ipError)
            linkErrors.ipError(*opening.ipError);
        if (!opening.opened)
            return exit_code::kFailure;
    }

    Pacing pacing;
    pacing.setInterval(std::chrono::milliseconds(cmd.settings.speed));
    CategoryProgress categories(console, cmd.settings, *project.elements, linkErrors, interrupted);
    RestoreProgress restoring(console, linkErrors, interrupted);
    ToolProgress& progress =
        cmd.action == ToolAction::Restore ? static_cast<ToolProgress&>(restoring) : categories;
    StdTextFiles textFiles;
    headless::ConsolePrompts prompts(console, Stream::Out);
    RunPorts ports{link.requests(), clock, pacing, progress, textFiles, prompts};
    const int code = runTool(cmd, store, ports, files, console);
    if (auto* queue = link.writeQueue())
        queue->waitUntilIdle(std::chrono::seconds(2));
    link.router().setRouteToParameterStore(false);
    return linkErrors.failed() ? exit_code::kFailure : code;
}

}  // namespace veltro::tools
