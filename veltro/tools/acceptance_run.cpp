#include "veltro/tools/acceptance_run.h"

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
    {
        ListingOutput listing(
            ports.files,
            {settings.saveToFile, settings.separateFiles, settings.fileName, false, {}});
        const auto test = [&](const ParameterRef& p, int k) {
            if (settings.rememberOriginals && !p.value->received())
                sendPaced(ports, p, CommandMode::Read);
            std::int32_t value = 0;
            if (p.category == Category::Schakelaars)
                value = settings.switchesOn ? 1 : 0;
            else
                value = nextTestValue(state, settings, k);
            listing.line(p, value);
            sendPaced(ports, p, CommandMode::Write, value);
        };
        completed = forEachParameter(tables, categoriesToVisit(settings, tables), ports,
                                     {WalkFilter::SkipRules, true, &listing}, test);
    }
    return finish(ports, completed, texts::kAcceptanceDone, texts::kAcceptanceStopped);
}

RunResult runReset(ParameterStore& store, const AcceptanceState& state, RunPorts& ports) {
    ElementTables& tables = store.tables();
    const ToolSettings& settings = state.lastRun;
    ports.progress.start(progressRange(settings, tables));
    ports.pacing.restart(ports.clock);
    bool completed = false;
    {
        ListingOutput listing(ports.files, {settings.saveToFile, settings.separateFiles,
                                            settings.fileName, true, texts::kResetListingLine});
        const auto restore = [&](const ParameterRef& p, int) {
            const std::int32_t original = p.value->value();
            listing.line(p, original);
            sendPaced(ports, p, CommandMode::Write, original);
        };
        completed = forEachParameter(tables, categoriesToVisit(settings, tables), ports,
                                     {WalkFilter::Reported, false, &listing}, restore);
    }
    return finish(ports, completed, texts::kResetDone, texts::kResetStopped);
}

}  // namespace veltro::tools
