#include "veltro/tools/acceptance_run.h"

#include <algorithm>

#include "common/format.h"
#include "veltro/tools/backup_rows.h"
#include "veltro/tools/backup_texts.h"
#include "veltro/tools/run_walk.h"
#include "veltro/tools/tool_texts.h"

namespace veltro::tools {

namespace {
constexpr std::int64_t kHighestTestValue = 11999;

RunResult finish(RunPorts& ports, bool completed, std::string_view done,
                 std::string_view stopped) {
    if (!completed) {
        ports.prompts.messageBox(texts::kAcceptanceCaption, stopped, PromptIcon::Exclamation);
        return RunResult::Stopped;
    }
    ports.prompts.messageBox(texts::kAcceptanceCaption, done, PromptIcon::Information);
    return RunResult::Done;
}

// The run's progress, which also stops the run once the journal could not
// be written: no test value goes without its original kept.
class JournalGuard final : public ToolProgress {
  public:
    explicit JournalGuard(ToolProgress& inner) : m_inner(inner) {}
    void start(int range) override { m_inner.start(range); }
    void step() override { m_inner.step(); }
    bool stopRequested() const override { return m_failed || m_inner.stopRequested(); }
    void fail() { m_failed = true; }
    bool failed() const { return m_failed; }

  private:
    ToolProgress& m_inner;
    bool m_failed = false;
};

// Late reports of an original are awaited at least this long.
constexpr std::chrono::milliseconds kLeastOriginalWait{500};
constexpr std::chrono::milliseconds kOriginalWaitStep{10};

// With a journal, the original of a parameter is awaited (one pacing
// interval, at least half a second) before its test value replaces it, so
// that the journal holds it if the controller answers at all.
void awaitOriginal(RunPorts& ports, const ControllerValue& value) {
    const SteadyClock::Time deadline =
        ports.clock.now() + std::max(ports.pacing.interval(), kLeastOriginalWait);
    while (!value.received() && !ports.progress.stopRequested()) {
        const SteadyClock::Time now = ports.clock.now();
        if (now >= deadline)
            break;
        ports.clock.waitUntil(std::min(now + kOriginalWaitStep, deadline));
    }
}

// The journal's parameters that the reset's walk did not visit.
bool restoreRemainder(ParameterStore& store, const AcceptanceJournal& journal,
                      const std::vector<BackupRow>& visited, RunPorts& ports) {
    const RestorePlan plan = planRestore(journal.remainder(visited), store.tables());
    for (const RestoreItem& item : plan.items) {
        if (ports.progress.stopRequested())
            return false;
        sendPaced(ports, item.ref, CommandMode::Write, item.raw);
    }
    return plan.missing.empty();
}

}  // namespace

std::int32_t nextTestValue(AcceptanceState& state, const ToolSettings& settings, int k) {
    if (k == 0 && settings.restartPerCategory)
        state.counter = settings.startValue;
    else
        state.counter = state.counter + 1;
    if (state.counter > kHighestTestValue)
        state.counter = 0;
    return static_cast<std::int32_t>(state.counter);
}

RunResult runAcceptance(ParameterStore& store, const ToolSettings& settings,
                        AcceptanceState& state, RunPorts& ports) {
    ElementTables& tables = store.tables();
    state.lastRun = settings;
    state.ranOnce = true;
    ports.progress.start(progressRange(settings, tables));
    state.counter = static_cast<std::int64_t>(settings.startValue) - 1;
    bool completed = false;
    JournalGuard guard(ports.progress);
    RunPorts guarded{ports.sender, ports.clock, ports.pacing, guard, ports.files, ports.prompts};
    {
        ListingOutput listing(
            ports.files,
            {settings.saveToFile, settings.separateFiles, settings.fileName, false, {}});
        const auto test = [&](const ParameterRef& p, int k) {
            if (settings.rememberOriginals && !p.value->received()) {
                sendPaced(ports, p, CommandMode::Read);
                if (state.journal)
                    awaitOriginal(guarded, *p.value);
            }
            if (state.journal && !state.journal->keep(p)) {
                guard.fail();
                return;
            }
            std::int32_t value = 0;
            if (p.category == Category::Schakelaars)
                value = settings.switchesOn ? 1 : 0;
            else
                value = nextTestValue(state, settings, k);
            listing.line(p, value);
            sendPaced(ports, p, CommandMode::Write, value);
        };
        completed = forEachParameter(tables, categoriesToVisit(settings, tables), guarded,
                                     {WalkFilter::SkipRules, true, &listing}, test);
    }
    if (state.journal && !guard.failed() && !state.journal->refresh()) {
        ports.prompts.messageBox(
            texts::kAcceptanceCaption,
            common::format(texts::kJournalIncomplete, state.journal->path().c_str()),
            PromptIcon::Error);
    }
    if (guard.failed()) {
        ports.prompts.messageBox(
            texts::kAcceptanceCaption,
            common::format(texts::kJournalNotWritten, state.journal->path().c_str()),
            PromptIcon::Error);
        return RunResult::Failed;
    }
    return finish(ports, completed, texts::kAcceptanceDone, texts::kAcceptanceStopped);
}

RunResult runReset(ParameterStore& store, AcceptanceState& state, RunPorts& ports) {
    ElementTables& tables = store.tables();
    const ToolSettings& settings = state.lastRun;
    ports.progress.start(progressRange(settings, tables));
    ports.pacing.restart(ports.clock);
    bool completed = false;
    {
        ListingOutput listing(ports.files, {settings.saveToFile, settings.separateFiles,
                                            settings.fileName, true, texts::kResetListingLine});
        std::vector<BackupRow> visited;
        const auto restore = [&](const ParameterRef& p, int) {
            std::optional<std::int32_t> kept;
            if (state.journal)
                kept = state.journal->originalOf(p);
            const std::int32_t original = kept.value_or(p.value->value());
            listing.line(p, original);
            sendPaced(ports, p, CommandMode::Write, original);
            visited.push_back(backupRow(p, original));
        };
        completed = forEachParameter(tables, categoriesToVisit(settings, tables), ports,
                                     {WalkFilter::Reported, false, &listing}, restore);
        if (completed && state.journal && state.journal->active()) {
            completed = restoreRemainder(store, *state.journal, visited, ports);
            if (completed && !state.journal->retire()) {
                ports.prompts.messageBox(
                    texts::kAcceptanceCaption,
                    common::format(texts::kJournalNotRetired, state.journal->path().c_str()),
                    PromptIcon::Exclamation);
            }
        }
    }
    return finish(ports, completed, texts::kResetDone, texts::kResetStopped);
}

}  // namespace veltro::tools
