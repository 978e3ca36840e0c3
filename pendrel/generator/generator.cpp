#include "pendrel/generator/generator.h"

#include <optional>

#include "common/file_lookup.h"
#include "common/format.h"
#include "pendrel/generator/categories.h"
#include "pendrel/generator/generation_run.h"
#include "pendrel/generator/user_screen_page.h"
#include "pendrel/project/screen_database.h"
#include "pendrel/project/source_reader.h"

namespace pendrel {
namespace {

namespace fs = std::filesystem;

constexpr const char* kNewerHeader =
    "De file ZXAPDEF.H is nieuwer dan de database\nmet zelf gedefinieerde debugschermen.\n\n"
    "Dit kan inhouden dat de te genereren debugfiles\nitems bevatten die niet meer bestaan.\n\n"
    "Moet het genereren van debugfiles gewoon doorgaan?";

constexpr const char* kReady =
    "Het genereren van de debugschermen is gereed!\n"
    "De file pendrel.txt bevat een lijst van de gemaakte debugfiles.";

bool headerNewerThanDatabase(const fs::path& directory) {
    std::optional<fs::path> header = common::findFileIgnoreCase(directory, kDefinitionHeaderName);
    std::optional<fs::path> database = common::findFileIgnoreCase(directory, kScreenDatabaseName);
    if (!header || !database) {
        return false;
    }
    std::error_code e1;
    std::error_code e2;
    auto headerTime = fs::last_write_time(*header, e1);
    auto databaseTime = fs::last_write_time(*database, e2);
    return !e1 && !e2 && headerTime > databaseTime;
}

// Names every file of the run; false when the run stops.
bool planFiles(Project& project, const GenerationSettings& settings, GenerationRun& run) {
    const ProjectData& data = project.data();
    for (const Category& category : categories()) {
        if (!settings.selected[static_cast<std::size_t>(category.number - 1)] ||
            !category.needs(data)) {
            continue;
        }
        auto line = [&](const std::string& name) {
            return common::format("%s  debugfile voor %s.", name.c_str(),
                                  std::string(category.listText).c_str());
        };
        if (!run.plan(category.write(data), line)) {
            return false;
        }
    }
    for (const ScreenRecord& screen : project.screens()) {
        auto line = [&](const std::string& name) {
            return common::format("%s  debugfile: %s.", name.c_str(), screen.title.c_str());
        };
        if (!run.plan({writeUserScreen(screen)}, line)) {
            return false;
        }
    }
    return true;
}

// The closing box's text for a run that did not complete.
std::string stoppedText(std::size_t written, const std::string& listName) {
    std::string files = written == 0
                            ? std::string("Er is geen debugfile geschreven")
                            : common::format("Er zijn %zu debugfile(s) geschreven", written);
    return common::format(
        "Het genereren van de debugschermen is gestopt.\n%s; de file %s is niet gewijzigd.",
        files.c_str(), listName.c_str());
}

GenerationResult generate(Project& project, const GenerationSettings& settings, GenerationRun& run,
                          Prompts& prompts) {
    if (!planFiles(project, settings, run)) {
        prompts.information("Informatie", stoppedText(0, settings.listFileName));
        return GenerationResult::Stopped;
    }
    const std::size_t written = run.writeFiles();
    if (written < run.plannedCount()) {
        prompts.information("Informatie", stoppedText(written, settings.listFileName));
        return GenerationResult::Failed;
    }
    if (!run.writeListFile()) {
        prompts.information(
            "Informatie",
            common::format("De debugschermen zijn gegenereerd, maar de file %s is niet "
                           "gewijzigd:\nde lijst van de gemaakte debugfiles ontbreekt.",
                           settings.listFileName.c_str()));
        return GenerationResult::Failed;
    }
    prompts.information("Informatie", kReady);
    return GenerationResult::Completed;
}

}  // namespace

std::array<bool, kCategoryCount> testSelection() {
    std::array<bool, kCategoryCount> all;
    all.fill(true);
    return all;
}

std::array<bool, kCategoryCount> acceptanceSelection() {
    std::array<bool, kCategoryCount> chosen{};
    for (const Category& category : categories()) {
        chosen[static_cast<std::size_t>(category.number - 1)] = category.acceptance;
    }
    return chosen;
}

GenerationResult runGeneration(Project& project, const GenerationSettings& settings,
                               Prompts& prompts, Progress& progress) {
    std::error_code error;
    if (!fs::is_directory(settings.targetDirectory, error)) {
        prompts.warning("Gekozen directory bestaat niet!");
        return GenerationResult::NotStarted;
    }
    if (!project.ensureLoaded(prompts, progress)) {
        return GenerationResult::NotStarted;
    }
    if (!project.screens().empty() && headerNewerThanDatabase(project.directory()) &&
        !prompts.askYesNo("PENDREL", kNewerHeader)) {
        return GenerationResult::NotStarted;
    }
    progress.open("Status aanmaken debugfiles");
    progress.add("schrijven ...");
    GenerationRun run(settings, prompts, progress);
    GenerationResult result = generate(project, settings, run, prompts);
    progress.close();
    return result;
}

}  // namespace pendrel
