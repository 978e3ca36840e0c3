#include "veltro/headless/project.h"

#include <string>

#include "veltro/definitions/definitions_loader.h"

namespace veltro::headless {

bool loadProject(std::string_view directory, Project& project, Messages& messages,
                 Prompts& boxes) {
    const DefinitionsOutcome loaded =
        loadProjectDefinitions(directory, project.table, *project.elements, messages);
    if (loaded.fatal()) {
        boxes.messageBox(loaded.boxCaption, loaded.boxText, PromptIcon::Exclamation);
        return false;
    }
    if (loaded.status != DefinitionsOutcome::Status::Loaded) {
        boxes.messageBox({}, std::string(directory) + ": no definitions loaded",
                         PromptIcon::Error);
        return false;
    }
    return true;
}

}  // namespace veltro::headless
