#include "veltro/tools/adjustment_run.h"

#include "veltro/tools/tool_messages.h"
#include "veltro/tools/tool_texts.h"
#include "veltro/tools/value_conversion.h"

namespace veltro::tools {

namespace {

// The first parameter reported in `round` whose value differs: its message
// box, and false. True when none differs.
bool verify(ElementTables& tables, const std::vector<Category>& categories, std::uint32_t round,
            Prompts& prompts) {
    for (Category c : categories) {
        for (const ParameterRef& p : compareOrder(c, tables)) {
            if (!p.value->reportedIn(round))
                continue;
            const std::int32_t reported = p.value->latest();
            if (differs(p, reported)) {
                prompts.messageBox(texts::kAdjustmentCaption, verificationMessage(p, reported),
                                   PromptIcon::Error);
                return false;
            }
        }
    }
    return true;
}

}  // namespace

RunResult runAdjustment(ParameterStore& store, const ToolSettings& settings, RunPorts& ports,
                        ReadCounts* counts) {
    ElementTables& tables = store.tables();
    const std::vector<Category> categories = categoriesToVisit(settings, tables);
    ports.progress.start(progressRange(settings, tables));
    const std::uint32_t round = store.beginReadRound();
    std::vector<const ControllerValue*> asked;
    bool stopped = false;
    {
        ListingOutput listing(
            ports.files,
            {settings.saveToFile, settings.separateFiles, settings.fileName, false, {}});
        for (Category c : categories) {
            if (stopped)
                break;
            if (c == Category::Hiaattijden)
                ports.pacing.pace(ports.clock);
            listing.beginCategory(c);
            for (const ParameterRef& p : sendOrder(c, tables)) {
                if (ports.progress.stopRequested()) {
                    stopped = true;
                    break;
                }
                if (!p.skipped) {
                    const std::int32_t value = sourceInControllerUnits(p);
                    listing.line(p, value);
                    sendPaced(ports, p, CommandMode::Write, value);
                    // Read back every parameter written, also one reported
                    // before: the check compares what the controller says now.
                    if (settings.verify) {
                        sendPaced(ports, p, CommandMode::Read);
                        asked.push_back(p.value);
                    }
                }
                ports.progress.step();
            }
            listing.endCategory();
        }
    }
    if (stopped) {
        ports.prompts.messageBox(texts::kAdjustmentCaption, texts::kAdjustmentStopped,
                                 PromptIcon::Exclamation);
        return RunResult::Stopped;
    }
    bool success = true;
    ReadCounts reads;
    if (settings.verify) {
        awaitLateReports(ports, asked, round);
        reads = countAnswers(asked, round);
        if (counts)
            *counts = reads;
        success = verify(tables, categories, round, ports.prompts);
    }
    // A read-back that nobody answered verified nothing: neither ready nor
    // failed, and the caller says what it is.
    if (reads.asked > 0 && reads.answered == 0)
        return RunResult::Failed;
    if (success)
        ports.prompts.messageBox(texts::kAdjustmentCaption, texts::kAdjustmentDone,
                                 PromptIcon::Information);
    else
        ports.prompts.messageBox(texts::kAdjustmentCaption, texts::kAdjustmentFailed,
                                 PromptIcon::Error);
    return success ? RunResult::Done : RunResult::Failed;
}

}  // namespace veltro::tools
