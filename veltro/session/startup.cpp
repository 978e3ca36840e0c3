#include "veltro/session/startup.h"

#include "veltro/definitions/definitions_loader.h"

namespace veltro {
namespace {

StartupOutcome failure(const DefinitionsOutcome& outcome) {
    StartupOutcome result;
    result.failed = true;
    result.boxCaption = outcome.boxCaption;
    result.boxText = outcome.boxText;
    result.boxIcon = PromptIcon::Exclamation;
    return result;
}

}  // namespace

StartupOutcome loadStartDirectory(const std::string& startDirectory, DefinitionTable& definitions,
                                  ElementTables& elements, Messages& messages,
                                  ScreenCollector& windows) {
    const DefinitionsOutcome macros = loadMacroDefinitions(definitions, messages);
    if (macros.fatal()) {
        return failure(macros);
    }
    const DefinitionsOutcome header =
        loadApplicationDefinitions(startDirectory, definitions, elements, messages);
    if (header.fatal()) {
        return failure(header);
    }
    StartupOutcome result;
    if (header.status == DefinitionsOutcome::Status::PathTooLong) {
        return result;
    }
    result.debugFilesFound = loadDebugDirectory(startDirectory, definitions, messages, windows);
    return result;
}

}  // namespace veltro
