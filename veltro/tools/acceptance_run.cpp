#include "veltro/tools/acceptance_run.h"

#include "veltro/tools/tool_texts.h"

namespace veltro::tools {

namespace {
constexpr std::int64_t kHighestTestValue = 11999;
}

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
    bool stopped = false;
    {
        ListingOutput listing(
            ports.files,
            {settings.saveToFile, settings.separateFiles, settings.fileName, false, {}});
        for (Category c : categoriesToVisit(settings, tables)) {
            if (stopped)
                break;
            if (c == Category::Hiaattijden)
                ports.pacing.pace(ports.clock);
            listing.beginCategory(c);
            int k = 0;
            for (const ParameterRef& p : sendOrder(c, tables)) {
                if (ports.progress.stopRequested()) {
                    stopped = true;
                    break;
                }
                if (!p.skipped) {
                    if (settings.rememberOriginals && !p.value->received())
                        sendPaced(ports, p, CommandMode::Read);
                    std::int32_t value = 0;
                    if (c == Category::Schakelaars)
                        value = settings.switchesOn ? 1 : 0;
                    else
                        value = nextTestValue(state, settings, k++);
                    listing.line(p, value);
                    sendPaced(ports, p, CommandMode::Write, value);
                }
                ports.progress.step();
            }
            listing.endCategory();
        }
    }
    if (stopped) {
        ports.prompts.messageBox(texts::kAcceptanceCaption, texts::kAcceptanceStopped,
                                 PromptIcon::Exclamation);
        return RunResult::Stopped;
    }
    ports.prompts.messageBox(texts::kAcceptanceCaption, texts::kAcceptanceDone,
                             PromptIcon::Information);
    return RunResult::Done;
}

RunResult runReset(ParameterStore& store, const AcceptanceState& state, RunPorts& ports) {
    ElementTables& tables = store.tables();
    const ToolSettings& settings = state.lastRun;
    ports.progress.start(progressRange(settings, tables));
    ports.pacing.restart(ports.clock);
    bool stopped = false;
    {
        ListingOutput listing(ports.files, {settings.saveToFile, settings.separateFiles,
                                            settings.fileName, true, texts::kResetListingLine});
        for (Category c : categoriesToVisit(settings, tables)) {
            if (stopped)
                break;
            listing.beginCategory(c);
            for (const ParameterRef& p : sendOrder(c, tables)) {
                if (ports.progress.stopRequested()) {
                    stopped = true;
                    break;
                }
                if (p.value->received()) {
                    const std::int32_t original = p.value->value();
                    listing.line(p, original);
                    sendPaced(ports, p, CommandMode::Write, original);
                }
                ports.progress.step();
            }
            listing.endCategory();
        }
    }
    if (stopped) {
        ports.prompts.messageBox(texts::kAcceptanceCaption, texts::kResetStopped,
                                 PromptIcon::Exclamation);
        return RunResult::Stopped;
    }
    ports.prompts.messageBox(texts::kAcceptanceCaption, texts::kResetDone,
                             PromptIcon::Information);
    return RunResult::Done;
}

}  // namespace veltro::tools
