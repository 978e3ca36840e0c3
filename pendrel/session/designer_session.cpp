#include "pendrel/session/designer_session.h"

#include "pendrel/generator/list_file.h"

namespace pendrel {
namespace {

namespace fs = std::filesystem;

// An absolute, tidy form of `path` read relative to `base`.
fs::path absoluteFrom(const fs::path& base, const fs::path& path) {
    fs::path joined = path.is_absolute() ? path : base / path;
    fs::path tidy = joined.lexically_normal();
    // "dir/" and "dir" are one directory: no empty last part in titles.
    if (!tidy.has_filename() && tidy.has_parent_path() && tidy != tidy.root_path()) {
        tidy = tidy.parent_path();
    }
    return tidy;
}

}  // namespace

DesignerSession::DesignerSession(ProjectSettings settings, const fs::path& workingDirectory)
    : m_settings(std::move(settings)) {
    std::string last = m_settings.lastProjectDir(workingDirectory.string());
    m_current = absoluteFrom(workingDirectory, last.empty() ? workingDirectory : fs::path(last));
    m_title = m_current.string();
    m_project = std::make_unique<Project>(m_current);
}

std::string DesignerSession::directoryPreset() const {
    return m_settings.lastProjectDir(m_current.string());
}

std::unique_ptr<Project> DesignerSession::beginOpen(const fs::path& directory) {
    const fs::path chosen = absoluteFrom(m_current, directory);
    // A settings file that cannot be written only costs the preset next time.
    m_settings.setLastProjectDir(chosen.string());
    return std::make_unique<Project>(chosen);
}

void DesignerSession::finishOpen(std::unique_ptr<Project> opened) {
    if (!opened || !opened->loaded()) {
        return;
    }
    m_current = opened->directory();
    m_title = m_current.string();
    m_project = std::move(opened);
}

std::unique_ptr<Project> DesignerSession::beginRead() const {
    if (m_project->loaded()) {
        return nullptr;
    }
    return std::make_unique<Project>(m_project->directory());
}

void DesignerSession::finishRead(std::unique_ptr<Project> read) {
    if (read && read->loaded() && !m_project->loaded()) {
        m_project = std::move(read);
    }
}

bool DesignerSession::mayLeaveProject(Prompts& prompts, bool exiting) const {
    if (!m_project->screensChanged()) {
        return true;
    }
    return prompts.askYesNo(
        "PENDREL",
        std::string("De zelf gedefinieerde debugschermen zijn gewijzigd en niet opgeslagen\n"
                    "(opslaan gaat met OK in \"Definieren debugschermen\").\n\n") +
            (exiting ? "Afsluiten zonder op te slaan?"
                     : "Een ander project openen zonder op te slaan?"));
}

bool DesignerSession::enabled(Command command, bool busy) const {
    switch (command) {
        case Command::Exit:
        case Command::ToggleToolBar:
        case Command::ToggleStatusLine:
        case Command::About:
            return true;
        case Command::ViewList:
            return !busy && listFileExists(m_current);
        case Command::Open:
        case Command::Define:
        case Command::GenerateTest:
        case Command::GenerateAcceptance:
            return !busy;
    }
    return false;
}

GenerationSettings DesignerSession::generationSettings(GenerationCommand command) const {
    GenerationSettings settings;
    if (m_generation) {
        settings = *m_generation;
    } else {
        settings.targetDirectory = m_current;
    }
    settings.selected =
        command == GenerationCommand::Test ? testSelection() : acceptanceSelection();
    return settings;
}

bool DesignerSession::acceptGeneration(GenerationSettings& settings, Prompts& prompts) {
    m_generation = settings;
    fs::path target = absoluteFrom(m_current, settings.targetDirectory);
    std::error_code error;
    if (settings.targetDirectory.empty() || !fs::is_directory(target, error)) {
        prompts.warning("Gekozen directory bestaat niet!");
        return false;
    }
    m_current = target;
    settings.targetDirectory = target;
    return true;
}

}  // namespace pendrel
