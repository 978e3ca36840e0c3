#include "veltro/tools/difference_check.h"

#include "common/format.h"
#include "veltro/tools/run_walk.h"
#include "veltro/tools/tool_messages.h"
#include "veltro/tools/tool_texts.h"

namespace veltro::tools {

namespace {

void box(RunPorts& ports, std::string_view text) {
    ports.prompts.messageBox(texts::kDifferenceCaption, text, PromptIcon::Error);
}

// Request phase: a READ for every parameter the skip rules keep. False when
// the user stopped the run.
bool requestAll(ElementTables& tables, const std::vector<Category>& categories, RunPorts& ports,
                std::vector<const ControllerValue*>& asked) {
    return forEachParameter(tables, categories, ports, {}, [&](const ParameterRef& p, int) {
        sendPaced(ports, p, CommandMode::Read);
        asked.push_back(p.value);
    });
}

// The differences into the file; false (after its box) when it could not be
// written.
bool writeFile(std::unique_ptr<TextFile> file, const std::vector<std::string>& messages,
               const ToolSettings& settings, RunPorts& ports, DifferenceOutcome& outcome) {
    for (const std::string& message : messages) {
        file->write(message);
        file->write("\n");
    }
    if (file->close())
        return true;
    outcome.result = RunResult::Failed;
    outcome.fileError = common::format(texts::kResultFileNotWritten, settings.fileName.c_str());
    box(ports, outcome.fileError);
    return false;
}

// What the controller said of each parameter asked, in comparison order.
std::vector<ComparedParameter> comparedParameters(ElementTables& tables,
                                                  const std::vector<Category>& categories,
                                                  std::uint32_t round) {
    std::vector<ComparedParameter> compared;
    for (Category c : categories) {
        for (const ParameterRef& p : compareOrder(c, tables)) {
            if (!p.skipped)
                compared.push_back({p, p.value->reportedIn(round), p.value->latest()});
        }
    }
    return compared;
}

}  // namespace

DifferenceOutcome runDifferenceCheck(ParameterStore& store, const ToolSettings& settings,
                                     RunPorts& ports) {
    ElementTables& tables = store.tables();
    const std::vector<Category> categories = categoriesToVisit(settings, tables);
    ports.progress.start(progressRange(settings, tables));
    DifferenceOutcome outcome;
    std::unique_ptr<TextFile> file;
    if (settings.saveToFile) {
        file = ports.files.replaceWhole(settings.fileName);
        if (!file) {
            outcome.result = RunResult::Failed;
            outcome.fileError =
                common::format(texts::kResultFileNotMade, settings.fileName.c_str());
            box(ports, outcome.fileError);
            return outcome;
        }
    }

    const std::uint32_t round = store.beginReadRound();
    std::vector<const ControllerValue*> asked;
    if (!requestAll(tables, categories, ports, asked)) {
        ports.prompts.messageBox(texts::kDifferenceCaption, texts::kDifferenceStopped,
                                 PromptIcon::Exclamation);
        outcome.result = RunResult::Stopped;
        return outcome;
    }
    awaitLateReports(ports, asked, round);
    outcome.reads = countAnswers(asked, round);
    outcome.compared = comparedParameters(tables, categories, round);

    std::vector<std::string> messages;
    forEachDifference(tables, categories, round, [&](const ParameterRef& p, std::int32_t value) {
        messages.push_back(differenceMessage(p, value));
        return true;
    });
    outcome.differences = static_cast<int>(messages.size());
    if (!file || !writeFile(std::move(file), messages, settings, ports, outcome)) {
        for (const std::string& message : messages)
            box(ports, message);
    }
    // A controller that answered none of the reads compared nothing: that is
    // no "no difference", and the caller says what it is.
    const bool comparedNone = outcome.reads.asked > 0 && outcome.reads.answered == 0;
    if (outcome.differences == 0 && !comparedNone)
        box(ports, texts::kNoDifferences);
    return outcome;
}

}  // namespace veltro::tools
