#include "veltro/tools/parameter_backup.h"

#include "common/format.h"
#include "veltro/tools/backup_texts.h"
#include "veltro/tools/run_walk.h"
#include "veltro/tools/tool_messages.h"
#include "veltro/tools/value_conversion.h"

namespace veltro::tools {

namespace {

void box(RunPorts& ports, std::string_view caption, std::string_view text, PromptIcon icon) {
    ports.prompts.messageBox(caption, text, icon);
}

// Writes each value and reads it back at once; false when stopped.
bool writeAndReadBack(const RestorePlan& plan, RunPorts& ports,
                      std::vector<const ControllerValue*>& asked) {
    for (const RestoreItem& item : plan.items) {
        if (ports.progress.stopRequested())
            return false;
        sendPaced(ports, item.ref, CommandMode::Write, item.raw);
        sendPaced(ports, item.ref, CommandMode::Read);
        asked.push_back(item.ref.value);
        ports.progress.step();
    }
    return true;
}

}  // namespace

BackupOutcome runBackup(ParameterStore& store, const ToolSettings& settings, RunPorts& ports,
                        BackupOrigin origin) {
    ElementTables& tables = store.tables();
    ports.progress.start(progressRange(settings, tables));
    BackupOutcome outcome;
    outcome.backup.origin = std::move(origin);
    const std::uint32_t round = store.beginReadRound();
    std::vector<ParameterRef> askedRefs;
    std::vector<const ControllerValue*> asked;
    const bool completed = forEachParameter(tables, categoriesToVisit(settings, tables), ports, {},
                                            [&](const ParameterRef& p, int) {
                                                sendPaced(ports, p, CommandMode::Read);
                                                askedRefs.push_back(p);
                                                asked.push_back(p.value);
                                            });
    if (!completed) {
        box(ports, texts::kBackupCaption, texts::kBackupStopped, PromptIcon::Exclamation);
        outcome.result = RunResult::Stopped;
        return outcome;
    }
    awaitLateReports(ports, asked, round);
    outcome.reads = countAnswers(asked, round);
    for (const ParameterRef& p : askedRefs) {
        const bool answered = p.value->reportedIn(round);
        outcome.backup.rows.push_back(
            backupRow(p, answered ? std::optional(p.value->latest()) : std::nullopt));
    }
    return outcome;
}

bool saveBackup(TextFiles& files, const std::string& path, const Backup& backup) {
    std::unique_ptr<TextFile> file = files.replaceWhole(path);
    if (!file)
        return false;
    file->write(formatBackup(backup));
    return file->close();
}

RunResult saveAndTell(const BackupOutcome& outcome, const std::string& path, RunPorts& ports) {
    const ReadCounts& reads = outcome.reads;
    if (reads.asked == 0) {
        box(ports, texts::kBackupCaption, texts::kBackupNothingChosen, PromptIcon::Exclamation);
        return RunResult::Failed;
    }
    if (reads.answered == 0) {
        box(ports, texts::kBackupCaption, texts::kBackupSilent, PromptIcon::Error);
        return RunResult::Failed;
    }
    if (!saveBackup(ports.files, path, outcome.backup)) {
        box(ports, texts::kBackupCaption, common::format(texts::kBackupNotWritten, path.c_str()),
            PromptIcon::Error);
        return RunResult::Failed;
    }
    if (reads.answered < reads.asked) {
        box(ports, texts::kBackupCaption,
            common::format(texts::kBackupPartly, path.c_str(), reads.asked - reads.answered,
                           reads.asked),
            PromptIcon::Exclamation);
        return RunResult::Failed;
    }
    box(ports, texts::kBackupCaption, common::format(texts::kBackupDone, path.c_str()),
        PromptIcon::Information);
    return RunResult::Done;
}

RestoreOutcome runRestore(ParameterStore& store, const RestorePlan& plan, RunPorts& ports) {
    ports.progress.start(static_cast<int>(plan.items.size()));
    RestoreOutcome outcome;
    const std::uint32_t round = store.beginReadRound();
    std::vector<const ControllerValue*> asked;
    if (!writeAndReadBack(plan, ports, asked)) {
        box(ports, texts::kRestoreCaption, texts::kRestoreStopped, PromptIcon::Exclamation);
        outcome.result = RunResult::Stopped;
        return outcome;
    }
    awaitLateReports(ports, asked, round);
    outcome.reads = countAnswers(asked, round);
    for (const RestoreItem& item : plan.items) {
        if (!item.ref.value->reportedIn(round))
            continue;
        const std::int32_t reported = item.ref.value->latest();
        if (reported != item.raw) {
            ++outcome.differences;
            box(ports, texts::kRestoreCaption, verificationMessage(item.ref, reported),
                PromptIcon::Error);
        }
    }
    const int unverified = outcome.reads.asked - outcome.reads.answered;
    if (unverified > 0) {
        box(ports, texts::kRestoreCaption,
            common::format(texts::kRestoreUnverified, unverified, outcome.reads.asked),
            PromptIcon::Error);
    }
    const bool verified = outcome.differences == 0 && unverified == 0;
    outcome.result = verified ? RunResult::Done : RunResult::Failed;
    box(ports, texts::kRestoreCaption, verified ? texts::kRestoreDone : texts::kRestoreFailed,
        verified ? PromptIcon::Information : PromptIcon::Error);
    return outcome;
}

}  // namespace veltro::tools
