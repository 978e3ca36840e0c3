#include "veltro/tools/headless/tool_commands.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <ostream>

#include "veltro/definitions/definitions_loader.h"
#include "veltro/link/controller_link.h"
#include "veltro/link/headless_link_ports.h"
#include "veltro/link/machine_clock.h"
#include "veltro/link/open_link.h"
#include "veltro/session/profile_settings.h"
#include "veltro/tools/adjustment_run.h"
#include "veltro/tools/difference_check.h"
#include "veltro/tools/headless/tool_command_line.h"
#include "veltro/tools/std_text_files.h"

namespace veltro::tools {

const char* const kToolCommandUsage =
    "  --verschillen DIR [CATEGORY...] [LINK...] [--speed MS] [--file F]\n"
    "                 compare the controller's parameters with ZXAPTAB.C of DIR;\n"
    "                 exit 0 without differences, 1 with differences\n"
    "  --aanpassen DIR [CATEGORY...] [LINK...] [--speed MS] [--no-verify] [--file F]\n"
    "                 write the parameters of ZXAPTAB.C of DIR into the controller and\n"
    "                 verify them; exit 0 when verified, 1 when the verification fails\n"
    "     CATEGORY    Ontruimingstijden VG-tijden GL-tijden MG-tijden Hiaattijden Tijden\n"
    "                 Klokken Schakelaars EGGPARM EPARM (default: all)\n"
    "     LINK        the debugger's link words: COM1..COM4, -C N, -B BAUD, -IP ADDRESS,\n"
    "                 -IPP PORT; --speed MS between commands (default 100)\n"
    "     exit 2: wrong command line, 3: the link or the definitions failed\n";

namespace {

// Output shared by the run and the link's reader thread.
class Console {
  public:
    Console(std::ostream& out, std::ostream& err) : m_out(out), m_err(err) {}
    void out(std::string_view text) {
        std::lock_guard lock(m_mutex);
        m_out << text << '\n' << std::flush;
    }
    void err(std::string_view text) {
        std::lock_guard lock(m_mutex);
        m_err << text << '\n' << std::flush;
    }
    template <class Writer>
    void errWith(Writer writer) {
        std::lock_guard lock(m_mutex);
        writer(m_err);
        m_err.flush();
    }

  private:
    std::mutex m_mutex;
    std::ostream& m_out;
    std::ostream& m_err;
};

std::string oneLine(std::string_view text) {
    std::string line;
    for (char c : text) {
        if (c == '\n')
            line += " / ";
        else
            line += c;
    }
    return line;
}

// The run's message boxes, one line each on standard output.
class LinePrompts final : public Prompts {
  public:
    LinePrompts(Console& console, bool toErr) : m_console(console), m_toErr(toErr) {}
    void messageBox(std::string_view, std::string_view text, PromptIcon) override {
        if (m_toErr)
            m_console.err(oneLine(text));
        else
            m_console.out(oneLine(text));
    }
    bool askYesNo(std::string_view, std::string_view text, PromptIcon) override {
        messageBox({}, text, PromptIcon::Question);
        return false;
    }
    std::optional<std::string> askText(std::string_view, std::string_view,
                                       std::string_view) override {
        return std::nullopt;
    }

  private:
    Console& m_console;
    bool m_toErr;
};

// Work the link hands to "the user-interface thread" runs at once, one at a
// time; everything it reaches here is safe on any thread.
class InlineDispatcher final : public UiDispatcher {
  public:
    void post(std::function<void()> work) override {
        std::lock_guard lock(m_mutex);
        work();
    }

  private:
    std::mutex m_mutex;
};

// A socket error ends the run: the report goes to standard error.
class LinkErrors final : public IpErrorHandler {
  public:
    explicit LinkErrors(Console& console) : m_console(console) {}
    void ipError(const IpError& error) override {
        m_console.errWith([&](std::ostream& err) { error.report(err); });
        failed.store(true);
    }
    std::atomic<bool> failed{false};

  private:
    Console& m_console;
};

// Progress: a line on standard error as each category begins.
class CategoryProgress final : public ToolProgress {
  public:
    CategoryProgress(Console& console, const ToolSettings& settings, const ElementTables& tables,
                     const std::atomic<bool>& linkFailed)
        : m_console(console), m_linkFailed(linkFailed) {
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
    bool stopRequested() const override { return m_linkFailed.load(); }

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
    const std::atomic<bool>& m_linkFailed;
    std::vector<std::pair<Category, int>> m_categories;
    std::size_t m_next = 0;
    int m_steps = 0;
    int m_done = 0;
};

class LoadMessages final : public Messages {
  public:
    explicit LoadMessages(Console& console) : m_console(console) {}
    void message(int kind, std::string_view a, std::string_view b, std::string_view c) override {
        if (kind == message_kind::kError || kind == message_kind::kSystem)
            m_console.err(std::string(a) + std::string(b) + std::string(c));
    }
    void setContextPrefix(std::string_view) override {}
    void setLinePrefix(int) override {}

  private:
    Console& m_console;
};

bool loadDefinitions(const std::string& directory, DefinitionTable& table, ElementTables& elements,
                     Console& console) {
    LoadMessages messages(console);
    DefinitionsOutcome outcome = loadMacroDefinitions(table, messages);
    if (!outcome.fatal())
        outcome = loadApplicationDefinitions(directory, table, elements, messages);
    if (outcome.fatal()) {
        console.err(outcome.boxText);
        return false;
    }
    if (outcome.status != DefinitionsOutcome::Status::Loaded) {
        console.err("veltro: " + directory + ": no definitions loaded");
        return false;
    }
    return true;
}

// A controller that answers no read at all has compared nothing: for a rig
// that is a failed link, not "no difference". Unanswered reads are counted.
int silenceCode(const ReadCounts& reads, int code, Console& console) {
    if (reads.answered == reads.asked)
        return code;
    console.err("veltro: " + std::to_string(reads.asked - reads.answered) + " of " +
                std::to_string(reads.asked) + " parameters not answered by the controller");
    return reads.answered == 0 ? 3 : code;
}

}  // namespace

int runToolCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const ParsedToolCommand parsed = parseToolCommand(args);
    if (!parsed.command) {
        err << "veltro: " << parsed.error << "\nusage:\n" << kToolCommandUsage;
        return 2;
    }
    const ToolCommand& cmd = *parsed.command;
    Console console(out, err);
    DefinitionTable table;
    auto elements = std::make_unique<ElementTables>();
    if (!loadDefinitions(cmd.directory, table, *elements, console))
        return 3;
    ParameterStore store(*elements);

    InlineDispatcher dispatcher;
    link::NoDumpDisplay dumpDisplay;
    link::NoReplyTimer replyTimer;
    link::MachineClock clock;
    LinkErrors linkErrors(console);
    LinePrompts boxes(console, true);
    link::ControllerLink link({dispatcher, dumpDisplay, replyTimer, clock});
    link.router().setToolSink(&store);
    link.router().setToolDialogOpen(true);
    if (cmd.link.linkKind == LinkKind::Ip) {
        if (const auto error =
                link::openIpLink(link, cmd.link.ipAddress, cmd.link.ipPort, linkErrors)) {
            linkErrors.ipError(*error);
            return 3;
        }
    } else {
        const ProfileFileSettings settings(std::filesystem::path(cmd.directory) / "veltro.ini");
        if (!link::openSerialLink(link, cmd.link.serialPort, cmd.link.baudRate, &settings, boxes))
            return 3;
    }

    Pacing pacing;
    pacing.setInterval(std::chrono::milliseconds(cmd.settings.speed));
    CategoryProgress progress(console, cmd.settings, *elements, linkErrors.failed);
    StdTextFiles files;
    LinePrompts prompts(console, false);
    RunPorts ports{link.requests(), clock, pacing, progress, files, prompts};
    int code = 0;
    ReadCounts reads;
    if (cmd.tool == Tool::Difference) {
        const DifferenceOutcome outcome = runDifferenceCheck(store, cmd.settings, ports);
        code = outcome.differences > 0 ? 1 : 0;
        reads = outcome.reads;
    } else {
        code = runAdjustment(store, cmd.settings, ports, &reads) == RunResult::Done ? 0 : 1;
    }
    code = silenceCode(reads, code, console);
    if (auto* queue = link.writeQueue())
        queue->waitUntilIdle(std::chrono::seconds(2));
    link.router().setToolDialogOpen(false);
    return linkErrors.failed.load() ? 3 : code;
}

}  // namespace veltro::tools
