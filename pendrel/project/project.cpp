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
    m_storedScreens = m_screens;
    database.screens.clear();
    m_reading = std::move(database);
    m_loaded = true;
    if (!m_reading.complete()) {
        prompts.warning(incompleteDatabaseWarning(m_reading));
    }
    return true;
}

bool Project::ensureLoaded(Prompts& prompts, Progress& progress) {
    return m_loaded || load(prompts, progress);
}

bool Project::saveScreens(Prompts& prompts) {
    if (!m_reading.complete() &&
        !prompts.askYesNo("PENDREL", replaceIncompleteQuestion(m_reading))) {
        return false;
    }
    if (!writeScreenDatabase(m_directory, m_screens, prompts)) {
        return false;
    }
    m_reading = {};
    m_storedScreens = m_screens;
    return true;
}

}  // namespace pendrel
