#include "pendrel/project/project.h"

#include "pendrel/project/screen_database.h"
#include "pendrel/project/source_reader.h"

namespace pendrel {

bool Project::load(Prompts& prompts, Progress& progress) {
    ProjectData data;
    if (!readSources(m_directory, prompts, progress, data)) {
        return false;
    }
    m_data = std::move(data);
    m_screens = readScreenDatabase(m_directory);
    m_loaded = true;
    return true;
}

bool Project::ensureLoaded(Prompts& prompts, Progress& progress) {
    return m_loaded || load(prompts, progress);
}

bool Project::saveScreens(Prompts& prompts) const {
    return writeScreenDatabase(m_directory, m_screens, prompts);
}

}  // namespace pendrel
