#include "pendrel/generator/generator.h"

#include <cctype>
#include <fstream>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <vector>

#include "common/atomic_file.h"
#include "common/file_lookup.h"
#include "common/format.h"
#include "pendrel/generator/categories.h"
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

// One debug window file of the run, named and composed, not written yet.
struct PlannedFile {
    std::string name;
    std::string text;
    std::string listLine;
};

std::string folded(std::string name) {
    for (char& c : name) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return name;
}

// One run: its file names first, with every question they need, then the
// files, then the list file.
class Run {
  public:
    Run(const GenerationSettings& settings, Prompts& prompts, Progress& progress)
        : m_settings(settings),
          m_prompts(prompts),
          m_progress(progress),
          m_names(firstFileName(settings.scheme, settings.startNumber, settings.extension,
                                settings.name),
                  prompts,
                  [this](const std::string& name) { return existing(name).has_value(); }) {
        // One listing of the target directory for the whole run; the run keeps
        // it up to date as it names files.
        std::error_code error;
        for (const auto& entry : fs::directory_iterator(settings.targetDirectory, error)) {
            std::string name = entry.path().filename().string();
            m_existing[folded(name)] = name;
        }
    }

    // Names the files of one category's pages; false when the run stops.
    bool plan(const std::vector<Page>& pages,
              const std::function<std::string(const std::string&)>& listLine) {
        for (const Page& page : pages) {
            switch (m_names.next()) {
                case FileNameChooser::Outcome::Chosen:
                    break;
                case FileNameChooser::Outcome::NoFreeName:
                    m_prompts.warning("Geen vrije naam meer beschikbaar voor debugfile(s).");
                    return false;
                case FileNameChooser::Outcome::Cancelled:
                    return false;
            }
            const std::string& name = m_names.name();
            // A later question about this name sees it as taken.
            m_planned.insert(folded(name));
            m_files.push_back({name, page.render(), listLine(name)});
        }
        return true;
    }

    // Writes the planned files in order, each with its progress line; the
    // number written before one failed (or all of them).
    std::size_t writeFiles() {
        std::size_t written = 0;
        for (const PlannedFile& file : m_files) {
            if (!writePage(file.name, file.text)) {
                m_prompts.warning(
                    common::format("%s kan niet gemaakt worden.", file.name.c_str()));
                break;
            }
            m_progress.add(file.listLine);
            ++written;
        }
        return written;
    }

    std::size_t plannedCount() const { return m_files.size(); }

    // The list file of the run, replaced whole; a run without files leaves
    // none (its list is empty).
    bool writeListFile() {
        if (!m_settings.writeListFile) {
            return true;
        }
        std::string text;
        for (const PlannedFile& file : m_files) {
            text += file.listLine + '\n';
        }
        const std::string& name = m_settings.listFileName;
        std::optional<std::string> old = existingOnDisk(name);
        std::error_code ignored;
        if (text.empty()) {
            if (old) {
                fs::remove(m_settings.targetDirectory / *old, ignored);
            }
            return true;
        }
        if (!common::writeFileAtomically(m_settings.targetDirectory / name, text)) {
            m_prompts.warning(common::format("%s kan niet gemaakt worden.", name.c_str()));
            return false;
        }
        // The debugger must not find a list of another run beside it.
        if (old && *old != name) {
            fs::remove(m_settings.targetDirectory / *old, ignored);
        }
        return true;
    }

  private:
    // The name of the file that `name` stands for in the target directory
    // (file names compare without regard to case), if there is one.
    std::optional<std::string> existingOnDisk(const std::string& name) const {
        auto it = m_existing.find(folded(name));
        if (it == m_existing.end()) {
            return std::nullopt;
        }
        return it->second;
    }

    // Taken: on disk, or named earlier in this run.
    std::optional<std::string> existing(const std::string& name) const {
        if (m_planned.count(folded(name)) != 0) {
            return name;
        }
        return existingOnDisk(name);
    }

    bool writePage(const std::string& name, const std::string& text) {
        fs::path target = m_settings.targetDirectory / name;
        // An old file is removed rather than truncated: truncating makes the
        // file system write the old contents out first, which slows a run of
        // hundreds of files down tenfold. A name that differs only in case
        // goes too, so that the debugger does not find both.
        if (std::optional<std::string> old = existingOnDisk(name)) {
            std::error_code ignored;
            fs::remove(m_settings.targetDirectory / *old, ignored);
        }
        m_existing[folded(name)] = name;
        // Written in place: a whole run writes hundreds of files, and a file
        // that fails half-way is removed again.
        std::ofstream out(target, std::ios::binary | std::ios::trunc);
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
        out.close();
        if (!out) {
            std::error_code ignored;
            fs::remove(target, ignored);
            m_existing.erase(folded(name));
            return false;
        }
        return true;
    }

    const GenerationSettings& m_settings;
    Prompts& m_prompts;
    Progress& m_progress;
    FileNameChooser m_names;
    std::map<std::string, std::string> m_existing;
    std::set<std::string> m_planned;
    std::vector<PlannedFile> m_files;
};

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
bool planFiles(Project& project, const GenerationSettings& settings, Run& run) {
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

GenerationResult generate(Project& project, const GenerationSettings& settings, Run& run,
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
    Run run(settings, prompts, progress);
    GenerationResult result = generate(project, settings, run, prompts);
    progress.close();
    return result;
}

}  // namespace pendrel
