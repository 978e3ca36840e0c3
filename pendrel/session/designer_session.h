#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "pendrel/generator/generator.h"
#include "pendrel/ports/prompts.h"
#include "pendrel/project/project.h"
#include "pendrel/project/project_settings.h"

namespace pendrel {

// The commands of the main window.
enum class Command {
    Open,
    Exit,
    Define,
    GenerateTest,
    GenerateAcceptance,
    ViewList,
    ToggleToolBar,
    ToggleStatusLine,
    About,
};

// Which of the two generate commands opened the dialog: it decides the
// pre-selection of the categories.
enum class GenerationCommand { Test, Acceptance };

// The designer's main window as logic: the project directory that is
// current, the project of that directory, pendrel.ini and the generation
// settings kept for the session. A front-end shows it and runs the reading
// and the generation on a worker; a project is read into one of its own
// (beginOpen(), beginRead()), which the window sees once handed over.
class DesignerSession {
  public:
    // Start-up: the current directory becomes "LastProjectDir" of
    // pendrel.ini, or `workingDirectory` when that is unset. Nothing is read.
    DesignerSession(ProjectSettings settings, const std::filesystem::path& workingDirectory);

    const std::filesystem::path& currentDirectory() const { return m_current; }

    // The title of the document: the project directory once one was opened
    // (or at start-up, the directory that commands will read).
    const std::string& documentTitle() const { return m_title; }

    // What the directory dialog "Selecteren directory" starts from:
    // "LastProjectDir", else the current directory.
    std::string directoryPreset() const;

    // Open project, the part before the reading: `directory` is written to
    // "LastProjectDir", and the project of that directory is made, not read
    // yet. The front-end reads it (load(), on a worker) and hands it to
    // finishOpen().
    std::unique_ptr<Project> beginOpen(const std::filesystem::path& directory);

    // Open project, after the reading: a project that was read becomes the
    // session's, its directory the current one and the document's title. One
    // that failed changes nothing: the project held before stays, with its
    // screens, stored or not, and so does the current directory.
    void finishOpen(std::unique_ptr<Project> opened);

    // Define and the generations read a project that was not read yet. The
    // reading goes into a project of its own, on a worker, while the window
    // goes on showing the one held; null when that one is read already.
    std::unique_ptr<Project> beginRead() const;

    // After that reading: a project that was read whole takes the place of
    // the unread one; one that failed changes nothing.
    void finishRead(std::unique_ptr<Project> read);

    // Before the project is left, for another one or at the end of the
    // program: true when its screens are stored, or when the user agrees to
    // lose the changes (`exiting` chooses the question's words).
    bool mayLeaveProject(Prompts& prompts, bool exiting) const;

    Project& project() { return *m_project; }
    const Project& project() const { return *m_project; }

    // Whether a command can be chosen. While a reading or a generation runs
    // only Exit, About and the view toggles can; "Bekijken gegenereerde
    // debugfiles" needs pendrel.txt in the current directory.
    bool enabled(Command command, bool busy) const;

    // The settings the generation dialog starts from: those of the last OK
    // (the current directory as target before the first), with the
    // command's pre-selection.
    GenerationSettings generationSettings(GenerationCommand command) const;

    // OK of the generation dialog: the settings are stored, and the target
    // directory (relative to the current directory) becomes the current
    // directory. False after "Gekozen directory bestaat niet!": then nothing
    // is to be generated. `settings.targetDirectory` is made absolute.
    bool acceptGeneration(GenerationSettings& settings, Prompts& prompts);

  private:
    ProjectSettings m_settings;
    std::filesystem::path m_current;
    std::string m_title;
    std::unique_ptr<Project> m_project;
    std::optional<GenerationSettings> m_generation;
};

}  // namespace pendrel
