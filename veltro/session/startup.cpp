#include "veltro/session/startup.h"

#include "veltro/definitions/definitions_loader.h"

namespace veltro {

StartupOutcome loadStartDirectory(const std::string& startDirectory, DefinitionTable& definitions,
                                  ElementTables& elements, Messages& messages,
                                  ScreenCollector& windows) {
    const DefinitionsOutcome loaded =
        loadProjectDefinitions(startDirectory, definitions, elements, messages);
    StartupOutcome result;
    if (loaded.fatal()) {
        result.failed = true;
        result.boxCaption = loaded.boxCaption;
        result.boxText = loaded.boxText;
        result.boxIcon = PromptIcon::Exclamation;
        return result;
    }
    if (loaded.status == DefinitionsOutcome::Status::PathTooLong) {
        return result;
    }
    result.debugFilesFound = loadDebugDirectory(startDirectory, definitions, messages, windows);
    return result;
}

}  // namespace veltro
