#include "veltro/tools/adjustment_run.h"

#include "veltro/tools/run_walk.h"
#include "veltro/tools/tool_messages.h"
#include "veltro/tools/tool_texts.h"
#include "veltro/tools/value_conversion.h"

namespace veltro::tools {

namespace {

// The first parameter reported in `round` whose value differs: its message
// box, and false. True when none differs.
bool verify(ElementTables& tables, const std::vector<Category>& categories, std::uint32_t round,
            Prompts& prompts) {
    bool verified = true;
    forEachDifference(tables, categories, round, [&](const ParameterRef& p, std::int32_t value) {
        prompts.messageBox(texts::kAdjustmentCaption, verificationMessage(p, value),
                           PromptIcon::Error);
        verified = false;
        return false;
    });
    return verified;
}

// Writes every parameter the skip rules keep; with verification on, reads
// each one back, also one reported before: the check compares what the
// controller says now. False when the user stopped it.
bool writeAll(ElementTables& tables, const std::vector<Category>& categories,
              const ToolSettings& settings, RunPorts& ports,
              std::vector<const ControllerValue*>& asked) {
    ListingOutput listing(
        ports.files, {settings.saveToFile, settings.separateFiles, settings.fileName, false, {}});
    return forEachParameter(tables, categories, ports, {WalkFilter::SkipRules, true, &listing},
                            [&](const ParameterRef& p, int) {
                                const std::int32_t value = sourceInControllerUnits(p);
                                listing.line(p, value);
                                sendPaced(ports, p, CommandMode::Write, value);
                                if (settings.verify) {
                                    sendPaced(ports, p, CommandMode::Read);
                                    asked.push_back(p.value);
                                }
                            });
}

}  // namespace

RunResult runAdjustment(ParameterStore& store, const ToolSettings& settings, RunPorts& ports,
                        ReadCounts* counts) {
    ElementTables& tables = store.tables();
    const std::vector<Category> categories = categoriesToVisit(settings, tables);
    ports.progress.start(progressRange(settings, tables));
    const std::uint32_t round = store.beginReadRound();
    std::vector<const ControllerValue*> asked;
    if (!writeAll(tables, categories, settings, ports, asked)) {
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
