#include "veltro/tools/difference_check.h"

#include "veltro/tools/tool_messages.h"
#include "veltro/tools/tool_texts.h"
#include "veltro/tools/value_conversion.h"

namespace veltro::tools {

namespace {

// Request phase: a READ for every parameter the skip rules keep. False when
// the user stopped the run.
bool requestAll(ElementTables& tables, const std::vector<Category>& categories, RunPorts& ports,
                std::vector<const ControllerValue*>& asked) {
    for (Category c : categories) {
        if (c == Category::Hiaattijden)
            ports.pacing.pace(ports.clock);
        for (const ParameterRef& p : sendOrder(c, tables)) {
            if (ports.progress.stopRequested())
                return false;
            if (!p.skipped) {
                sendPaced(ports, p, CommandMode::Read);
                asked.push_back(p.value);
            }
            ports.progress.step();
        }
    }
    return true;
}

}  // namespace

DifferenceOutcome runDifferenceCheck(ParameterStore& store, const ToolSettings& settings,
                                     RunPorts& ports) {
    ElementTables& tables = store.tables();
    const std::vector<Category> categories = categoriesToVisit(settings, tables);
    ports.progress.start(progressRange(settings, tables));
    std::unique_ptr<TextFile> file;
    if (settings.saveToFile)
        file = ports.files.open(settings.fileName, false);

    const std::uint32_t round = store.beginReadRound();
    std::vector<const ControllerValue*> asked;
    DifferenceOutcome outcome;
    if (!requestAll(tables, categories, ports, asked)) {
        ports.prompts.messageBox(texts::kDifferenceCaption, texts::kDifferenceStopped,
                                 PromptIcon::Exclamation);
        outcome.result = RunResult::Stopped;
        return outcome;
    }
    awaitLateReports(ports, asked, round);
    outcome.reads = countAnswers(asked, round);

    for (Category c : categories) {
        for (const ParameterRef& p : compareOrder(c, tables)) {
            if (!p.value->reportedIn(round))
                continue;
            const std::int32_t reported = p.value->latest();
            if (!differs(p, reported))
                continue;
            ++outcome.differences;
            const std::string message = differenceMessage(p, reported);
            if (file) {
                file->write(message);
                file->write("\n");
            } else {
                ports.prompts.messageBox(texts::kDifferenceCaption, message, PromptIcon::Error);
            }
        }
    }
    // A controller that answered none of the reads compared nothing: that is
    // no "no difference", and the caller says what it is.
    const bool comparedNone = outcome.reads.asked > 0 && outcome.reads.answered == 0;
    if (outcome.differences == 0 && !comparedNone)
        ports.prompts.messageBox(texts::kDifferenceCaption, texts::kNoDifferences,
                                 PromptIcon::Error);
    return outcome;
}

}  // namespace veltro::tools
