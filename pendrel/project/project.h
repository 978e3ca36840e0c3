#pragma once

#include <filesystem>

#include "pendrel/ports/prompts.h"
#include "pendrel/project/project_data.h"
#include "pendrel/project/screen_database.h"
#include "pendrel/project/screen_records.h"

namespace pendrel {

// One project directory: the data read from its sources and its user
// screens. The designer's commands make sure it is loaded before they work.
class Project {
  public:
    explicit Project(std::filesystem::path directory) : m_directory(std::move(directory)) {}

    // Open project: reads the sources; on success the screens held so far
    // are discarded and the screen database is read, and a database that
    // could not be read whole is reported. A failure keeps the previous
    // state.
    bool load(Prompts& prompts, Progress& progress);

    // Ensure loaded: load() unless loaded already.
    bool ensureLoaded(Prompts& prompts, Progress& progress);

    // Takes data read elsewhere as the loaded project (benchmarks, tools).
    void adopt(ProjectData data, ScreenList screens) {
        m_data = std::move(data);
        m_screens = std::move(screens);
        m_storedScreens = m_screens;
        m_loaded = true;
        m_reading = {};
    }

    // Write screen database. A database that was not read whole is replaced
    // only when the user agrees, as its unread rest is then lost. True when
    // the screens were stored.
    bool saveScreens(Prompts& prompts);

    // The screens differ from those read from or last written to pendrel.db.
    bool screensChanged() const { return m_loaded && m_screens != m_storedScreens; }

    // The database was not read to its end (what that cost is told at load).
    bool databaseIncomplete() const { return !m_reading.complete(); }

    bool loaded() const { return m_loaded; }
    const std::filesystem::path& directory() const { return m_directory; }
    const ProjectData& data() const { return m_data; }
    ScreenList& screens() { return m_screens; }
    const ScreenList& screens() const { return m_screens; }

  private:
    std::filesystem::path m_directory;
    ProjectData m_data;
    ScreenList m_screens;
    ScreenList m_storedScreens;  // as pendrel.db holds them
    bool m_loaded = false;
    ScreenDatabase m_reading;  // how pendrel.db was read, without its screens
};

}  // namespace pendrel
