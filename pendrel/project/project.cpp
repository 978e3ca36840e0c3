#include "pendrel/project/project.h"

#include "pendrel/project/screen_database.h"
#include "pendrel/project/source_reader.h"

namespace pendrel {

bool Project::load(Prompts& prompts, Progress& progress) {
    ProjectData data;
    if (!readSources(m_directory, prompts, progress, data)) {
        return false;
    }
    ScreenDatabase database = readScreenDatabase(m_directory);
    m_data = std::move(data);
    m_screens = std::move(database.screens);
    m_databaseIncomplete = !database.complete();
    m_loaded = true;
    if (m_databaseIncomplete) {
        prompts.warning(incompleteDatabaseWarning(database));
    }
    return true;
}

bool Project::ensureLoaded(Prompts& prompts, Progress& progress) {
    return m_loaded || load(prompts, progress);
}

bool Project::saveScreens(Prompts& prompts) {
    if (m_databaseIncomplete &&
        !prompts.askYesNo("PENDREL",
                          "De file pendrel.db is bij het openen niet helemaal ingelezen.\n"
                          "Opslaan vervangt de file: wat niet ingelezen is, gaat dan "
                          "verloren.\n\nToch opslaan?")) {
        return false;
    }
    if (!writeScreenDatabase(m_directory, m_screens, prompts)) {
        return false;
    }
    m_databaseIncomplete = false;
    return true;
}

}  // namespace pendrel
