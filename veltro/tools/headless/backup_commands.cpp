#include "veltro/tools/headless/backup_commands.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

#include "common/atomic_file.h"
#include "veltro/headless/exit_codes.h"
#include "veltro/headless/output_file.h"
#include "veltro/tools/acceptance_run.h"
#include "veltro/tools/backup_file.h"
#include "veltro/tools/backup_origin.h"
#include "veltro/tools/difference_csv.h"
#include "veltro/tools/parameter_backup.h"
#include "veltro/tools/std_text_files.h"

namespace veltro::tools {

namespace {

namespace exit_code = headless::exit_code;
using headless::Console;

// The longest list of missing parameters told one by one.
constexpr std::size_t kMissingShown = 20;

std::optional<int> refusedOutput(const std::string& path, bool overwrite, Console& console) {
    std::error_code ec;
    if (!overwrite && std::filesystem::is_regular_file(path, ec)) {
        console.err("veltro: " + path + ": exists; give --overwrite to replace it");
        return exit_code::kWrongCommandLine;
    }
    const headless::OutputFile file(
        path, overwrite ? headless::ExistingFile::Overwrite : headless::ExistingFile::Refuse);
    const auto problem = file.problem();
    if (!problem)
        return std::nullopt;
    console.err("veltro: " + problem->text);
    return problem->exitCode;
}

// The backup file's text; nothing (after saying why) when it cannot be read.
std::optional<std::string> readWhole(const std::string& path, Console& console) {
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) {
        console.err("veltro: " + path + ": is a directory");
        return std::nullopt;
    }
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    if (in)
        text << in.rdbuf();
    if (!in || in.bad()) {
        console.err("veltro: " + path + ": cannot be read");
        return std::nullopt;
    }
    return text.str();
}

std::optional<int> prepareRestore(const ToolCommand& cmd, ElementTables& tables, Console& console,
                                  CommandFiles& files) {
    const auto text = readWhole(cmd.backupFile, console);
    if (!text)
        return exit_code::kFailure;
    const BackupReading reading = parseBackup(*text);
    if (!reading.backup) {
        console.err("veltro: " + cmd.backupFile + ":" + std::to_string(reading.line) + ": " +
                    reading.error);
        return exit_code::kFailure;
    }
    RestorePlan plan = planRestore(*reading.backup, tables);
    if (!plan.missing.empty()) {
        for (std::size_t i = 0; i < plan.missing.size() && i < kMissingShown; ++i)
            console.err("veltro: not in the project " + cmd.directory + ": " + plan.missing[i]);
        if (plan.missing.size() > kMissingShown)
            console.err("veltro: and " + std::to_string(plan.missing.size() - kMissingShown) +
                        " more");
        console.err("veltro: the backup " + cmd.backupFile +
                    " does not match the project; nothing was written");
        return exit_code::kFailure;
    }
    const std::string project = reading.backup->origin.project;
    const BackupOrigin here = backupOrigin(cmd.directory);
    if (project != here.project)
        console.err("veltro: the backup was made for the project '" + project + "', not '" +
                    here.project + "'; every parameter it names is here");
    if (plan.unanswered > 0)
        console.err("veltro: " + std::to_string(plan.unanswered) +
                    " parameters of the backup had not answered and are left as they are");
    if (plan.items.empty()) {
        console.err("veltro: the backup " + cmd.backupFile + " holds no value to put back");
        return exit_code::kFailure;
    }
    files.plan = std::move(plan);
    return std::nullopt;
}

}  // namespace

std::optional<int> prepareCommandFiles(const ToolCommand& cmd, ElementTables& tables,
                                       Console& console, CommandFiles& files) {
    switch (cmd.action) {
        case ToolAction::Backup:
            return refusedOutput(cmd.backupFile, cmd.overwrite, console);
        case ToolAction::Difference:
            if (cmd.csvFile.empty())
                return std::nullopt;
            return refusedOutput(cmd.csvFile, cmd.overwrite, console);
        case ToolAction::Restore:
            return prepareRestore(cmd, tables, console, files);
        case ToolAction::Adjustment:
        case ToolAction::Acceptance:
            break;
    }
    return std::nullopt;
}

int runBackupCommand(const ToolCommand& cmd, ParameterStore& store, RunPorts& ports,
                     Console& console) {
    const BackupOutcome outcome =
        runBackup(store, cmd.settings, ports, backupOrigin(cmd.directory));
    if (outcome.result == RunResult::Stopped)
        return exit_code::kFailure;
    const ReadCounts& reads = outcome.reads;
    if (reads.asked == 0) {
        console.err("veltro: the chosen categories hold no parameter of " + cmd.directory +
                    "; no backup was written");
        return exit_code::kFailure;
    }
    if (reads.answered == 0) {
        // An empty backup would look like a success to whoever restores it.
        console.err("veltro: the controller answered none of the " + std::to_string(reads.asked) +
                    " parameters; no backup was written");
        return exit_code::kFailure;
    }
    StdTextFiles files;
    if (!saveBackup(files, cmd.backupFile, outcome.backup)) {
        console.err("veltro: " + cmd.backupFile + ": cannot be written");
        return exit_code::kFailure;
    }
    console.out(std::to_string(reads.answered) + " parameters saved in " + cmd.backupFile);
    if (reads.answered == reads.asked)
        return exit_code::kSuccess;
    console.err("veltro: " + std::to_string(reads.asked - reads.answered) + " of " +
                std::to_string(reads.asked) +
                " parameters not answered by the controller; listed in the backup as \"nee\"");
    return exit_code::kFound;
}

// Whether `path` is the journal of the project in `directory`.
bool isJournalOf(const std::string& path, const std::string& directory) {
    std::error_code ec;
    return std::filesystem::equivalent(path, journalPath(directory), ec);
}

int runRestoreCommand(const ToolCommand& cmd, ParameterStore& store, const RestorePlan& plan,
                      RunPorts& ports, Console& console) {
    const RestoreOutcome outcome = runRestore(store, plan, ports);
    if (outcome.result == RunResult::Stopped)
        return exit_code::kFailure;
    if (outcome.reads.asked > 0 && outcome.reads.answered == 0)
        return exit_code::kFailure;
    if (outcome.result != RunResult::Done)
        return exit_code::kFound;
    // The originals are back: the acceptance run's journal has done its work.
    if (plan.unanswered == 0 && isJournalOf(cmd.backupFile, cmd.directory)) {
        std::error_code ec;
        if (std::filesystem::remove(cmd.backupFile, ec))
            console.err("veltro: the journal " + cmd.backupFile + " is retired");
    }
    return exit_code::kSuccess;
}

int runAcceptanceCommand(const ToolCommand& cmd, ParameterStore& store, RunPorts& ports,
                         Console& console) {
    AcceptanceJournal journal(ports.files, journalPath(cmd.directory),
                              backupOrigin(cmd.directory));
    if (const auto left = journal.leftBehind()) {
        if (!left->backup) {
            console.err("veltro: " + left->error);
            console.err(
                "veltro: the journal of an earlier acceptance run cannot be read; "
                "nothing was written");
            return exit_code::kFailure;
        }
        journal.adopt(*left->backup);
        console.err("veltro: an earlier acceptance run left its originals in " + journal.path() +
                    "; they stand");
    }
    AcceptanceState state;
    state.journal = &journal;
    const RunResult result = runAcceptance(store, cmd.settings, state, ports);
    if (journal.active())
        console.err("veltro: the originals are kept in " + journal.path() +
                    "; veltro --terugzetten " + cmd.directory + " " + journal.path() +
                    " puts them back");
    return result == RunResult::Done ? exit_code::kSuccess : exit_code::kFailure;
}

bool writeDifferenceCsv(const ToolCommand& cmd, const std::vector<ComparedParameter>& compared,
                        Console& console) {
    std::error_code ec;
    if (common::writeFileAtomically(cmd.csvFile, differenceCsv(compared), &ec))
        return true;
    console.err("veltro: " + cmd.csvFile + ": cannot be written (" + ec.message() + ")");
    return false;
}

}  // namespace veltro::tools
